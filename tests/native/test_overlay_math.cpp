// The arithmetic of the 2D overlay and the 3D text kinds: colour components,
// arc end points, text block corners, TextEXT scales, font list names and
// pixel rectangle sizes.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>

#include "objects/overlay_geometry.h"
#include "objects/text_pixels.h"

namespace {

using namespace pexa;

TEST(OverlayMath, ColorComponentTruncatesAndWraps) {
    const struct {
        float v;
        int expected;
    } cases[] = {{1.0f, 255},
                 {0.5f, 127},
                 {0.0f, 0},
                 {0.999f, 254},
                 {1.5f, 126},
                 {2.0f, 254},
                 {-0.5f, 129},
                 {-0.001f, 0},
                 {1e20f, 0},
                 {std::numeric_limits<float>::quiet_NaN(), 0},
                 {std::numeric_limits<float>::infinity(), 0}};
    for (const auto &c : cases)
        EXPECT_EQ(ColorComponent(c.v), c.expected) << c.v;
    EXPECT_EQ(ColorRef(1.0f, 0.5f, 0.0f), 0x00007FFFu); // RGB(255, 127, 0)
}

TEST(OverlayMath, CircleArcEndPoints) {
    ArcArgs q = CircleArc(100, 100, 50, 0, 90); // the upper-right quarter
    EXPECT_EQ(q.left, 50);
    EXPECT_EQ(q.top, 50);
    EXPECT_EQ(q.right, 150);
    EXPECT_EQ(q.bottom, 150);
    EXPECT_EQ(q.xStart, 150);
    EXPECT_EQ(q.yStart, 100);
    EXPECT_EQ(q.xEnd, 100);
    EXPECT_EQ(q.yEnd, 50);
    ArcArgs full = CircleArc(0, 0, 10, 30, 360); // start and end meet
    EXPECT_EQ(full.xStart, full.xEnd);
    EXPECT_EQ(full.yStart, full.yEnd);
    ArcArgs below = CircleArc(0, 0, 10, -90, 45); // truncated toward zero
    EXPECT_EQ(below.xStart, 0);
    EXPECT_EQ(below.yStart, 10);
    EXPECT_EQ(below.xEnd, 7);
    EXPECT_EQ(below.yEnd, 7);
    ArcArgs huge = CircleArc(INT_MAX, INT_MIN, INT_MAX, std::nanf(""), 1e30f);
    EXPECT_EQ(huge.right, INT_MAX);
    EXPECT_EQ(huge.top, INT_MIN);
    EXPECT_EQ(huge.xStart, INT_MAX); // the centre: no angle
}

TEST(OverlayMath, RelativeCoordinatesAndTextBlockCorners) {
    EXPECT_EQ(AddClamped(100, 10), 110);
    EXPECT_EQ(AddClamped(INT_MAX, 1), INT_MAX);
    EXPECT_EQ(AddClamped(INT_MIN, -1), INT_MIN);
    EXPECT_EQ(SubClamped(300, 100), 200);
    EXPECT_EQ(SubClamped(0, INT_MIN), INT_MAX);
    Rect2D r = TextBlockRect(10, 20, 0, -5, 220, 180, 0, 0);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right, 220);
    EXPECT_EQ(r.bottom, 180);
    // Relative: the given corners move, the client corner stays.
    r = TextBlockRect(10, 20, 0, 50, 220, 180, 5, 7);
    EXPECT_EQ(r.left, 15);
    EXPECT_EQ(r.top, 27);
    EXPECT_EQ(r.right, 220);
    EXPECT_EQ(r.bottom, 57);
}

TEST(TextPixels, OutlineScales) {
    GlyphMetric m[256];
    std::memset(m, 0, sizeof m);
    m['A'].cellIncX = 0.5f;
    m['A'].blackBoxY = 0.8f;
    m['B'].cellIncX = 0.5f;
    m['B'].blackBoxY = 0.4f;
    m[200].cellIncX = 1.0f; // codes above 127 index the metrics unsigned
    TextScale s = OutlineTextScale("AB", 2, m, 2.0f, 0);
    EXPECT_FLOAT_EQ(s.x, 2.0f);
    EXPECT_FLOAT_EQ(s.y, 2.0f);
    s = OutlineTextScale("AB", 2, m, 0, 0);
    EXPECT_FLOAT_EQ(s.x, 1.0f);
    EXPECT_FLOAT_EQ(s.y, 1.0f);
    s = OutlineTextScale("AB", 2, m, 1.0f, 0.4f);
    EXPECT_FLOAT_EQ(s.x, 1.0f);
    EXPECT_FLOAT_EQ(s.y, 0.5f);
    const char high[] = {char(200), 0};
    EXPECT_FLOAT_EQ(OutlineTextScale(high, 1, m, 3.0f, 0).x, 3.0f);
    // Zero-metric characters, an empty text, no text, no metrics: scale 1.
    for (TextScale z :
         {OutlineTextScale("\x01\x02", 2, m, 2.0f, 1.0f), OutlineTextScale("", 0, m, 2.0f, 1.0f),
          OutlineTextScale(nullptr, 5, m, 2.0f, 1.0f),
          OutlineTextScale("AB", 2, nullptr, 2.0f, 1.0f)}) {
        EXPECT_FLOAT_EQ(z.x, 1.0f);
        EXPECT_FLOAT_EQ(z.y, 1.0f);
    }
}

TEST(TextPixels, FontListNames) {
    int next = 1000, base = 0;
    ASSERT_TRUE(TakeFontLists(&next, 1, &base));
    EXPECT_EQ(base, 1000);
    ASSERT_TRUE(TakeFontLists(&next, 1, &base));
    EXPECT_EQ(base, 1256);
    EXPECT_EQ(next, 1512);
    ASSERT_TRUE(TakeFontLists(&next, 1600, &base)); // skips the scene's list
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
        {4, 3, 0x1908, 0x1401, true, 48},                     // RGBA bytes
        {3, 2, 0x1909, 0x1406, true, 12 + 12},                // luminance floats
        {17, 2, 0x1900, 0x1A00, true, 4 + 3},                 // bitmap: bits, rows of whole bytes
        {5, 1, 0x1907, 0x8363, true, 10},                     // packed 5-6-5
        {0, 9, 0x1907, 0x1401, true, 0},                      // nothing to read
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
