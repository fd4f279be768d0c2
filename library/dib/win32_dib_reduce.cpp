// Exported colour reduction and grey conversion.
#include "pexa.h"

#include "dib/color_reduce.h"
#include "dib/win32_dib_convert.h"

namespace {

using Function = pexa::dib::Function;
using pexa::dib::Failure;

// Reports a median cut that met a box without pixels; the reduction goes on
// without that entry.
void ReportFaults(const pexa::dib::ReduceReport &report) {
    if (report.medianCutFaults) pexa::FailureBox(Function::kMedianCut, Failure::kEmptyBox);
}

} // namespace

extern "C" {

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

} // extern "C"
