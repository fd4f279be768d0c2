// Input handlers of scene windows. Navigation, the context menu and the
// status bar are attached here as they are built; the event side is complete.
#include "runtime/win32_input.h"

#include "runtime/win32_events.h"
#include "runtime/win32_wind.h"

namespace pexa {

void OnKeyDown(cWind *w, WPARAM vk, LPARAM keyData) {
    KeyDownEvent(w, vk, keyData);
}

void OnCommand(cWind *w, WPARAM wParam, LPARAM lParam) {
    CommandEvent(w, wParam, lParam);
}

void OnMouseMove(cWind *w, WPARAM, LPARAM position) {
    w->SetModeCursor();
    MouseMoveEvent(w, position);
}

void OnLeftButtonDown(cWind *w, WPARAM keys, LPARAM position) {
    ButtonDownEvent(w, 1, keys, position);
    if (w->mouseNav) dragging = 1;
}

void OnLeftButtonUp(cWind *w, WPARAM keys, LPARAM position) {
    LeftButtonUpEvent(w, keys, position);
    if (w->mouseNav) dragging = 0;
}

void OnRightButtonDown(cWind *w, WPARAM keys, LPARAM position) {
    ButtonDownEvent(w, 3, keys, position);
}

void OnMiddleButtonDown(cWind *w, WPARAM keys, LPARAM position) {
    ButtonDownEvent(w, 2, keys, position);
}

void CreateStatusBar(cWind *) {}

} // namespace pexa
