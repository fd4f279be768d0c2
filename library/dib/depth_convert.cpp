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
    // A block too short for the 40-byte header reads as an all-zero header,
    // which every operation refuses as not being a 40-byte header.
    if (source.size >= 40) std::memcpy(&header, source.data, 40);
    colors = ColorsInPalette(header);
    bitsOffset = BitsOffset(header);
    width = header.width < 0 ? 0 : uint32_t(header.width);
    height = AbsHeight(header.height);
    rowBytes = RowBytes(width, header.bitCount);
}

bool SourceDib::PaletteInside() const {
    return blockSize >= 40 && 40 + 4 * uint64_t(colors) <= blockSize;
}

bool SourceDib::PixelsInside() const {
    if (blockSize < 40 || header.width < 0 || bitsOffset > blockSize) return false;
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

struct WideningTexts {
    const char *os2;
    const char *depth;
    const char *compressed; // nullptr: compression is not looked at
    const char *memory;
    const char *data;
};

enum class Refuse { Nothing, AnyCompression, RunLength };

bool Refused(Refuse rule, uint32_t compression) {
    switch (rule) {
    case Refuse::Nothing:
        return false;
    case Refuse::AnyCompression:
        return compression != kCompressionRgb;
    case Refuse::RunLength:
        return compression == kCompressionRle8 || compression == kCompressionRle4;
    }
    return false;
}

// The frame every widening step shares: checks in order, result sized and
// allocated, header and colour table filled, then convertRow(source row,
// result row) for each stored row.
template <class ConvertRow>
Error Widen(Block block, uint16_t fromBits, Refuse rule, uint16_t toBits, uint32_t paletteEntries,
            const WideningTexts &text, ResultSink &sink, ConvertRow convertRow) {
    const SourceDib src(block);
    if (src.header.size != kInfoHeaderSize) return text.os2;
    if (src.header.bitCount != fromBits) return text.depth;
    if (Refused(rule, src.header.compression)) return text.compressed;
    if (!src.PixelsInside()) return text.data;

    ResultLayout layout;
    if (!LayoutResult(src.width, src.height, toBits, paletteEntries, layout)) return text.memory;
    const uint32_t kept = src.colors < paletteEntries ? src.colors : paletteEntries;
    layout.header.clrUsed = paletteEntries;
    layout.header.clrImportant = paletteEntries ? kept : 0;
    layout.header.xPelsPerMeter = src.header.xPelsPerMeter;
    layout.header.yPelsPerMeter = src.header.yPelsPerMeter;
    uint8_t *out = AllocateResult(layout, sink);
    if (!out) return text.memory;
    std::memcpy(out + 40, src.palette(), 4 * size_t(kept));

    uint8_t *dst = out + layout.BitsOffset();
    for (uint32_t y = 0; y < src.PixelRows(); ++y, dst += layout.rowBytes)
        convertRow(src.Row(y), dst);
    return nullptr;
}

} // namespace

Error Dib1To4(Block source, ResultSink &sink) {
    static const WideningTexts text = {
        "DIB1To4: No support for OS/2-Bitmaps!", "DIB1To4: This is not a 1-Bit-DIB!", nullptr,
        "DIB1To4: Not enough memory for DIB!", "DIB1To4: DIB data does not match its header!"};
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
    return Widen(source, 1, Refuse::Nothing, 4, 16, text, sink,
                 [&](const uint8_t *in, uint8_t *out) {
                     for (size_t i = 0; i < bytes; ++i)
                         std::memcpy(out + 4 * i, &spread[in[i]], 4);
                 });
}

Error Dib4To8(Block source, ResultSink &sink) {
    static const WideningTexts text = {
        "DIB4To8: No support for OS/2-Bitmaps!", "DIB4To8: This is not a 4-Bit-DIB!",
        "DIB4To8: This is a RLE-DIB!", "DIB4To8: Not enough memory for DIB!",
        "DIB4To8: DIB data does not match its header!"};
    const uint32_t width = SourceDib(source).width;
    const size_t bytes = (size_t(width) + 1) / 2;
    return Widen(source, 4, Refuse::AnyCompression, 8, 256, text, sink,
                 [&](const uint8_t *in, uint8_t *out) {
                     for (size_t i = 0; i < bytes; ++i) {
                         out[2 * i] = in[i] >> 4;
                         out[2 * i + 1] = in[i] & 0x0F;
                     }
                 });
}

Error Dib8To24(Block source, ResultSink &sink) {
    static const WideningTexts text = {
        "DIB8To24: No support for OS/2-Bitmaps!", "DIB8To24: This is not a 8-Bit-DIB!",
        "DIB8To24: This is a RLE-DIB!", "DIB8To24: Not enough memory for DIB!",
        "DIB8To24: DIB data does not match its header!"};
    const SourceDib src(source);
    // Indices beyond a short colour table give black instead of reading the
    // bytes behind the table.
    Quad table[256] = {};
    if (src.PixelsInside())
        std::memcpy(table, src.palette(), 4 * size_t(src.colors < 256 ? src.colors : 256));
    const uint32_t width = src.width;
    return Widen(source, 8, Refuse::AnyCompression, 24, 0, text, sink,
                 [&](const uint8_t *in, uint8_t *out) {
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

template <class Word>
Error WidenMasked(Block source, ResultSink &sink, uint16_t bits, const WideningTexts &text) {
    const SourceDib src(source);
    uint32_t r, g, b;
    src.Masks(r, g, b);
    const Channel red(r), green(g), blue(b);
    const uint32_t width = src.width;
    return Widen(source, bits, Refuse::RunLength, 24, 0, text, sink,
                 [&](const uint8_t *in, uint8_t *out) {
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

Error Dib16To24(Block source, ResultSink &sink) {
    static const WideningTexts text = {
        "DIB16To24: No support for OS/2-Bitmaps!", "DIB16To24: This is not 16-Bit-DIB!",
        "DIB16To24: This is a RLE-DIB!", "DIB16To24: Not enough memory for DIB!",
        "DIB16To24: DIB data does not match its header!"};
    return WidenMasked<uint16_t>(source, sink, 16, text);
}

Error Dib32To24(Block source, ResultSink &sink) {
    static const WideningTexts text = {
        "DIB32To24: No support for OS/2-Bitmaps!", "DIB32To24: This is not a 32-Bit-DIB!",
        "DIB32To24: This is a RLE-DIB!", "DIB32To24: Not enough memory for DIB!",
        "DIB32To24: DIB data does not match its header!"};
    return WidenMasked<uint32_t>(source, sink, 32, text);
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

struct NarrowingTexts {
    const char *os2;
    const char *depth;
    const char *memory;
    const char *data;
};

// Checks the source, allocates the diffusion rows and the result with its
// full colour table of `entries` colours (its resolutions the source's), and
// returns the result block in `out`.
Error StartNarrowing(const SourceDib &src, uint16_t bits, const Quad *table, uint32_t entries,
                     const NarrowingTexts &text, ResultLayout &layout, DiffusionRows &rows,
                     ResultSink &sink, uint8_t *&out) {
    if (src.header.size != kInfoHeaderSize) return text.os2;
    if (src.header.bitCount != 24) return text.depth;
    if (!src.PixelsInside()) return text.data;
    if (!LayoutResult(src.width, src.height, bits, entries, layout)) return text.memory;
    layout.header.clrImportant = entries;
    layout.header.xPelsPerMeter = src.header.xPelsPerMeter;
    layout.header.yPelsPerMeter = src.header.yPelsPerMeter;
    if (!rows.Allocate(src.width, src.height)) return text.memory;
    out = AllocateResult(layout, sink);
    if (!out) return text.memory;
    std::memcpy(out + 40, table, 4 * size_t(entries));
    return nullptr;
}

} // namespace

Error Dib24To1(Block source, ResultSink &sink) {
    static const NarrowingTexts text = {
        "_DIB24To1: No support for OS/2-Bitmaps!", "_DIB24To1: This is not a 24-Bit DIB!",
        "_DIB24To1: Not enough memory for DIB!", "_DIB24To1: DIB data does not match its header!"};
    static const Quad blackWhite[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    const SourceDib src(source);
    ResultLayout layout;
    DiffusionRows rows;
    uint8_t *out = nullptr;
    if (Error e = StartNarrowing(src, 1, blackWhite, 2, text, layout, rows, sink, out)) return e;

    uint8_t *bits = out + layout.BitsOffset();
    DiffuseErrors(
        src.width, src.height, blackWhite, rows, [&](uint32_t y) { return src.Row(y); },
        [](unsigned b, unsigned g, unsigned r) { return GreyOf(r, g, b) > 127 ? 1u : 0u; },
        [&](uint32_t y, uint32_t x, unsigned index) {
            uint8_t &byte = bits[layout.rowBytes * y + x / 8];
            const uint8_t bit = uint8_t(index << (7 - x % 8));
            byte = x % 8 == 0 ? bit : uint8_t(byte | bit); // first of 8 sets the byte
        });
    return nullptr;
}

Error Dib24To4(Block source, ResultSink &sink) {
    static const NarrowingTexts text = {
        "_DIB24To4: No support for OS/2-Bitmaps!", "_DIB24To4: This is not a 24-Bit DIB!",
        "_DIB24to4: Not enough memory for DIB!", "_DIB24To4: DIB data does not match its header!"};
    const SourceDib src(source);
    ResultLayout layout;
    DiffusionRows rows;
    uint8_t *out = nullptr;
    if (Error e = StartNarrowing(src, 4, kSixteenColors, 16, text, layout, rows, sink, out))
        return e;

    // Nearest table colour for each 5-5-5 cell, found once per cell; on equal
    // distance the lower index wins.
    std::unique_ptr<uint8_t[]> cube(new (std::nothrow) uint8_t[32768]);
    if (!cube) return "_DIB24To4: Not enough memory for color cube!";
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
    return nullptr;
}

} // namespace pexa::dib
