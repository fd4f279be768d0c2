// Exported image geometry and RLE decoding: cropping, halving, RLEtoDIB.
#include "pexa.h"

#include "dib/crop.h"
#include "dib/rle_decode.h"
#include "dib/win32_dib_convert.h"

extern "C" {

PEXA_API HGLOBAL CropDIB(HGLOBAL dib, DWORD x, DWORD y, DWORD width, DWORD height) {
    return pexa::RunOnDib(dib, "CropDIB: No DIB passed!",
                          [&](pexa::dib::Block block, pexa::dib::ResultSink &sink) {
                              return pexa::dib::CropDib(block, x, y, width, height, sink);
                          });
}

PEXA_API HGLOBAL SmallSizeDIB(HGLOBAL dib) {
    return pexa::RunOnDib(dib, "SmallSizeDIB: No DIB passed!", pexa::dib::SmallSizeDib);
}

PEXA_API HGLOBAL RLEtoDIB(HGLOBAL dib) {
    return pexa::RunOnDib(dib, "RLEtoDIB: No DIB passed!", pexa::dib::RleToDib);
}

} // extern "C"
