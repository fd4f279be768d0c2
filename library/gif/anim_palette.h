// The palette step of the animated GIF writer, behind a small interface so
// that the way colours are chosen can change without touching the writer:
// ColorSamples gathers the colours a palette is to serve, ChoosePalette picks
// at most 256 of them, NearestColor maps pixels to the nearest entry.
// Today's choice: every colour exactly when there are few enough; otherwise
// the toolkit's median cut as the seed, topped up with the worst-served
// colours, then k-means passes that move each entry to the mean of the
// colours it serves. Distances are squared RGB differences, the measure of
// PSNR. Portable: no windows.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace pexa::gif {

// A palette colour, in the byte order of a 24-bit DIB.
struct Color {
    uint8_t blue, green, red;
    bool operator==(const Color &o) const {
        return blue == o.blue && green == o.green && red == o.red;
    }
};

// Counts and channel sums per cell of 6 bits a channel (so each cell's mean
// colour is exact), and the distinct colours themselves while they are few.
// Cells are kept in blocks of 64 made when first met, so that pictures of
// few colours cost little memory.
class ColorSamples {
  public:
    static constexpr uint32_t kExactLimit = 256;

    struct CellSums {
        uint64_t count, blue, green, red;
    };

    // Forgets every colour. Throws std::bad_alloc when there is no memory.
    void Reset();
    // One pixel: blue, green, red bytes. Throws std::bad_alloc when there is
    // no memory (the samples then stay usable).
    void Add(const uint8_t *bgr) {
        const uint32_t key = uint32_t(bgr[0]) | uint32_t(bgr[1]) << 8 | uint32_t(bgr[2]) << 16;
        if (key != lastKey_) {
            const uint32_t index =
                (key >> 2 & 0x3F) | (key >> 10 & 0x3F) << 6 | (key >> 18 & 0x3F) << 12;
            std::unique_ptr<CellSums[]> &block = blocks_[index >> 6];
            if (!block) block.reset(new CellSums[64]());
            lastCell_ = &block[index & 63];
            lastIndex_ = index;
            lastKey_ = key;
            if (exact_) NoteExact(key);
        }
        CellSums &c = *lastCell_;
        if (c.count == 0) occupied_.push_back(lastIndex_);
        ++c.count;
        c.blue += bgr[0];
        c.green += bgr[1];
        c.red += bgr[2];
    }
    // The distinct colours, when no more than kExactLimit occurred.
    bool exact() const { return exact_; }
    const std::vector<Color> &exactColors() const { return exactColors_; }

    // Cells by index blue | green << 6 | red << 12 (6 bits each).
    const CellSums &cell(uint32_t index) const { return blocks_[index >> 6][index & 63]; }
    const std::vector<uint32_t> &occupied() const { return occupied_; }

  private:
    void NoteExact(uint32_t key);

    std::vector<std::unique_ptr<CellSums[]>> blocks_;
    std::vector<uint32_t> occupied_;
    std::vector<uint32_t> exactKeys_; // open addressing, key + 1 (0 = empty)
    std::vector<Color> exactColors_;
    bool exact_ = true;
    uint32_t lastKey_ = 0xFFFFFFFFu, lastIndex_ = 0;
    CellSums *lastCell_ = nullptr;
};

// At most maxColors (1 to 256) colours for the samples. Throws
// std::bad_alloc when there is no memory.
std::vector<Color> ChoosePalette(const ColorSamples &samples, uint32_t maxColors);

// The entry nearest to a colour (squared RGB distance, lowest index on ties).
// The colour cube is cut into 32 x 32 x 32 cells; the second time a colour
// falls into a cell, the cell gets the list of entries that can be nearest
// to any colour inside it (those not farther from the cell than the cell's
// farthest corner is from the best entry), sorted by that distance, so a
// search looks at a few entries and stops early. A cell met once is
// searched plainly: scattered colours do not pay for lists. Recent answers
// are cached.
class NearestColor {
  public:
    // palette holds 1 to 256 entries. Throws std::bad_alloc when there is no
    // memory.
    explicit NearestColor(const std::vector<Color> &palette);
    uint8_t operator()(uint8_t blue, uint8_t green, uint8_t red) {
        const uint32_t key = uint32_t(blue) | uint32_t(green) << 8 | uint32_t(red) << 16;
        Slot &slot = cache_[(key * 2654435761u) >> (32 - kCacheBits)];
        if (slot.key != key + 1) {
            slot.key = key + 1;
            slot.index = Search(blue, green, red);
        }
        return slot.index;
    }
    // The entry equal to the colour, or -1.
    int Exact(const Color &c) {
        const uint8_t i = (*this)(c.blue, c.green, c.red);
        return palette_[i] == c ? i : -1;
    }

  private:
    static constexpr int kCacheBits = 15;
    struct Slot {
        uint32_t key; // colour + 1, 0 = empty
        uint8_t index;
    };
    struct Candidate {
        int32_t nearest; // squared distance from the cell
        uint8_t index;
    };
    struct CellList {
        uint32_t first = 0, count = 0; // in candidates_; count 0: not built yet
        bool met = false;              // searched once
    };
    uint8_t Search(int blue, int green, int red);
    void Build(CellList &cell, int blue, int green, int red);

    std::vector<Color> palette_;
    std::vector<Slot> cache_;
    std::vector<CellList> cells_;
    std::vector<Candidate> candidates_;
};

} // namespace pexa::gif
