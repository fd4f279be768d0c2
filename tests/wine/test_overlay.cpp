// The 2D overlay, fonts, texts and bitmaps as a window shows them: pixels
// read back after frames, boxes caught, GDI objects counted.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

#include "support/dib_test.h"
#include "support/scene_fixture.h"
#include "support/stdout_capture.h"

using namespace pexatest;

namespace {

bool Lit(uint32_t c) {
    return !Near(c, Rgb(0, 0, 0), 40);
}

// True when a pixel within one pixel of (x, y) is lit: GDI may place the
// pixels of an arc or line one off.
bool LitNear(const Capture &c, int x, int y) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (Lit(c.at(x + dx, y + dy))) return true;
    return false;
}

// Pixels of the rectangle [x0, x1) x [y0, y1) near colour.
int Count(const Capture &c, int x0, int y0, int x1, int y1, uint32_t colour) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            n += Near(c.at(x, y), colour, 60);
    return n;
}

// A 24-bit DIB of 2 x 2 pixels: bottom row red, green; top row blue, white.
HGLOBAL FourColours() {
    return DibFromBytes(MakeDibBytes(2, 2, 24, 0, BI_RGB,
                                     {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0}));
}

// Records the model-view matrix where it is drawn.
struct MatrixProbe : cObj {
    MatrixProbe() : cObj(0) {}
    void Draw() override { glGetFloatv(GL_MODELVIEW_MATRIX, m); }
    void DrawExtra() override {}
    float m[16] = {};
};

TEST_F(SceneTest, PositionsRelativeThenAbsoluteAndLine2DKeepsThePosition) {
    MoveTo2D(NULL, 100, 100);
    LineTo2D(NULL, 10, 0); // to (110, 100)
    LineTo2D(NULL, 0, 10); // to (110, 110)
    MoveTo2D(NULL, 40, 150);
    Line2D(NULL, 0, 0, 20, 0); // (40, 150) to (60, 150); the position stays
    LineTo2D(NULL, 0, 20);     // to (40, 170)
    Capture c = Frame();
    EXPECT_TRUE(Lit(c.at(105, 100)));
    EXPECT_TRUE(Lit(c.at(110, 105)));
    EXPECT_TRUE(Lit(c.at(50, 150)));
    EXPECT_TRUE(Lit(c.at(40, 160)));
    EXPECT_FALSE(LitNear(c, 70, 160)) << "LineTo2D started at the end of Line2D";

    EXPECT_EQ(RelToPos2D(0), 0);
    ClearList2D();
    MoveTo2D(NULL, 100, 100);
    LineTo2D(NULL, 10, 0); // to (10, 0)
    LineTo2D(NULL, 0, 10); // to (0, 10)
    c = Frame();
    EXPECT_TRUE(LitNear(c, 55, 50));
    EXPECT_TRUE(LitNear(c, 5, 5));
    EXPECT_FALSE(Lit(c.at(105, 100)));
}

TEST_F(SceneTest, RectangleCornersAreInclusiveAndCircleDrawsItsUpperRightQuarter) {
    Pen2D(NULL, CreatePen2D(1, 0, 0, 1, PS_SOLID));
    Brush2D(NULL, CreateBrush2D(0, 1, 0, BS_SOLID, 0));
    Rectangle2D(NULL, 10, 10, 20, 20);
    Circle2D(NULL, 120, 120, 40, 0, 90);
    Capture c = Frame();
    const uint32_t red = Rgb(255, 0, 0), green = Rgb(0, 255, 0);
    const struct {
        int x, y;
        uint32_t colour;
    } expected[] = {{10, 10, red},   {20, 20, red},   {20, 15, red},   {15, 20, red},
                    {11, 11, green}, {15, 15, green}, {19, 19, green}, {9, 9, 0},
                    {21, 21, 0},     {21, 15, 0},     {15, 21, 0}};
    for (const auto &e : expected)
        EXPECT_TRUE(Near(c.at(e.x, e.y), e.colour)) << e.x << "," << e.y << Hex(c.at(e.x, e.y));
    EXPECT_TRUE(LitNear(c, 148, 92)); // 45 degrees
    EXPECT_FALSE(LitNear(c, 92, 92)); // 135
    EXPECT_FALSE(LitNear(c, 92, 148));
    EXPECT_FALSE(LitNear(c, 148, 148));
}

TEST_F(SceneTest, TextTakesThePenAtSetTimeAndTextBlockReachesTheClientCorner) {
    Pen2D(NULL, CreatePen2D(1, 0, 0, 1, PS_SOLID));
    Text2D(NULL, "HHHH", 10, 10);
    Pen2D(NULL, CreatePen2D(0, 1, 0, 1, PS_SOLID)); // does not recolour the text
    // The given corner follows the position, the client corner stays.
    MoveTo2D(NULL, 30, 60);
    TextBlock2D(NULL, "W", 0, 0, 0, 0, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE);
    Capture c = Frame();
    EXPECT_GT(Count(c, 10, 10, 70, 40, Rgb(255, 0, 0)), 10);
    EXPECT_EQ(Count(c, 10, 10, 70, 40, Rgb(0, 255, 0)), 0);
    EXPECT_GT(Count(c, c.width - 30, c.height - 25, c.width, c.height, Rgb(0, 255, 0)), 5);
    EXPECT_EQ(Count(c, 0, 40, c.width - 30, c.height, Rgb(0, 255, 0)), 0);
}

TEST_F(SceneTest, Bitmap2DAtNaturalSizeAndStretchedWithTheWindow) {
    HGLOBAL dib = FourColours();
    Bitmap2D(NULL, dib, 10, 10, 0, 0, 0);
    Bitmap2D(NULL, dib, 50, 50, 100, 100, 1);
    Capture c = Frame();
    EXPECT_TRUE(Near(c.at(10, 11), Rgb(255, 0, 0))) << Hex(c.at(10, 11));
    EXPECT_TRUE(Near(c.at(11, 10), Rgb(255, 255, 255)));
    EXPECT_FALSE(Lit(c.at(12, 12)));
    EXPECT_TRUE(Near(c.at(149, 149), Rgb(0, 255, 0))) << Hex(c.at(149, 149));
    EXPECT_FALSE(Lit(c.at(151, 151)));
    SizeWind(wind, 20, 20, 320, 300);
    Capture big = Frame();
    int right = 149 + big.width - c.width, bottom = 149 + big.height - c.height;
    ASSERT_GT(right, 200);
    EXPECT_TRUE(Near(big.at(right, bottom), Rgb(0, 255, 0))) << Hex(big.at(right, bottom));
    EXPECT_FALSE(Lit(big.at(right + 2, bottom + 2)));
    GlobalFree(dib);
}

TEST_F(SceneTest, OverlayOverTheSceneAndOverAnEmptyScene) {
    Background(0, 0, 1);
    Brush2D(NULL, CreateBrush2D(1, 1, 0, BS_SOLID, 0));
    Rectangle2D(NULL, 100, 100, 120, 120);
    Capture c = Frame();
    EXPECT_TRUE(Near(c.at(110, 110), Rgb(255, 255, 0))) << Hex(c.at(110, 110));
    EXPECT_TRUE(Near(c.at(5, 5), Rgb(0, 0, 255))) << Hex(c.at(5, 5));
    Box(NULL, -1, -1, -1, 1, 1, 1);
    c = Frame();
    EXPECT_TRUE(Near(c.at(110, 110), Rgb(255, 255, 0)));
    uint32_t box = c.at(85, 110);
    EXPECT_TRUE(Lit(box) && !Near(box, Rgb(0, 0, 255))) << Hex(box);
}

TEST_F(SceneTest, FontsShareOneCounterAndTextsKeepTheMatrix) {
    HFONT font = CreateFont2D("Tahoma", 40, FW_BOLD, 0, 0);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(CreateFontBMP(font), 1000);
    EXPECT_EQ(CreateFontBMP(font), 1256);
    OutlineFont outline = CreateFontEXT(font, 0.0f, WGL_FONT_POLYGONS);
    EXPECT_EQ(outline.listBase, 1512);
    EXPECT_GT(outline.metrics['H'].gmfCellIncX, 0.1f);

    Disable(NULL, 1);
    Disable(NULL, 2);
    ColorRGB(NULL, 1, 0, 0);
    MatrixProbe *before = new MatrixProbe, *after = new MatrixProbe;
    SendPexaMsg(PEXA_MSG_INSERT_3D, WPARAM(static_cast<cObj *>(before)), 0);
    cObj *text = TextEXT(NULL, "HH", &outline, 0, 0);
    SendPexaMsg(PEXA_MSG_INSERT_3D, WPARAM(static_cast<cObj *>(after)), 0);
    // Drawn extent of "HH" in model units: the first advance, then the
    // second glyph's black box; a unit at the origin is height / (2 tan 22.5
    // deg x 5) pixels.
    const GLYPHMETRICSFLOAT &h = outline.metrics['H'];
    const float units = h.gmfCellIncX + h.gmfBlackBoxX;
    auto extent = [](const Capture &c) {
        int lo = c.width, hi = -1;
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                if (Near(c.at(x, y), Rgb(255, 0, 0), 60))
                    lo = std::min(lo, x), hi = std::max(hi, x);
        return hi - lo + 1;
    };
    Capture c = Frame();
    const float perUnit = float(c.height) / float(2 * std::tan(3.14159265 / 8) * 5);
    EXPECT_NEAR(extent(c), units * perUnit, 4) << "natural size";
    EXPECT_EQ(std::memcmp(before->m, after->m, sizeof before->m), 0);

    TextEXT(text, "HH", &outline, 2.0f, 0); // advances sum to 2 units
    c = Frame();
    EXPECT_NEAR(extent(c), units * perUnit * 2.0f / (2 * h.gmfCellIncX), 4) << "scaled";
    EXPECT_EQ(std::memcmp(before->m, after->m, sizeof before->m), 0);

    ClearList();
    Disable(NULL, 1);
    ColorRGB(NULL, 1, 0, 0);
    cObj *bitmapText = TextBMP(NULL, "HH", 0);
    c = Frame();
    EXPECT_EQ(Count(c, 0, 0, c.width, c.height, Rgb(255, 0, 0)), 0) << "list base 0";
    TextBMP(bitmapText, "HH", 1000);
    c = Frame();
    EXPECT_GT(Count(c, c.width / 2, 0, c.width, c.height / 2, Rgb(255, 0, 0)), 20);
}

TEST(Overlay, LiteBuildBuildsNoOutlineFont) {
    HMODULE lite = LoadLibraryA("pexab16.dll");
    ASSERT_NE(lite, nullptr);
    auto get = [&](const char *name) {
        return reinterpret_cast<void *>(GetProcAddress(lite, name));
    };
    auto create = reinterpret_cast<decltype(&CreateWind)>(get("CreateWind"));
    auto outline = reinterpret_cast<decltype(&CreateFontEXT)>(get("CreateFontEXT"));
    auto bitmapFont = reinterpret_cast<decltype(&CreateFontBMP)>(get("CreateFontBMP"));
    auto remove = reinterpret_cast<decltype(&DeleteWind)>(get("DeleteWind"));
    ASSERT_TRUE(create && outline && bitmapFont && remove);
    void *w = create(" lite fonts", 160, 120, 30, 30, nullptr, 0, WS_POPUP);
    ASSERT_NE(w, nullptr);
    HFONT font = HFONT(GetStockObject(ANSI_VAR_FONT));
    OutlineFont none = outline(font, 0.25f, WGL_FONT_LINES);
    EXPECT_EQ(none.listBase, 0);
    EXPECT_EQ(none.extrusion, 0.25f);
    EXPECT_EQ(bitmapFont(font), 1000) << "the counter is unchanged";
    remove(w);
}

TEST_F(SceneTest, ZoomedBitmapDrawsEveryPixelAsATwoByTwoBlock) {
    Disable(NULL, 1);
    HGLOBAL dib = FourColours();
    Bitmap(NULL, dib, 2.0f, 0, GL_BGR_EXT, GL_UNSIGNED_BYTE);
    Capture c = Frame();
    int x0 = c.width, y0 = c.height, x1 = -1, y1 = -1;
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x)
            if (Lit(c.at(x, y)))
                x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = y;
    ASSERT_EQ(x1 - x0, 3);
    ASSERT_EQ(y1 - y0, 3);
    const uint32_t quarters[2][2] = {{Rgb(0, 0, 255), Rgb(255, 255, 255)},
                                     {Rgb(255, 0, 0), Rgb(0, 255, 0)}}; // top row first
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_TRUE(Near(c.at(x0 + x, y0 + y), quarters[y / 2][x / 2])) << x << "," << y;
    ClearList();
    GlobalFree(dib);
}

TEST_F(SceneTest, BadInputDrawsNothingAndReportsWhatTheUserMustKnow) {
    MessageBoxCatcher boxes;
    StdoutCapture out;
    POINT points[3] = {{1, 1}, {50, 50}, {90, 10}};
    for (cObj *o : {Text2D(NULL, NULL, 0, 0), TextBlock2D(NULL, NULL, 0, 0, 0, 0, 0),
                    PolyLine2D(NULL, points, -1, 0), PolyBezier2D(NULL, points, 0, 1),
                    Polygon2D(NULL, NULL, 3, ALTERNATE), TextBMP(NULL, NULL, 1000),
                    TextEXT(NULL, NULL, NULL, 2, 1), TextEXT(NULL, "\x01", NULL, 2, 0)})
        EXPECT_NE(o, nullptr);
    EXPECT_TRUE(boxes.texts().empty());
    EXPECT_NE(PolyLine2D(NULL, points, INT_MAX, 0), nullptr);
    EXPECT_NE(PolyBezier2D(NULL, points, INT_MAX, 1), nullptr);
    EXPECT_NE(Polygon2D(NULL, points, INT_MAX, WINDING), nullptr);
    EXPECT_NE(Bitmap2D(NULL, NULL, 0, 0, 0, 0, 1), nullptr);
    const std::vector<std::string> expected = {
        "Error in cPolyLine2D: Allocation failed", "Error in cPolyBezier2D: Allocation failed",
        "Error in cPolygon2D: Allocation failed", "DIBtoDDB: No DIB passed!"};
    EXPECT_EQ(boxes.texts(), expected);
    for (const CaughtBox &b : boxes.boxes())
        EXPECT_EQ(b.caption, "Error Message");
    HGLOBAL dib = FourColours(); // 2 x 2 x 3 bytes, not 2 x 2 x 16
    EXPECT_NE(Bitmap(NULL, NULL, 1, 0, GL_BGR_EXT, GL_UNSIGNED_BYTE), nullptr);
    EXPECT_NE(Bitmap(NULL, dib, 1, 0, GL_RGBA, GL_FLOAT), nullptr);
    const std::string refused = "\n Bitmap: the DIB is missing or holds fewer pixels than its "
                                "size, format and type need; it is not drawn.";
    EXPECT_EQ(out.take(), refused + refused);
    Capture c = Frame();
    EXPECT_EQ(Count(c, 0, 0, c.width, c.height, Rgb(255, 255, 255)), 0);
    GlobalFree(dib);
}

// Every GDI object the library makes goes with its object or window.
TEST_F(SceneTest, CreateAndDeleteCyclesKeepTheGdiCountFlat) {
    HGLOBAL dib = FourColours();
    auto cycle = [&] {
        HPEN pen = CreatePen2D(1, 0, 0, 1, PS_SOLID);
        cObj *objects[] = {Pen2D(NULL, pen), Bitmap2D(NULL, dib, 0, 0, 0, 0, 0),
                           Text2D(NULL, "x", 5, 5)};
        for (cObj *o : objects)
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
    const int end = GdiObjectCount();
    EXPECT_GT(start, 0);
    EXPECT_LE(end, start + 4);
    GlobalFree(dib);
}

} // namespace
