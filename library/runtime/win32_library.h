// Library-wide state shared by the runtime's files, and the request path:
// every exported function that works on a window reaches the library thread
// through SendRequest.
#pragma once

#include <windows.h>

namespace pexa {

class cWind;

// Sends a request to the dispatch window and returns the handler's result.
// Before the library thread exists there is no dispatch window; the request
// then returns 0.
LRESULT SendRequest(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

} // namespace pexa
