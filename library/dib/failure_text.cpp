// The box texts of the conversions, the reduction and the geometry
// functions. Each function's name is written once, each text common to the
// toolkit once; a family table lists only what differs in that family: its
// run-length text, the documented depth texts, and the few documented texts
// that show another name than the function's own.
#include "dib/failure.h"

#include <iterator>

namespace pexa::dib {

namespace {

const char *const kNames[] = {
    "DIB1To4",   "DIB4To8",   "DIB8To24",     "DIB16To24",    "DIB32To24", "DIB1To8",
    "DIB1To24",  "DIB4To24",  "DIB24To1",     "DIB8To1",      "DIB4To1",   "DIB24To4",
    "DIB8To4",   "_DIB24To1", "_DIB24To4",    "ReduceColors", "GrayDIB",
    "DIB24to8", // the exported DIB24To8 names itself so in every box
    "MedianCut", "CropDIB",   "SmallSizeDIB", "RLEtoDIB",
};
static_assert(std::size(kNames) == size_t(Function::kRleToDib) + 1, "one name per function");

// Texts by reason, for every function that has no text of its own.
const char *CommonText(Failure failure) {
    switch (failure) {
    case Failure::kNone:
        return nullptr;
    case Failure::kNoDib:
        return "No DIB passed!";
    case Failure::kOs2:
        return "No support for OS/2-Bitmaps!";
    case Failure::kDepth:
        return "Unsupported bit depth!";
    case Failure::kRle:
        return "No support for RLE-Bitmaps!";
    case Failure::kCompression:
        return "Unknown compression!";
    case Failure::kCompressionDepth:
        return "Compression does not fit the bit depth!";
    case Failure::kMismatch:
        return "DIB data does not match its header!";
    case Failure::kNoMemory:
    case Failure::kCopyMemory:
        return "Not enough memory for DIB!";
    case Failure::kColorCube:
        return "Not enough memory for color cube!";
    case Failure::kBitsPerPixel:
        return "uBPP > 8!";
    case Failure::kEmptyBox:
        return "Program error: lPixels != 0";
    case Failure::kOutside:
        return "Rectangle outside the DIB!";
    case Failure::kNotRle:
        return "Not a RLE-Bitmap!";
    case Failure::kRleLeaves:
        return "RLE data leaves the bitmap!";
    case Failure::kRleNoEnd:
        return "RLE data ends without end of bitmap!";
    }
    return nullptr;
}

// A documented text that differs from the common one. `shownName`, when
// set, is the name the documented box shows instead of the function's.
struct Exception {
    Function function;
    Failure failure;
    const char *text;
    const char *shownName = nullptr;
};

const Exception kConversions[] = {
    {Function::kDib1To4, Failure::kDepth, "This is not a 1-Bit-DIB!"},
    {Function::kDib4To8, Failure::kDepth, "This is not a 4-Bit-DIB!"},
    {Function::kDib8To24, Failure::kDepth, "This is not a 8-Bit-DIB!"},
    {Function::kDib16To24, Failure::kDepth, "This is not 16-Bit-DIB!"},
    {Function::kDib32To24, Failure::kDepth, "This is not a 32-Bit-DIB!"},
    {Function::kNarrow24To1, Failure::kDepth, "This is not a 24-Bit DIB!"},
    {Function::kNarrow24To4, Failure::kDepth, "This is not a 24-Bit DIB!"},
    // The one documented text of _DIB24To4 with a lower-case "to".
    {Function::kNarrow24To4, Failure::kNoMemory, "Not enough memory for DIB!", "_DIB24to4"},
};

const Exception kReduction[] = {
    {Function::kReduceColors, Failure::kDepth, "Bitmap is already reduced!"},
    {Function::kDib24To8, Failure::kDepth, "Not a 24-Bit-DIB!"},
    // GrayDIB reports its two allocations as the steps it stands for.
    {Function::kGrayDib, Failure::kNoMemory, "Not enough memory for DIB!", "DIB24to8"},
    {Function::kGrayDib, Failure::kCopyMemory, "Not enough memory for DIB!", "CopyDIB"},
};

const Exception kGeometry[] = {
    {Function::kSmallSizeDib, Failure::kRle, "It's a RLE-DIB!"},
};

struct Family {
    Function last; // families are consecutive ranges of Function
    const char *rle;
    const Exception *exceptions;
    size_t count;
};

const Family kFamilies[] = {
    {Function::kNarrow24To4, "This is a RLE-DIB!", kConversions, std::size(kConversions)},
    {Function::kMedianCut, "No support for RLE-Bitmaps!", kReduction, std::size(kReduction)},
    {Function::kRleToDib, "No support for RLE-Bitmaps!", kGeometry, std::size(kGeometry)},
};

} // namespace

std::string FailureText(Function function, Failure failure) {
    const char *text = CommonText(failure);
    if (!text) return {};
    const char *name = kNames[size_t(function)];
    const Family *family = kFamilies;
    while (function > family->last)
        ++family;
    if (failure == Failure::kRle) text = family->rle;
    for (size_t i = 0; i < family->count; ++i) {
        const Exception &e = family->exceptions[i];
        if (e.function == function && e.failure == failure) {
            text = e.text;
            if (e.shownName) name = e.shownName;
        }
    }
    return std::string(name) + ": " + text;
}

} // namespace pexa::dib
