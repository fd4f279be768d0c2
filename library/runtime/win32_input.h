// Keyboard and mouse handling of scene windows (win32_input.cpp routes the
// messages); the status bar that windows made with one get
// (win32_status_bar.cpp); the program's console (win32_console.cpp).
#pragma once

namespace pexa {

class cWind;

// Creates the window's status bar child (windows made with a status bar).
void CreateStatusBar(cWind *w);
// Client pixels the bar takes at the bottom of the window (0 without one).
int StatusBarHeight(const cWind *w);
// Draws the bar into the window over the frame (see the file).
void PaintStatusBar(cWind *w);

// ResetConsole: title, clearing, size, buffer and place of the program's
// console, recorded in the registry's console settings.
void ResetProgramConsole(const char *title, int x, int y, int width, int height, int bufferWidth,
                         int bufferHeight);

} // namespace pexa
