// The object lists of a window (win32_lists.cpp).
#pragma once

#include <windows.h>

#include "pexa.h"

namespace pexa {

// Private to the library (outside the request range): GroupBegin's
// insertion and the switch to the new group in one step on the library
// thread, so that no other thread can free the group in between; and
// GroupEnd, which closes the calling thread's innermost open group and
// answers with the list now receiving its objects (0 without a live current
// window). Both act on the groups of the thread that sends them.
constexpr UINT kBeginGroup = WM_APP + 0x51;
constexpr UINT kEndGroup = WM_APP + 0x53;

} // namespace pexa
