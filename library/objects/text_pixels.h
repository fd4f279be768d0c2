// The arithmetic of the 3D text and bitmap kinds (portable): TextEXT's
// scales from the glyph metrics of an outline font, the block of list names
// a font takes, and the bytes glDrawPixels reads for a pixel rectangle.
#pragma once

#include <cstddef>
#include <cstdint>

namespace pexa {

// One glyph's metrics, laid out as the system's GLYPHMETRICSFLOAT.
struct GlyphMetric {
    float blackBoxX, blackBoxY;
    float originX, originY;
    float cellIncX, cellIncY;
};

struct TextScale {
    float x, y;
};

// TextEXT's scales for text (length characters, codes 0 to 255 indexing the
// 256 metrics): width over the sum of the advances, and height over the
// tallest glyph (0: the x scale). A width of 0 keeps the natural size. A
// text without advance or height (zero-metric characters, an empty text, no
// metrics) falls back to scale 1 where it would divide by 0.
TextScale OutlineTextScale(const char *text, size_t length, const GlyphMetric *metrics, float width,
                           float height);

// A font takes 256 list names from *next upward and advances *next past
// them. The names skip past the window's own scene list name (reserved), so
// a window numbered 1000 or more does not compile its scene over a glyph.
// False, and nothing taken, when the names would leave the int range.
bool TakeFontLists(int *next, unsigned reserved, int *base);

// Bytes glDrawPixels reads for a width x height rectangle of format and type
// with rows aligned to alignment bytes: the padded rows before the last and
// the last row itself (UINT64_MAX beyond that range). False for a format or
// type it does not know.
bool PixelRectangleBytes(int width, int height, unsigned format, unsigned type, int alignment,
                         uint64_t *bytes);

} // namespace pexa
