// Colour samples, palette choice and exact colour lookup of the animated GIF
// writer.
#include "gif/anim_palette.h"

#include <new>

namespace pexa::gif {

namespace {

constexpr uint32_t kSlots = 512; // twice the most colours a table holds

uint32_t Slot(uint32_t key) {
    return (key * 2654435761u) >> 23 & (kSlots - 1);
}

} // namespace

void ColorSamples::Reset() {
    if (!histogram_.Allocate()) throw std::bad_alloc();
    exactKeys_.assign(kSlots, 0);
    exactColors_.clear();
    exactColors_.reserve(kExactLimit); // NoteExact never allocates
    exact_ = true;
    lastKey_ = 0xFFFFFFFFu;
}

void ColorSamples::NoteExact(uint32_t key) {
    for (uint32_t slot = Slot(key);; slot = (slot + 1) & (kSlots - 1)) {
        if (exactKeys_[slot] == key + 1) return;
        if (exactKeys_[slot] == 0) {
            if (exactColors_.size() == kExactLimit) {
                exact_ = false;
                return;
            }
            exactKeys_[slot] = key + 1;
            exactColors_.push_back({uint8_t(key >> 16), uint8_t(key >> 8), uint8_t(key)});
            return;
        }
    }
}

std::vector<Color> ChoosePalette(const ColorSamples &samples, uint32_t maxColors) {
    if (samples.exact() && !samples.exactColors().empty() &&
        samples.exactColors().size() <= maxColors)
        return samples.exactColors();
    std::vector<Color> palette(maxColors);
    const unsigned count = dib::BuildPalette(samples.histogram(), maxColors, palette.data());
    if (count == 0) throw std::bad_alloc(); // the samples hold pixels: only memory is short
    palette.resize(count);
    return palette;
}

PaletteIndex::PaletteIndex(const std::vector<Color> &palette) : keys_(kSlots, 0), index_(kSlots) {
    for (size_t i = palette.size(); i-- > 0;) { // the lowest index wins
        const uint32_t key = uint32_t(palette[i].blue) | uint32_t(palette[i].green) << 8 |
                             uint32_t(palette[i].red) << 16;
        uint32_t slot = Slot(key);
        while (keys_[slot] != 0 && keys_[slot] != key + 1)
            slot = (slot + 1) & (kSlots - 1);
        keys_[slot] = key + 1;
        index_[slot] = uint8_t(i);
    }
}

int PaletteIndex::Find(const uint8_t *bgr) const {
    const uint32_t key = uint32_t(bgr[0]) | uint32_t(bgr[1]) << 8 | uint32_t(bgr[2]) << 16;
    for (uint32_t slot = Slot(key); keys_[slot] != 0; slot = (slot + 1) & (kSlots - 1))
        if (keys_[slot] == key + 1) return index_[slot];
    return -1;
}

} // namespace pexa::gif
