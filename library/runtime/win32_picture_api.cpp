// The exported functions of pexa.h's "Pictures of a scene window" section.
// The capture runs on the library thread (win32_capture.cpp).
#include "pexa.h"
#include "runtime/win32_library.h"

using namespace pexa;

extern "C" {

PEXA_API HGLOBAL DIBfromWind(void) {
    return reinterpret_cast<HGLOBAL>(SendRequest(PEXA_MSG_DIB_FROM_WIND));
}

} // extern "C"
