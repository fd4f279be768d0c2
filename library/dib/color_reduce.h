// Colour reduction of 24-bit DIBs to 8-bit palette DIBs (popularity or median
// cut, with or without error diffusion), grey conversion, and the 24 -> 8
// step that the GIF writer uses.
#pragma once

#include <cstdint>

#include "dib/depth_convert.h"

namespace pexa::dib {

// Flags of ReduceColors.
constexpr unsigned kReduceDiffuse = 1;   // error diffusion
constexpr unsigned kReduceMedianCut = 2; // median cut, else popularity
// The quality quantiser of quantize.h: its own palette (the median-cut bit
// makes no difference then) and, with kReduceDiffuse, its own diffusion.
constexpr unsigned kReduceQuality = 4;

// When the 5-5-5 cells of the classic modes find their palette entry: as a
// pixel first lands in them, or all of them before the pixels are mapped.
// Both give the same result; the second is kept to check the first against.
enum class CellMapping { kOnFirstUse, kAllCells };

// What a reduction noticed besides its result.
struct ReduceReport {
    uint32_t medianCutFaults = 0; // one-cell boxes without pixels (see MedianCut)
};

// An 8-bit DIB of at most 2^bitsPerPixel colours (bitsPerPixel 0 to 8): the
// chosen colours come first in a 256-entry table, the rest are black. By
// popularity each colour of the picture takes at most one entry, so a
// picture of at most 2^bitsPerPixel colours keeps every colour (rounded to
// its 5-5-5 cell). With kReduceQuality the picture's colours are kept
// exactly when there are few enough of them.
Failure ReduceColors(Block source, unsigned bitsPerPixel, unsigned flags, ResultSink &sink,
                     ReduceReport *report = nullptr,
                     CellMapping mapping = CellMapping::kOnFirstUse);

// Grey copy: DIBs below 16 bits keep depth and indices and get a grey colour
// table (the result block has the source block's size); 16, 24 and 32 bits
// become 8-bit DIBs whose index is the grey level.
Failure GrayDib(Block source, ResultSink &sink);

// The check of the 24 -> 8 step itself: a header, of 24 bits (kDepth).
Failure Dib24To8Failure(Block source);

// The 24 -> 8 step: median cut with error diffusion to 256 colours, or
// grey levels when `grey` is not 0. Failures after its own check are those
// of ReduceColors or GrayDib.
Failure Dib24To8(Block source, int grey, ResultSink &sink, ReduceReport *report = nullptr);

} // namespace pexa::dib
