// The quality quantiser: a palette of up to 256 colours chosen for one or
// more true-colour pictures, and the mapping of pictures onto a palette,
// with or without error diffusion. ReduceColors' quality mode is built from
// these steps, and a writer of several frames can use them directly: count
// the pixels of every frame into one ColorHistogram, build one palette from
// it, then map each frame.
//
//     pexa::dib::ColorHistogram histogram;
//     if (!histogram.Allocate()) return false;            // about 4 MB
//     for (const Frame &f : frames) histogram.Add(f.pixels);
//     pexa::dib::PaletteColor palette[256];
//     const unsigned n = pexa::dib::BuildPalette(histogram, 256, palette);
//     for (const Frame &f : frames)
//         if (!pexa::dib::MapToPalette(f.pixels, palette, n, true, f.indices, f.width))
//             return false;                                // out of memory
//
// How the palette is made: colours are counted in cells of 6 bits per
// channel, each cell keeping the exact mean of its colours. The cells are
// split into boxes, always cutting the box of largest squared error where
// the sum of the two halves' errors is least (a variance-minimising cut);
// the boxes' means are then refined by a few k-means passes over the cells.
// Colours are the rounded means. The work depends on the number of occupied
// cells (at most 262 144), not on the number of pixels. Squared error in
// red, green and blue is what is minimised: it is what PSNR measures, and
// a weighted or perceptual space measured worse by that yardstick.
//
// How pixels are mapped: each pixel takes the nearest palette colour (least
// squared distance, exact, not by a cell lookup). With diffusion, rows are
// visited in alternating directions (serpentine) and the error of each pixel
// goes to its four unvisited neighbours with Floyd and Steinberg's weights
// (7, 3, 5, 1 sixteenths), kept in floating point, so nothing is lost to
// truncation and no bias toward dark or light builds up. The diffused error
// is damped to three quarters and bounded, which keeps sharp edges from
// smearing and costs little PSNR.
//
// Portable (plain buffers, no windows.h); no state outside the objects, so
// calls on different threads are independent.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace pexa::dib {

struct PaletteColor {
    uint8_t red, green, blue;
};

// Pixels of a true-colour picture in the byte order of a DIB: blue, green,
// red, then a fourth ignored byte when bytesPerPixel is 4. Row y starts at
// first + y * stride; the stride may be negative (a bottom-up DIB walked
// from its top row).
struct PixelRows {
    const uint8_t *first = nullptr;
    uint32_t width = 0, height = 0;
    ptrdiff_t stride = 0;
    unsigned bytesPerPixel = 3; // 3 or 4
};

// Counts of the colours of one or more pictures.
class ColorHistogram {
  public:
    static constexpr uint32_t kCells = 1u << 18; // 6 bits per channel

    // The counting block (16 bytes per cell, zeroed). False when memory is
    // short; nothing else may be called then.
    bool Allocate();
    // Adds every pixel of a picture. Counting saturates at 2^30 pixels per
    // cell, far beyond any picture a DIB can hold.
    void Add(const PixelRows &pixels);
    // Adds one colour `count` times.
    void Add(uint8_t red, uint8_t green, uint8_t blue, uint32_t count = 1);
    // Pixels counted so far (saturating as above).
    uint64_t pixels() const { return pixels_; }

    struct Cell {
        uint32_t count;
        // Sums of the two low bits of each channel, which the cell does not
        // tell: the cell's mean colour is exact.
        uint32_t red, green, blue;
    };
    const Cell *cells() const { return cells_.get(); }

  private:
    std::unique_ptr<Cell[]> cells_;
    uint64_t pixels_ = 0;
};

// Chooses at most maxColors (1 to 256) colours for the counted pictures and
// writes them to palette[0..result). A histogram with fewer distinct cells
// than maxColors gives one colour per cell; an empty histogram gives 0
// colours. Returns 0 too when memory is short while maxColors is above 0
// and the histogram is not empty (no palette was made).
unsigned BuildPalette(const ColorHistogram &histogram, unsigned maxColors, PaletteColor *palette);

// Writes the index (below count, 1 to 256) of the palette colour of each
// pixel: row y of the picture to out + y * outStride, one byte per pixel.
// With diffuse, the error diffusion described above. False only when the
// diffusion's two rows of working memory cannot be had (nothing written
// then).
bool MapToPalette(const PixelRows &pixels, const PaletteColor *palette, unsigned count,
                  bool diffuse, uint8_t *out, ptrdiff_t outStride);

} // namespace pexa::dib
