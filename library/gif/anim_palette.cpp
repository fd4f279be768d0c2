// Palette choice and nearest-colour search of the animated GIF writer.
#include "gif/anim_palette.h"

#include <algorithm>
#include <cmath>

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
// the error stops falling. Returns the squared error of the last pass.
double Refine(const std::vector<Point> &points, std::vector<Color> &centres) {
    double lastError = 1e300;
    for (int pass = 0; pass < kPasses; ++pass) {
        NearestColor nearest(centres);
        std::vector<Point> sums(centres.size(), Point{0, 0, 0, 0});
        double error = 0;
        for (const Point &p : points) {
            const uint8_t i = nearest(Round(p.blue), Round(p.green), Round(p.red));
            error += Distance(p, centres[i]) * p.weight;
            Point &s = sums[i];
            s.blue += p.blue * p.weight, s.green += p.green * p.weight;
            s.red += p.red * p.weight, s.weight += p.weight;
        }
        for (size_t i = 0; i < centres.size(); ++i) {
            const Point &s = sums[i];
            if (s.weight > 0)
                centres[i] = {Round(s.blue / s.weight), Round(s.green / s.weight),
                              Round(s.red / s.weight)};
        }
        if (error >= lastError * 0.995) return std::min(error, lastError);
        lastError = error;
    }
    return lastError;
}

} // namespace

void ColorSamples::Reset() {
    cells_.assign(kCells, CellSums{0, 0, 0, 0});
    occupied_.clear();
    occupied_.reserve(kCells); // Add never allocates
    exactKeys_.assign(2 * kExactLimit, 0);
    exactColors_.clear();
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

uint64_t ColorSamples::pixels() const {
    uint64_t n = 0;
    for (uint32_t index : occupied_)
        n += cells_[index].count;
    return n;
}

std::vector<Color> ChoosePalette(const ColorSamples &samples, uint32_t maxColors,
                                 double *meanError) {
    if (meanError) *meanError = 0;
    if (samples.exact() && samples.exactColors().size() <= maxColors) return samples.exactColors();
    const std::vector<Point> points = Points(samples);
    std::vector<Color> centres = MedianCutSeeds(samples, maxColors);
    if (centres.empty()) centres.push_back({0, 0, 0});
    TopUp(points, centres, maxColors);
    const double error = Refine(points, centres);
    const uint64_t pixels = samples.pixels();
    if (meanError && pixels) *meanError = error / (3.0 * double(pixels));
    return centres;
}

NearestColor::NearestColor(const std::vector<Color> &palette)
    : palette_(palette), cache_(size_t(1) << kCacheBits, Slot{0, 0}) {
    order_.resize(palette_.size());
    for (size_t i = 0; i < order_.size(); ++i)
        order_[i] = uint8_t(i);
    std::stable_sort(order_.begin(), order_.end(), [this](uint8_t a, uint8_t b) {
        return palette_[a].green < palette_[b].green;
    });
    for (uint8_t i : order_)
        sorted_.push_back(palette_[i]);
}

uint8_t NearestColor::Search(int blue, int green, int red) const {
    const int n = int(sorted_.size());
    // First entry whose green is not below the colour's.
    int lo = 0, hi = n;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (sorted_[mid].green < green) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    int best = 1 << 30, bestIndex = 0;
    auto consider = [&](int k) {
        const Color &c = sorted_[k];
        const int db = blue - c.blue, dg = green - c.green, dr = red - c.red;
        const int d = db * db + dg * dg + dr * dr;
        if (d < best || (d == best && order_[k] < bestIndex)) best = d, bestIndex = order_[k];
    };
    // Outward in both directions while the green difference alone can still
    // beat the best distance.
    for (int up = lo, down = lo - 1; up < n || down >= 0;) {
        bool moved = false;
        if (up < n) {
            const int dg = sorted_[up].green - green;
            if (dg * dg <= best) {
                consider(up++);
                moved = true;
            } else {
                up = n;
            }
        }
        if (down >= 0) {
            const int dg = green - sorted_[down].green;
            if (dg * dg <= best) {
                consider(down--);
                moved = true;
            } else {
                down = -1;
            }
        }
        if (!moved) break;
    }
    return uint8_t(bestIndex);
}

} // namespace pexa::gif
