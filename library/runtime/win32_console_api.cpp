// The exported functions of pexa.h's "Console and status bar" section. The
// console is placed on the calling thread (win32_console.cpp); the status
// text is a request (win32_status_bar.cpp).
#include "pexa.h"
#include "runtime/win32_input.h"
#include "runtime/win32_library.h"

using namespace pexa;

extern "C" {

PEXA_API void ResetConsole(const char *title, int x, int y, int width, int height, int bufferWidth,
                           int bufferHeight) {
    ResetProgramConsole(title, x, y, width, height, bufferWidth, bufferHeight);
}

PEXA_API int StatusText(const char *text) {
    SendRequest(PEXA_MSG_STATUS_TEXT, reinterpret_cast<WPARAM>(text), 0);
    return 1;
}

} // extern "C"
