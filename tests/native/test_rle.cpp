// RLE8 and RLE4 decoding: the codes, nibble positions, and data that tries
// to leave the picture or ends early.
#include "support/dib_builder.h"

#include "dib/rle_decode.h"

#include <gtest/gtest.h>

namespace {

using namespace dibtest;
namespace dib = pexa::dib;

std::vector<uint8_t> Rle(int width, int height, int bits, std::vector<uint8_t> data,
                         size_t colours = 0) {
    DibLayout s;
    s.width = width;
    s.height = height;
    s.bits = uint16_t(bits);
    s.compression = bits == 8 ? dib::kCompressionRle8 : dib::kCompressionRle4;
    for (size_t i = 0; i < (colours ? colours : size_t(1) << bits); ++i)
        s.palette.push_back(Rgb(int(i), int(i), int(i)));
    s.rawBits = std::move(data);
    return MakeDib(s);
}

TEST(RleToDib, EightBitRunsLinesAndAbsoluteRuns) {
    const auto src = Rle(3, 2, 8, {3, 5, 0, 0, 0, 3, 1, 2, 3, 0, 0, 1});
    VectorSink out;
    ASSERT_EQ(dib::RleToDib(BlockOf(src), out), Failure::kNone);
    DibView v{out.bytes};
    EXPECT_EQ(v.rowVector(0), (std::vector<uint8_t>{5, 5, 5, 0}));
    EXPECT_EQ(v.rowVector(1), (std::vector<uint8_t>{1, 2, 3, 0}));
    const InfoHeader h = v.header();
    EXPECT_EQ(h.compression, 0u);
    EXPECT_EQ(h.bitCount, 8);
    EXPECT_EQ(h.sizeImage, 8u);
    EXPECT_EQ(h.clrUsed, 256u);
    EXPECT_EQ(h.clrImportant, 0u);
    EXPECT_EQ(h.xPelsPerMeter, 2953);
    EXPECT_EQ(out.bytes.size(), 40u + 1024 + 8);
    EXPECT_TRUE(SameColor(v.color(200), Rgb(200, 200, 200)));
}

TEST(RleToDib, FourBitRunAlternatesNibbles) {
    VectorSink out;
    ASSERT_EQ(dib::RleToDib(BlockOf(Rle(5, 1, 4, {5, 0xAB, 0, 1})), out), Failure::kNone);
    EXPECT_EQ(DibView{out.bytes}.rowVector(0), (std::vector<uint8_t>{0xAB, 0xAB, 0xA0, 0}));
}

TEST(RleToDib, DeltaSkipsPixels) {
    VectorSink out;
    ASSERT_EQ(dib::RleToDib(BlockOf(Rle(4, 2, 8, {1, 9, 0, 2, 2, 1, 1, 7, 0, 1})), out),
              Failure::kNone);
    DibView v{out.bytes};
    EXPECT_EQ(v.rowVector(0), (std::vector<uint8_t>{9, 0, 0, 0}));
    EXPECT_EQ(v.rowVector(1), (std::vector<uint8_t>{0, 0, 0, 7}));
}

TEST(RleToDib, FourBitRunFromAnOddColumnFillsTheLowNibbleFirst) {
    // Delta to column 1, then a run of 3 from 0xCD: pixels C, D, C.
    VectorSink out;
    ASSERT_EQ(dib::RleToDib(BlockOf(Rle(4, 1, 4, {0, 2, 1, 0, 3, 0xCD, 0, 1})), out),
              Failure::kNone);
    EXPECT_EQ(DibView{out.bytes}.rowVector(0), (std::vector<uint8_t>{0x0C, 0xDC, 0, 0}));
}

TEST(RleToDib, FourBitAbsoluteRunIsPaddedToWords) {
    // 5 literal nibbles take (5 + 3) / 4 * 2 = 4 bytes; then a run of 1.
    VectorSink out;
    ASSERT_EQ(
        dib::RleToDib(BlockOf(Rle(6, 1, 4, {0, 5, 0x12, 0x34, 0x50, 0xEE, 1, 0x90, 0, 1})), out),
        Failure::kNone);
    EXPECT_EQ(DibView{out.bytes}.rowVector(0), (std::vector<uint8_t>{0x12, 0x34, 0x59, 0}));
}

TEST(RleToDib, EightBitOddAbsoluteRunSkipsItsPadByte) {
    VectorSink out;
    ASSERT_EQ(dib::RleToDib(BlockOf(Rle(4, 1, 8, {0, 3, 4, 5, 6, 0xEE, 1, 8, 0, 1})), out),
              Failure::kNone);
    EXPECT_EQ(DibView{out.bytes}.rowVector(0), (std::vector<uint8_t>{4, 5, 6, 8}));
}

TEST(RleToDib, ShortColourTableKeepsItsCount) {
    VectorSink out;
    ASSERT_EQ(dib::RleToDib(BlockOf(Rle(1, 1, 8, {1, 2, 0, 1}, 3)), out), Failure::kNone);
    DibView v{out.bytes};
    EXPECT_EQ(v.header().clrUsed, 3u);
    EXPECT_EQ(out.bytes.size(), 40u + 1024 + 4); // room for 256 entries
    EXPECT_EQ(v.row(0)[0], 2);
    EXPECT_TRUE(SameColor(v.color(2), Rgb(2, 2, 2)));
}

TEST(RleToDib, FinalEndOfLineBeforeEndOfBitmapIsFine) {
    VectorSink out;
    EXPECT_EQ(dib::RleToDib(BlockOf(Rle(2, 1, 8, {2, 1, 0, 0, 0, 1})), out), Failure::kNone);
}

TEST(RleToDib, PixelsInRowPaddingAreDropped) {
    // Width 3 leaves one byte of padding in an 8-bit row: a run of 4 fits the
    // row's storage; the fourth pixel is not kept.
    VectorSink out;
    ASSERT_EQ(dib::RleToDib(BlockOf(Rle(3, 1, 8, {4, 6, 0, 1})), out), Failure::kNone);
    EXPECT_EQ(DibView{out.bytes}.rowVector(0), (std::vector<uint8_t>{6, 6, 6, 0}));
    VectorSink four;
    ASSERT_EQ(dib::RleToDib(BlockOf(Rle(3, 1, 4, {4, 0x77, 0, 1})), four), Failure::kNone);
    EXPECT_EQ(DibView{four.bytes}.rowVector(0), (std::vector<uint8_t>{0x77, 0x70, 0, 0}));
}

TEST(RleToDib, DataLeavingThePictureIsRefused) {
    const Failure leaves = Failure::kRleLeaves;
    VectorSink out;
    EXPECT_EQ(dib::RleToDib(BlockOf(Rle(4, 1, 8, {5, 1, 0, 1})), out), leaves); // run past row
    EXPECT_EQ(dib::RleToDib(BlockOf(Rle(4, 1, 8, {0, 5, 1, 2, 3, 4, 5, 0, 0, 1})), out),
              leaves); // absolute run past row
    EXPECT_EQ(dib::RleToDib(BlockOf(Rle(4, 1, 8, {0, 0, 0, 0, 0, 1})), out),
              leaves); // two end-of-lines in a one-row picture
    EXPECT_EQ(dib::RleToDib(BlockOf(Rle(4, 2, 8, {0, 2, 0, 3, 0, 1})), out),
              leaves); // delta down
    EXPECT_EQ(dib::RleToDib(BlockOf(Rle(4, 2, 8, {0, 2, 9, 0, 0, 1})), out),
              leaves); // delta right
    EXPECT_EQ(dib::RleToDib(BlockOf(Rle(4, 1, 8, {0, 0, 1, 1, 0, 1})), out),
              leaves); // a run below the last row
    EXPECT_EQ(dib::RleToDib(BlockOf(Rle(8, 1, 4, {9, 0x11, 0, 1})), out), leaves);
}

TEST(RleToDib, DataEndingEarlyIsRefused) {
    const Failure noEnd = Failure::kRleNoEnd;
    VectorSink out;
    EXPECT_EQ(dib::RleToDib(BlockOf(Rle(4, 1, 8, {2, 1})), out), noEnd);
    EXPECT_EQ(dib::RleToDib(BlockOf(Rle(4, 1, 8, {2, 1, 0})), out), noEnd);
    EXPECT_EQ(dib::RleToDib(BlockOf(Rle(4, 1, 8, {0, 2, 1})), out), noEnd); // delta cut off
    EXPECT_EQ(dib::RleToDib(BlockOf(Rle(4, 1, 8, {0, 4, 1, 2})), out),
              noEnd); // literals cut off
    EXPECT_EQ(dib::RleToDib(BlockOf(Rle(4, 1, 4, {0, 5, 0x12, 0x34})), out), noEnd);
    EXPECT_EQ(dib::RleToDib(BlockOf(Rle(4, 0, 8, {})), out), noEnd); // no data at all
}

TEST(RleToDib, Texts) {
    VectorSink out;
    DibLayout plain;
    plain.palette = {Rgb(0, 0, 0)};
    EXPECT_EQ(dib::RleToDib(BlockOf(MakeDib(plain)), out), Failure::kNotRle);
    plain.compression = dib::kCompressionBitfields;
    EXPECT_EQ(dib::RleToDib(BlockOf(MakeDib(plain)), out), Failure::kNotRle);
    auto os2 = Rle(1, 1, 8, {0, 1});
    os2[0] = 12;
    EXPECT_EQ(dib::RleToDib(BlockOf(os2), out), Failure::kOs2);
    auto deep = Rle(1, 1, 8, {0, 1});
    deep[14] = 24; // run-length data is 4 or 8 bits deep
    EXPECT_EQ(dib::RleToDib(BlockOf(deep), out), Failure::kNotRle);
    NoMemorySink none;
    EXPECT_EQ(dib::RleToDib(BlockOf(Rle(1, 1, 8, {0, 1})), none), Failure::kNoMemory);
    auto cut = Rle(1, 1, 8, {0, 1});
    cut.resize(100); // colour table cut short
    EXPECT_EQ(dib::RleToDib(BlockOf(cut), out), Failure::kMismatch);
}

} // namespace
