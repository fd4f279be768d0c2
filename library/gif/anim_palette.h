// The palette step of the animated GIF writer, on the toolkit's quality
// quantiser (dib/quantize.h): ColorSamples counts the colours a palette is
// to serve, and keeps the distinct colours themselves while they are few;
// ChoosePalette takes every colour exactly when there are few enough, else
// the quantiser's palette; PaletteIndex finds a colour that a palette holds
// exactly. Pixels are mapped by the quantiser's MapToPalette. Portable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "dib/quantize.h"

namespace pexa::gif {

using Color = dib::PaletteColor;

class ColorSamples {
  public:
    static constexpr uint32_t kExactLimit = 256;

    // Forgets every colour. Throws std::bad_alloc when there is no memory.
    void Reset();
    // One pixel: blue, green, red bytes.
    void Add(const uint8_t *bgr) {
        histogram_.Add(bgr[2], bgr[1], bgr[0]);
        const uint32_t key = uint32_t(bgr[0]) | uint32_t(bgr[1]) << 8 | uint32_t(bgr[2]) << 16;
        if (exact_ && key != lastKey_) NoteExact(key);
        lastKey_ = key;
    }
    const dib::ColorHistogram &histogram() const { return histogram_; }
    // The distinct colours, when no more than kExactLimit occurred.
    bool exact() const { return exact_; }
    const std::vector<Color> &exactColors() const { return exactColors_; }

  private:
    void NoteExact(uint32_t key);

    dib::ColorHistogram histogram_;
    std::vector<uint32_t> exactKeys_; // open addressing, key + 1 (0 = empty)
    std::vector<Color> exactColors_;
    bool exact_ = true;
    uint32_t lastKey_ = 0xFFFFFFFFu;
};

// At most maxColors (1 to 256) colours for the samples, at least one. Throws
// std::bad_alloc when there is no memory.
std::vector<Color> ChoosePalette(const ColorSamples &samples, uint32_t maxColors);

// The entry of a palette that equals a colour.
class PaletteIndex {
  public:
    // Throws std::bad_alloc when there is no memory.
    explicit PaletteIndex(const std::vector<Color> &palette);
    // The entry equal to blue, green, red bytes, or -1.
    int Find(const uint8_t *bgr) const;

  private:
    std::vector<uint32_t> keys_; // open addressing, colour + 1 (0 = empty)
    std::vector<uint8_t> index_;
};

} // namespace pexa::gif
