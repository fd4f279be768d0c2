// Fuzzes the toolkit's pixel operations on arbitrary DIB blocks: RLE
// decoding, cropping with arbitrary rectangles, and every depth conversion,
// reduction and halving. Input: one byte choosing the operation (its top bit
// forces biSize 40 so that most inputs get past the header check), sixteen
// bytes of crop rectangle, then the DIB block.
#include "dib/color_reduce.h"
#include "dib/crop.h"
#include "dib/depth_convert.h"
#include "dib/rle_decode.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// Refuses results above 16 MB as "no memory", so that headers asking for
// huge pictures test the refusal path instead of exhausting the fuzzer.
struct CappedSink final : pexa::dib::ResultSink {
    std::vector<uint8_t> bytes;
    uint8_t *Allocate(size_t size) override {
        if (size > (16u << 20) || !bytes.empty()) return nullptr;
        bytes.assign(size, 0);
        return bytes.data();
    }
};

uint32_t Word(const uint8_t *p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    namespace dib = pexa::dib;
    if (size < 17) return 0;
    const uint8_t op = data[0];
    const uint32_t x = Word(data + 1), y = Word(data + 5), w = Word(data + 9), h = Word(data + 13);
    // An exact-size copy, so that any read past the block is caught.
    std::vector<uint8_t> block(data + 17, data + size);
    if ((op & 0x80) && block.size() >= 4) {
        const uint32_t forty = 40;
        std::memcpy(block.data(), &forty, 4);
    }
    const dib::Block source{block.data(), block.size()};
    // Pictures above a few megapixels only slow the fuzzer down.
    if (block.size() >= 40) {
        const dib::InfoHeader header = dib::ReadHeader(block.data());
        const uint64_t pixels = uint64_t(header.width < 0 ? -int64_t(header.width) : header.width) *
                                dib::AbsHeight(header.height);
        if (pixels > (1u << 16)) return 0;
    }
    CappedSink sink;
    dib::Failure error = dib::Failure::kNone;
    switch (op & 0x0F) {
    case 0:
        error = dib::RleToDib(source, sink);
        break;
    case 1:
        error = dib::CropDib(source, x, y, w, h, sink);
        break;
    case 2:
        error = dib::CropDib(source, x & 0xFF, y & 0xFF, w & 0xFF, h & 0xFF, sink);
        break;
    case 3:
        error = dib::Dib1To4(source, sink);
        break;
    case 4:
        error = dib::Dib4To8(source, sink);
        break;
    case 5:
        error = dib::Dib8To24(source, sink);
        break;
    case 6:
        error = dib::Dib16To24(source, sink);
        break;
    case 7:
        error = dib::Dib32To24(source, sink);
        break;
    case 8:
        error = dib::Dib24To1(source, sink);
        break;
    case 9:
        error = dib::Dib24To4(source, sink);
        break;
    case 10: // small palettes keep the per-cell search quick; 9 is refused
        error = dib::ReduceColors(source, x % 10 == 9 ? 9 : x % 5, y, sink);
        break;
    case 11:
        error = dib::GrayDib(source, sink);
        break;
    case 12:
        error = dib::SmallSizeDib(source, sink);
        break;
    case 13:
        error = dib::Dib24To8(source, 1, sink);
        break;
    default:
        return 0;
    }
    // A success always comes with a result whose rows fit its block, and a
    // failure always has a box text.
    if (error != dib::Failure::kNone) {
        if (dib::FailureText(dib::Function::kCropDib, error).empty()) __builtin_trap();
    } else {
        if (sink.bytes.size() < 40) __builtin_trap();
        const dib::InfoHeader out = dib::ReadHeader(sink.bytes.data());
        const uint64_t rows = dib::RowBytes(out.width, out.bitCount) * dib::AbsHeight(out.height);
        if (out.width < 0 || dib::BitsOffset(out) + rows > sink.bytes.size()) __builtin_trap();
    }
    return 0;
}
