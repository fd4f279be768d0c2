// Cropping and halving. Both keep the source's depth, colour table and masks
// and address pixels in stored row order. Sub-byte depths are assembled from
// whole source bytes; a byte past the end of a source row reads as 0.
#include "dib/crop.h"

#include <cstring>

namespace pexa::dib {

namespace {

// The checks both operations share: a 40-byte header, an uncompressed or
// bit-field DIB, a depth whose pixels can be addressed, every row inside the
// block. Whatever is refused here would otherwise be copied into a result
// that no other function could read.
Failure SourceFailure(const SourceDib &src) {
    Failure failure = HeaderFailure(src);
    if (failure != Failure::kNone) return failure;
    if (src.header.compression == kCompressionRle8 || src.header.compression == kCompressionRle4)
        return Failure::kRle;
    if (!IsPixelDepth(src.header.bitCount)) return Failure::kDepth;
    failure = CompressionFailure(src.header);
    if (failure != Failure::kNone) return failure;
    return src.PixelsInside() ? Failure::kNone : Failure::kMismatch;
}

// Result with the source's depth, compression (0 or bit fields), colour
// table and masks; the caller fills in what differs.
uint8_t *AllocateLike(const SourceDib &src, ResultLayout &layout, ResultSink &sink) {
    layout.masks = src.header.compression == kCompressionBitfields;
    layout.header.compression = src.header.compression;
    layout.header.clrUsed = src.colors;
    uint8_t *out = AllocateResult(layout, sink);
    // Colour table and masks lie alike in both blocks.
    if (out) std::memcpy(out + 40, src.block + 40, size_t(src.bitsOffset - 40));
    return out;
}

// Source byte i of a row, 0 past the row's end.
inline uint8_t ByteAt(const uint8_t *row, uint64_t rowBytes, uint64_t i) {
    return i < rowBytes ? row[i] : 0;
}

} // namespace

Failure CropDib(Block source, uint32_t x, uint32_t y, uint32_t width, uint32_t height,
                ResultSink &sink) {
    const SourceDib src(source);
    const Failure failure = SourceFailure(src);
    if (failure != Failure::kNone) return failure;
    // The rectangle must lie inside the source: nothing outside is ever read.
    if (uint64_t(x) + width > src.width || uint64_t(y) + height > src.height)
        return Failure::kOutside;

    const uint16_t bits = src.header.bitCount;
    ResultLayout layout;
    if (!LayoutResult(width, height, bits, src.colors, layout)) return Failure::kNoMemory;
    layout.header.clrImportant = 0;
    uint8_t *out = AllocateLike(src, layout, sink);
    if (!out) return Failure::kNoMemory;

    uint8_t *dst = out + layout.BitsOffset();
    const uint32_t rows = width == 0 ? 0 : height; // empty rows need no visit
    for (uint32_t j = 0; j < rows; ++j, dst += layout.rowBytes) {
        const uint8_t *row = src.Row(y + j);
        if (bits >= 8) {
            const size_t bytes = bits / 8;
            std::memcpy(dst, row + size_t(x) * bytes, size_t(width) * bytes);
        } else if (bits == 4) {
            const uint64_t first = x / 2, count = (uint64_t(width) + 1) / 2;
            if (x % 2 == 0) {
                std::memcpy(dst, row + first, size_t(count));
            } else { // odd start: every byte straddles two source bytes
                for (uint64_t k = 0; k < count; ++k)
                    dst[k] = uint8_t(row[first + k] << 4 |
                                     ByteAt(row, src.rowBytes, first + k + 1) >> 4);
            }
        } else { // 1 bit: source bits shifted left by x mod 8 across the byte boundary
            const uint64_t first = x / 8, count = (uint64_t(width) + 7) / 8;
            const unsigned s = x % 8;
            for (uint64_t k = 0; k < count; ++k) {
                const unsigned pair =
                    unsigned(row[first + k]) << 8 | ByteAt(row, src.rowBytes, first + k + 1);
                dst[k] = uint8_t(pair >> (8 - s));
            }
        }
    }
    return Failure::kNone;
}

Failure SmallSizeDib(Block source, ResultSink &sink) {
    const SourceDib src(source);
    const Failure failure = SourceFailure(src);
    if (failure != Failure::kNone) return failure;

    const uint16_t bits = src.header.bitCount;
    const uint32_t width = src.width / 2, height = src.height / 2;
    ResultLayout layout;
    if (!LayoutResult(width, height, bits, src.colors, layout)) return Failure::kNoMemory;
    layout.header.clrImportant = src.colors;
    layout.header.xPelsPerMeter = src.header.xPelsPerMeter;
    layout.header.yPelsPerMeter = src.header.yPelsPerMeter;
    uint8_t *out = AllocateLike(src, layout, sink);
    if (!out) return Failure::kNoMemory;

    uint8_t *dst = out + layout.BitsOffset();
    const uint32_t rows = width == 0 ? 0 : height; // empty rows need no visit
    for (uint32_t j = 0; j < rows; ++j, dst += layout.rowBytes) {
        const uint8_t *row = src.Row(2 * j);
        if (bits >= 8) {
            const size_t bytes = bits / 8;
            for (uint32_t i = 0; i < width; ++i)
                std::memcpy(dst + i * bytes, row + 2 * size_t(i) * bytes, bytes);
        } else if (bits == 4) { // high nibbles of two source bytes
            for (uint64_t k = 0; k < (uint64_t(width) + 1) / 2; ++k)
                dst[k] = uint8_t((row[2 * k] & 0xF0) | ByteAt(row, src.rowBytes, 2 * k + 1) >> 4);
        } else { // 1 bit: the even pixels (bits 7, 5, 3, 1) of two source bytes
            for (uint64_t k = 0; k < (uint64_t(width) + 7) / 8; ++k) {
                const unsigned hi = row[2 * k], lo = ByteAt(row, src.rowBytes, 2 * k + 1);
                unsigned v = 0;
                for (int b = 0; b < 4; ++b) {
                    v |= ((hi >> (7 - 2 * b)) & 1) << (7 - b);
                    v |= ((lo >> (7 - 2 * b)) & 1) << (3 - b);
                }
                dst[k] = uint8_t(v);
            }
        }
    }
    return Failure::kNone;
}

} // namespace pexa::dib
