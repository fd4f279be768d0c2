// Decoding of RLE8 and RLE4 DIBs into uncompressed DIBs of the same depth.
#pragma once

#include "dib/depth_convert.h"

namespace pexa::dib {

// Decodes the run-length data behind the colour table: RLE8 of an 8-bit DIB
// or RLE4 of a 4-bit one, any other pairing is refused. The data is not
// trusted: a run, absolute run or move that would leave the picture, or data
// that ends before its end-of-bitmap code, stops the decoding with an error.
// Pixels the data skips stay index 0.
Failure RleToDib(Block source, ResultSink &sink);

} // namespace pexa::dib
