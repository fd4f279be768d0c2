// The library's channels to the user: console lines of the scene runtime,
// the error box of the bitmap toolkit and GIF codec, and the wait cursor of
// long bitmap operations. Every report goes through these functions.
#pragma once

#include <windows.h>

namespace pexa {

// Prints a runtime message on standard output, exactly as given, and flushes.
void ConsoleMessage(const char *text);

// The toolkit's error box: no owner, caption "Error Message", error icon,
// brought to the foreground. Returns when the user closed it.
void ErrorBox(const char *text);

// Long bitmap operations show the wait cursor and restore the arrow after.
void ShowWaitCursor();
void ShowArrowCursor();

} // namespace pexa
