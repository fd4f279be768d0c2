// The exported functions of pexa.h's "Requests and events" section:
// SendPexaMsg, WaitForPexa and the event queue queries. The producers that
// release a wait are in win32_events.cpp.
#include "pexa.h"
#include "runtime/win32_events.h"
#include "runtime/win32_library.h"

using namespace pexa;

extern "C" {

PEXA_API LRESULT SendPexaMsg(UINT message, WPARAM wParam, LPARAM lParam) {
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
