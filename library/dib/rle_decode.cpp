// RLE8 and RLE4 decoding. Both read (count, value) pairs: a count above 0 is
// an encoded run; 0 0 ends a line, 0 1 ends the bitmap, 0 2 dx dy moves the
// position, 0 n (n >= 3) starts n literal pixels padded to 16 bits.
//
// Bounds: the position may stand at the end of a row or one row past the
// last (where a final end-of-line leaves it), but every pixel written must
// lie inside a row's storage, and every byte read inside the source block.
// Pixels that fall into a row's padding (encoders round runs up to whole
// bytes or words) are dropped.
#include "dib/rle_decode.h"

#include <cstring>

namespace pexa::dib {

namespace {

constexpr Failure kLeaves = Failure::kRleLeaves;
constexpr Failure kNoEnd = Failure::kRleNoEnd;

// Where decoded pixels go: rows of rowBytes, `width` visible pixels each,
// `capacity` pixels of storage each (padding included).
struct Canvas {
    uint8_t *bits;
    uint64_t rowBytes;
    uint32_t width;
    uint32_t height;
    uint64_t capacity;
    uint64_t x = 0, y = 0;

    bool CanWrite(uint64_t count) const { return y < height && x + count <= capacity; }
    bool CanStand() const { return y <= height && x <= capacity; }
    uint8_t *Row() const { return bits + rowBytes * y; }
    // Pixels of [x, x + count) that are visible.
    uint64_t Visible(uint64_t count) const {
        return x >= width ? 0 : (x + count <= width ? count : width - x);
    }
};

inline void PutNibble(uint8_t *row, uint64_t column, unsigned value) {
    uint8_t &byte = row[column / 2];
    // An even column sets the whole byte; an odd one fills the low nibble.
    byte = column % 2 == 0 ? uint8_t(value << 4) : uint8_t((byte & 0xF0) | value);
}

template <bool kFourBit> Failure Decode(const uint8_t *p, const uint8_t *end, Canvas &canvas) {
    for (;;) {
        if (end - p < 2) return kNoEnd;
        const unsigned count = p[0], value = p[1];
        p += 2;
        if (count > 0) { // encoded run
            if (!canvas.CanWrite(count)) return kLeaves;
            const uint64_t visible = canvas.Visible(count);
            uint8_t *row = canvas.Row();
            if (kFourBit) {
                for (uint64_t i = 0; i < visible; ++i)
                    PutNibble(row, canvas.x + i, i % 2 == 0 ? value >> 4 : value & 0x0F);
            } else {
                std::memset(row + canvas.x, int(value), size_t(visible));
            }
            canvas.x += count;
        } else if (value == 0) { // end of line
            canvas.x = 0;
            ++canvas.y;
            if (!canvas.CanStand()) return kLeaves;
        } else if (value == 1) { // end of bitmap
            return Failure::kNone;
        } else if (value == 2) { // delta
            if (end - p < 2) return kNoEnd;
            canvas.x += p[0];
            canvas.y += p[1];
            p += 2;
            if (!canvas.CanStand()) return kLeaves;
        } else { // absolute run of `value` pixels
            const size_t bytes = kFourBit ? (value + 3) / 4 * 2 : value + (value & 1);
            if (size_t(end - p) < bytes) return kNoEnd;
            if (!canvas.CanWrite(value)) return kLeaves;
            const uint64_t visible = canvas.Visible(value);
            uint8_t *row = canvas.Row();
            if (kFourBit) {
                for (uint64_t i = 0; i < visible; ++i)
                    PutNibble(row, canvas.x + i, i % 2 == 0 ? p[i / 2] >> 4 : p[i / 2] & 0x0F);
            } else {
                std::memcpy(row + canvas.x, p, size_t(visible));
            }
            canvas.x += value;
            p += bytes;
        }
    }
}

} // namespace

Failure RleToDib(Block source, ResultSink &sink) {
    const SourceDib src(source);
    const Failure header = HeaderFailure(src);
    if (header != Failure::kNone) return header;
    // Run-length data exists for 8 bits (RLE8) and 4 bits (RLE4) only, and
    // the decoder follows the compression: an 8-bit DIB marked RLE4 (or the
    // reverse) is refused, never decoded the other way.
    const uint16_t bits = src.header.bitCount;
    if (bits != 8 && bits != 4) return Failure::kNotRle;
    switch (src.header.compression) {
    case kCompressionRle8:
        if (bits != 8) return Failure::kCompressionDepth;
        break;
    case kCompressionRle4:
        if (bits != 4) return Failure::kCompressionDepth;
        break;
    case kCompressionRgb:
    case kCompressionBitfields:
        return Failure::kNotRle;
    default:
        return Failure::kCompression;
    }
    if (src.header.width < 0 || !src.PaletteInside()) return Failure::kMismatch;

    // Room for a full colour table; a source table longer than that is cut.
    const uint32_t room = 1u << bits;
    const uint32_t colors = src.colors < room ? src.colors : room;
    ResultLayout layout;
    if (!LayoutResult(src.width, src.height, bits, room, layout)) return Failure::kNoMemory;
    layout.header.clrUsed = colors;
    layout.header.clrImportant = 0;
    uint8_t *out = AllocateResult(layout, sink);
    if (!out) return Failure::kNoMemory;
    std::memcpy(out + 40, src.palette(), 4 * size_t(colors));

    Canvas canvas{out + 40 + 4 * size_t(colors), layout.rowBytes, src.width, src.height,
                  layout.rowBytes * 8 / bits};
    const uint8_t *data = source.data + src.bitsOffset;
    const uint8_t *end = source.data + source.size;
    return bits == 8 ? Decode<false>(data, end, canvas) : Decode<true>(data, end, canvas);
}

} // namespace pexa::dib
