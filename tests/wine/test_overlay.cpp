// The 2D overlay, fonts, texts and bitmaps as a window shows them: pixels
// read back after frames, boxes caught, GDI objects counted.
#include <algorithm>
#include <climits>

#include "support/dib_test.h"
#include "support/scene_fixture.h"
#include "support/stdout_capture.h"

using namespace pexatest;

namespace {

const uint32_t kRed = Rgb(255, 0, 0), kGreen = Rgb(0, 255, 0), kBlack = 0, kWhite = 0xFFFFFF;

// Pixels of the rectangle [x0, x1) x [y0, y1) near colour.
int Count(const Capture &c, int x0, int y0, int x1, int y1, uint32_t colour) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            n += Near(c.at(x, y), colour, 60);
    return n;
}

// Whether (x, y), or with slack 1 a pixel next to it, shows colour: GDI may
// place the pixels of an arc or line one off.
bool Shows(const Capture &c, int x, int y, uint32_t colour, int slack = 0) {
    return Count(c, x - slack, y - slack, x + slack + 1, y + slack + 1, colour) > 0;
}

// A 24-bit DIB of 2 x 2 pixels: bottom row red, green; top row blue, white.
HGLOBAL FourColours() {
    return DibFromBytes(MakeDibBytes(2, 2, 24, 0, BI_RGB,
                                     {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0}));
}

TEST_F(SceneTest, PositionsRelativeThenAbsoluteAndLine2DKeepsThePosition) {
    MoveTo2D(NULL, 100, 100);
    LineTo2D(NULL, 10, 0); // to (110, 100)
    LineTo2D(NULL, 0, 10); // to (110, 110)
    MoveTo2D(NULL, 40, 150);
    Line2D(NULL, 0, 0, 20, 0); // (40, 150) to (60, 150); the position stays
    LineTo2D(NULL, 0, 20);     // to (40, 170)
    Capture c = Frame();
    for (POINT p : {POINT{105, 100}, POINT{110, 105}, POINT{50, 150}, POINT{40, 160}})
        EXPECT_TRUE(Shows(c, p.x, p.y, kWhite)) << p.x << "," << p.y;
    EXPECT_FALSE(Shows(c, 70, 160, kWhite, 1)) << "LineTo2D started at the end of Line2D";

    EXPECT_EQ(RelToPos2D(0), 0);
    ClearList2D();
    MoveTo2D(NULL, 100, 100);
    LineTo2D(NULL, 10, 0); // to (10, 0)
    c = Frame();
    EXPECT_TRUE(Shows(c, 55, 50, kWhite, 1));
    EXPECT_TRUE(Shows(c, 105, 100, kBlack));
}

// Over a box in the scene. The text is red: the pen when it was set. The
// text block's given corner follows the position, its client corner stays
// the client area's, also after a resize.
TEST_F(SceneTest, RectangleCornersCircleQuarterAndTextColoursOverTheScene) {
    Box(NULL, -1, -1, -1, 1, 1, 1);
    Pen2D(NULL, CreatePen2D(1, 0, 0, 1, PS_SOLID));
    Brush2D(NULL, CreateBrush2D(0, 1, 0, BS_SOLID, 0));
    Rectangle2D(NULL, 10, 10, 20, 20);
    Circle2D(NULL, 120, 120, 40, 0, 90);
    Text2D(NULL, "HHHH", 10, 40);
    Pen2D(NULL, CreatePen2D(0, 1, 0, 1, PS_SOLID));
    MoveTo2D(NULL, 30, 60);
    TextBlock2D(NULL, "W", 0, 0, 0, 0, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE);
    Capture c = Frame();
    const struct {
        int x, y;
        uint32_t colour;
    } expected[] = {{10, 10, kRed}, {20, 20, kRed},   {20, 15, kRed},  {15, 15, kGreen},
                    {9, 9, kBlack}, {21, 21, kBlack}, {21, 15, kBlack}};
    for (const auto &e : expected)
        EXPECT_TRUE(Near(c.at(e.x, e.y), e.colour)) << e.x << "," << e.y << Hex(c.at(e.x, e.y));
    // Of the points at 45, 135, 225 and 315 degrees only the first is drawn.
    for (POINT p : {POINT{148, 92}, POINT{92, 92}, POINT{92, 148}, POINT{148, 148}})
        EXPECT_EQ(Shows(c, p.x, p.y, kRed, 1), p.x > 120 && p.y < 120) << p.x << "," << p.y;
    EXPECT_GT(Count(c, 10, 40, 70, 70, kRed), 10);
    EXPECT_EQ(Count(c, 0, 40, c.width - 30, c.height, kGreen), 0);
    EXPECT_GT(Count(c, c.width - 30, c.height - 25, c.width, c.height, kGreen), 5);
    EXPECT_FALSE(Near(c.at(110, 130), kBlack, 40)) << "the box under the overlay";
    // The block's client corner is the window's, whatever its size.
    SizeWind(wind, 20, 20, 320, 300);
    const Capture big = Frame();
    ASSERT_GT(big.width, c.width + 50);
    EXPECT_GT(Count(big, big.width - 30, big.height - 25, big.width, big.height, kGreen), 5);
    EXPECT_EQ(Count(big, 0, 40, big.width - 30, big.height, kGreen), 0);
}

TEST_F(SceneTest, Bitmap2DAtNaturalSizeAndStretchedWithTheWindow) {
    HGLOBAL dib = FourColours();
    Bitmap2D(NULL, dib, 10, 10, 0, 0, 0);
    Bitmap2D(NULL, dib, 50, 50, 100, 100, 1);
    Capture c = Frame();
    EXPECT_TRUE(Near(c.at(10, 11), kRed) && Near(c.at(11, 10), kWhite));
    EXPECT_TRUE(Shows(c, 12, 12, kBlack));
    EXPECT_TRUE(Near(c.at(149, 149), kGreen)) << Hex(c.at(149, 149));
    EXPECT_TRUE(Shows(c, 151, 151, kBlack));
    SizeWind(wind, 20, 20, 320, 300);
    Capture big = Frame();
    int right = 149 + big.width - c.width, bottom = 149 + big.height - c.height;
    ASSERT_GT(right, 200);
    EXPECT_TRUE(Near(big.at(right, bottom), kGreen)) << Hex(big.at(right, bottom));
    EXPECT_TRUE(Shows(big, right + 2, bottom + 2, kBlack));
    GlobalFree(dib);
}

TEST_F(SceneTest, ZoomedBitmapDrawsEveryPixelAsATwoByTwoBlock) {
    Disable(NULL, 1);
    HGLOBAL dib = FourColours();
    Bitmap(NULL, dib, 2.0f, 0, GL_BGR_EXT, GL_UNSIGNED_BYTE);
    Capture c = Frame();
    int x0 = c.width, y0 = c.height, x1 = -1, y1 = -1;
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x)
            if (!Near(c.at(x, y), kBlack, 40))
                x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = x, y1 = y;
    ASSERT_EQ(x1 - x0, 3);
    ASSERT_EQ(y1 - y0, 3);
    const uint32_t quarters[2][2] = {{Rgb(0, 0, 255), kWhite}, {kRed, kGreen}}; // top row first
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_TRUE(Near(c.at(x0 + x, y0 + y), quarters[y / 2][x / 2])) << x << "," << y;
    ClearList();
    GlobalFree(dib);
}

// Width in pixels of what shows in red.
int RedWidth(const Capture &c) {
    int lo = c.width, hi = -1;
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x)
            if (Near(c.at(x, y), kRed, 60)) lo = std::min(lo, x), hi = std::max(hi, x);
    return hi - lo + 1;
}

TEST_F(SceneTest, FontsShareOneCounterAndTextsKeepTheMatrix) {
    HFONT font = CreateFont2D("Tahoma", 40, FW_BOLD, 0, 0);
    HFONT other = CreateFont2D("Tahoma", 20, FW_BOLD, 0, 0);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(CreateFontBMP(font), 1000);
    EXPECT_EQ(CreateFontBMP(other), 1256);
    EXPECT_EQ(CreateFontBMP(font), 1000) << "an equal font gets its lists again";
    OutlineFont outline = CreateFontEXT(font, 0.0f, WGL_FONT_POLYGONS);
    EXPECT_EQ(outline.listBase, 1512);

    Disable(NULL, 1);
    Disable(NULL, 2);
    ColorRGB(NULL, 1, 0, 0);
    cObj *text = TextEXT(NULL, "HH", &outline, 2.0f, 0); // advances sum to 2 units
    ColorRGB(NULL, 0, 1, 0);                             // where the matrix before the text puts it
    Box(NULL, 1.5f, 1.5f, 0, 2, 2, 0.1f);
    // Drawn width of "HH": the first advance, then the second glyph's black
    // box, in units of one advance.
    const GLYPHMETRICSFLOAT &h = outline.metrics['H'];
    Capture c = Frame();
    EXPECT_NEAR(RedWidth(c), (h.gmfCellIncX + h.gmfBlackBoxX) / h.gmfCellIncX * PerUnit(c), 4);
    EXPECT_TRUE(Near(At(c, 1.75, 1.75), kGreen)) << Hex(At(c, 1.75, 1.75));
    TextEXT(text, "HH", &outline, 0, 0); // natural size: one unit per em
    EXPECT_NEAR(RedWidth(Frame()), (h.gmfCellIncX + h.gmfBlackBoxX) * PerUnit(c), 4);

    ClearList();
    Disable(NULL, 1);
    ColorRGB(NULL, 1, 0, 0);
    cObj *bitmapText = TextBMP(NULL, "HH", 0);
    c = Frame();
    EXPECT_EQ(Count(c, 0, 0, c.width, c.height, kRed), 0) << "list base 0";
    TextBMP(bitmapText, "HH", 1000);
    c = Frame();
    EXPECT_GT(Count(c, c.width / 2, 0, c.width, c.height / 2, kRed), 20);
}

TEST_F(SceneTest, BadInputDrawsNothingAndReportsWhatTheUserMustKnow) {
    MessageBoxCatcher boxes;
    StdoutCapture out;
    POINT points[3] = {{1, 1}, {50, 50}, {90, 10}};
    HGLOBAL dib = FourColours(); // 2 x 2 x 3 bytes, not 2 x 2 x 16
    // Null texts and points, and counts below 0 or 1, quietly; too many
    // points, a null DIB and a DIB too small for its format, with a word why.
    for (cObj *o : {Text2D(NULL, NULL, 0, 0), TextBlock2D(NULL, NULL, 0, 0, 0, 0, 0),
                    PolyLine2D(NULL, points, -1, 0), PolyBezier2D(NULL, points, 0, 1),
                    Polygon2D(NULL, NULL, 3, ALTERNATE), TextBMP(NULL, NULL, 1000),
                    TextEXT(NULL, NULL, NULL, 2, 1), TextEXT(NULL, "\x01", NULL, 2, 0),
                    PolyLine2D(NULL, points, INT_MAX, 0), PolyBezier2D(NULL, points, INT_MAX, 1),
                    Polygon2D(NULL, points, INT_MAX, WINDING), Bitmap2D(NULL, NULL, 0, 0, 0, 0, 1),
                    Bitmap(NULL, NULL, 1, 0, GL_BGR_EXT, GL_UNSIGNED_BYTE),
                    Bitmap(NULL, dib, 1, 0, GL_RGBA, GL_FLOAT)})
        EXPECT_NE(o, nullptr);
    const std::vector<std::string> expected = {
        "Error in cPolyLine2D: Allocation failed", "Error in cPolyBezier2D: Allocation failed",
        "Error in cPolygon2D: Allocation failed", "DIBtoDDB: No DIB passed!"};
    EXPECT_EQ(boxes.texts(), expected);
    for (const CaughtBox &b : boxes.boxes())
        EXPECT_EQ(b.caption, "Error Message");
    const std::string refused = "\n Bitmap: the DIB is missing or holds fewer pixels than its "
                                "size, format and type need; it is not drawn.";
    EXPECT_EQ(out.take(), refused + refused);
    Capture c = Frame();
    EXPECT_EQ(Count(c, 0, 0, c.width, c.height, kWhite), 0);
    GlobalFree(dib);
}

// Every GDI object the library makes goes with its object or window.
TEST_F(SceneTest, CreateAndDeleteCyclesKeepTheGdiCountFlat) {
    HGLOBAL dib = FourColours();
    auto cycle = [&] {
        HPEN pen = CreatePen2D(1, 0, 0, 1, PS_SOLID);
        for (cObj *o :
             {Pen2D(NULL, pen), Bitmap2D(NULL, dib, 0, 0, 0, 0, 0), Text2D(NULL, "x", 5, 5)})
            DelObj2D(o);
        DeleteCreated2D(pen);
    };
    auto windowCycle = [&] {
        void *w = CreateWind(" gdi cycle", 120, 100, 300, 20);
        Pen2D(NULL, CreatePen2D(0, 1, 0, 2, PS_SOLID));
        Brush2D(NULL, CreateBrush2D(0, 0, 1, BS_HATCHED, HS_CROSS));
        Font2D(NULL, CreateFont2D("Tahoma", 12, FW_NORMAL, 1, 1));
        Bitmap2D(NULL, dib, 0, 0, 0, 0, 0);
        Background(1, 0, 0);
        DeleteWind(w);
        CurrentWind(wind);
    };
    cycle(); // first use of each kind
    windowCycle();
    const int start = GdiObjectCount();
    for (int i = 0; i < 1000; ++i)
        cycle();
    for (int i = 0; i < 20; ++i)
        windowCycle();
    EXPECT_GT(start, 0);
    EXPECT_LE(GdiObjectCount(), start + 4);
    GlobalFree(dib);
}

} // namespace
