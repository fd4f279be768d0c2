// Why a pixel operation of the toolkit failed, and the one place that turns
// a reason into the text of the error box: "<Function>: <text>". The
// operations return a Failure; the Win32 shell knows which exported function
// ran and renders the box text from the table of that function's family.
// Portable: no windows.h.
#pragma once

#include <cstdint>
#include <string>

namespace pexa::dib {

enum class Failure : uint8_t {
    kNone,             // success
    kNoDib,            // null handle, or a block too small for a 40-byte header
    kOs2,              // header size not 40
    kDepth,            // a bit depth the function does not take
    kRle,              // RLE8 or RLE4 where the function refuses run-length data
    kCompression,      // a compression value no DIB can have
    kCompressionDepth, // a known compression on a depth that cannot have it
    kMismatch,         // colour table or rows reach past the block
    kNoMemory,         // the result (or a work block) could not be allocated
    kCopyMemory,       // GrayDIB below 16 bits: its copy could not be allocated
    kColorCube,        // _DIB24To4: the colour cube could not be allocated
    kBitsPerPixel,     // ReduceColors: uBPP above 8
    kEmptyBox,         // MedianCut: a one-cell box without pixels
    kOutside,          // CropDIB: rectangle not wholly inside the source
    kNotRle,           // RLEtoDIB: uncompressed or bit-field source
    kRleLeaves,        // RLEtoDIB: a run or move leaves the picture
    kRleNoEnd,         // RLEtoDIB: data ends without end of bitmap
};

// The functions whose failures are rendered here, by family: conversions,
// reduction, geometry. Internal steps that show boxes of their own
// (_DIB24To1, _DIB24To4, MedianCut) are functions too.
enum class Function : uint8_t {
    // Conversions
    kDib1To4,
    kDib4To8,
    kDib8To24,
    kDib16To24,
    kDib32To24,
    kDib1To8,
    kDib1To24,
    kDib4To24,
    kDib24To1,
    kDib8To1,
    kDib4To1,
    kDib24To4,
    kDib8To4,
    kNarrow24To1, // _DIB24To1
    kNarrow24To4, // _DIB24To4
    // Reduction
    kReduceColors,
    kGrayDib,
    kDib24To8,
    kMedianCut,
    // Geometry
    kCropDib,
    kSmallSizeDib,
    kRleToDib,
};

// The box text of `failure` in `function`: "<Function>: <text>". Empty for
// Failure::kNone.
std::string FailureText(Function function, Failure failure);

} // namespace pexa::dib
