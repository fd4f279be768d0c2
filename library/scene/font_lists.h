// The fonts a window has built into display lists (CreateFontBMP,
// CreateFontEXT): 256 glyph lists each, found again by the font's
// description. A font equal to one built before (the same face, size and
// style, and for outline glyphs the same extrusion and format) gets the
// lists built before, with their metrics: a program that makes the same
// font again and again keeps one set of lists instead of growing by
// hundreds of kilobytes a call. The lists live as long as the window's
// context. Library thread only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <unordered_map>

namespace pexa {

class FontLists {
  public:
    struct Font {
        int base = 0;        // the first of its 256 lists
        std::string metrics; // outline glyphs: their metrics as built
    };
    // The font built before under key, or null.
    const Font *Find(const std::string &key) const {
        auto it = byKey_.find(key);
        return it == byKey_.end() ? nullptr : &it->second;
    }
    void Add(const std::string &key, int base, std::string metrics = {}) {
        byKey_[key] = Font{base, std::move(metrics)};
        bases_.insert(uint32_t(base));
    }
    // Whether base is the first list of a font (all 256 names from it on
    // are glyphs).
    bool IsBase(uint32_t base) const { return bases_.count(base) != 0; }
    // Whether name is one of the glyph lists of a font.
    bool IsGlyph(uint32_t name) const {
        auto it = bases_.upper_bound(name);
        return it != bases_.begin() && name - *--it < kGlyphs;
    }

    static constexpr uint32_t kGlyphs = 256;

  private:
    std::unordered_map<std::string, Font> byKey_;
    std::set<uint32_t> bases_;
};

} // namespace pexa
