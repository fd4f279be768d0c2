// Median-cut palette selection on a 32 x 32 x 32 colour histogram.
#pragma once

#include <cstdint>

#include "dib/dib_layout.h"

namespace pexa::dib {

// Histogram cell of an 8-bit colour: (red / 8) * 1024 + (green / 8) * 32 + blue / 8.
inline uint32_t CellOf(unsigned red, unsigned green, unsigned blue) {
    return (red >> 3) << 10 | (green >> 3) << 5 | blue >> 3;
}

// The palette being filled: entries are appended at `count`, never beyond
// `capacity`. `faults` counts one-cell boxes that should have held pixels but
// did not (the histogram disagreed with the pixel count).
struct MedianCutPalette {
    Quad *table = nullptr;
    uint32_t capacity = 0;
    uint32_t count = 0;
    uint32_t faults = 0;
};

// Splits the box [r0, r1] x [g0, g1] x [b0, b1] of cells (coordinates 0 to
// 31), which holds `pixels` pixels, into at most `colors` boxes (a power of
// 2) at the median of its longest side, and appends one colour per box: the
// cell's own colour for a one-cell box, else the pixel-weighted average.
// Recurses on the lower half and loops on the upper one.
void MedianCut(const uint32_t *histogram, MedianCutPalette &palette, int r0, int r1, int g0, int g1,
               int b0, int b1, uint32_t colors, uint64_t pixels);

} // namespace pexa::dib
