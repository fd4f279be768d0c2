// The exported functions of pexa.h's "Bitmap toolkit: bit-depth
// conversions, colour reduction, cropping, RLE" section, each running its
// portable step on the DIB's block (win32_dib_convert.h). Five widening steps
// and the two narrowing steps do pixel work; the others chain them and free
// each intermediate DIB as soon as the next step has returned.
#include "pexa.h"

#include "dib/color_reduce.h"
#include "dib/crop.h"
#include "dib/depth_convert.h"
#include "dib/rle_decode.h"
#include "dib/win32_dib_convert.h"

namespace {

using pexa::RunOnDib;
using pexa::ThenFree;
using Function = pexa::dib::Function;
using pexa::dib::Failure;

// The narrowing steps behind DIB24To1, DIB8To1, DIB4To1 and DIB24To4,
// DIB8To4. They only read their argument, so no copy of it is needed.
HGLOBAL Narrow24To1(HGLOBAL dib) {
    return RunOnDib(dib, Function::kNarrow24To1, pexa::dib::Dib24To1);
}
HGLOBAL Narrow24To4(HGLOBAL dib) {
    return RunOnDib(dib, Function::kNarrow24To4, pexa::dib::Dib24To4);
}

// A chain tests only for a null argument itself; each step checks its input.
bool Passed(HGLOBAL dib, Function function) {
    if (!dib) pexa::FailureBox(function, pexa::dib::Failure::kNoDib);
    return dib != nullptr;
}

// Reports a median cut that met a box without pixels; the reduction goes on
// without that entry.
void ReportFaults(const pexa::dib::ReduceReport &report) {
    if (report.medianCutFaults) pexa::FailureBox(Function::kMedianCut, Failure::kEmptyBox);
}

} // namespace

extern "C" {

PEXA_API HGLOBAL DIB1To4(HGLOBAL dib) {
    return RunOnDib(dib, Function::kDib1To4, pexa::dib::Dib1To4);
}

PEXA_API HGLOBAL DIB4To8(HGLOBAL dib) {
    return RunOnDib(dib, Function::kDib4To8, pexa::dib::Dib4To8);
}

PEXA_API HGLOBAL DIB8To24(HGLOBAL dib) {
    return RunOnDib(dib, Function::kDib8To24, pexa::dib::Dib8To24);
}

PEXA_API HGLOBAL DIB16To24(HGLOBAL dib) {
    return RunOnDib(dib, Function::kDib16To24, pexa::dib::Dib16To24);
}

PEXA_API HGLOBAL DIB32To24(HGLOBAL dib) {
    return RunOnDib(dib, Function::kDib32To24, pexa::dib::Dib32To24);
}

PEXA_API HGLOBAL DIB1To8(HGLOBAL dib) {
    if (!Passed(dib, Function::kDib1To8)) return nullptr;
    return ThenFree(DIB1To4(dib), DIB4To8);
}

PEXA_API HGLOBAL DIB1To24(HGLOBAL dib) {
    if (!Passed(dib, Function::kDib1To24)) return nullptr;
    return ThenFree(ThenFree(DIB1To4(dib), DIB4To8), DIB8To24);
}

PEXA_API HGLOBAL DIB4To24(HGLOBAL dib) {
    if (!Passed(dib, Function::kDib4To24)) return nullptr;
    return ThenFree(DIB4To8(dib), DIB8To24);
}

PEXA_API HGLOBAL DIB24To1(HGLOBAL dib) {
    if (!Passed(dib, Function::kDib24To1)) return nullptr;
    return Narrow24To1(dib);
}

PEXA_API HGLOBAL DIB8To1(HGLOBAL dib) {
    if (!Passed(dib, Function::kDib8To1)) return nullptr;
    return ThenFree(DIB8To24(dib), Narrow24To1);
}

PEXA_API HGLOBAL DIB4To1(HGLOBAL dib) {
    if (!Passed(dib, Function::kDib4To1)) return nullptr;
    return ThenFree(DIB4To24(dib), Narrow24To1);
}

PEXA_API HGLOBAL DIB24To4(HGLOBAL dib) {
    if (!Passed(dib, Function::kDib24To4)) return nullptr;
    return Narrow24To4(dib);
}

PEXA_API HGLOBAL DIB8To4(HGLOBAL dib) {
    if (!Passed(dib, Function::kDib8To4)) return nullptr;
    return ThenFree(DIB8To24(dib), Narrow24To4);
}

// Colour reduction and grey.

PEXA_API HGLOBAL ReduceColors(HGLOBAL dib, UINT bpp, UINT flags) {
    pexa::dib::ReduceReport report;
    HGLOBAL out = pexa::RunOnDib(
        dib, Function::kReduceColors, [&](pexa::dib::Block block, pexa::dib::ResultSink &sink) {
            return pexa::dib::ReduceColors(block, bpp, flags, sink, &report);
        });
    ReportFaults(report);
    return out;
}

PEXA_API HGLOBAL GrayDIB(HGLOBAL dib) {
    return pexa::RunOnDib(dib, Function::kGrayDib, pexa::dib::GrayDib);
}

// Its own checks, then ReduceColors or GrayDIB, each with its own boxes.
PEXA_API HGLOBAL DIB24To8(HGLOBAL dib, int grey) {
    Failure failure = Failure::kNoDib;
    if (pexa::DibLock lock{dib}) failure = pexa::dib::Dib24To8Failure({lock.bytes(), lock.size()});
    if (failure != Failure::kNone) {
        pexa::FailureBox(Function::kDib24To8, failure);
        return nullptr;
    }
    return grey ? GrayDIB(dib) : ReduceColors(dib, 8, 3);
}

// Geometry and RLE.

PEXA_API HGLOBAL CropDIB(HGLOBAL dib, DWORD x, DWORD y, DWORD width, DWORD height) {
    return pexa::RunOnDib(dib, pexa::dib::Function::kCropDib,
                          [&](pexa::dib::Block block, pexa::dib::ResultSink &sink) {
                              return pexa::dib::CropDib(block, x, y, width, height, sink);
                          });
}

PEXA_API HGLOBAL SmallSizeDIB(HGLOBAL dib) {
    return pexa::RunOnDib(dib, pexa::dib::Function::kSmallSizeDib, pexa::dib::SmallSizeDib);
}

PEXA_API HGLOBAL RLEtoDIB(HGLOBAL dib) {
    // The RLE data decides which pixels are written: the new block's pages
    // are left to come in as they are, so a small DIB claiming a huge
    // picture costs no more than its data.
    return pexa::RunOnDib(dib, pexa::dib::Function::kRleToDib, pexa::dib::RleToDib,
                          pexa::Fill::kSparse);
}

} // extern "C"
