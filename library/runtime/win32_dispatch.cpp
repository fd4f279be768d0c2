// The window procedure of the dispatch window and every scene window: the
// request table (every request number in one place, the window it acts on,
// its parameter record and its result) and the routing of scene windows'
// system messages through the window registry.
#include <windows.h>

#include "objects/win32_group.h"
#include "runtime/requests.h"
#include "runtime/win32_events.h"
#include "runtime/win32_input.h"
#include "runtime/win32_library.h"
#include "runtime/win32_scene_lock.h"
#include "runtime/win32_wind.h"

#include "dib/win32_dib.h"

namespace pexa {

namespace {

// A window handed in wParam, or null for a torn-down one.
cWind *WindowArg(WPARAM wParam) {
    cWind *w = reinterpret_cast<cWind *>(wParam);
    return w && !w->tornDown ? w : nullptr;
}

// The current window, or null while there is none (or it was deleted):
// requests that act on the current window then do nothing and return 0.
cWind *Current() {
    cWind *w = CurrentWindow();
    return w && !w->tornDown ? w : nullptr;
}

LRESULT CreateSceneWindow(cWind *w) {
    currentWind.store(w);
    HWND hwnd = CreateWindowExA(0, "Pexa", w->title, w->style, w->windowRect.left,
                                w->windowRect.top, w->windowRect.right - w->windowRect.left,
                                w->windowRect.bottom - w->windowRect.top, nullptr, nullptr,
                                hLibModule, nullptr);
    w->hwnd = hwnd;
    if (!hwnd) return 0;
    if (w->hasStatusBar) CreateStatusBar(w);
    return 1;
}

LRESULT ShowScene(cWind *w) {
    if (w->visible) return 1;
    ShowWindow(w->hwnd, SW_SHOW);
    UpdateWindow(w->hwnd);
    SetForegroundWindow(w->hwnd);
    w->visible = 1;
    return 1;
}

LRESULT HideScene(cWind *w) {
    if (!w->visible) return 1;
    ShowWindow(w->hwnd, SW_HIDE);
    w->visible = 0;
    return 1;
}

LRESULT SizeScene(cWind *w, const RectangleRecord *r) {
    // A hidden window ignores the request; it is not kept for later.
    if (w->visible && r) SetWindowPos(w->hwnd, HWND_NOTOPMOST, r->x, r->y, r->width, r->height, 0);
    return 1;
}

// Requests: 1 when handled (result in *result), 0 for a number without a
// handler, which goes to DefWindowProcA.
bool HandleRequest(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT *result) {
    cWind *w = nullptr;
    *result = 0;
    switch (message) {
    // Lists of the current window.
    case kInsert2D:
    case kInsert3D: {
        if (!(w = Current())) return true;
        SceneWriteGuard lock;
        cGroup *list = message == kInsert2D ? w->current2D : w->current3D;
        *result = list->Insert(reinterpret_cast<cObj *>(wParam)) ? 1 : 0;
        if (*result) *result = 1;
        return true;
    }
    case kDelete2D:
    case kDelete3D: {
        if (!(w = Current())) return true;
        SceneWriteGuard lock;
        cGroup *list = message == kDelete2D ? w->current2D : w->current3D;
        *result = reinterpret_cast<LRESULT>(list->Delete(reinterpret_cast<cObj *>(wParam)));
        return true;
    }
    case kInsertAfter2D:
    case kInsertAfter3D: {
        if (!(w = Current())) return true;
        SceneWriteGuard lock;
        cGroup *list = message == kInsertAfter2D ? w->current2D : w->current3D;
        list->SetPosition(reinterpret_cast<cObj *>(wParam), int(lParam));
        *result = 1;
        return true;
    }
    case kCompileDisplayList:
        if ((w = Current())) *result = w->UseDisplayList(unsigned(wParam));
        return true;
    case kClearList2D:
        if ((w = Current())) *result = w->ClearList2D();
        return true;
    case kClearList3D:
        if ((w = Current())) *result = w->ClearList();
        return true;
    case kShadeMode:
        // Other values change nothing; the next frame draws in the new mode.
        if ((w = Current())) {
            if (wParam == kShadeSmooth || wParam == kShadeFlat || wParam == kShadeNone)
                w->shade_mode = int(wParam);
            *result = 1;
        }
        return true;

    // Windows.
    case kCreateWindow:
        if (!wParam) return true;
        *result = CreateSceneWindow(reinterpret_cast<cWind *>(wParam));
        return true;
    case kShowWindow:
        if ((w = WindowArg(wParam))) *result = ShowScene(w);
        return true;
    case kHideWindow:
        if ((w = WindowArg(wParam))) *result = HideScene(w);
        return true;
    case kDeleteWindow:
        if ((w = WindowArg(wParam))) w->TearDown();
        *result = 1;
        return true;
    case kRefreshWindow:
        if ((w = WindowArg(wParam))) {
            w->Render();
            *result = 1;
        }
        return true;
    case kBackground:
        if ((w = Current()) && wParam) {
            const ColorRecord *c = reinterpret_cast<const ColorRecord *>(wParam);
            w->Background(c->r, c->g, c->b);
            *result = 1;
        }
        return true;
    case kSizeWindow:
        if ((w = WindowArg(wParam)))
            *result = SizeScene(w, reinterpret_cast<const RectangleRecord *>(lParam));
        return true;
    case kGetHDC:
        if ((w = WindowArg(wParam))) *result = reinterpret_cast<LRESULT>(w->hdc);
        return true;
    case kGetHWND:
        // A window closed by the user still answers with its old handle.
        if ((w = WindowArg(wParam))) *result = reinterpret_cast<LRESULT>(w->hwnd);
        return true;
    case kGetStatusBar:
        if ((w = WindowArg(wParam))) *result = reinterpret_cast<LRESULT>(w->hStatusBar);
        return true;
    case kGetHGLRC:
        if ((w = WindowArg(wParam))) *result = reinterpret_cast<LRESULT>(w->hglrc);
        return true;

    // Events.
    case kGetEvent:
        if ((w = Current())) *result = reinterpret_cast<LRESULT>(w->events.take(int(wParam)));
        return true;
    case kEventExists:
        if ((w = Current())) *result = w->events.exists(int(wParam)) ? 1 : 0;
        return true;

    case kCaptureDIB:
        if ((w = Current())) *result = reinterpret_cast<LRESULT>(CaptureWindowDIB(w->hwnd, w->hdc));
        return true;
    default:
        (void)hwnd;
        return false;
    }
}

// System messages of scene windows, routed after the registry lookup; every
// other system message goes to DefWindowProcA.
struct SceneRoute {
    UINT message;
    LRESULT (*handle)(cWind *w, WPARAM wParam, LPARAM lParam);
};

const SceneRoute kSceneRoutes[] = {
    {WM_MOVE, [](cWind *w, WPARAM, LPARAM) -> LRESULT { return w->OnMove(); }},
    {WM_SIZE, [](cWind *w, WPARAM wp, LPARAM lp) -> LRESULT { return w->OnSize(wp, lp); }},
    {WM_ERASEBKGND, [](cWind *w, WPARAM, LPARAM) -> LRESULT { return w->Render(), 1; }},
    {WM_KEYDOWN, [](cWind *w, WPARAM wp, LPARAM lp) -> LRESULT { return OnKeyDown(w, wp, lp), 0; }},
    {WM_KEYUP, [](cWind *, WPARAM wp, LPARAM) -> LRESULT { return KeyUpEvent(wp), 0; }},
    {WM_CHAR, [](cWind *w, WPARAM wp, LPARAM lp) -> LRESULT { return CharEvent(w, wp, lp), 0; }},
    {WM_COMMAND, [](cWind *w, WPARAM wp, LPARAM lp) -> LRESULT { return OnCommand(w, wp, lp), 0; }},
    {WM_MOUSEMOVE,
     [](cWind *w, WPARAM wp, LPARAM lp) -> LRESULT { return OnMouseMove(w, wp, lp), 0; }},
    {WM_LBUTTONDOWN,
     [](cWind *w, WPARAM wp, LPARAM lp) -> LRESULT { return OnLeftButtonDown(w, wp, lp), 0; }},
    {WM_LBUTTONUP,
     [](cWind *w, WPARAM wp, LPARAM lp) -> LRESULT { return OnLeftButtonUp(w, wp, lp), 0; }},
    {WM_RBUTTONDOWN,
     [](cWind *w, WPARAM wp, LPARAM lp) -> LRESULT { return OnRightButtonDown(w, wp, lp), 0; }},
    {WM_MBUTTONDOWN,
     [](cWind *w, WPARAM wp, LPARAM lp) -> LRESULT { return OnMiddleButtonDown(w, wp, lp), 0; }},
    {WM_MOUSEWHEEL, [](cWind *, WPARAM, LPARAM) -> LRESULT { return 0; }},
};

const SceneRoute *FindSceneRoute(UINT message) {
    for (const SceneRoute &route : kSceneRoutes)
        if (route.message == message) return &route;
    return nullptr;
}

// WM_PAINT of any scene window draws every registered window that moves and
// validates the idle ones.
LRESULT PaintAll(HWND hwnd) {
    for (cWPWH *e = windowRegistry.first(); e; e = e->next) {
        cWind *w = e->wind;
        if (w->idle)
            ValidateRect(static_cast<HWND>(e->hwnd), nullptr);
        else
            w->Render();
    }
    if (windowRegistry.find(hwnd)) {
        cWind *w = windowRegistry.found()->wind;
        if (w->hasStatusBar && w->hStatusBar) SendMessageA(w->hStatusBar, WM_PAINT, 0, 0);
    } else {
        // A window outside the registry (the dispatch window) must not repaint forever.
        ValidateRect(hwnd, nullptr);
    }
    return 0;
}

} // namespace

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= kFirstRequest && message <= kLastRequest) {
        LRESULT result;
        if (HandleRequest(hwnd, message, wParam, lParam, &result)) return result;
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    switch (message) {
    case kTearDownAtExit:
        // Each teardown destroys its window, which leaves the registry.
        while (cWPWH *e = windowRegistry.first()) {
            cWind *w = e->wind;
            w->TearDown();
            if (windowRegistry.first() == e) windowRegistry.find(e->hwnd), windowRegistry.remove();
        }
        return 0;
    case WM_CREATE: {
        cWind *w = CurrentWindow();
        handledWind = w;
        // The dispatch window is created while no window is current.
        if (!w) return 0;
        w->SetupGL(hwnd);
        return 0;
    }
    case WM_DESTROY:
        if (windowRegistry.find(hwnd)) windowRegistry.remove();
        return 0;
    case WM_PAINT:
        return PaintAll(hwnd);
    default:
        break;
    }
    if (const SceneRoute *route = FindSceneRoute(message)) {
        bool found = windowRegistry.find(hwnd);
        handledWind = found ? windowRegistry.found()->wind : nullptr;
        if (!found) return 0;
        return route->handle(handledWind, wParam, lParam);
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace pexa
