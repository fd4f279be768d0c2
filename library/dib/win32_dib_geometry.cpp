// Exported image geometry and RLE decoding: cropping, halving, RLEtoDIB.
#include "pexa.h"

#include "dib/crop.h"
#include "dib/rle_decode.h"
#include "dib/win32_dib_convert.h"

extern "C" {

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
