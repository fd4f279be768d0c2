// The exported functions of pexa.h's "Requests and events" section:
// SendPexaMsg, WaitForPexa and the event queue queries. The producers that
// release a wait are in win32_events.cpp.
#include "pexa.h"
#include "runtime/win32_events.h"
#include "runtime/win32_library.h"

using namespace pexa;

extern "C" {

// Only requests reach the library thread this way, and of those not
// CREATE_WIND, which only CreateWind sends with the window it has just
// built: a system message (WM_CLOSE would destroy the dispatch window,
// WM_CREATE would set a window up again) or a private number gets 0.
PEXA_API LRESULT SendPexaMsg(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message < PEXA_MSG_FIRST || message > PEXA_MSG_LAST || message == PEXA_MSG_CREATE_WIND)
        return 0;
    return SendRequest(message, wParam, lParam);
}

PEXA_API EventInfo WaitForPexa(int kind, int key) {
    return WaitForEvent(kind, key);
}

PEXA_API unsigned int *GetEvent(int kind) {
    return reinterpret_cast<unsigned int *>(SendRequest(PEXA_MSG_GET_EVENT, WPARAM(kind), 0));
}

PEXA_API int EventExists(int kind) {
    return int(SendRequest(PEXA_MSG_EVENT_EXISTS, WPARAM(kind), 0));
}

} // extern "C"
