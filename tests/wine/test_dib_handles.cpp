// DIB handles as a program uses them: the header accessors, colour table and
// bits of a locked header, palettes, drawing DIBs and device-dependent
// bitmaps, the conversions between the two, copying, the capture of a scene
// window, and the error box of every failure.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "pexa.h"
#include "support/dib_test.h"
#include "support/pexa_test.h"

using namespace pexatest;

namespace {

// A 24-bit DIB of w x h pixels, colour(x, y) given top row first.
template <class Colour> HGLOBAL TrueColorDib(int w, int h, Colour colour) {
    const size_t rowBytes = ((size_t(w) * 24 + 31) / 32) * 4;
    std::vector<uint8_t> bits(rowBytes * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t c = colour(x, y);
            uint8_t *p = &bits[(h - 1 - y) * rowBytes + 3 * x]; // bottom-up rows
            p[0] = uint8_t(Blue(c));
            p[1] = uint8_t(Green(c));
            p[2] = uint8_t(Red(c));
        }
    return DibFromBytes(MakeDibBytes(w, h, 24, 0, BI_RGB, bits));
}

uint32_t Quadrant(int x, int y) {
    static const uint32_t colours[4] = {Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(0, 0, 255),
                                        Rgb(255, 255, 0)};
    return colours[(y > 0 ? 2 : 0) + (x > 0 ? 1 : 0)];
}

// A memory context with a 32-bit top-down DIB section of w x h, cleared to grey.
struct Canvas {
    HDC dc = nullptr;
    HBITMAP section = nullptr;
    HGDIOBJ old = nullptr;
    uint32_t *pixels = nullptr;
    int width, height;
    Canvas(int w, int h) : width(w), height(h) {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        dc = CreateCompatibleDC(nullptr);
        void *bits = nullptr;
        section = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        pixels = static_cast<uint32_t *>(bits);
        old = SelectObject(dc, section);
        for (int i = 0; i < w * h; ++i)
            pixels[i] = 0x808080;
    }
    ~Canvas() {
        SelectObject(dc, old);
        DeleteObject(section);
        DeleteDC(dc);
    }
    uint32_t at(int x, int y) {
        GdiFlush();
        return pixels[y * width + x] & 0xFFFFFF;
    }
};

// A device-dependent bitmap of the screen, w x h, painted by quadrants.
HBITMAP QuadrantBitmap(int w, int h) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t c = Quadrant(x >= w / 2, y >= h / 2);
            SetPixel(memory, x, y, RGB(Red(c), Green(c), Blue(c)));
        }
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

TEST(DibHandles, AccessorsReadTheHeader) {
    std::vector<uint8_t> bytes = MakeDibBytes(7, -5, 8, 20);
    HGLOBAL dib = DibFromBytes(bytes);
    MessageBoxCatcher boxes;
    EXPECT_EQ(GetDIBWidth(dib), 7);
    EXPECT_EQ(GetDIBHeight(dib), 5); // top-down: still positive
    EXPECT_EQ(GetDIBBitPerPixel(dib), 8);
    EXPECT_EQ(GetDIBXPelsPerMeter(dib), 2953);
    EXPECT_EQ(GetDIBYPelsPerMeter(dib), 2953);
    EXPECT_EQ(SetDIBXPelsPerMeter(dib, 3780), 1);
    EXPECT_EQ(SetDIBYPelsPerMeter(dib, 1234), 1);
    EXPECT_EQ(GetDIBXPelsPerMeter(dib), 3780);
    EXPECT_EQ(GetDIBYPelsPerMeter(dib), 1234);
    EXPECT_EQ(HeaderOf(dib).biHeight, -5); // the accessors change nothing else
    EXPECT_TRUE(boxes.texts().empty());
    // Every accessor unlocks what it locked.
    EXPECT_EQ(GlobalFlags(dib) & GMEM_LOCKCOUNT, 0u);
    GlobalFree(dib);
}

TEST(DibHandles, AccessorsOfNoDibShowTheirBoxes) {
    MessageBoxCatcher boxes;
    EXPECT_EQ(GetDIBWidth(nullptr), 0);
    EXPECT_EQ(GetDIBHeight(nullptr), 0);
    EXPECT_EQ(GetDIBBitPerPixel(nullptr), 0);
    EXPECT_EQ(GetDIBXPelsPerMeter(nullptr), 0);
    EXPECT_EQ(GetDIBYPelsPerMeter(nullptr), 0);
    EXPECT_EQ(SetDIBXPelsPerMeter(nullptr, 1), 0);
    EXPECT_EQ(SetDIBYPelsPerMeter(nullptr, 1), 0);
    EXPECT_EQ(boxes.texts(),
              (std::vector<std::string>{
                  "GetDIBWidth: No DIB passed!", "GetDIBHeight: No DIB passed!",
                  "GetDIBBitPerPixel: No DIB passed!", "GetDIBXPelsPerMeter: No DIB passed!",
                  "GetDIBYPelsPerMeter: No DIB passed!", "SetDIBXPelsPerMeter: No DIB passed!",
                  "SetDIBYPelsPerMeter: No DIB passed!"}));
    for (const CaughtBox &b : boxes.boxes()) {
        EXPECT_EQ(b.caption, "Error Message");
        EXPECT_FALSE(b.hasOwner);
    }
}

TEST(DibHandles, BlockTooSmallForAHeaderCountsAsNoDib) {
    HGLOBAL tiny = GlobalAlloc(GHND, 12);
    MessageBoxCatcher boxes;
    EXPECT_EQ(GetDIBWidth(tiny), 0);
    EXPECT_EQ(boxes.texts(), (std::vector<std::string>{"GetDIBWidth: No DIB passed!"}));
    EXPECT_EQ(GlobalFlags(tiny) & GMEM_LOCKCOUNT, 0u);
    GlobalFree(tiny);
}

TEST(DibHandles, ColorsInPaletteFollowClrUsedThenDepth) {
    std::vector<uint8_t> h24 = MakeDibBytes(1, 1, 24, 0);
    std::vector<uint8_t> h8 = MakeDibBytes(1, 1, 8, 20);
    std::vector<uint8_t> h4 = MakeDibBytes(1, 1, 4, 0);
    std::vector<uint8_t> h1 = MakeDibBytes(1, 1, 1, 0);
    EXPECT_EQ(GetColorsInPalette(h24.data()), 0u);
    EXPECT_EQ(GetColorsInPalette(h8.data()), 20u);
    EXPECT_EQ(GetColorsInPalette(h4.data()), 16u);
    EXPECT_EQ(GetColorsInPalette(h1.data()), 2u);
    MessageBoxCatcher boxes;
    EXPECT_EQ(GetColorsInPalette(nullptr), 0u);
    EXPECT_EQ(GetColorsInPalette(reinterpret_cast<void *>(16)), 0u); // unreadable
    EXPECT_EQ(GetDIBBits(nullptr), nullptr);
    EXPECT_EQ(GetDIBBits(reinterpret_cast<void *>(16)), nullptr);
    EXPECT_TRUE(boxes.texts().empty());
}

TEST(DibHandles, BitsLieBehindTableAndMasks) {
    std::vector<uint8_t> fields = MakeDibBytes(2, 2, 16, 0, BI_BITFIELDS);
    EXPECT_EQ(GetDIBBits(fields.data()), fields.data() + 52);
    std::vector<uint8_t> h8 = MakeDibBytes(2, 2, 8, 0);
    EXPECT_EQ(GetDIBBits(h8.data()), h8.data() + 40 + 1024);
    std::vector<uint8_t> h24 = MakeDibBytes(2, 2, 24, 0);
    EXPECT_EQ(GetDIBBits(h24.data()), h24.data() + 40);
}

TEST(DibHandles, TrueColorDibGetsTheFixedPalette) {
    HGLOBAL dib = DibFromBytes(MakeDibBytes(2, 2, 24, 0));
    HPALETTE palette = CreateDIBPalette(dib);
    ASSERT_NE(palette, nullptr);
    PALETTEENTRY entries[257] = {};
    EXPECT_EQ(GetPaletteEntries(palette, 0, 257, entries), 256u);
    EXPECT_EQ(entries[9].peRed, 32);
    EXPECT_EQ(entries[9].peGreen, 32);
    EXPECT_EQ(entries[9].peBlue, 0);
    EXPECT_EQ(entries[255].peRed, 224);
    EXPECT_EQ(entries[255].peGreen, 224);
    EXPECT_EQ(entries[255].peBlue, 192);
    EXPECT_EQ(entries[64].peBlue, 64);
    DeleteObject(palette);
    GlobalFree(dib);
}

TEST(DibHandles, PaletteDibGetsItsColorTable) {
    HGLOBAL dib = DibFromBytes(MakeDibBytes(2, 2, 8, 20));
    HPALETTE palette = CreateDIBPalette(dib);
    ASSERT_NE(palette, nullptr);
    PALETTEENTRY entries[21] = {};
    ASSERT_EQ(GetPaletteEntries(palette, 0, 21, entries), 20u);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(entries[i].peBlue, i);
        EXPECT_EQ(entries[i].peGreen, 2 * i);
        EXPECT_EQ(entries[i].peRed, 3 * i);
        EXPECT_EQ(entries[i].peFlags, 0);
    }
    DeleteObject(palette);
    GlobalFree(dib);
}

TEST(DibHandles, PaletteFailuresShowTheirBoxes) {
    std::vector<uint8_t> os2 = MakeDibBytes(2, 2, 8, 0);
    os2[0] = 12;
    HGLOBAL dib = DibFromBytes(os2);
    MessageBoxCatcher boxes;
    EXPECT_EQ(CreateDIBPalette(nullptr), nullptr);
    EXPECT_EQ(CreateDIBPalette(dib), nullptr);
    EXPECT_EQ(boxes.texts(),
              (std::vector<std::string>{"CreateDIBPalette: No DIB passed!",
                                        "CreateDIBPalette: No support of OS/2 DIBs!"}));
    EXPECT_EQ(GlobalFlags(dib) & GMEM_LOCKCOUNT, 0u);
    GlobalFree(dib);
}

TEST(DibHandles, DrawDibShowsThePixelsAtTheirPlace) {
    HGLOBAL dib = TrueColorDib(2, 2, Quadrant);
    Canvas canvas(6, 6);
    EXPECT_EQ(DrawDIB(canvas.dc, dib, nullptr, 3, 1), 1);
    EXPECT_EQ(canvas.at(3, 1), Quadrant(0, 0));
    EXPECT_EQ(canvas.at(4, 1), Quadrant(1, 0));
    EXPECT_EQ(canvas.at(3, 2), Quadrant(0, 1));
    EXPECT_EQ(canvas.at(4, 2), Quadrant(1, 1));
    EXPECT_EQ(canvas.at(2, 1), 0x808080u);
    EXPECT_EQ(canvas.at(5, 3), 0x808080u);
    GlobalFree(dib);
}

TEST(DibHandles, StretchDibScalesToTheGivenSize) {
    HGLOBAL dib = TrueColorDib(2, 2, Quadrant);
    Canvas canvas(8, 8);
    EXPECT_EQ(StretchDIB(canvas.dc, dib, nullptr, 0, 0, 8, 6), 1);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(canvas.at(x, y), Quadrant(x >= 4, y >= 3)) << x << "," << y;
    EXPECT_EQ(canvas.at(0, 6), 0x808080u);
    GlobalFree(dib);
}

TEST(DibHandles, DrawingKeepsTheContextsPalette) {
    HGLOBAL dib = TrueColorDib(2, 2, Quadrant);
    HPALETTE own = CreateDIBPalette(dib);
    HPALETTE other = CreateDIBPalette(dib);
    Canvas canvas(4, 4);
    HPALETTE original = SelectPalette(canvas.dc, own, FALSE);
    EXPECT_EQ(DrawDIB(canvas.dc, dib, nullptr, 0, 0), 1);
    EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_PAL), own);
    EXPECT_EQ(StretchDIB(canvas.dc, dib, other, 0, 0, 4, 4), 1);
    EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_PAL), own); // the given one was selected back out
    SelectPalette(canvas.dc, original, FALSE);
    DeleteObject(own);
    DeleteObject(other);
    GlobalFree(dib);
}

TEST(DibHandles, DrawingFailuresShowTheirBoxes) {
    Canvas canvas(4, 4);
    // A header that promises more bits than the block holds is not drawn.
    std::vector<uint8_t> bytes = MakeDibBytes(4, 4, 24, 0);
    bytes.resize(bytes.size() - 1);
    HGLOBAL cut = DibFromBytes(bytes);
    MessageBoxCatcher boxes;
    EXPECT_EQ(DrawDIB(canvas.dc, nullptr, nullptr, 0, 0), 0);
    EXPECT_EQ(StretchDIB(canvas.dc, nullptr, nullptr, 0, 0, 2, 2), 0);
    EXPECT_EQ(DrawDIB(canvas.dc, cut, nullptr, 0, 0), 0);
    EXPECT_EQ(DrawDDB(canvas.dc, nullptr, nullptr, 0, 0), 0);
    EXPECT_EQ(StretchDDB(canvas.dc, nullptr, nullptr, 0, 0, 2, 2), 0);
    EXPECT_EQ(DIBtoDDB(nullptr, nullptr), nullptr);
    EXPECT_EQ(DIBtoDDB(cut, nullptr), nullptr);
    EXPECT_EQ(boxes.texts(),
              (std::vector<std::string>{"DrawDIB: No DIB passed!", "DrawDIB: No DIB passed!",
                                        "DrawDIB: DIB data does not match its header!",
                                        "DrawDDB: No DDB passed!", "StretchDDB: No DDB!",
                                        "DIBtoDDB: No DIB passed!",
                                        "DIBtoDDB: DIB data does not match its header!"}));
    EXPECT_EQ(canvas.at(0, 0), 0x808080u);
    EXPECT_EQ(GlobalFlags(cut) & GMEM_LOCKCOUNT, 0u);
    GlobalFree(cut);
}

TEST(DibHandles, DrawingReturnsZeroWhenGdiDrawsNothing) {
    HGLOBAL dib = TrueColorDib(2, 2, Quadrant);
    HBITMAP bitmap = QuadrantBitmap(2, 2);
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    MessageBoxCatcher boxes;
    // No device context: nothing is drawn, and nothing was wrong with the
    // picture, so there is no box.
    EXPECT_EQ(DrawDIB(nullptr, dib, nullptr, 0, 0), 0);
    EXPECT_EQ(StretchDIB(nullptr, dib, nullptr, 0, 0, 4, 4), 0);
    EXPECT_EQ(DrawDDB(nullptr, bitmap, nullptr, 0, 0), 0);
    EXPECT_EQ(StretchDDB(nullptr, bitmap, nullptr, 0, 0, 4, 4), 0);
    EXPECT_TRUE(boxes.texts().empty());
    // A brush is no bitmap.
    Canvas canvas(4, 4);
    EXPECT_EQ(DrawDDB(canvas.dc, reinterpret_cast<HBITMAP>(brush), nullptr, 0, 0), 0);
    EXPECT_EQ(StretchDDB(canvas.dc, reinterpret_cast<HBITMAP>(brush), nullptr, 0, 0, 4, 4), 0);
    EXPECT_EQ(boxes.texts(),
              (std::vector<std::string>{"DrawDDB: No DDB passed!", "StretchDDB: No DDB!"}));
    EXPECT_EQ(canvas.at(0, 0), 0x808080u);
    DeleteObject(brush);
    DeleteObject(bitmap);
    GlobalFree(dib);
}

TEST(DibHandles, DdbWithoutAMemoryContextShowsTheBox) {
    HBITMAP bitmap = QuadrantBitmap(2, 2);
    HDC gone = CreateCompatibleDC(nullptr);
    DeleteDC(gone); // a context that no longer exists
    MessageBoxCatcher boxes;
    EXPECT_EQ(DrawDDB(gone, bitmap, nullptr, 0, 0), 0);
    EXPECT_EQ(StretchDDB(gone, bitmap, nullptr, 0, 0, 4, 4), 0);
    EXPECT_EQ(boxes.texts(), (std::vector<std::string>{"DrawDDB: No memory device contect!",
                                                       "StretchDDB: No memory device context!"}));
    DeleteObject(bitmap);
}

TEST(DibHandles, DrawDdbAndStretchDdbShowTheBitmap) {
    HBITMAP bitmap = QuadrantBitmap(4, 4);
    Canvas canvas(10, 10);
    EXPECT_EQ(DrawDDB(canvas.dc, bitmap, nullptr, 1, 2), 1);
    EXPECT_EQ(canvas.at(1, 2), Quadrant(0, 0));
    EXPECT_EQ(canvas.at(4, 2), Quadrant(1, 0));
    EXPECT_EQ(canvas.at(1, 5), Quadrant(0, 1));
    EXPECT_EQ(canvas.at(4, 5), Quadrant(1, 1));
    EXPECT_EQ(canvas.at(5, 2), 0x808080u);
    Canvas stretched(8, 8);
    EXPECT_EQ(StretchDDB(stretched.dc, bitmap, nullptr, 0, 0, 8, 8), 1);
    EXPECT_EQ(stretched.at(3, 3), Quadrant(0, 0));
    EXPECT_EQ(stretched.at(4, 3), Quadrant(1, 0));
    EXPECT_EQ(stretched.at(7, 7), Quadrant(1, 1));
    DeleteObject(bitmap);
}

TEST(DibHandles, DibToDdbAndBackKeepsThePixels) {
    HGLOBAL dib =
        TrueColorDib(5, 3, [](int x, int y) { return Rgb(40 * x, 80 * y, 200 - 30 * x); });
    HBITMAP bitmap = DIBtoDDB(dib, nullptr);
    ASSERT_NE(bitmap, nullptr);
    BITMAP bm = {};
    GetObjectA(bitmap, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 5);
    EXPECT_EQ(bm.bmHeight, 3);
    HGLOBAL back = DDBtoDIB(bitmap, nullptr, 24, BI_RGB);
    ASSERT_NE(back, nullptr);
    const BITMAPINFOHEADER h = HeaderOf(back);
    EXPECT_EQ(h.biSize, 40u);
    EXPECT_EQ(h.biHeight, 3);
    EXPECT_EQ(h.biBitCount, 24);
    EXPECT_EQ(h.biSizeImage, 48u);
    EXPECT_EQ(h.biXPelsPerMeter, 2953);
    EXPECT_EQ(GlobalSize(back), 40u + 48u);
    EXPECT_EQ(RenderDib(back), RenderDib(dib));
    GlobalFree(back);
    DeleteObject(bitmap);
    GlobalFree(dib);
}

TEST(DibHandles, DdbToDibTakesTheBitmapsDepthOrTheOneAskedFor) {
    HBITMAP bitmap = QuadrantBitmap(6, 4);
    BITMAP bm = {};
    GetObjectA(bitmap, sizeof bm, &bm);
    HGLOBAL own = DDBtoDIB(bitmap, nullptr, 0, BI_RGB);
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(GetDIBBitPerPixel(own), bm.bmPlanes * bm.bmBitsPixel);

    HGLOBAL eight = DDBtoDIB(bitmap, nullptr, 8, BI_RGB);
    ASSERT_NE(eight, nullptr);
    const BITMAPINFOHEADER h = HeaderOf(eight);
    EXPECT_EQ(h.biBitCount, 8);
    EXPECT_EQ(h.biClrUsed, 256u);
    EXPECT_EQ(h.biXPelsPerMeter, 2953);
    EXPECT_EQ(h.biYPelsPerMeter, 2953);
    EXPECT_EQ(GlobalSize(eight), 40u + 1024u + 8u * 4u);
    // The colour table and indices together still show the quadrants.
    const std::vector<uint32_t> shown = RenderDib(eight);
    ASSERT_EQ(shown.size(), 24u);
    EXPECT_EQ(shown[0], Quadrant(0, 0));
    EXPECT_EQ(shown[5], Quadrant(1, 0));
    EXPECT_EQ(shown[23], Quadrant(1, 1));
    GlobalFree(own);
    GlobalFree(eight);
    DeleteObject(bitmap);
}

TEST(DibHandles, DdbToDibWithBitFieldsKeepsTheMasksBehindTheHeader) {
    HBITMAP bitmap = QuadrantBitmap(4, 2);
    HGLOBAL dib = DDBtoDIB(bitmap, nullptr, 16, BI_BITFIELDS);
    ASSERT_NE(dib, nullptr);
    const BITMAPINFOHEADER h = HeaderOf(dib);
    EXPECT_EQ(h.biCompression, DWORD(BI_BITFIELDS));
    EXPECT_EQ(h.biClrUsed, 0u);
    const std::vector<uint8_t> bytes = DibBytes(dib);
    ASSERT_EQ(bytes.size(), 52u + 16u);
    uint32_t masks[3];
    std::memcpy(masks, &bytes[40], 12);
    EXPECT_NE(masks[0], 0u);
    EXPECT_NE(masks[1], 0u);
    EXPECT_NE(masks[2], 0u);
    EXPECT_EQ(masks[0] & masks[1], 0u);
    const std::vector<uint32_t> shown = RenderDib(dib);
    ASSERT_EQ(shown.size(), 8u);
    EXPECT_TRUE(Near(shown[0], Quadrant(0, 0)));
    EXPECT_TRUE(Near(shown[7], Quadrant(1, 1)));
    GlobalFree(dib);
    DeleteObject(bitmap);
}

TEST(DibHandles, DdbToDibFailuresShowTheirBoxes) {
    HBITMAP bitmap = QuadrantBitmap(4, 4);
    MessageBoxCatcher boxes;
    EXPECT_EQ(DDBtoDIB(nullptr, nullptr, 24, BI_RGB), nullptr);
    EXPECT_EQ(DDBtoDIB(reinterpret_cast<HBITMAP>(GetStockObject(BLACK_BRUSH)), nullptr, 24, BI_RGB),
              nullptr);
    EXPECT_EQ(DDBtoDIB(bitmap, nullptr, 7, BI_RGB), nullptr);
    EXPECT_EQ(boxes.texts(),
              (std::vector<std::string>{"DDBtoDIB: No DDB passed!", "DDBtoDIB: No DDB passed!",
                                        "DDBtoDIB: Error in GetDIBits during data transfer!"}));
    // GDI cannot compress: depending on how far it gets, one of two boxes.
    boxes.clear();
    EXPECT_EQ(DDBtoDIB(bitmap, nullptr, 8, BI_RLE8), nullptr);
    ASSERT_EQ(boxes.texts().size(), 1u);
    EXPECT_TRUE(boxes.texts()[0] == "DDBtoDIB: Error in GetDIBits with RLE-DIBs!" ||
                boxes.texts()[0] == "DDBtoDIB: Error in GetDIBits during data transfer!")
        << boxes.texts()[0];
    DeleteObject(bitmap);
}

TEST(DibHandles, CopyDibCopiesEveryByteOfTheBlock) {
    std::vector<uint8_t> bytes = MakeDibBytes(3, 3, 8, 256);
    bytes.resize(bytes.size() + 3); // not a multiple of 4
    for (size_t i = 40; i < bytes.size(); ++i)
        bytes[i] = uint8_t(i * 13);
    HGLOBAL dib = DibFromBytes(bytes);
    HGLOBAL copy = CopyDIB(dib);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, dib);
    EXPECT_EQ(GlobalSize(copy), GlobalSize(dib));
    EXPECT_EQ(DibBytes(copy), bytes);
    EXPECT_EQ(GlobalFlags(dib) & GMEM_LOCKCOUNT, 0u);
    EXPECT_EQ(GlobalFlags(copy) & GMEM_LOCKCOUNT, 0u);
    MessageBoxCatcher boxes;
    EXPECT_EQ(CopyDIB(nullptr), nullptr);
    EXPECT_EQ(boxes.texts(), (std::vector<std::string>{"CopyDIB: No DIB passed!"}));
    GlobalFree(copy);
    GlobalFree(dib);
}

TEST(DibHandles, DibFromWindCapturesTheSceneWindow) {
    void *w = CreateWind(" Pexa Window: capture", 320, 240);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(Background(0.0f, 0.5f, 1.0f), 1);
    EXPECT_EQ(ShowWind(w), 1);
    EXPECT_EQ(RefreshWind(w), 1);
    HGLOBAL dib = DIBfromWind();
    ASSERT_NE(dib, nullptr);
    RECT client = {};
    GetClientRect(GetHWND(w), &client);
    const BITMAPINFOHEADER h = HeaderOf(dib);
    EXPECT_EQ(h.biSize, 40u);
    EXPECT_EQ(h.biBitCount, 24);
    EXPECT_EQ(h.biCompression, DWORD(BI_RGB));
    EXPECT_EQ(h.biWidth, client.right);
    EXPECT_EQ(h.biHeight, client.bottom);
    EXPECT_EQ(h.biXPelsPerMeter, 2953);
    const std::vector<uint32_t> shown = RenderDib(dib);
    ASSERT_EQ(shown.size(), size_t(client.right) * client.bottom);
    const uint32_t background = Rgb(0, 127, 255);
    EXPECT_TRUE(Near(shown[0], background)) << std::hex << shown[0];
    EXPECT_TRUE(Near(shown[shown.size() / 2 + client.right / 2], background));
    EXPECT_TRUE(Near(shown.back(), background));
    // The same as what the window shows.
    const Capture seen = CaptureClient(GetHWND(w));
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(shown[size_t(client.right) * 10 + 20], seen.at(20, 10));
    GlobalFree(dib);
    DeleteWind(w);
}

} // namespace
