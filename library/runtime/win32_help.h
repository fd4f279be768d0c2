// Help pages of the documentation folder (win32_help.cpp).
#pragma once

namespace pexa {

// Opens the page file (an HTML file name) with the shell, asking the user
// for the documentation folder when the page is not found. Failures are
// printed on the console.
void OpenHelpPage(const char *file);

} // namespace pexa
