// Keyboard and mouse messages of scene windows: each handler feeds the event
// queue and the waiting program, then the navigation, context menu and
// picking that the same input drives.
#include "runtime/win32_input.h"

#include "runtime/win32_events.h"
#include "runtime/win32_menu.h"
#include "runtime/win32_navigation.h"
#include "runtime/win32_routes.h"
#include "runtime/win32_wind.h"

namespace pexa {

namespace {

int X(LPARAM position) {
    return short(LOWORD(position));
}
int Y(LPARAM position) {
    return short(HIWORD(position));
}

LRESULT OnKeyDown(const Call &c) {
    KeyDownEvent(c.w, c.wParam, c.lParam);
    NavigateKey(c.w, int(c.wParam));
    return 0;
}

LRESULT OnKeyUp(const Call &c) {
    KeyUpEvent(c.wParam);
    return 0;
}

LRESULT OnChar(const Call &c) {
    CharEvent(c.w, c.wParam, c.lParam);
    return 0;
}

LRESULT OnCommand(const Call &c) {
    CommandEvent(c.w, c.wParam, c.lParam);
    RunMenuCommand(c.w, LOWORD(c.wParam));
    return 0;
}

LRESULT OnMouseMove(const Call &c) {
    c.w->SetModeCursor();
    MouseMoveEvent(c.w, c.lParam);
    NavigateMove(c.w, X(c.lParam), Y(c.lParam));
    return 0;
}

LRESULT OnLeftButtonDown(const Call &c) {
    ButtonDownEvent(c.w, 1, c.wParam, c.lParam);
    NavigateLeftDown(c.w, X(c.lParam), Y(c.lParam));
    return 0;
}

LRESULT OnLeftButtonUp(const Call &c) {
    LeftButtonUpEvent(c.w, c.wParam, c.lParam);
    NavigateLeftUp(c.w);
    return 0;
}

LRESULT OnRightButtonDown(const Call &c) {
    ButtonDownEvent(c.w, 3, c.wParam, c.lParam);
    ShowContextMenu(c.w, X(c.lParam), Y(c.lParam));
    return 0;
}

LRESULT OnMiddleButtonDown(const Call &c) {
    ButtonDownEvent(c.w, 2, c.wParam, c.lParam);
    NavigateReset(c.w);
    return 0;
}

const Route kInputMessages[] = {
    {WM_KEYDOWN, Target::Receiver, OnKeyDown, 0},
    {WM_KEYUP, Target::Receiver, OnKeyUp, 0},
    {WM_CHAR, Target::Receiver, OnChar, 0},
    {WM_COMMAND, Target::Receiver, OnCommand, 0},
    {WM_MOUSEMOVE, Target::Receiver, OnMouseMove, 0},
    {WM_LBUTTONDOWN, Target::Receiver, OnLeftButtonDown, 0},
    {WM_LBUTTONUP, Target::Receiver, OnLeftButtonUp, 0},
    {WM_RBUTTONDOWN, Target::Receiver, OnRightButtonDown, 0},
    {WM_MBUTTONDOWN, Target::Receiver, OnMiddleButtonDown, 0},
    {WM_MOUSEWHEEL, Target::Receiver, [](const Call &) -> LRESULT { return 0; }, 0},
};
PEXA_ROUTES(kInputMessages);

} // namespace

} // namespace pexa
