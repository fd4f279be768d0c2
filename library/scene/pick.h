// Choosing the picked object from the hit records of a pick frame.
#pragma once

#include <cstddef>
#include <cstdint>

namespace pexa {

struct PickChoice {
    int hits = 0;      // as OpenGL reported them: -1 when the buffer overflowed
    uint32_t name = 0; // selection name of the nearest hit; 0 without hits
};

// buffer holds size entries written by OpenGL selection mode; hits is what
// glRenderMode(GL_RENDER) returned. The nearest hit (smallest minimum depth,
// compared unsigned as OpenGL stores it; the first on ties) wins, and its
// name is the innermost one of its record. With -1 (overflow) only the first
// record counts. Records are read by their own name counts and never past
// the buffer, so a name stack deeper than the library's one entry, or a
// truncated record, cannot lead the reader astray.
PickChoice ChoosePick(const uint32_t *buffer, size_t size, int hits);

} // namespace pexa
