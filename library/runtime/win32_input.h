// Keyboard and mouse handling of scene windows (win32_input.cpp routes the
// messages); the status bar that windows made with one get.
#pragma once

namespace pexa {

class cWind;

// Creates the window's status bar child (windows made with a status bar).
void CreateStatusBar(cWind *w);

} // namespace pexa
