// Colour reduction and grey conversion. The histogram of 32768 5-5-5 cells
// first counts the pixels, then serves as the lookup cube of palette
// indices: each cell is mapped to its nearest palette entry the first time a
// pixel lands in it, so the nearest-colour search runs once per reached cell,
// never per pixel, and never for the many cells no pixel reaches. The
// quality mode is quantize.h's.
#include "dib/color_reduce.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "dib/error_diffusion.h"
#include "dib/median_cut.h"
#include "dib/quantize.h"

namespace pexa::dib {

namespace {

constexpr int kCells = 32768;

// Colour a cell stands for: each 5-bit coordinate times 8.
inline void CellColor(uint32_t cell, int &red, int &green, int &blue) {
    red = int((cell >> 10) & 31) * 8;
    green = int((cell >> 5) & 31) * 8;
    blue = int(cell & 31) * 8;
}

// Popularity: the n most frequent cells, each at most once, the larger
// count first and the lower index on equal counts. When fewer cells occur
// than n, the rest of the palette repeats the occurring cell of lowest
// index (black for an empty picture), so that the repeats take no nearest-
// colour choice away from a colour of the picture.
void ChooseByPopularity(const uint32_t *histogram, Quad *table, uint32_t n) {
    std::vector<uint32_t> occurring;
    for (uint32_t cell = 0; cell < kCells; ++cell)
        if (histogram[cell] != 0) occurring.push_back(cell);
    const size_t chosen = occurring.size() < n ? occurring.size() : n;
    const uint32_t filler = occurring.empty() ? 0 : occurring.front();
    std::partial_sort(occurring.begin(), occurring.begin() + chosen, occurring.end(),
                      [histogram](uint32_t a, uint32_t b) {
                          return histogram[a] != histogram[b] ? histogram[a] > histogram[b] : a < b;
                      });
    for (uint32_t k = 0; k < n; ++k) {
        int r, g, b;
        CellColor(k < chosen ? occurring[k] : filler, r, g, b);
        table[k] = Quad{uint8_t(b), uint8_t(g), uint8_t(r), 0};
    }
}

// The palette index of each 5-5-5 cell: the nearest of the first n palette
// colours (squared distance, lowest index on ties), found once per cell.
class CellMap {
  public:
    static constexpr uint32_t kUnmapped = 0xFFFFFFFFu;

    CellMap(uint32_t *cube, const Quad *table, uint32_t n) : cube_(cube), n_(n) {
        for (uint32_t i = 0; i < n; ++i)
            r_[i] = table[i].red, g_[i] = table[i].green, b_[i] = table[i].blue;
    }
    // Every cell unmapped: the counts are no longer needed.
    void Clear() { std::fill(cube_, cube_ + kCells, kUnmapped); }
    // Maps every cell now (counted ones only, unless allCells).
    void MapAll(bool allCells) {
        for (uint32_t cell = 0; cell < kCells; ++cell)
            cube_[cell] = allCells || cube_[cell] != 0 ? Nearest(cell) : kUnmapped;
    }
    uint32_t operator()(uint32_t cell) {
        uint32_t &index = cube_[cell];
        if (index == kUnmapped) index = Nearest(cell);
        return index;
    }

  private:
    uint32_t Nearest(uint32_t cell) const {
        int r, g, b;
        CellColor(cell, r, g, b);
        uint32_t best = 0;
        int bestDistance = 1 << 30;
        for (uint32_t i = 0; i < n_; ++i) {
            const int dr = r - r_[i], dg = g - g_[i], db = b - b_[i];
            const int d = dr * dr + dg * dg + db * db;
            if (d < bestDistance) bestDistance = d, best = i;
        }
        return best;
    }
    uint32_t *cube_;
    uint32_t n_;
    int r_[256], g_[256], b_[256];
};

// The quality mode: quantize.h's palette and mapping.
Failure ReduceForQuality(const SourceDib &src, uint32_t n, bool diffuse, ResultLayout &layout,
                         ResultSink &sink) {
    ColorHistogram histogram;
    if (!histogram.Allocate()) return Failure::kNoMemory;
    const PixelRows pixels{src.PixelRows() ? src.Row(0) : nullptr, src.width, src.PixelRows(),
                           ptrdiff_t(src.rowBytes), 3};
    histogram.Add(pixels);
    PaletteColor palette[256];
    const unsigned count = BuildPalette(histogram, n, palette);
    if (count == 0 && histogram.pixels() != 0) return Failure::kNoMemory;
    uint8_t *out = AllocateResult(layout, sink);
    if (!out) return Failure::kNoMemory;
    Quad *table = reinterpret_cast<Quad *>(out + 40);
    for (unsigned k = 0; k < count; ++k)
        table[k] = Quad{palette[k].blue, palette[k].green, palette[k].red, 0};
    if (!MapToPalette(pixels, palette, count, diffuse, out + layout.BitsOffset(),
                      ptrdiff_t(layout.rowBytes)))
        return Failure::kNoMemory;
    return Failure::kNone;
}

// Header of an 8-bit result with a 256-entry table, built from nothing.
bool LayoutEightBit(const SourceDib &src, ResultLayout &layout) {
    if (!LayoutResult(src.width, src.height, 8, 256, layout)) return false;
    layout.header.clrImportant = 0;
    return true;
}

} // namespace

Failure ReduceColors(Block source, unsigned bitsPerPixel, unsigned flags, ResultSink &sink,
                     ReduceReport *report, CellMapping mapping) {
    const SourceDib src(source);
    if (!src.hasHeader) return Failure::kNoDib;
    if (bitsPerPixel > 8) return Failure::kBitsPerPixel;
    if (src.header.size != kInfoHeaderSize) return Failure::kOs2;
    // The compression comes before the depth; bit fields of 16 and 32 bits
    // pass here and are refused as reduced already.
    const Failure compression = CompressionFailure(src.header);
    if (compression != Failure::kNone) return compression;
    if (src.header.bitCount != 24) return Failure::kDepth;
    if (!src.PixelsInside()) return Failure::kMismatch;
    const uint32_t n = 1u << bitsPerPixel;
    const bool diffuse = (flags & kReduceDiffuse) != 0;
    if (flags & kReduceQuality) {
        ResultLayout layout;
        if (!LayoutEightBit(src, layout)) return Failure::kNoMemory;
        return ReduceForQuality(src, n, diffuse, layout, sink);
    }

    std::unique_ptr<uint32_t[]> cube(new (std::nothrow) uint32_t[kCells]());
    if (!cube) return Failure::kNoMemory;
    uint32_t *histogram = cube.get();
    for (uint32_t y = 0; y < src.PixelRows(); ++y) {
        const uint8_t *p = src.Row(y);
        for (uint32_t x = 0; x < src.width; ++x, p += 3)
            ++histogram[CellOf(p[2], p[1], p[0])];
    }

    ResultLayout layout;
    if (!LayoutEightBit(src, layout)) return Failure::kNoMemory;
    DiffusionRows rows;
    if (diffuse && !rows.Allocate(src.width, src.height)) return Failure::kNoMemory;
    uint8_t *out = AllocateResult(layout, sink);
    if (!out) return Failure::kNoMemory;
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
    CellMap map(histogram, table, n);
    if (mapping == CellMapping::kAllCells) {
        map.MapAll(diffuse);
    } else {
        map.Clear();
    }

    uint8_t *bits = out + layout.BitsOffset();
    if (diffuse) {
        DiffuseErrors(
            src.width, src.height, table, rows, [&](uint32_t y) { return src.Row(y); },
            [&map](unsigned b, unsigned g, unsigned r) { return map(CellOf(r, g, b)); },
            [&](uint32_t y, uint32_t x, unsigned index) {
                bits[layout.rowBytes * y + x] = uint8_t(index);
            });
    } else {
        for (uint32_t y = 0; y < src.PixelRows(); ++y, bits += layout.rowBytes) {
            const uint8_t *p = src.Row(y);
            for (uint32_t x = 0; x < src.width; ++x, p += 3)
                bits[x] = uint8_t(map(CellOf(p[2], p[1], p[0])));
        }
    }
    return Failure::kNone;
}

Failure GrayDib(Block source, ResultSink &sink) {
    const SourceDib src(source);
    const Failure header = HeaderFailure(src);
    if (header != Failure::kNone) return header;
    if (!IsPixelDepth(src.header.bitCount)) return Failure::kDepth;
    const Failure compression = CompressionFailure(src.header);
    if (compression != Failure::kNone) return compression;
    if (!src.PixelsInside()) return Failure::kMismatch;

    if (src.header.bitCount < 16) {
        // Same depth and indices; only the colour table turns grey. The
        // result is a byte copy of the whole source block.
        uint8_t *out = sink.Allocate(source.size);
        if (!out) return Failure::kCopyMemory;
        std::memcpy(out, source.data, source.size);
        Quad *table = reinterpret_cast<Quad *>(out + 40);
        for (uint32_t i = 0; i < src.colors; ++i) {
            const uint8_t grey = GreyOf(table[i].red, table[i].green, table[i].blue);
            table[i].red = table[i].green = table[i].blue = grey;
        }
        return Failure::kNone;
    }

    ResultLayout layout;
    if (!LayoutEightBit(src, layout)) return Failure::kNoMemory;
    uint8_t *out = AllocateResult(layout, sink);
    if (!out) return Failure::kNoMemory;
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
        } else {
            for (uint32_t x = 0; x < src.width; ++x, p += 4) {
                uint32_t w;
                std::memcpy(&w, p, 4);
                bits[x] = GreyOf(MaskToByte(w, r), MaskToByte(w, g), MaskToByte(w, b));
            }
        }
    }
    return Failure::kNone;
}

Failure Dib24To8Failure(Block source) {
    const SourceDib src(source);
    if (!src.hasHeader) return Failure::kNoDib;
    return src.header.bitCount == 24 ? Failure::kNone : Failure::kDepth;
}

Failure Dib24To8(Block source, int grey, ResultSink &sink, ReduceReport *report) {
    const Failure failure = Dib24To8Failure(source);
    if (failure != Failure::kNone) return failure;
    if (grey) return GrayDib(source, sink);
    return ReduceColors(source, 8, kReduceDiffuse | kReduceMedianCut, sink, report);
}

} // namespace pexa::dib
