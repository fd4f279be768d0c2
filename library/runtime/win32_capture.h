// Pictures of a scene window (win32_capture.cpp).
#pragma once

#include <windows.h>

namespace pexa {

// Copies the client area of hwnd (drawn through its device context hdc)
// into a new 24-bit DIB. Runs on the thread that owns the window. Returns
// null when the window has no area or a GDI step fails (a failing
// conversion shows DDBtoDIB's box).
HGLOBAL CaptureWindowDIB(HWND hwnd, HDC hdc);

} // namespace pexa
