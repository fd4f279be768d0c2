// The bitmap toolkit's Win32 pieces that other parts of the library call
// directly: the global-memory helpers of the DIB handle.
#pragma once

#include <windows.h>

#include <cstddef>

namespace pexa {

// A new zero-filled, movable global block of size bytes, or null.
inline HGLOBAL AllocDIB(size_t size) {
    return GlobalAlloc(GHND, size);
}

// Asks the system to bring in the pages of a large block that is about to be
// filled, a few megabytes per call, instead of taking one page fault for each
// 4 KiB the filling touches. Where faults are expensive (virtual machines)
// a new block then fills in two thirds of the time. Where the system will not
// lock that much (Windows' working-set limits) the first call fails and the
// pages come in as they are written, as they would have anyway.
void PrefaultBlock(void *bytes, size_t size);

} // namespace pexa
