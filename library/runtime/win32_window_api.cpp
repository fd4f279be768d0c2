// Exported window functions and their requests: creation (which also starts
// the library on first use), show, hide, size, refresh, background, delete,
// and the handle queries.
#include <algorithm>
#include <new>

#include "pexa.h"
#include "runtime/win32_input.h"
#include "runtime/win32_library.h"
#include "runtime/win32_messages.h"
#include "runtime/win32_routes.h"
#include "runtime/win32_wind.h"

using namespace pexa;

namespace {

// Records that the exported functions build on their stack and the handlers
// read in place while the sender waits.
struct RectangleRecord {
    int x, y, width, height;
};
struct ColorRecord {
    float r, g, b;
};

// Window sizes as a desktop accepts them: at most the largest a user could
// drag a window to, never negative. (Beyond that the X server behind Wine
// refuses the window and the process dies.)
int ClampWidth(int width) {
    return std::max(0, std::min(width, GetSystemMetrics(SM_CXMAXTRACK)));
}
int ClampHeight(int height) {
    return std::max(0, std::min(height, GetSystemMetrics(SM_CYMAXTRACK)));
}

LRESULT CreateSceneWindow(const Call &call) {
    cWind *w = reinterpret_cast<cWind *>(call.wParam);
    if (!w) return 0;
    currentWind.store(w);
    RECT &r = w->windowRect;
    r.right = r.left + ClampWidth(r.right - r.left);
    r.bottom = r.top + ClampHeight(r.bottom - r.top);
    HWND hwnd = CreateWindowExA(0, "Pexa", w->title, w->style, r.left, r.top, r.right - r.left,
                                r.bottom - r.top, nullptr, nullptr, hLibModule, nullptr);
    w->os.hwnd = hwnd;
    if (!hwnd) return 0;
    if (w->dialogs.hasStatusBar) CreateStatusBar(w);
    return 1;
}

LRESULT ShowScene(const Call &call) {
    cWind *w = call.w;
    if (w->visible) return 1;
    ShowWindow(w->hwnd(), SW_SHOW);
    UpdateWindow(w->hwnd());
    SetForegroundWindow(w->hwnd());
    w->visible = 1;
    return 1;
}

LRESULT HideScene(const Call &call) {
    cWind *w = call.w;
    if (!w->visible) return 1;
    ShowWindow(w->hwnd(), SW_HIDE);
    w->visible = 0;
    return 1;
}

LRESULT SizeScene(const Call &call) {
    const RectangleRecord *r = reinterpret_cast<const RectangleRecord *>(call.lParam);
    // A hidden window ignores the request; it is not kept for later.
    if (call.w->visible && r)
        SetWindowPos(call.w->hwnd(), HWND_NOTOPMOST, r->x, r->y, ClampWidth(r->width),
                     ClampHeight(r->height), 0);
    return 1;
}

LRESULT SetBackground(const Call &call) {
    const ColorRecord *c = reinterpret_cast<const ColorRecord *>(call.wParam);
    if (!c) return 0;
    call.w->Background(c->r, c->g, c->b);
    return 1;
}

template <class Handle> LRESULT AsResult(Handle h) {
    return reinterpret_cast<LRESULT>(h);
}

const Route kWindowRequests[] = {
    {PEXA_MSG_CREATE_WIND, Target::None, CreateSceneWindow, 0},
    {PEXA_MSG_SHOW_WIND, Target::WindowArg, ShowScene, 0},
    {PEXA_MSG_HIDE_WIND, Target::WindowArg, HideScene, 0},
    {PEXA_MSG_DELETE_WIND, Target::WindowArg,
     [](const Call &c) -> LRESULT { return c.w->TearDown(), 1; }, 1},
    {PEXA_MSG_REFRESH_WIND, Target::WindowArg,
     [](const Call &c) -> LRESULT { return c.w->Render(), 1; }, 0},
    {PEXA_MSG_BACKGROUND, Target::Current, SetBackground, 0},
    {PEXA_MSG_SIZE_WIND, Target::WindowArg, SizeScene, 0},
    {PEXA_MSG_GET_HDC, Target::WindowArg, [](const Call &c) { return AsResult(c.w->os.hdc); }, 0},
    // A window closed by the user still answers with its old handle.
    {PEXA_MSG_GET_HWND, Target::WindowArg, [](const Call &c) { return AsResult(c.w->os.hwnd); }, 0},
    {PEXA_MSG_GET_STATUS_BAR, Target::WindowArg,
     [](const Call &c) { return AsResult(c.w->dialogs.hStatusBar); }, 0},
    {PEXA_MSG_GET_HGLRC, Target::WindowArg, [](const Call &c) { return AsResult(c.w->os.hglrc); },
     0},
};
PEXA_ROUTES(kWindowRequests);

} // namespace

extern "C" {

PEXA_API void *CreateWind(const char *title, int width, int height, int x, int y, void *reserved,
                          int statusBar, DWORD style) {
    if (!initialized.load()) StartLibrary();
    if (!initialized.load()) {
        ConsoleMessage("\n Pexa Initialization failed!");
        return nullptr;
    }
    cWind *previous = CurrentWindow();
    cWind *w = new (std::nothrow) cWind(title, width, height, x, y, reserved, statusBar, style);
    if (w) SendRequest(PEXA_MSG_CREATE_WIND, reinterpret_cast<WPARAM>(w), 0);
    currentWind.store(w);
    if (!w || !w->os.hwnd) {
        if (w) SendRequest(PEXA_MSG_DELETE_WIND, reinterpret_cast<WPARAM>(w), 0);
        // A failed creation leaves the program's current window as it was.
        currentWind.store(previous);
        ConsoleMessage("\n Window creation failed!");
        return nullptr;
    }
    return w;
}

PEXA_API int DeleteWind(void *wind) {
    SendRequest(PEXA_MSG_DELETE_WIND, reinterpret_cast<WPARAM>(wind), 0);
    return 1;
}

// No check of the argument, as for every window function: the program passes
// a window that CreateWind returned.
PEXA_API void CurrentWind(void *wind) {
    currentWind.store(static_cast<cWind *>(wind));
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

PEXA_API LRESULT SendPexaMsg(UINT message, WPARAM wParam, LPARAM lParam) {
    return SendRequest(message, wParam, lParam);
}

} // extern "C"
