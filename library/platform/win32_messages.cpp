// Console lines, error boxes and the wait cursor: the one path every report
// of the library takes to the user.
#include "platform/win32_messages.h"

#include <cstdio>

namespace pexa {

void ConsoleMessage(const char *text) {
    std::fputs(text, stdout);
    std::fflush(stdout);
}

void ErrorBox(const char *text) {
    MessageBoxA(nullptr, text, "Error Message", MB_ICONERROR | MB_SETFOREGROUND);
}

void ShowWaitCursor() {
    SetCursor(LoadCursorA(nullptr, IDC_WAIT));
}

void ShowArrowCursor() {
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
}

} // namespace pexa
