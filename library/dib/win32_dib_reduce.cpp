// Exported colour reduction and grey conversion.
#include "pexa.h"

#include "dib/color_reduce.h"
#include "dib/win32_dib_convert.h"

namespace {

// Reports a median cut that met a box without pixels; the reduction goes on
// without that entry.
void ReportFaults(const pexa::dib::ReduceReport &report) {
    if (report.medianCutFaults) pexa::ErrorBox("MedianCut: Program error: lPixels != 0");
}

} // namespace

extern "C" {

PEXA_API HGLOBAL ReduceColors(HGLOBAL dib, UINT bpp, UINT flags) {
    pexa::dib::ReduceReport report;
    HGLOBAL out =
        pexa::RunOnDib(dib, "ReduceColors: No DIB passed!",
                       [&](pexa::dib::Block block, pexa::dib::ResultSink &sink) {
                           return pexa::dib::ReduceColors(block, bpp, flags, sink, &report);
                       });
    ReportFaults(report);
    return out;
}

PEXA_API HGLOBAL GrayDIB(HGLOBAL dib) {
    return pexa::RunOnDib(dib, "GrayDIB: No DIB passed!", pexa::dib::GrayDib);
}

PEXA_API HGLOBAL DIB24To8(HGLOBAL dib, int grey) {
    pexa::dib::ReduceReport report;
    HGLOBAL out = pexa::RunOnDib(dib, "DIB24to8: No DIB passed!",
                                 [&](pexa::dib::Block block, pexa::dib::ResultSink &sink) {
                                     return pexa::dib::Dib24To8(block, grey, sink, &report);
                                 });
    ReportFaults(report);
    return out;
}

} // extern "C"
