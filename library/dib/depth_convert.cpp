// Bit-depth conversions: five widening steps (1->4, 4->8, 8->24, 16->24,
// 32->24) and the two narrowing steps of a 24-bit DIB to black and white and
// to the fixed 16 colours. Each checks its source in a fixed order, sizes the
// result first and writes the pixels straight into the result block.
#include "dib/depth_convert.h"

#include <cstring>
#include <memory>
#include <new>

#include "dib/error_diffusion.h"

namespace pexa::dib {

// ---------------------------------------------------------------------------
// Source view and result layout

SourceDib::SourceDib(Block source) : block(source.data), blockSize(source.size) {
    hasHeader = source.data != nullptr && source.size >= kInfoHeaderSize;
    if (hasHeader) std::memcpy(&header, source.data, kInfoHeaderSize);
    colors = ColorsInPalette(header);
    bitsOffset = BitsOffset(header);
    width = header.width < 0 ? 0 : uint32_t(header.width);
    height = AbsHeight(header.height);
    rowBytes = RowBytes(width, header.bitCount);
}

Failure HeaderFailure(const SourceDib &src) {
    if (!src.hasHeader) return Failure::kNoDib;
    if (src.header.size != kInfoHeaderSize) return Failure::kOs2;
    return Failure::kNone;
}

Failure CompressionFailure(const InfoHeader &header) {
    switch (header.compression) {
    case kCompressionRgb:
        return Failure::kNone;
    case kCompressionRle8:
    case kCompressionRle4:
        return Failure::kRle;
    case kCompressionBitfields:
        return header.bitCount == 16 || header.bitCount == 32 ? Failure::kNone
                                                              : Failure::kCompressionDepth;
    default:
        return Failure::kCompression;
    }
}

bool IsPixelDepth(uint16_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

bool SourceDib::PaletteInside() const {
    return hasHeader && 40 + 4 * uint64_t(colors) <= blockSize;
}

bool SourceDib::PixelsInside() const {
    if (!hasHeader || header.width < 0 || bitsOffset > blockSize) return false;
    // rowBytes < 2^35 and height < 2^32: the product cannot overflow 64 bits.
    return rowBytes * height <= blockSize - bitsOffset;
}

void SourceDib::Masks(uint32_t &red, uint32_t &green, uint32_t &blue) const {
    if (header.compression == kCompressionBitfields && blockSize >= 52) {
        std::memcpy(&red, block + 40, 4);
        std::memcpy(&green, block + 44, 4);
        std::memcpy(&blue, block + 48, 4);
    } else if (header.bitCount == 16) {
        red = 0x7C00, green = 0x03E0, blue = 0x001F;
    } else {
        red = 0x00FF0000, green = 0x0000FF00, blue = 0x000000FF;
    }
}

size_t ResultLayout::BlockSize() const {
    return size_t(BitsOffset() + header.sizeImage);
}

bool LayoutResult(uint32_t width, uint32_t height, uint16_t bitCount, uint32_t paletteEntries,
                  ResultLayout &layout) {
    const uint64_t rowBytes = RowBytes(width, bitCount);
    const uint64_t image = rowBytes * height;
    if (width > 0x7FFFFFFFu || height > 0x7FFFFFFFu || image > 0xFFFFFFFFu) return false;
    if (image + 40 + 4 * uint64_t(paletteEntries) + 12 > SIZE_MAX) return false;
    layout.header = MakeHeader(int32_t(width), int32_t(height), bitCount, paletteEntries);
    layout.header.sizeImage = uint32_t(image);
    layout.paletteEntries = paletteEntries;
    layout.rowBytes = rowBytes;
    return true;
}

uint8_t *AllocateResult(const ResultLayout &layout, ResultSink &sink) {
    uint8_t *out = sink.Allocate(layout.BlockSize());
    if (out) std::memcpy(out, &layout.header, sizeof layout.header);
    return out;
}

uint8_t MaskToByte(uint32_t value, uint32_t mask) {
    if (mask == 0) return 0; // the field is empty; the shift would never end
    return uint8_t(((value & mask) << __builtin_clz(mask)) >> 24);
}

namespace {

// ---------------------------------------------------------------------------
// Widening

// The frame every widening step shares: checks in order, result sized and
// allocated, header and colour table filled, then convertRow(source row,
// result row) for each stored row.
template <class ConvertRow>
Failure Widen(Block block, uint16_t fromBits, uint16_t toBits, uint32_t paletteEntries,
              ResultSink &sink, ConvertRow convertRow) {
    const SourceDib src(block);
    Failure failure = HeaderFailure(src);
    if (failure != Failure::kNone) return failure;
    if (src.header.bitCount != fromBits) return Failure::kDepth;
    failure = CompressionFailure(src.header);
    if (failure != Failure::kNone) return failure;
    if (!src.PixelsInside()) return Failure::kMismatch;

    ResultLayout layout;
    if (!LayoutResult(src.width, src.height, toBits, paletteEntries, layout))
        return Failure::kNoMemory;
    const uint32_t kept = src.colors < paletteEntries ? src.colors : paletteEntries;
    layout.header.clrUsed = paletteEntries;
    layout.header.clrImportant = paletteEntries ? kept : 0;
    layout.header.xPelsPerMeter = src.header.xPelsPerMeter;
    layout.header.yPelsPerMeter = src.header.yPelsPerMeter;
    uint8_t *out = AllocateResult(layout, sink);
    if (!out) return Failure::kNoMemory;
    std::memcpy(out + 40, src.palette(), 4 * size_t(kept));

    uint8_t *dst = out + layout.BitsOffset();
    for (uint32_t y = 0; y < src.PixelRows(); ++y, dst += layout.rowBytes)
        convertRow(src.Row(y), dst);
    return Failure::kNone;
}

} // namespace

Failure Dib1To4(Block source, ResultSink &sink) {
    // Each source byte becomes four result bytes, two pixels each.
    uint32_t spread[256];
    for (uint32_t b = 0; b < 256; ++b) {
        uint8_t bytes[4];
        for (int k = 0; k < 4; ++k)
            bytes[k] = uint8_t(((b >> (7 - 2 * k)) & 1) << 4 | ((b >> (6 - 2 * k)) & 1));
        std::memcpy(&spread[b], bytes, 4);
    }
    const uint32_t width = SourceDib(source).width;
    const size_t bytes = (size_t(width) + 7) / 8; // padding bits of the last byte included
    return Widen(source, 1, 4, 16, sink, [&](const uint8_t *in, uint8_t *out) {
        for (size_t i = 0; i < bytes; ++i)
            std::memcpy(out + 4 * i, &spread[in[i]], 4);
    });
}

Failure Dib4To8(Block source, ResultSink &sink) {
    const uint32_t width = SourceDib(source).width;
    const size_t bytes = (size_t(width) + 1) / 2;
    return Widen(source, 4, 8, 256, sink, [&](const uint8_t *in, uint8_t *out) {
        for (size_t i = 0; i < bytes; ++i) {
            out[2 * i] = in[i] >> 4;
            out[2 * i + 1] = in[i] & 0x0F;
        }
    });
}

Failure Dib8To24(Block source, ResultSink &sink) {
    const SourceDib src(source);
    // Indices beyond a short colour table give black instead of reading the
    // bytes behind the table.
    Quad table[256] = {};
    if (src.PixelsInside())
        std::memcpy(table, src.palette(), 4 * size_t(src.colors < 256 ? src.colors : 256));
    const uint32_t width = src.width;
    return Widen(source, 8, 24, 0, sink, [&](const uint8_t *in, uint8_t *out) {
        for (uint32_t x = 0; x < width; ++x, out += 3) {
            const Quad &c = table[in[x]];
            out[0] = c.blue;
            out[1] = c.green;
            out[2] = c.red;
        }
    });
}

namespace {

// One mask as a shift and the top-aligned mask, so that MaskToByte costs an
// AND and two shifts per channel.
struct Channel {
    uint32_t mask;
    int shift;
    explicit Channel(uint32_t m) : mask(m), shift(m ? __builtin_clz(m) : 0) {}
    uint8_t operator()(uint32_t v) const { return uint8_t(((v & mask) << shift) >> 24); }
};

template <class Word> Failure WidenMasked(Block source, ResultSink &sink, uint16_t bits) {
    const SourceDib src(source);
    uint32_t r, g, b;
    src.Masks(r, g, b);
    const Channel red(r), green(g), blue(b);
    const uint32_t width = src.width;
    return Widen(source, bits, 24, 0, sink, [&](const uint8_t *in, uint8_t *out) {
        for (uint32_t x = 0; x < width; ++x, in += sizeof(Word), out += 3) {
            Word w;
            std::memcpy(&w, in, sizeof w); // little-endian, as Windows stores it
            out[0] = blue(w);
            out[1] = green(w);
            out[2] = red(w);
        }
    });
}

} // namespace

Failure Dib16To24(Block source, ResultSink &sink) {
    return WidenMasked<uint16_t>(source, sink, 16);
}

Failure Dib32To24(Block source, ResultSink &sink) {
    return WidenMasked<uint32_t>(source, sink, 32);
}

// ---------------------------------------------------------------------------
// Narrowing with error diffusion

const Quad kSixteenColors[16] = {
    {0, 0, 0, 0},       {128, 0, 0, 0},   {0, 128, 0, 0},   {128, 128, 0, 0},
    {0, 0, 128, 0},     {128, 0, 128, 0}, {0, 128, 128, 0}, {128, 128, 128, 0},
    {192, 192, 192, 0}, {255, 0, 0, 0},   {0, 255, 0, 0},   {255, 255, 0, 0},
    {0, 0, 255, 0},     {255, 0, 255, 0}, {0, 255, 255, 0}, {255, 255, 255, 0},
};

namespace {

// Checks the source, allocates the diffusion rows and the result with its
// full colour table of `entries` colours (its resolutions the source's), and
// returns the result block in `out`.
Failure StartNarrowing(const SourceDib &src, uint16_t bits, const Quad *table, uint32_t entries,
                       ResultLayout &layout, DiffusionRows &rows, ResultSink &sink, uint8_t *&out) {
    Failure failure = HeaderFailure(src);
    if (failure != Failure::kNone) return failure;
    if (src.header.bitCount != 24) return Failure::kDepth;
    failure = CompressionFailure(src.header);
    if (failure != Failure::kNone) return failure;
    if (!src.PixelsInside()) return Failure::kMismatch;
    if (!LayoutResult(src.width, src.height, bits, entries, layout)) return Failure::kNoMemory;
    layout.header.clrImportant = entries;
    layout.header.xPelsPerMeter = src.header.xPelsPerMeter;
    layout.header.yPelsPerMeter = src.header.yPelsPerMeter;
    if (!rows.Allocate(src.width, src.height)) return Failure::kNoMemory;
    out = AllocateResult(layout, sink);
    if (!out) return Failure::kNoMemory;
    std::memcpy(out + 40, table, 4 * size_t(entries));
    return Failure::kNone;
}

} // namespace

Failure Dib24To1(Block source, ResultSink &sink) {
    static const Quad blackWhite[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    const SourceDib src(source);
    ResultLayout layout;
    DiffusionRows rows;
    uint8_t *out = nullptr;
    const Failure failure = StartNarrowing(src, 1, blackWhite, 2, layout, rows, sink, out);
    if (failure != Failure::kNone) return failure;

    uint8_t *bits = out + layout.BitsOffset();
    DiffuseErrors(
        src.width, src.height, blackWhite, rows, [&](uint32_t y) { return src.Row(y); },
        [](unsigned b, unsigned g, unsigned r) { return GreyOf(r, g, b) > 127 ? 1u : 0u; },
        [&](uint32_t y, uint32_t x, unsigned index) {
            uint8_t &byte = bits[layout.rowBytes * y + x / 8];
            const uint8_t bit = uint8_t(index << (7 - x % 8));
            byte = x % 8 == 0 ? bit : uint8_t(byte | bit); // first of 8 sets the byte
        });
    return Failure::kNone;
}

Failure Dib24To4(Block source, ResultSink &sink) {
    const SourceDib src(source);
    ResultLayout layout;
    DiffusionRows rows;
    uint8_t *out = nullptr;
    const Failure failure = StartNarrowing(src, 4, kSixteenColors, 16, layout, rows, sink, out);
    if (failure != Failure::kNone) return failure;

    // Nearest table colour for each 5-5-5 cell, found once per cell; on equal
    // distance the lower index wins.
    std::unique_ptr<uint8_t[]> cube(new (std::nothrow) uint8_t[32768]);
    if (!cube) return Failure::kColorCube;
    for (int cell = 0; cell < 32768; ++cell) {
        const int r = (cell >> 10) * 8, g = ((cell >> 5) & 31) * 8, b = (cell & 31) * 8;
        int best = 0, bestDistance = 1 << 30;
        for (int i = 0; i < 16; ++i) {
            const Quad &c = kSixteenColors[i];
            const int dr = r - c.red, dg = g - c.green, db = b - c.blue;
            const int d = dr * dr + dg * dg + db * db;
            if (d < bestDistance) bestDistance = d, best = i;
        }
        cube[cell] = uint8_t(best);
    }

    uint8_t *bits = out + layout.BitsOffset();
    const uint8_t *lookup = cube.get();
    DiffuseErrors(
        src.width, src.height, kSixteenColors, rows, [&](uint32_t y) { return src.Row(y); },
        [lookup](unsigned b, unsigned g, unsigned r) {
            return unsigned(lookup[(r >> 3) << 10 | (g >> 3) << 5 | b >> 3]);
        },
        [&](uint32_t y, uint32_t x, unsigned index) {
            uint8_t &byte = bits[layout.rowBytes * y + x / 2];
            byte = x % 2 == 0 ? uint8_t(index << 4) : uint8_t(byte | index);
        });
    return Failure::kNone;
}

} // namespace pexa::dib
