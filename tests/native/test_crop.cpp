// Cropping at every depth, including odd nibble and bit offsets, and the
// refusal of rectangles that leave the source.
#include "support/dib_builder.h"

#include "dib/color_reduce.h"
#include "dib/crop.h"

#include <gtest/gtest.h>

namespace {

using namespace dibtest;
namespace dib = pexa::dib;

TEST(CropDib, WholeEightBitPictureIsReproduced) {
    DibLayout s;
    s.width = 5;
    s.height = 3;
    s.palette = {Rgb(1, 2, 3), Rgb(4, 5, 6), Rgb(7, 8, 9)};
    s.rows = {{0, 1, 2, 1, 0}, {2, 2, 2, 2, 2}, {1, 0, 1, 0, 1}};
    const auto src = MakeDib(s);
    VectorSink out;
    ASSERT_EQ(dib::CropDib(BlockOf(src), 0, 0, 5, 3, out), Failure::kNone);
    DibView v{out.bytes};
    const InfoHeader h = v.header();
    EXPECT_EQ(h.width, 5);
    EXPECT_EQ(h.height, 3);
    EXPECT_EQ(h.clrUsed, 3u);
    EXPECT_EQ(h.clrImportant, 0u);
    EXPECT_EQ(h.xPelsPerMeter, 2953);
    EXPECT_EQ(h.yPelsPerMeter, 2953);
    EXPECT_EQ(h.sizeImage, 24u);
    // Same colour table and pixels: the whole block equals the source but
    // for the header.
    ASSERT_EQ(out.bytes.size(), src.size());
    EXPECT_TRUE(std::equal(src.begin() + 40, src.end(), out.bytes.begin() + 40));
}

TEST(CropDib, FourBitAtOddColumn) {
    DibLayout s;
    s.width = 4;
    s.bits = 4;
    s.palette.assign(16, Rgb(0, 0, 0));
    s.rows = {{0x12, 0x34}};
    VectorSink out;
    ASSERT_EQ(dib::CropDib(BlockOf(MakeDib(s)), 1, 0, 3, 1, out), Failure::kNone);
    EXPECT_EQ(DibView{out.bytes}.rowVector(0), (std::vector<uint8_t>{0x23, 0x40, 0, 0}));
}

TEST(CropDib, FourBitAtEvenColumn) {
    DibLayout s;
    s.width = 6;
    s.bits = 4;
    s.palette.assign(16, Rgb(0, 0, 0));
    s.rows = {{0x12, 0x34, 0x56}};
    VectorSink out;
    ASSERT_EQ(dib::CropDib(BlockOf(MakeDib(s)), 2, 0, 3, 1, out), Failure::kNone);
    EXPECT_EQ(DibView{out.bytes}.rowVector(0), (std::vector<uint8_t>{0x34, 0x56, 0, 0}));
}

TEST(CropDib, OneBitAcrossTheByteBoundary) {
    DibLayout s;
    s.width = 16;
    s.bits = 1;
    s.palette = {Rgb(0, 0, 0), Rgb(255, 255, 255)};
    s.rows = {{0x0F, 0xF0}};
    VectorSink out;
    ASSERT_EQ(dib::CropDib(BlockOf(MakeDib(s)), 3, 0, 8, 1, out), Failure::kNone);
    EXPECT_EQ(DibView{out.bytes}.row(0)[0], 0x7F);
}

TEST(CropDib, LastByteOfARowReadsNothingBeyondIt) {
    // 32 pixels fill the 4-byte row; cropping its last 3 pixels at an odd
    // bit offset needs the byte after the row, which reads as 0.
    DibLayout s;
    s.width = 32;
    s.height = 2;
    s.bits = 1;
    s.palette = {Rgb(0, 0, 0), Rgb(255, 255, 255)};
    s.rows = {{0, 0, 0, 0xFF}, {0xFF, 0xFF, 0xFF, 0xFF}};
    VectorSink out;
    ASSERT_EQ(dib::CropDib(BlockOf(MakeDib(s)), 29, 0, 3, 2, out), Failure::kNone);
    DibView v{out.bytes};
    EXPECT_EQ(v.row(0)[0], 0xE0);
    EXPECT_EQ(v.row(1)[0], 0xE0);

    DibLayout f = s;
    f.bits = 4;
    f.width = 8;
    f.palette.assign(16, Rgb(0, 0, 0));
    f.rows = {{0x11, 0x22, 0x33, 0x45}, {0x66, 0x77, 0x88, 0x99}};
    VectorSink four;
    ASSERT_EQ(dib::CropDib(BlockOf(MakeDib(f)), 7, 0, 1, 2, four), Failure::kNone);
    EXPECT_EQ(DibView{four.bytes}.row(0)[0], 0x50);
    EXPECT_EQ(DibView{four.bytes}.row(1)[0], 0x90);
}

TEST(CropDib, TrueColourDepthsAndBitFields) {
    DibLayout s;
    s.width = 3;
    s.height = 2;
    s.bits = 24;
    s.rows = {{1, 2, 3, 4, 5, 6, 7, 8, 9}, {11, 12, 13, 14, 15, 16, 17, 18, 19}};
    VectorSink out;
    ASSERT_EQ(dib::CropDib(BlockOf(MakeDib(s)), 1, 1, 2, 1, out), Failure::kNone);
    EXPECT_EQ(DibView{out.bytes}.rowVector(0),
              (std::vector<uint8_t>{14, 15, 16, 17, 18, 19, 0, 0}));

    DibLayout m;
    m.width = 2;
    m.height = 1;
    m.bits = 32;
    m.compression = dib::kCompressionBitfields;
    m.masks = {0xFF0000, 0xFF00, 0xFF};
    m.rows = {{1, 2, 3, 4, 5, 6, 7, 8}};
    VectorSink bf;
    ASSERT_EQ(dib::CropDib(BlockOf(MakeDib(m)), 1, 0, 1, 1, bf), Failure::kNone);
    DibView v{bf.bytes};
    EXPECT_EQ(v.header().compression, dib::kCompressionBitfields);
    EXPECT_EQ(v.header().bitCount, 32);
    ASSERT_EQ(bf.bytes.size(), 40u + 12 + 4);
    uint32_t green;
    std::memcpy(&green, bf.bytes.data() + 44, 4);
    EXPECT_EQ(green, 0xFF00u);
    EXPECT_EQ(v.rowVector(0), (std::vector<uint8_t>{5, 6, 7, 8}));

    DibLayout w;
    w.width = 3;
    w.bits = 16;
    w.rows = {{1, 2, 3, 4, 5, 6}};
    VectorSink sixteen;
    ASSERT_EQ(dib::CropDib(BlockOf(MakeDib(w)), 2, 0, 1, 1, sixteen), Failure::kNone);
    EXPECT_EQ(DibView{sixteen.bytes}.rowVector(0), (std::vector<uint8_t>{5, 6, 0, 0}));
}

TEST(CropDib, RowsCountInStoredOrder) {
    DibLayout s;
    s.width = 1;
    s.height = 3;
    s.palette = {Rgb(0, 0, 0)};
    s.rows = {{10}, {20}, {30}};
    VectorSink out;
    ASSERT_EQ(dib::CropDib(BlockOf(MakeDib(s)), 0, 1, 1, 2, out), Failure::kNone);
    DibView v{out.bytes};
    EXPECT_EQ(v.row(0)[0], 20);
    EXPECT_EQ(v.row(1)[0], 30);
}

TEST(CropDib, RectangleOutsideIsRefused) {
    DibLayout s;
    s.width = 4;
    s.height = 3;
    s.palette = {Rgb(0, 0, 0)};
    const auto src = MakeDib(s);
    const Failure outside = Failure::kOutside;
    VectorSink out;
    EXPECT_EQ(dib::CropDib(BlockOf(src), 0, 0, 5, 1, out), outside);
    EXPECT_EQ(dib::CropDib(BlockOf(src), 3, 0, 2, 1, out), outside);
    EXPECT_EQ(dib::CropDib(BlockOf(src), 0, 2, 1, 2, out), outside);
    EXPECT_EQ(dib::CropDib(BlockOf(src), 0xFFFFFFFF, 0, 2, 1, out), outside); // wraps in 32 bits
    EXPECT_EQ(dib::CropDib(BlockOf(src), 0, 1, 1, 0xFFFFFFFF, out), outside);
    EXPECT_EQ(out.calls, 0);
    // Empty rectangles on the edge are fine.
    EXPECT_EQ(dib::CropDib(BlockOf(src), 4, 3, 0, 0, out), Failure::kNone);
}

// Depths and compressions whose pixels cannot be addressed are refused, not
// copied or converted into results that no other function could read.
TEST(CropDib, UnusualDepthsAndCompressionsAreRefused) {
    const struct {
        uint16_t bits;
        uint32_t compression;
        Failure failure;
    } cases[] = {
        {0, 0, Failure::kDepth},
        {2, 0, Failure::kDepth},
        {3, 0, Failure::kDepth},
        {64, 0, Failure::kDepth},
        {24, 7, Failure::kCompression},
        {24, 0xFFFFFFFF, Failure::kCompression},
        {24, dib::kCompressionBitfields, Failure::kCompressionDepth},
    };
    for (const auto &c : cases) {
        DibLayout s;
        s.width = 2;
        s.height = 2;
        s.bits = c.bits;
        s.compression = c.compression;
        s.explicitClrUsed = false;
        s.palette.resize(c.bits < 16 ? size_t(1) << c.bits : 0);
        if (c.compression == dib::kCompressionBitfields) s.masks = {0xFF0000, 0xFF00, 0xFF};
        const auto src = MakeDib(s);
        VectorSink out;
        EXPECT_EQ(dib::CropDib(BlockOf(src), 0, 0, 1, 1, out), c.failure) << c.bits;
        EXPECT_EQ(dib::SmallSizeDib(BlockOf(src), out), c.failure) << c.bits;
        EXPECT_EQ(dib::GrayDib(BlockOf(src), out), c.failure) << c.bits;
        EXPECT_EQ(dib::Dib24To1(BlockOf(src), out), c.failure) << c.bits;
        EXPECT_EQ(dib::Dib24To4(BlockOf(src), out), c.failure) << c.bits;
        EXPECT_EQ(out.calls, 0);
    }
}

TEST(CropDib, Texts) {
    DibLayout s;
    s.palette = {Rgb(0, 0, 0)};
    s.compression = 1;
    VectorSink out;
    EXPECT_EQ(dib::CropDib(BlockOf(MakeDib(s)), 0, 0, 1, 1, out), Failure::kRle);
    s.compression = 0;
    auto os2 = MakeDib(s);
    os2[0] = 12;
    EXPECT_EQ(dib::CropDib(BlockOf(os2), 0, 0, 1, 1, out), Failure::kOs2);
    NoMemorySink none;
    EXPECT_EQ(dib::CropDib(BlockOf(MakeDib(s)), 0, 0, 1, 1, none), Failure::kNoMemory);
    auto shortBlock = MakeDib(s);
    shortBlock.pop_back();
    EXPECT_EQ(dib::CropDib(BlockOf(shortBlock), 0, 0, 1, 1, out), Failure::kMismatch);
}

} // namespace
