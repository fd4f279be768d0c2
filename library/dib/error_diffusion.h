// Error diffusion over 24-bit pixels, shared by the narrowing conversions and
// colour reduction. Pixels are visited in stored row order, left to right;
// each pixel's chosen colour leaves an error e per channel, of which e*3/8
// goes to the right neighbour, e*3/8 to the pixel below (next stored row)
// and e/4 to the one below-right, each sum clamped to 0..255 at once.
// Divisions truncate toward zero.
//
// Only two rows of corrected values are kept: the row being visited and the
// next one. That gives the same pixels as correcting the picture in place,
// without copying it.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include "dib/dib_layout.h"

namespace pexa::dib {

inline uint8_t ClampByte(int v) {
    return uint8_t(v < 0 ? 0 : v > 255 ? 255 : v);
}

// Two rows of blue, green, red working values; Allocate fails softly.
class DiffusionRows {
  public:
    // An empty picture needs no rows (its width is bounded by nothing).
    bool Allocate(uint32_t width, uint32_t height) {
        if (width == 0 || height == 0) return true;
        size_t bytes = size_t(width) * 3 + 3;
        current_.reset(new (std::nothrow) uint8_t[bytes]);
        next_.reset(new (std::nothrow) uint8_t[bytes]);
        return current_ && next_;
    }
    uint8_t *current() { return current_.get(); }
    uint8_t *next() { return next_.get(); }
    void Swap() { current_.swap(next_); }

  private:
    std::unique_ptr<uint8_t[]> current_, next_;
};

// Runs the diffusion. `row(y)` gives stored row y of the source (blue, green,
// red bytes); `choose(blue, green, red)` returns the palette index for a
// corrected colour; `put(y, x, index)` records the pixel. Both callables are
// inlined; there is no call through a pointer per pixel.
//
// The right neighbour's share is carried in registers, and each cell of the
// next row is updated once, when its upper neighbour is visited: first with
// the diagonal share of the pixel before, then with the share from above,
// clamping after each as the in-place order does.
template <class RowOf, class Choose, class Put>
void DiffuseErrors(uint32_t width, uint32_t height, const Quad *palette, DiffusionRows &rows,
                   RowOf row, Choose choose, Put put) {
    if (width == 0 || height == 0) return;
    const size_t lineBytes = size_t(width) * 3;
    std::memcpy(rows.current(), row(0), lineBytes);
    for (uint32_t y = 0; y < height; ++y) {
        const bool below = y + 1 < height;
        if (below) std::memcpy(rows.next(), row(y + 1), lineBytes);
        const uint8_t *cur = rows.current();
        uint8_t *nxt = rows.next();
        int right[3] = {0, 0, 0};    // share for this pixel from its left neighbour
        int diagonal[3] = {0, 0, 0}; // share for nxt[x] from the pixel before
        for (uint32_t x = 0; x < width; ++x, cur += 3) {
            const uint8_t b = ClampByte(cur[0] + right[0]);
            const uint8_t g = ClampByte(cur[1] + right[1]);
            const uint8_t r = ClampByte(cur[2] + right[2]);
            const unsigned index = choose(b, g, r);
            put(y, x, index);
            const Quad &c = palette[index];
            const int e[3] = {int(b) - c.blue, int(g) - c.green, int(r) - c.red};
            for (int k = 0; k < 3; ++k)
                right[k] = e[k] * 3 / 8;
            if (below) {
                uint8_t *q = nxt + 3 * size_t(x);
                for (int k = 0; k < 3; ++k) {
                    q[k] = ClampByte(ClampByte(q[k] + diagonal[k]) + right[k]);
                    diagonal[k] = e[k] / 4;
                }
            }
        }
        rows.Swap();
    }
}

} // namespace pexa::dib
