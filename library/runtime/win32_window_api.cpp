// Exported window functions: each builds its request and sends it to the
// library thread; CreateWind also starts the library on first use.
#include <new>

#include "pexa.h"
#include "runtime/requests.h"
#include "runtime/win32_library.h"
#include "runtime/win32_messages.h"
#include "runtime/win32_wind.h"

using namespace pexa;

extern "C" {

PEXA_API void *CreateWind(const char *title, int width, int height, int x, int y, void *reserved,
                          int statusBar, DWORD style) {
    if (!initialized.load()) StartLibrary();
    if (!initialized.load()) {
        ConsoleMessage("\n Pexa Initialization failed!");
        return nullptr;
    }
    cWind *w = new (std::nothrow) cWind(title, width, height, x, y, reserved, statusBar, style);
    if (w) SendRequest(kCreateWindow, reinterpret_cast<WPARAM>(w), 0);
    currentWind.store(w);
    if (!w || !w->hwnd) {
        if (w) SendRequest(kDeleteWindow, reinterpret_cast<WPARAM>(w), 0);
        currentWind.store(nullptr);
        ConsoleMessage("\n Window creation failed!");
        return nullptr;
    }
    return w;
}

PEXA_API int DeleteWind(void *wind) {
    SendRequest(kDeleteWindow, reinterpret_cast<WPARAM>(wind), 0);
    return 1;
}

// No check of the argument, as for every window function: the program passes
// a window that CreateWind returned.
PEXA_API void CurrentWind(void *wind) {
    currentWind.store(static_cast<cWind *>(wind));
}

PEXA_API int ShowWind(void *wind) {
    SendRequest(kShowWindow, reinterpret_cast<WPARAM>(wind), 0);
    return 1;
}

PEXA_API int HideWind(void *wind) {
    SendRequest(kHideWindow, reinterpret_cast<WPARAM>(wind), 0);
    return 1;
}

PEXA_API int SizeWind(void *wind, int x, int y, int width, int height) {
    RectangleRecord r = {x, y, width, height};
    SendRequest(kSizeWindow, reinterpret_cast<WPARAM>(wind), reinterpret_cast<LPARAM>(&r));
    return 1;
}

PEXA_API int RefreshWind(void *wind) {
    SendRequest(kRefreshWindow, reinterpret_cast<WPARAM>(wind), 0);
    return 1;
}

PEXA_API int ClearWind(void *wind) {
    return RefreshWind(wind);
}

PEXA_API int Background(float r, float g, float b) {
    ColorRecord c = {r, g, b};
    SendRequest(kBackground, reinterpret_cast<WPARAM>(&c), 0);
    return 1;
}

PEXA_API HDC GetHDC(void *wind) {
    return reinterpret_cast<HDC>(SendRequest(kGetHDC, reinterpret_cast<WPARAM>(wind), 0));
}

PEXA_API HWND GetHWND(void *wind) {
    return reinterpret_cast<HWND>(SendRequest(kGetHWND, reinterpret_cast<WPARAM>(wind), 0));
}

PEXA_API HGLRC GetHGLRC(void *wind) {
    return reinterpret_cast<HGLRC>(SendRequest(kGetHGLRC, reinterpret_cast<WPARAM>(wind), 0));
}

PEXA_API LRESULT SendPexaMsg(UINT message, WPARAM wParam, LPARAM lParam) {
    return SendRequest(message, wParam, lParam);
}

} // extern "C"
