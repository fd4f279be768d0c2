// Colour reduction, grey conversion, halving and the 24 -> 8 step through
// the exported functions: results, texts, and round trips through BMP files.
#include <gtest/gtest.h>

#include <string>

#include "pexa.h"
#include "support/pexa_test.h"
#include "support/dib_builder.h"
#include "support/dib_test.h"

using pexatest::MessageBoxCatcher;
using pexatest::TempPath;
using namespace dibtest;
using pexatest::DibBytes;
using pexatest::DibFromBytes;
using pexatest::LockCount;
using pexatest::OwnedDib;

namespace {

std::vector<uint8_t> TrueColourPicture(int width, int height) {
    DibLayout s;
    s.width = width;
    s.height = height;
    s.bits = 24;
    for (int y = 0; y < height; ++y) {
        std::vector<uint8_t> row;
        for (int x = 0; x < width; ++x)
            row.insert(row.end(),
                       {uint8_t(x * 255 / width), uint8_t(y * 255 / height), uint8_t((x + y) * 3)});
        s.rows.push_back(row);
    }
    return MakeDib(s);
}

TEST(ReduceExports, NullTexts) {
    MessageBoxCatcher catcher;
    EXPECT_EQ(ReduceColors(nullptr, 8, 3), nullptr);
    EXPECT_EQ(GrayDIB(nullptr), nullptr);
    EXPECT_EQ(SmallSizeDIB(nullptr), nullptr);
    EXPECT_EQ(DIB24To8(nullptr, 0), nullptr);
    EXPECT_EQ(catcher.texts(), (std::vector<std::string>{
                                   "ReduceColors: No DIB passed!", "GrayDIB: No DIB passed!",
                                   "SmallSizeDIB: No DIB passed!", "DIB24to8: No DIB passed!"}));
}

TEST(ReduceExports, Refusals) {
    DibLayout s;
    s.palette = {Rgb(0, 0, 0)};
    OwnedDib eight(DibFromBytes(MakeDib(s)));
    OwnedDib wide(DibFromBytes(TrueColourPicture(4, 4)));
    s.compression = 1;
    OwnedDib rle(DibFromBytes(MakeDib(s)));
    MessageBoxCatcher catcher;
    EXPECT_EQ(ReduceColors(wide, 9, 0), nullptr);
    EXPECT_EQ(ReduceColors(eight, 8, 0), nullptr);
    EXPECT_EQ(DIB24To8(eight, 0), nullptr);
    EXPECT_EQ(SmallSizeDIB(rle), nullptr);
    EXPECT_EQ(GrayDIB(rle), nullptr);
    EXPECT_EQ(catcher.texts(), (std::vector<std::string>{"ReduceColors: uBPP > 8!",
                                                         "ReduceColors: Bitmap is already reduced!",
                                                         "DIB24to8: Not a 24-Bit-DIB!",
                                                         "SmallSizeDIB: It's a RLE-DIB!",
                                                         "GrayDIB: No support for RLE-Bitmaps!"}));
    EXPECT_EQ(LockCount(wide), 0u);
    EXPECT_EQ(LockCount(eight), 0u);
}

TEST(ReduceExports, ReducedPictureSurvivesABmpRoundTrip) {
    const auto bytes = TrueColourPicture(64, 48);
    OwnedDib wide(DibFromBytes(bytes));
    MessageBoxCatcher catcher;
    OwnedDib reduced(ReduceColors(wide, 4, 3));
    ASSERT_NE(reduced.h, nullptr);
    EXPECT_EQ(DibBytes(wide), bytes);
    const auto out = DibBytes(reduced);
    DibView v{out};
    EXPECT_EQ(v.header().bitCount, 8);
    EXPECT_EQ(v.header().clrUsed, 256u);
    for (int i = 16; i < 256; ++i)
        EXPECT_TRUE(SameColor(v.color(size_t(i)), Rgb(0, 0, 0)));
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            ASSERT_LT(v.row(size_t(y))[x], 16);

    const std::string path = TempPath("reduced.bmp");
    ASSERT_EQ(WriteDIB(path.c_str(), reduced), 1);
    OwnedDib back(ReadDIB(path.c_str()));
    DeleteFileA(path.c_str());
    ASSERT_NE(back.h, nullptr);
    const auto again = DibBytes(back);
    ASSERT_GE(again.size(), out.size());
    EXPECT_TRUE(std::equal(out.begin() + 40, out.end(), again.begin() + 40));
    EXPECT_TRUE(catcher.boxes().empty());
}

TEST(ReduceExports, Dib24To8IsDitheredMedianCutOrGrey) {
    OwnedDib wide(DibFromBytes(TrueColourPicture(30, 20)));
    OwnedDib viaStep(DIB24To8(wide, 0));
    OwnedDib direct(ReduceColors(wide, 8, 3));
    ASSERT_NE(viaStep.h, nullptr);
    EXPECT_EQ(DibBytes(viaStep), DibBytes(direct));
    OwnedDib grey(DIB24To8(wide, 1));
    OwnedDib greyDirect(GrayDIB(wide));
    EXPECT_EQ(DibBytes(grey), DibBytes(greyDirect));
    EXPECT_TRUE(SameColor(DibView{DibBytes(grey)}.color(77), Rgb(77, 77, 77)));
}

TEST(ReduceExports, HalvingKeepsDepthAndTable) {
    OwnedDib wide(DibFromBytes(TrueColourPicture(7, 5)));
    OwnedDib half(SmallSizeDIB(wide));
    ASSERT_NE(half.h, nullptr);
    const auto out = DibBytes(half);
    DibView v{out};
    EXPECT_EQ(v.header().width, 3);
    EXPECT_EQ(v.header().height, 2);
    EXPECT_EQ(v.header().bitCount, 24);
    const auto src = DibBytes(wide);
    DibView s{src};
    EXPECT_EQ(v.row(1)[3], s.row(2)[6]); // result (1, 1) = source (2, 2)
}

TEST(ReduceExports, EmptyResultsDrawAsNothingAndSurviveABmpRoundTrip) {
    // SmallSizeDIB of a 1 x 5 picture is 0 x 2; a crop of height 0 is 4 x 0.
    OwnedDib narrow(DibFromBytes(TrueColourPicture(1, 5)));
    OwnedDib wide(DibFromBytes(TrueColourPicture(4, 3)));
    OwnedDib half(SmallSizeDIB(narrow));
    OwnedDib flat(CropDIB(wide, 0, 1, 4, 0));
    ASSERT_NE(half.h, nullptr);
    ASSERT_NE(flat.h, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    const std::string path = TempPath("empty.bmp");
    MessageBoxCatcher catcher;
    for (HGLOBAL empty : {half.h, flat.h}) {
        EXPECT_EQ(DrawDIB(dc, empty, nullptr, 0, 0), 1);
        EXPECT_EQ(StretchDIB(dc, empty, nullptr, 0, 0, 3, 3), 1);
        EXPECT_EQ(DIBtoDDB(empty, nullptr), nullptr);
        ASSERT_EQ(WriteDIB(path.c_str(), empty), 1);
        OwnedDib back(ReadDIB(path.c_str()));
        EXPECT_EQ(DibBytes(back), DibBytes(empty));
    }
    EXPECT_TRUE(catcher.boxes().empty());
    DeleteDC(dc);
    DeleteFileA(path.c_str());
}

} // namespace
