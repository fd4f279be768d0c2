// Palette choice and nearest-colour search of the animated GIF writer.
#include "gif/anim_palette.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "dib/median_cut.h"

namespace pexa::gif {

namespace {

constexpr uint32_t kCells = 1u << 18;
constexpr int kPasses = 10;

// A sampled cell as k-means sees it: its mean colour and pixel count.
struct Point {
    double blue, green, red;
    double weight;
};

double Distance(const Point &p, const Color &c) {
    const double b = p.blue - c.blue, g = p.green - c.green, r = p.red - c.red;
    return b * b + g * g + r * r;
}

uint8_t Round(double v) {
    return uint8_t(v < 0 ? 0 : v > 255 ? 255 : std::lround(v));
}

std::vector<Point> Points(const ColorSamples &samples) {
    std::vector<Point> points;
    points.reserve(samples.occupied().size());
    for (uint32_t index : samples.occupied()) {
        const ColorSamples::CellSums &c = samples.cell(index);
        const double n = double(c.count);
        points.push_back({double(c.blue) / n, double(c.green) / n, double(c.red) / n, n});
    }
    return points;
}

// The toolkit's median cut on the 5-bit histogram of the samples.
std::vector<Color> MedianCutSeeds(const ColorSamples &samples, uint32_t maxColors) {
    std::vector<uint32_t> histogram(32768, 0);
    uint64_t pixels = 0;
    for (uint32_t index : samples.occupied()) {
        // Cell index: blue | green << 6 | red << 12, 6 bits each.
        const uint32_t b = index & 0x3F, g = index >> 6 & 0x3F, r = index >> 12 & 0x3F;
        uint32_t &h = histogram[dib::CellOf(r << 2, g << 2, b << 2)];
        const uint64_t n = samples.cell(index).count;
        const uint64_t room = 0xFFFFFFFFu - h;
        h += uint32_t(n < room ? n : room);
    }
    for (uint32_t h : histogram)
        pixels += h;
    uint32_t colors = 1;
    while (colors < maxColors)
        colors *= 2;
    std::vector<dib::Quad> table(maxColors);
    dib::MedianCutPalette palette;
    palette.table = table.data();
    palette.capacity = maxColors;
    dib::MedianCut(histogram.data(), palette, 0, 31, 0, 31, 0, 31, colors, pixels);
    std::vector<Color> seeds;
    for (uint32_t i = 0; i < palette.count; ++i)
        seeds.push_back({table[i].blue, table[i].green, table[i].red});
    return seeds;
}

// Adds the worst-served cell's colour (count times squared distance) until
// there are maxColors entries: the median cut leaves entries unused where a
// box shrinks to one cell before its share of colours is spent.
void TopUp(const std::vector<Point> &points, std::vector<Color> &centres, uint32_t maxColors) {
    if (centres.size() >= maxColors || centres.size() >= points.size()) return;
    std::vector<double> best(points.size(), 1e30);
    for (const Color &c : centres)
        for (size_t i = 0; i < points.size(); ++i)
            best[i] = std::min(best[i], Distance(points[i], c));
    while (centres.size() < maxColors) {
        size_t worst = 0;
        double worstCost = 0;
        for (size_t i = 0; i < points.size(); ++i) {
            const double cost = best[i] * points[i].weight;
            if (cost > worstCost) worstCost = cost, worst = i;
        }
        if (worstCost <= 0) break;
        const Point &p = points[worst];
        const Color c{Round(p.blue), Round(p.green), Round(p.red)};
        centres.push_back(c);
        for (size_t i = 0; i < points.size(); ++i)
            best[i] = std::min(best[i], Distance(points[i], c));
    }
}

// Moves each centre to the weighted mean of the points nearest to it, until
// the error stops falling. A point whose centre is nearer to it than half
// the distance from that centre to any other keeps its centre without a
// search (the triangle inequality), which after the first passes is most.
void Refine(const std::vector<Point> &points, std::vector<Color> &centres) {
    std::vector<uint8_t> owner(points.size());
    std::vector<double> reach(
        centres.size()); // a quarter of the squared distance to the nearest other
    double lastError = 1e300;
    for (int pass = 0; pass < kPasses; ++pass) {
        NearestColor nearest(centres);
        for (size_t i = 0; pass > 0 && i < centres.size(); ++i) {
            int d = INT_MAX;
            for (size_t j = 0; j < centres.size(); ++j) {
                const Color &a = centres[i], &b = centres[j];
                const int db = a.blue - b.blue, dg = a.green - b.green, dr = a.red - b.red;
                if (j != i) d = std::min(d, db * db + dg * dg + dr * dr);
            }
            reach[i] = d / 4.0;
        }
        std::vector<Point> sums(centres.size(), Point{0, 0, 0, 0});
        double error = 0;
        for (size_t k = 0; k < points.size(); ++k) {
            const Point &p = points[k];
            double d = pass ? Distance(p, centres[owner[k]]) : 1e300;
            if (d > reach[owner[k]]) {
                owner[k] = nearest(Round(p.blue), Round(p.green), Round(p.red));
                d = Distance(p, centres[owner[k]]);
            }
            error += d * p.weight;
            Point &s = sums[owner[k]];
            s.blue += p.blue * p.weight, s.green += p.green * p.weight;
            s.red += p.red * p.weight, s.weight += p.weight;
        }
        for (size_t i = 0; i < centres.size(); ++i) {
            const Point &s = sums[i];
            if (s.weight > 0)
                centres[i] = {Round(s.blue / s.weight), Round(s.green / s.weight),
                              Round(s.red / s.weight)};
        }
        if (error >= lastError * 0.995) return;
        lastError = error;
    }
}

} // namespace

void ColorSamples::Reset() {
    if (blocks_.empty()) blocks_.resize(kCells / 64);
    for (uint32_t index : occupied_)
        blocks_[index >> 6][index & 63] = CellSums{0, 0, 0, 0};
    occupied_.clear();
    exactKeys_.assign(2 * kExactLimit, 0);
    exactColors_.clear();
    exactColors_.reserve(kExactLimit); // NoteExact never allocates
    exact_ = true;
    lastKey_ = 0xFFFFFFFFu;
    lastCell_ = nullptr;
}

void ColorSamples::NoteExact(uint32_t key) {
    const uint32_t mask = 2 * kExactLimit - 1;
    for (uint32_t slot = (key * 2654435761u) >> 23 & mask;; slot = (slot + 1) & mask) {
        if (exactKeys_[slot] == key + 1) return;
        if (exactKeys_[slot] == 0) {
            if (exactColors_.size() == kExactLimit) {
                exact_ = false;
                return;
            }
            exactKeys_[slot] = key + 1;
            exactColors_.push_back({uint8_t(key), uint8_t(key >> 8), uint8_t(key >> 16)});
            return;
        }
    }
}

std::vector<Color> ChoosePalette(const ColorSamples &samples, uint32_t maxColors) {
    if (samples.exact() && samples.exactColors().size() <= maxColors) return samples.exactColors();
    const std::vector<Point> points = Points(samples);
    std::vector<Color> centres = MedianCutSeeds(samples, maxColors);
    if (centres.empty()) centres.push_back({0, 0, 0});
    TopUp(points, centres, maxColors);
    Refine(points, centres);
    return centres;
}

NearestColor::NearestColor(const std::vector<Color> &palette)
    : palette_(palette), cache_(size_t(1) << kCacheBits, Slot{0, 0}), cells_(32768) {}

void NearestColor::Build(CellList &cell, int blue, int green, int red) {
    // Per channel, the squared distance from a value v to the cell's range
    // [lo, lo + 7], nearest and farthest.
    const int lo[3] = {blue & ~7, green & ~7, red & ~7};
    auto span = [&](const Color &c, int32_t &nearest, int32_t &farthest) {
        const int v[3] = {c.blue, c.green, c.red};
        nearest = farthest = 0;
        for (int k = 0; k < 3; ++k) {
            const int below = lo[k] - v[k], above = v[k] - (lo[k] + 7);
            const int n = below > 0 ? below : above > 0 ? above : 0;
            const int f = std::max(std::abs(v[k] - lo[k]), std::abs(v[k] - lo[k] - 7));
            nearest += n * n;
            farthest += f * f;
        }
    };
    int32_t nearest[256], bound = INT32_MAX;
    for (size_t i = 0; i < palette_.size(); ++i) {
        int32_t farthest;
        span(palette_[i], nearest[i], farthest);
        bound = std::min(bound, farthest);
    }
    cell.first = uint32_t(candidates_.size());
    for (size_t i = 0; i < palette_.size(); ++i)
        if (nearest[i] <= bound) candidates_.push_back({nearest[i], uint8_t(i)});
    cell.count = uint32_t(candidates_.size() - cell.first);
    std::stable_sort(candidates_.begin() + cell.first, candidates_.end(),
                     [](const Candidate &a, const Candidate &b) { return a.nearest < b.nearest; });
}

uint8_t NearestColor::Search(int blue, int green, int red) {
    CellList &cell = cells_[(blue >> 3) | (green >> 3) << 5 | (red >> 3) << 10];
    int best = INT32_MAX, bestIndex = 0;
    if (!cell.count && !cell.met) {
        cell.met = true;
        for (size_t i = 0; i < palette_.size(); ++i) {
            const Color &c = palette_[i];
            const int db = blue - c.blue, dg = green - c.green, dr = red - c.red;
            const int d = db * db + dg * dg + dr * dr;
            if (d < best) best = d, bestIndex = int(i);
        }
        return uint8_t(bestIndex);
    }
    if (!cell.count) Build(cell, blue, green, red);
    for (uint32_t k = cell.first; k < cell.first + cell.count; ++k) {
        const Candidate &candidate = candidates_[k];
        if (candidate.nearest > best) break; // no later entry can be nearer
        const Color &c = palette_[candidate.index];
        const int db = blue - c.blue, dg = green - c.green, dr = red - c.red;
        const int d = db * db + dg * dg + dr * dr;
        if (d < best || (d == best && candidate.index < bestIndex))
            best = d, bestIndex = candidate.index;
    }
    return uint8_t(bestIndex);
}

} // namespace pexa::gif
