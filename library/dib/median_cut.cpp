// Median cut: a box of histogram cells is cut at the median of its longest
// side until each part is to get one colour.
#include "dib/median_cut.h"

namespace pexa::dib {

namespace {

struct Box {
    int lo[3]; // red, green, blue
    int hi[3];
};

constexpr int kStride[3] = {1024, 32, 1}; // cell index step per red, green, blue

uint32_t Count(const uint32_t *histogram, int r, int g, int b) {
    return histogram[r * 1024 + g * 32 + b];
}

void Append(MedianCutPalette &palette, unsigned red, unsigned green, unsigned blue) {
    if (palette.count >= palette.capacity) return;
    Quad &q = palette.table[palette.count++];
    q.red = uint8_t(red);
    q.green = uint8_t(green);
    q.blue = uint8_t(blue);
    q.reserved = 0;
}

// Pixels of one slice of the box: axis coordinate fixed at `at`, the other
// two over the box.
uint64_t SliceSum(const uint32_t *histogram, const Box &box, int axis, int at) {
    const int a = axis == 0 ? 1 : 0;
    const int b = axis == 2 ? 1 : 2;
    uint64_t sum = 0;
    for (int i = box.lo[a]; i <= box.hi[a]; ++i) {
        const uint32_t *line = histogram + at * kStride[axis] + i * kStride[a];
        for (int j = box.lo[b]; j <= box.hi[b]; ++j)
            sum += line[j * kStride[b]];
    }
    return sum;
}

// Per channel: sum of count * coordinate over the box, / pixels, * 8.
void AppendAverage(const uint32_t *histogram, MedianCutPalette &palette, const Box &box,
                   uint64_t pixels) {
    uint64_t sum[3] = {0, 0, 0};
    for (int r = box.lo[0]; r <= box.hi[0]; ++r)
        for (int g = box.lo[1]; g <= box.hi[1]; ++g)
            for (int b = box.lo[2]; b <= box.hi[2]; ++b) {
                const uint64_t n = Count(histogram, r, g, b);
                sum[0] += n * unsigned(r);
                sum[1] += n * unsigned(g);
                sum[2] += n * unsigned(b);
            }
    Append(palette, unsigned(sum[0] / pixels * 8), unsigned(sum[1] / pixels * 8),
           unsigned(sum[2] / pixels * 8));
}

void Cut(const uint32_t *histogram, MedianCutPalette &palette, Box box, uint32_t colors,
         uint64_t pixels) {
    while (pixels != 0) {
        const int extent[3] = {box.hi[0] - box.lo[0], box.hi[1] - box.lo[1], box.hi[2] - box.lo[2]};
        if (extent[0] == 0 && extent[1] == 0 && extent[2] == 0) {
            const uint32_t n = Count(histogram, box.lo[0], box.lo[1], box.lo[2]);
            if (n == 0) {
                ++palette.faults;
                return;
            }
            Append(palette, unsigned(box.lo[0]) * 8, unsigned(box.lo[1]) * 8,
                   unsigned(box.lo[2]) * 8);
            return;
        }
        if (colors <= 1 || pixels == 1) {
            AppendAverage(histogram, palette, box, pixels);
            return;
        }
        // Blue only when strictly longest; red before green on equal sides.
        int axis;
        if (extent[2] > extent[0] && extent[2] > extent[1])
            axis = 2;
        else if (extent[1] <= extent[0])
            axis = 0;
        else
            axis = 1;

        const uint64_t half = pixels / 2;
        uint64_t below = 0, through = 0;
        int median = box.lo[axis];
        for (;; ++median) {
            through = below + SliceSum(histogram, box, axis, median);
            // The last slice ends the walk even if the counts fall short.
            if (through >= half || median == box.hi[axis]) break;
            below = through;
        }
        colors /= 2;

        Box low = box;
        uint64_t lowPixels;
        if (median == box.hi[axis]) {
            low.hi[axis] = median - 1;
            lowPixels = below;
            box.lo[axis] = median;
        } else {
            low.hi[axis] = median;
            lowPixels = through;
            box.lo[axis] = median + 1;
        }
        Cut(histogram, palette, low, colors, lowPixels);
        pixels = pixels > lowPixels ? pixels - lowPixels : 0;
    }
}

} // namespace

void MedianCut(const uint32_t *histogram, MedianCutPalette &palette, int r0, int r1, int g0, int g1,
               int b0, int b1, uint32_t colors, uint64_t pixels) {
    Cut(histogram, palette, Box{{r0, g0, b0}, {r1, g1, b1}}, colors, pixels);
}

} // namespace pexa::dib
