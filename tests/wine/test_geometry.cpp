// CropDIB and RLEtoDIB through the exported functions: results, texts, and
// untrusted rectangles and run-length data.
#include <gtest/gtest.h>

#include <string>

#include "pexa.h"
#include "support/pexa_test.h"
#include "support/dib_builder.h"
#include "support/dib_test.h"

using pexatest::MessageBoxCatcher;
using pexatest::TempPath;
using namespace dibtest;
using pexatest::Cost;
using pexatest::DibBytes;
using pexatest::DibFromBytes;
using pexatest::ExpectCheap;
using pexatest::LockCount;
using pexatest::Measure;
using pexatest::OwnedDib;

namespace {

std::vector<uint8_t> RunLength(int width, int height, std::vector<uint8_t> data) {
    DibLayout s;
    s.width = width;
    s.height = height;
    s.compression = 1;
    for (int i = 0; i < 256; ++i)
        s.palette.push_back(Rgb(i, i, i));
    s.rawBits = std::move(data);
    return MakeDib(s);
}

TEST(GeometryExports, CropCopiesTheRectangle) {
    DibLayout s;
    s.width = 16;
    s.height = 2;
    s.bits = 1;
    s.palette = {Rgb(0, 0, 0), Rgb(255, 255, 255)};
    s.rows = {{0x0F, 0xF0}, {0xFF, 0x00}};
    OwnedDib src(DibFromBytes(MakeDib(s)));
    MessageBoxCatcher catcher;
    OwnedDib crop(CropDIB(src, 3, 0, 8, 2));
    ASSERT_NE(crop.h, nullptr);
    const auto out = DibBytes(crop);
    DibView v{out};
    EXPECT_EQ(v.header().width, 8);
    EXPECT_EQ(v.header().height, 2);
    EXPECT_EQ(v.header().xPelsPerMeter, 2953);
    EXPECT_EQ(v.row(0)[0], 0x7F);
    EXPECT_EQ(v.row(1)[0], 0xF8); // pixels 3 to 7 set, 8 to 10 clear
    EXPECT_TRUE(catcher.boxes().empty());
    EXPECT_EQ(LockCount(src), 0u);
}

TEST(GeometryExports, CropTexts) {
    DibLayout s;
    s.width = 4;
    s.height = 4;
    s.palette = {Rgb(0, 0, 0)};
    OwnedDib src(DibFromBytes(MakeDib(s)));
    s.compression = 2;
    OwnedDib rle(DibFromBytes(MakeDib(s)));
    MessageBoxCatcher catcher;
    EXPECT_EQ(CropDIB(nullptr, 0, 0, 1, 1), nullptr);
    EXPECT_EQ(CropDIB(rle, 0, 0, 1, 1), nullptr);
    EXPECT_EQ(CropDIB(src, 2, 2, 3, 1), nullptr);
    EXPECT_EQ(CropDIB(src, 0, 0xFFFFFFFF, 1, 2), nullptr);
    EXPECT_EQ(catcher.texts(), (std::vector<std::string>{"CropDIB: No DIB passed!",
                                                         "CropDIB: No support for RLE-Bitmaps!",
                                                         "CropDIB: Rectangle outside the DIB!",
                                                         "CropDIB: Rectangle outside the DIB!"}));
    EXPECT_EQ(LockCount(src), 0u);
}

TEST(GeometryExports, RleDecodes) {
    OwnedDib src(DibFromBytes(RunLength(3, 2, {3, 5, 0, 0, 0, 3, 1, 2, 3, 0, 0, 1})));
    OwnedDib plain(RLEtoDIB(src));
    ASSERT_NE(plain.h, nullptr);
    const auto out = DibBytes(plain);
    DibView v{out};
    EXPECT_EQ(v.header().compression, 0u);
    EXPECT_EQ(v.rowVector(0), (std::vector<uint8_t>{5, 5, 5, 0}));
    EXPECT_EQ(v.rowVector(1), (std::vector<uint8_t>{1, 2, 3, 0}));
    // The decoded DIB converts like any other.
    OwnedDib wide(DIB8To24(plain));
    EXPECT_EQ(DibView{DibBytes(wide)}.row(1)[3], 2);
}

TEST(GeometryExports, RleTexts) {
    DibLayout s;
    s.palette = {Rgb(0, 0, 0)};
    OwnedDib plain(DibFromBytes(MakeDib(s)));
    OwnedDib runPast(DibFromBytes(RunLength(2, 1, {9, 1, 0, 1})));
    // GlobalSize may round the block up with zeros, which read as
    // end-of-lines: eight rows leave room for them.
    OwnedDib noEnd(
        DibFromBytes(RunLength(16, 8, {2, 1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 1})));
    MessageBoxCatcher catcher;
    EXPECT_EQ(RLEtoDIB(nullptr), nullptr);
    EXPECT_EQ(RLEtoDIB(plain), nullptr);
    EXPECT_EQ(RLEtoDIB(runPast), nullptr);
    EXPECT_EQ(RLEtoDIB(noEnd), nullptr);
    EXPECT_EQ(catcher.texts(),
              (std::vector<std::string>{"RLEtoDIB: No DIB passed!", "RLEtoDIB: Not a RLE-Bitmap!",
                                        "RLEtoDIB: RLE data leaves the bitmap!",
                                        "RLEtoDIB: RLE data ends without end of bitmap!"}));
    EXPECT_EQ(LockCount(runPast), 0u);
}

// A 1 KB RLE8 DIB claiming 65536 x 65535 pixels: the result block is asked
// for, but only the pixels the runs write are touched.
TEST(GeometryExports, HugeRleHeaderCostsLittle) {
    std::vector<uint8_t> runs;
    for (int row = 0; row < 2; ++row) {
        for (int i = 0; i < 200; ++i)
            runs.insert(runs.end(), {255, uint8_t(i + row)});
        runs.insert(runs.end(), {0, 0});
    }
    runs.insert(runs.end(), {0, 1});
    OwnedDib src(DibFromBytes(RunLength(65536, 65535, runs)));
    MessageBoxCatcher catcher;
    HGLOBAL plain = nullptr;
    const Cost cost = Measure([&] { plain = RLEtoDIB(src); });
    if (plain) {
        EXPECT_TRUE(catcher.boxes().empty());
        const auto *bits = static_cast<const uint8_t *>(GlobalLock(plain)) + 40 + 1024;
        EXPECT_EQ(bits[255 * 199], 199);
        EXPECT_EQ(bits[65536], 1);     // row 1
        EXPECT_EQ(bits[3 * 65536], 0); // rows the data does not reach
        GlobalUnlock(plain);
    } else { // a system that cannot give 4 GB refuses the picture
        EXPECT_EQ(catcher.texts(),
                  std::vector<std::string>{"RLEtoDIB: Not enough memory for DIB!"});
    }
    GlobalFree(plain);
    ExpectCheap(cost);
}

} // namespace
