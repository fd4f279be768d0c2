// The arithmetic of the 2D overlay and the 3D text kinds: colour components,
// arc end points, text block corners, TextEXT scales, font list names and
// pixel rectangle sizes.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <vector>

#include "objects/overlay_geometry.h"
#include "objects/text_pixels.h"

namespace {

using namespace pexa;

// c(v) truncates and keeps the low 8 bits, wrapping above 1 and below 0 (a
// huge float is a multiple of 256); NaN and infinity give 0.
TEST(OverlayMath, ColorComponentTruncatesAndWraps) {
    const float v[] = {1.0f, 0.5f, 1.5f, -0.5f, -0.001f, 1e20f, NAN, INFINITY};
    const int expected[] = {255, 127, 126, 129, 0, 0, 0, 0};
    for (size_t i = 0; i < sizeof v / sizeof v[0]; ++i)
        EXPECT_EQ(ColorComponent(v[i]), expected[i]) << v[i];
    EXPECT_EQ(ColorRef(1.0f, 0.5f, 0.0f), 0x00007FFFu); // RGB(255, 127, 0)
}

// Box and end points of a start below the x axis (end points truncated
// toward zero), and of arguments no int holds. (The quarter circle: the Wine
// overlay test's picture.)
TEST(OverlayMath, CircleArcEndPoints) {
    const struct {
        ArcArgs arc;
        int expect[8];
    } cases[] = {
        {CircleArc(0, 0, 10, -90, 45), {-10, -10, 10, 10, 0, 10, 7, 7}},
        {CircleArc(INT_MAX, INT_MIN, INT_MAX, NAN, 1e30f),
         {0, INT_MIN, INT_MAX, INT_MIN + INT_MAX, INT_MAX, INT_MIN, INT_MAX, INT_MIN}},
    };
    for (const auto &c : cases) {
        const ArcArgs &a = c.arc;
        const int got[8] = {a.left, a.top, a.right, a.bottom, a.xStart, a.yStart, a.xEnd, a.yEnd};
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(got[i], c.expect[i]) << "argument " << i << " of case " << &c - cases;
    }
}

// Relative positions add with clamping at the ends of int; a relative move
// takes a text block's given corners along and leaves a right or bottom of 0
// or less standing for the client corner. (Relative lines and a text block
// in the client corner: the Wine overlay test's pictures.)
TEST(OverlayMath, RelativeCoordinatesAndTextBlockCorners) {
    EXPECT_EQ(AddClamped(INT_MAX, 1), INT_MAX);
    EXPECT_EQ(SubClamped(0, INT_MIN), INT_MAX);
    Rect2D r = TextBlockRect(10, 20, 0, 50, 220, 180, 5, 7);
    EXPECT_EQ((std::vector<int>{r.left, r.top, r.right, r.bottom}),
              (std::vector<int>{15, 27, 220, 57}));
}

// Height over the tallest glyph (0: the x scale); codes above 127 index the
// metrics unsigned; nothing to measure: scale 1. (Width over the advances and
// width 0, natural: the Wine overlay test's widths of "HH"; no text or no
// font: its bad input, which draws nothing.)
TEST(TextPixels, OutlineScales) {
    GlyphMetric m[256];
    std::memset(m, 0, sizeof m);
    m['A'].cellIncX = m['B'].cellIncX = 0.5f;
    m['A'].blackBoxY = 0.8f, m['B'].blackBoxY = 0.4f;
    m[200].cellIncX = 1.0f;
    const char high[] = {char(200), 0};
    const struct {
        TextScale s;
        float x, y;
    } cases[] = {
        {OutlineTextScale("AB", 2, m, 1.0f, 0.4f), 1, 0.5f},
        {OutlineTextScale(high, 1, m, 3.0f, 0), 3, 3},
        {OutlineTextScale("\x01\x02", 2, m, 2.0f, 1.0f), 1, 1},
    };
    for (const auto &c : cases) {
        EXPECT_FLOAT_EQ(c.s.x, c.x) << "case " << &c - cases;
        EXPECT_FLOAT_EQ(c.s.y, c.y) << "case " << &c - cases;
    }
}

// 256 names per font, skipping the scene's list; none taken past INT_MAX.
// (The first fonts' 1000, 1256, 1512: the Wine overlay test.)
TEST(TextPixels, FontListNames) {
    int next = 1256, base = 0;
    ASSERT_TRUE(TakeFontLists(&next, 1600, &base));
    EXPECT_EQ(base, 1256);
    ASSERT_TRUE(TakeFontLists(&next, 1600, &base));
    EXPECT_EQ(base, 1601);
    EXPECT_EQ(next, 1857);
    next = INT_MAX - 100;
    EXPECT_FALSE(TakeFontLists(&next, 1, &base));
    EXPECT_EQ(next, INT_MAX - 100);
}

TEST(TextPixels, PixelRectangleBytes) {
    const struct {
        int width, height;
        unsigned format, type;
        bool known;
        uint64_t bytes;
    } cases[] = {
        {2, 2, 0x80E0, 0x1401, true, 8 + 6},                  // BGR bytes: a padded row, then 6
        {3, 2, 0x1909, 0x1406, true, 12 + 12},                // luminance floats
        {17, 2, 0x1900, 0x1A00, true, 4 + 3},                 // bitmap: bits, rows of whole bytes
        {5, 1, 0x1907, 0x8363, true, 10},                     // packed 5-6-5
        {4, -2, 0x1907, 0x1401, true, 0},                     // glDrawPixels refuses it
        {4, 4, 0x1234, 0x1401, false, 0},                     // unknown format
        {4, 4, 0x1907, 0x1A00, false, 0},                     // bitmap type of a colour format
        {INT_MAX, INT_MAX, 0x1908, 0x1406, true, UINT64_MAX}, // held, not wrapped
    };
    for (const auto &c : cases) {
        uint64_t bytes = 99;
        EXPECT_EQ(PixelRectangleBytes(c.width, c.height, c.format, c.type, 4, &bytes), c.known)
            << c.width << "x" << c.height;
        EXPECT_EQ(bytes, c.bytes) << c.width << "x" << c.height;
    }
}

} // namespace
