// Image geometry of uncompressed DIBs: cutting out a rectangle and halving.
#pragma once

#include <cstdint>

#include "dib/depth_convert.h"

namespace pexa::dib {

// Copies the source pixels x .. x + width - 1 of the stored rows
// y .. y + height - 1 into a new DIB of the same depth (1 to 32 bits) with
// the source's colour table and masks. A rectangle that does not lie wholly
// inside the source is refused, and so is a source of a depth or compression
// whose pixels cannot be addressed.
Failure CropDib(Block source, uint32_t x, uint32_t y, uint32_t width, uint32_t height,
                ResultSink &sink);

// Half width and height (rounded down): result pixel (x, y) is source pixel
// (2x, 2y) in stored row order. Same depth, colour table and masks.
Failure SmallSizeDib(Block source, ResultSink &sink);

} // namespace pexa::dib
