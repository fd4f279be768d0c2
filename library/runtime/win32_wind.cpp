// cWind: construction, teardown, background, move, the cursor, emptying its
// lists; the window requests (create, show, hide, delete, refresh, size,
// background, handle queries) and the routes of a scene window's own system
// messages (creation, destruction, move, size, erase, paint).
#include "runtime/win32_wind.h"

#include <algorithm>
#include <cstring>

#include "scene/group.h"
#include "runtime/win32_frame_pacing.h"
#include "runtime/win32_input.h"
#include "runtime/win32_library.h"
#include "runtime/win32_overlay_state.h"
#include "runtime/win32_routes.h"
#include "runtime/win32_scene_lock.h"
#include "scene/navigation.h"
#include "scene/request_records.h"

namespace pexa {

cWind::cWind(const char *title_, int width, int height, int x, int y, void *reserved_,
             int statusBar, DWORD style_) {
    if (title_) {
        // A longer title is cut to the 63 characters the field holds.
        std::strncpy(title, title_, sizeof title - 1);
        title[sizeof title - 1] = 0;
    }
    windowRect = {x, y, x + width, y + height};
    style = style_;
    dialogs.hasStatusBar = statusBar != 0;
    reserved = reserved_;
    os.hMenu = LoadMenuA(lib.hLibModule, MAKEINTRESOURCEA(1));
}

void cWind::TearDown() {
    if (tornDown) return;
    tornDown = 1;
    if (os.hwnd) ShowWindow(os.hwnd, SW_HIDE);
    StopPacing(this);
    ReleaseOverlayObjects(this); // while the device context still holds them
    ReleaseGL();
    // Stock objects ignore DeleteObject; brushes made by Background are freed.
    if (os.backBrush) DeleteObject(os.backBrush);
    os.backBrush = nullptr;
    if (os.hMenu) DestroyMenu(os.hMenu);
    os.hMenu = nullptr;
    // The dialogs and the status bar go with their owner window.
    if (os.hwnd && IsWindow(os.hwnd)) DestroyWindow(os.hwnd);
    dialogs.hLightDlg = dialogs.hViewDlg = dialogs.hStatusBar = nullptr;
    events.clear();
    viewpoints.clear();
    delete[] pick.selectBuf;
    pick.selectBuf = nullptr;
}

void cWind::Background(float r, float g, float b) {
    render.BackColor[0] = r;
    render.BackColor[1] = g;
    render.BackColor[2] = b;
    auto byte = [](float c) { return BYTE(long(c * 255.0f) & 0xFF); };
    if (os.backBrush) DeleteObject(os.backBrush);
    os.backBrush = CreateSolidBrush(RGB(byte(r), byte(g), byte(b)));
}

void cWind::SetModeCursor() {
    HCURSOR cursor = nullptr;
    switch (CursorFor(view.action_mode, lists.has3D)) {
    case NavCursor::Arrow:
        cursor = os.cursorArrow;
        break;
    case NavCursor::Rotate:
        cursor = os.cursorRotate;
        break;
    case NavCursor::Fly:
        cursor = os.cursorFly;
        break;
    case NavCursor::Walk:
        cursor = os.cursorWalk;
        break;
    case NavCursor::Keep:
        break;
    }
    if (cursor) SetCursor(cursor);
}

void cWind::UpdatePasses() {
    lists.has3D = lists.list3D && !lists.list3D->IsEmpty();
    lists.has2D = lists.list2D && !lists.list2D->IsEmpty();
}

// Inside an open group only the group is emptied; the scene keeps showing
// the rest of the root list.
int cWind::ClearList() {
    {
        SceneWriteGuard lock;
        lists.current3D->Empty();
        UpdatePasses();
    }
    SetModeCursor();
    Render();
    return 1;
}

int cWind::ClearList2D() {
    {
        SceneWriteGuard lock;
        lists.current2D->Empty();
        UpdatePasses();
        overlay.pos2D[0] = overlay.pos2D[1] = 0;
    }
    MoveToEx(os.hdc, 0, 0, nullptr);
    Render();
    return 1;
}

int cWind::OnMove() {
    GetWindowRect(os.hwnd, &windowRect);
    Render();
    return 0;
}

namespace {

// Only the window CreateSceneWindow is creating is set up: the dispatch
// window's own WM_CREATE, or one sent from elsewhere, sets up nothing.
LRESULT OnCreate(const Call &call) {
    cWind *w = lib.creatingWind;
    lib.creatingWind = nullptr;
    lib.handledWind = w;
    if (!w) return 0;
    w->SetupGL(call.hwnd);
    return 0;
}

LRESULT OnDestroy(const Call &call) {
    if (lib.windowRegistry.find(call.hwnd)) lib.windowRegistry.remove();
    return 0;
}

// WM_PAINT of any scene window draws every registered window that moves and
// validates the idle ones.
LRESULT OnPaint(const Call &call) {
    for (cWPWH *e = lib.windowRegistry.first(); e; e = e->next) {
        cWind *w = e->wind;
        if (w->render.idle)
            ValidateRect(static_cast<HWND>(e->hwnd), nullptr);
        else
            w->Render();
    }
    if (lib.windowRegistry.find(call.hwnd)) {
        cWind *w = lib.windowRegistry.found()->wind;
        if (w->dialogs.hasStatusBar && w->dialogs.hStatusBar)
            SendMessageA(w->dialogs.hStatusBar, WM_PAINT, 0, 0);
    } else {
        // A window outside the registry (the dispatch window) must not repaint forever.
        ValidateRect(call.hwnd, nullptr);
    }
    return 0;
}

// Window sizes as a desktop accepts them: at most the largest a user could
// drag a window to, never negative. (Beyond that the X server behind Wine
// refuses the window and the process dies.)
int ClampWidth(int width) {
    return std::max(0, std::min(width, GetSystemMetrics(SM_CXMAXTRACK)));
}
int ClampHeight(int height) {
    return std::max(0, std::min(height, GetSystemMetrics(SM_CYMAXTRACK)));
}

// Sent by CreateWind only (SendPexaMsg refuses the number), with the
// window it has just built.
LRESULT CreateSceneWindow(const Call &call) {
    cWind *w = reinterpret_cast<cWind *>(call.wParam);
    if (!w) return 0;
    AddKnownWindow(w);
    lib.currentWind.store(w);
    lib.creatingWind = w;
    RECT &r = w->windowRect;
    r.right = r.left + ClampWidth(r.right - r.left);
    r.bottom = r.top + ClampHeight(r.bottom - r.top);
    HWND hwnd = CreateWindowExA(0, "Pexa", w->title, w->style, r.left, r.top, r.right - r.left,
                                r.bottom - r.top, nullptr, nullptr, lib.hLibModule, nullptr);
    lib.creatingWind = nullptr;
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

const Route kWindowMessages[] = {
    {WM_CREATE, Target::None, OnCreate, 0},
    {WM_DESTROY, Target::None, OnDestroy, 0},
    {WM_PAINT, Target::None, OnPaint, 0},
    {WM_MOVE, Target::Receiver, [](const Call &c) -> LRESULT { return c.w->OnMove(); }, 0},
    {WM_SIZE, Target::Receiver,
     [](const Call &c) -> LRESULT { return c.w->OnSize(c.wParam, c.lParam); }, 0},
    {WM_ERASEBKGND, Target::Receiver, [](const Call &c) -> LRESULT { return c.w->Render(), 1; }, 0},
};
PEXA_ROUTES(kWindowMessages);

} // namespace

} // namespace pexa
