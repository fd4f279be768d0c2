// The object lists of a window (win32_lists.cpp).
#pragma once

#include <windows.h>

#include "pexa.h"

namespace pexa {

// Private to the library (outside the request range): GroupBegin's
// insertion and the switch to the new group in one step on the library
// thread, so that no other thread can free the group in between.
constexpr UINT kBeginGroup = WM_APP + 0x51;

// GroupEnd: the current window's innermost open group closes; the list now
// receiving objects, or null without a live current window.
cObj *CloseGroup();

} // namespace pexa
