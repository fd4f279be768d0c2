// Colour reduction and grey conversion. The histogram of 32768 5-5-5 cells
// first counts the pixels, then is overwritten cell by cell with the chosen
// palette index and serves as the lookup cube: the nearest-colour search runs
// once per cell, never per pixel.
#include "dib/color_reduce.h"

#include <cstring>
#include <memory>
#include <new>

#include "dib/error_diffusion.h"
#include "dib/median_cut.h"

namespace pexa::dib {

namespace {

constexpr int kCells = 32768;

// Colour a cell stands for: each 5-bit coordinate times 8.
inline void CellColor(uint32_t cell, int &red, int &green, int &blue) {
    red = int((cell >> 10) & 31) * 8;
    green = int((cell >> 5) & 31) * 8;
    blue = int(cell & 31) * 8;
}

// Popularity: n times the most frequent cell (lowest index on equal counts);
// a chosen cell's count drops to 1, so it stays marked as occurring.
void ChooseByPopularity(uint32_t *histogram, Quad *table, uint32_t n) {
    for (uint32_t k = 0; k < n; ++k) {
        uint32_t best = 0;
        for (uint32_t cell = 1; cell < kCells; ++cell)
            if (histogram[cell] > histogram[best]) best = cell;
        int r, g, b;
        CellColor(best, r, g, b);
        table[k] = Quad{uint8_t(b), uint8_t(g), uint8_t(r), 0};
        histogram[best] = 1;
    }
}

// Replaces each cell's count by the index of the nearest of the first n
// palette colours (squared distance, lowest index on ties). Cells without
// pixels are skipped unless every cell can be reached (error diffusion).
void MapCells(uint32_t *histogram, const Quad *table, uint32_t n, bool allCells) {
    int pr[256], pg[256], pb[256];
    for (uint32_t i = 0; i < n; ++i)
        pr[i] = table[i].red, pg[i] = table[i].green, pb[i] = table[i].blue;
    for (uint32_t cell = 0; cell < kCells; ++cell) {
        if (!allCells && histogram[cell] == 0) continue;
        int r, g, b;
        CellColor(cell, r, g, b);
        uint32_t best = 0;
        int bestDistance = 1 << 30;
        for (uint32_t i = 0; i < n; ++i) {
            const int dr = r - pr[i], dg = g - pg[i], db = b - pb[i];
            const int d = dr * dr + dg * dg + db * db;
            if (d < bestDistance) bestDistance = d, best = i;
        }
        histogram[cell] = best;
    }
}

// Header of an 8-bit result with a 256-entry table, built from nothing.
bool LayoutEightBit(const SourceDib &src, ResultLayout &layout) {
    if (!LayoutResult(src.width, src.height, 8, 256, layout)) return false;
    layout.header.clrImportant = 0;
    return true;
}

} // namespace

Error ReduceColors(Block source, unsigned bitsPerPixel, unsigned flags, ResultSink &sink,
                   ReduceReport *report) {
    static const char *const kMemory = "ReduceColors: Not enough memory for DIB!";
    const SourceDib src(source);
    if (bitsPerPixel > 8) return "ReduceColors: uBPP > 8!";
    if (src.header.size != kInfoHeaderSize) return "ReduceColors: No support for OS/2-Bitmaps!";
    if (src.header.compression != kCompressionRgb)
        return "ReduceColors: No support for RLE-Bitmaps!";
    if (src.header.bitCount != 24) return "ReduceColors: Bitmap is already reduced!";
    if (!src.PixelsInside()) return "ReduceColors: DIB data does not match its header!";
    const uint32_t n = 1u << bitsPerPixel;
    const bool diffuse = (flags & kReduceDiffuse) != 0;

    std::unique_ptr<uint32_t[]> cube(new (std::nothrow) uint32_t[kCells]());
    if (!cube) return kMemory;
    uint32_t *histogram = cube.get();
    for (uint32_t y = 0; y < src.PixelRows(); ++y) {
        const uint8_t *p = src.Row(y);
        for (uint32_t x = 0; x < src.width; ++x, p += 3)
            ++histogram[CellOf(p[2], p[1], p[0])];
    }

    ResultLayout layout;
    if (!LayoutEightBit(src, layout)) return kMemory;
    DiffusionRows rows;
    if (diffuse && !rows.Allocate(src.width, src.height)) return kMemory;
    uint8_t *out = AllocateResult(layout, sink);
    if (!out) return kMemory;
    Quad *table = reinterpret_cast<Quad *>(out + 40);

    if (flags & kReduceMedianCut) {
        MedianCutPalette palette;
        palette.table = table;
        palette.capacity = n;
        MedianCut(histogram, palette, 0, 31, 0, 31, 0, 31, n, uint64_t(src.width) * src.height);
        if (report) report->medianCutFaults = palette.faults;
    } else {
        ChooseByPopularity(histogram, table, n);
    }
    MapCells(histogram, table, n, diffuse);

    uint8_t *bits = out + layout.BitsOffset();
    if (diffuse) {
        DiffuseErrors(
            src.width, src.height, table, rows, [&](uint32_t y) { return src.Row(y); },
            [histogram](unsigned b, unsigned g, unsigned r) { return histogram[CellOf(r, g, b)]; },
            [&](uint32_t y, uint32_t x, unsigned index) {
                bits[layout.rowBytes * y + x] = uint8_t(index);
            });
    } else {
        for (uint32_t y = 0; y < src.PixelRows(); ++y, bits += layout.rowBytes) {
            const uint8_t *p = src.Row(y);
            for (uint32_t x = 0; x < src.width; ++x, p += 3)
                bits[x] = uint8_t(histogram[CellOf(p[2], p[1], p[0])]);
        }
    }
    return nullptr;
}

Error GrayDib(Block source, ResultSink &sink) {
    static const char *const kOs2 = "GrayDIB: No support for OS/2-Bitmaps!";
    static const char *const kRle = "GrayDIB: No support for RLE-Bitmaps!";
    static const char *const kData = "GrayDIB: DIB data does not match its header!";
    const SourceDib src(source);

    if (src.header.bitCount < 16) {
        // Same depth and indices; only the colour table turns grey. The
        // result is a byte copy of the whole source block.
        if (src.header.size != kInfoHeaderSize) return kOs2;
        if (src.header.compression != kCompressionRgb) return kRle;
        if (!src.PixelsInside()) return kData;
        uint8_t *out = sink.Allocate(source.size);
        if (!out) return "CopyDIB: Not enough memory for DIB!";
        std::memcpy(out, source.data, source.size);
        Quad *table = reinterpret_cast<Quad *>(out + 40);
        for (uint32_t i = 0; i < src.colors; ++i) {
            const uint8_t grey = GreyOf(table[i].red, table[i].green, table[i].blue);
            table[i].red = table[i].green = table[i].blue = grey;
        }
        return nullptr;
    }

    if (src.header.size != kInfoHeaderSize) return kOs2;
    if (src.header.compression == kCompressionRle8 || src.header.compression == kCompressionRle4)
        return kRle;
    if (!src.PixelsInside()) return kData;
    ResultLayout layout;
    if (!LayoutEightBit(src, layout)) return "DIB24to8: Not enough memory for DIB!";
    uint8_t *out = AllocateResult(layout, sink);
    if (!out) return "DIB24to8: Not enough memory for DIB!";
    Quad *table = reinterpret_cast<Quad *>(out + 40);
    for (int i = 0; i < 256; ++i)
        table[i] = Quad{uint8_t(i), uint8_t(i), uint8_t(i), 0};

    uint32_t r, g, b;
    src.Masks(r, g, b);
    uint8_t *bits = out + layout.BitsOffset();
    const uint16_t depth = src.header.bitCount;
    for (uint32_t y = 0; y < src.PixelRows(); ++y, bits += layout.rowBytes) {
        const uint8_t *p = src.Row(y);
        if (depth == 24) {
            for (uint32_t x = 0; x < src.width; ++x, p += 3)
                bits[x] = GreyOf(p[2], p[1], p[0]);
        } else if (depth == 16) {
            for (uint32_t x = 0; x < src.width; ++x, p += 2) {
                const uint32_t w = uint32_t(p[0]) | uint32_t(p[1]) << 8;
                bits[x] = GreyOf(MaskToByte(w, r), MaskToByte(w, g), MaskToByte(w, b));
            }
        } else if (depth == 32) {
            for (uint32_t x = 0; x < src.width; ++x, p += 4) {
                uint32_t w;
                std::memcpy(&w, p, 4);
                bits[x] = GreyOf(MaskToByte(w, r), MaskToByte(w, g), MaskToByte(w, b));
            }
        } // other depths: rows stay 0
    }
    return nullptr;
}

Error Dib24To8(Block source, int grey, ResultSink &sink, ReduceReport *report) {
    if (SourceDib(source).header.bitCount != 24) return "DIB24to8: Not a 24-Bit-DIB!";
    if (grey) return GrayDib(source, sink);
    return ReduceColors(source, 8, kReduceDiffuse | kReduceMedianCut, sink, report);
}

} // namespace pexa::dib
