// Keyboard and mouse handling of scene windows: each handler feeds the event
// queue and the waiting program, then the navigation, context menu and
// picking that the same input drives.
#pragma once

#include <windows.h>

namespace pexa {

class cWind;

void OnKeyDown(cWind *w, WPARAM vk, LPARAM keyData);
void OnCommand(cWind *w, WPARAM wParam, LPARAM lParam);
void OnMouseMove(cWind *w, WPARAM keys, LPARAM position);
void OnLeftButtonDown(cWind *w, WPARAM keys, LPARAM position);
void OnLeftButtonUp(cWind *w, WPARAM keys, LPARAM position);
void OnRightButtonDown(cWind *w, WPARAM keys, LPARAM position);
void OnMiddleButtonDown(cWind *w, WPARAM keys, LPARAM position);

// Creates the window's status bar child (windows made with a status bar).
void CreateStatusBar(cWind *w);

} // namespace pexa
