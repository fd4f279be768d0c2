// The context menu, its commands and the named viewpoints of a scene window
// (win32_menu.cpp), and where the window's settings come from
// (win32_config.cpp).
#pragma once

namespace pexa {

class cWind;

// The check marks of the four mode groups, from the window's modes.
void UpdateMenuChecks(cWind *w);
// The right button at client (x, y): the "3D" or "2D" pop-up.
void ShowContextMenu(cWind *w, int x, int y);
// A menu command (the low word of WM_COMMAND's wParam).
void RunMenuCommand(cWind *w, int id);
// The window's first viewpoint, from its configuration.
void AddInitialViewpoint(cWind *w);
// "pexa16.ini" into the window's settings (the defaults when there is none,
// and then the default file is written).
void LoadConfiguration(cWind *w);

} // namespace pexa
