// The optional status bar of a scene window: created with the window when
// CreateWind asks for it, its one text set by StatusText's request; the
// scene takes the client area above it.
#include <windows.h>

#include <commctrl.h>

#include <cstring>

#include "pexa.h"
#include "runtime/win32_input.h"
#include "runtime/win32_library.h"
#include "platform/win32_messages.h"
#include "runtime/win32_routes.h"
#include "runtime/win32_wind.h"

namespace pexa {

void CreateStatusBar(cWind *w) {
    HWND bar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                               w->hwnd(), nullptr, lib.hLibModule, nullptr);
    // Without it the window goes on: texts and forwarded messages go nowhere.
    w->dialogs.hStatusBar = bar;
    if (!bar) return;
    w->dialogs.statusText[0] = 0;
    SendMessageA(bar, SB_SIMPLE, 1, 0);
    SendMessageA(bar, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(w->dialogs.statusText));
    // The window was sized before its bar existed: the bar takes its place
    // at the bottom and the scene the client area above it.
    RECT client{};
    GetClientRect(w->hwnd(), &client);
    w->OnSize(SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
}

int StatusBarHeight(const cWind *w) {
    HWND bar = w->dialogs.hStatusBar;
    RECT r{};
    if (!bar || !IsWindowVisible(bar) || !GetWindowRect(bar, &r)) return 0;
    return r.bottom - r.top;
}

// HACK: Wine shows a window's OpenGL drawing over the whole client area,
// child windows included, so the bar would stay hidden under the scene. The
// bar is drawn into the window as well, after each frame and each text;
// where the system clips the scene to its children this paints the bar's
// own pixels again.
void PaintStatusBar(cWind *w) {
    HWND bar = w->dialogs.hStatusBar;
    if (!bar || !IsWindowVisible(bar)) return;
    RECT r{};
    GetWindowRect(bar, &r);
    MapWindowPoints(nullptr, w->hwnd(), reinterpret_cast<POINT *>(&r), 2);
    HDC dc = GetDCEx(w->hwnd(), nullptr, DCX_CACHE | DCX_CLIPSIBLINGS); // over the child
    if (!dc) return;
    SetViewportOrgEx(dc, r.left, r.top, nullptr);
    IntersectClipRect(dc, 0, 0, r.right - r.left, r.bottom - r.top);
    SendMessageA(bar, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    ReleaseDC(w->hwnd(), dc);
}

namespace {

// Texts beyond the 255 characters the window keeps are cut there.
LRESULT SetStatusText(const Call &c) {
    DialogState &d = c.w->dialogs;
    if (!d.hasStatusBar) {
        ConsoleMessage("\n\n\a There is no statusbar !");
        return 1;
    }
    const char *text = reinterpret_cast<const char *>(c.wParam);
    std::strncpy(d.statusText, text ? text : "", sizeof d.statusText - 1);
    d.statusText[sizeof d.statusText - 1] = 0;
    if (d.hStatusBar) {
        SendMessageA(d.hStatusBar, SB_SETTEXTA, SB_SIMPLEID,
                     reinterpret_cast<LPARAM>(d.statusText));
        PaintStatusBar(c.w);
    }
    return 1;
}

const Route kStatusRequests[] = {
    {PEXA_MSG_STATUS_TEXT, Target::Current, SetStatusText, 0},
};
PEXA_ROUTES(kStatusRequests);

} // namespace

} // namespace pexa
