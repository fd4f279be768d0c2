// The exported functions of pexa.h's "Windows" section: creation (which
// also starts the library on first use), show, hide, size, refresh,
// background, delete, and the handle queries. Their requests are handled in
// win32_wind.cpp.
#include <new>

#include "pexa.h"
#include "runtime/win32_library.h"
#include "platform/win32_messages.h"
#include "runtime/win32_wind.h"
#include "scene/request_records.h"

using namespace pexa;

extern "C" {

PEXA_API void *CreateWind(const char *title, int width, int height, int x, int y, void *reserved,
                          int statusBar, DWORD style) {
    if (!lib.initialized.load()) StartLibrary();
    if (!lib.initialized.load()) {
        ConsoleMessage("\n Pexa Initialization failed!");
        return nullptr;
    }
    cWind *previous = CurrentWindow();
    cWind *w = new (std::nothrow) cWind(title, width, height, x, y, reserved, statusBar, style);
    if (w) SendRequest(PEXA_MSG_CREATE_WIND, reinterpret_cast<WPARAM>(w), 0);
    lib.currentWind.store(w);
    if (!w || !w->os.hwnd) {
        if (w) SendRequest(PEXA_MSG_DELETE_WIND, reinterpret_cast<WPARAM>(w), 0);
        // A failed creation leaves the program's current window as it was.
        lib.currentWind.store(previous);
        ConsoleMessage("\n Window creation failed!");
        return nullptr;
    }
    return w;
}

PEXA_API int DeleteWind(void *wind) {
    SendRequest(PEXA_MSG_DELETE_WIND, reinterpret_cast<WPARAM>(wind), 0);
    return 1;
}

// The current window is one for the whole process. A pointer that is no
// window of CreateWind's (stale or foreign) leaves no window current, so
// the calls after it act on none instead of on whatever it points to.
PEXA_API void CurrentWind(void *wind) {
    cWind *w = static_cast<cWind *>(wind);
    lib.currentWind.store(w && IsKnownWindow(w) ? w : nullptr);
}

PEXA_API int ShowWind(void *wind) {
    SendRequest(PEXA_MSG_SHOW_WIND, reinterpret_cast<WPARAM>(wind), 0);
    return 1;
}

PEXA_API int HideWind(void *wind) {
    SendRequest(PEXA_MSG_HIDE_WIND, reinterpret_cast<WPARAM>(wind), 0);
    return 1;
}

PEXA_API int SizeWind(void *wind, int x, int y, int width, int height) {
    RectangleRecord r = {x, y, width, height};
    SendRequest(PEXA_MSG_SIZE_WIND, reinterpret_cast<WPARAM>(wind), reinterpret_cast<LPARAM>(&r));
    return 1;
}

PEXA_API int RefreshWind(void *wind) {
    SendRequest(PEXA_MSG_REFRESH_WIND, reinterpret_cast<WPARAM>(wind), 0);
    return 1;
}

PEXA_API int ClearWind(void *wind) {
    return RefreshWind(wind);
}

PEXA_API int Background(float r, float g, float b) {
    ColorRecord c = {r, g, b};
    SendRequest(PEXA_MSG_BACKGROUND, reinterpret_cast<WPARAM>(&c), 0);
    return 1;
}

PEXA_API HDC GetHDC(void *wind) {
    return reinterpret_cast<HDC>(SendRequest(PEXA_MSG_GET_HDC, reinterpret_cast<WPARAM>(wind), 0));
}

PEXA_API HWND GetHWND(void *wind) {
    return reinterpret_cast<HWND>(
        SendRequest(PEXA_MSG_GET_HWND, reinterpret_cast<WPARAM>(wind), 0));
}

PEXA_API HGLRC GetHGLRC(void *wind) {
    return reinterpret_cast<HGLRC>(
        SendRequest(PEXA_MSG_GET_HGLRC, reinterpret_cast<WPARAM>(wind), 0));
}

} // extern "C"
