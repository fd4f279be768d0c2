// The file name a DLL loads itself by. Compiled once per DLL, whose build
// defines PEXA_DLL_NAME ("pexav16.dll" or "pexab16.dll"); every other source
// is compiled once for both.
#include "runtime/win32_library.h"

namespace pexa {

extern const char kModuleFileName[] = PEXA_DLL_NAME;

} // namespace pexa
