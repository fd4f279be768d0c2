// Bit-depth conversions on hand-built DIBs: byte-level results, headers,
// error texts in their order, and error diffusion against a reference
// written here from the algorithm's statement.
#include "support/dib_builder.h"

#include "dib/color_reduce.h"
#include "dib/crop.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using namespace dibtest;
namespace dib = pexa::dib;

TEST(MaskToByte, FieldsMoveUpWithoutReplication) {
    EXPECT_EQ(dib::MaskToByte(0x7C00, 0x7C00), 248); // 5 bits all set
    EXPECT_EQ(dib::MaskToByte(0x0400, 0x7C00), 8);   // lowest 5-bit step
    EXPECT_EQ(dib::MaskToByte(0x07E0, 0x07E0), 252); // 6 bits all set
    EXPECT_EQ(dib::MaskToByte(0x00AB0000, 0x00FF0000), 0xAB);
    EXPECT_EQ(dib::MaskToByte(0x0003FF00, 0x0003FF00), 255); // 10-bit field: its top 8 bits
    EXPECT_EQ(dib::MaskToByte(0x00020000, 0x0003FF00), 128);
    EXPECT_EQ(dib::MaskToByte(0x80000000, 0x80000000), 128);
}

TEST(MaskToByte, ZeroMaskGivesZeroAndEnds) {
    EXPECT_EQ(dib::MaskToByte(0xFFFFFFFF, 0), 0);
}

TEST(Dib1To4, SinglePixelBecomesHighNibble) {
    DibLayout s;
    s.bits = 1;
    s.palette = {Rgb(0, 0, 0), Rgb(255, 255, 255)};
    s.rows = {{0x80}};
    const auto src = MakeDib(s);
    VectorSink out;
    ASSERT_EQ(dib::Dib1To4(BlockOf(src), out), Failure::kNone);
    DibView v{out.bytes};
    EXPECT_EQ(v.row(0)[0], 0x10);
    const InfoHeader h = v.header();
    EXPECT_EQ(h.bitCount, 4);
    EXPECT_EQ(h.clrUsed, 16u);
    EXPECT_EQ(h.clrImportant, 2u);
    EXPECT_EQ(h.xPelsPerMeter, 1234);
    EXPECT_EQ(h.yPelsPerMeter, 5678);
    EXPECT_EQ(h.sizeImage, 4u);
    EXPECT_EQ(out.bytes.size(), 40u + 64 + 4);
    EXPECT_TRUE(SameColor(v.color(1), Rgb(255, 255, 255)));
    EXPECT_TRUE(SameColor(v.color(2), Rgb(0, 0, 0)));
}

TEST(Dib1To4, EightPixelsBecomeFourBytes) {
    DibLayout s;
    s.width = 8;
    s.bits = 1;
    s.palette = {Rgb(1, 2, 3), Rgb(4, 5, 6)};
    s.rows = {{0xB4}};
    const auto src = MakeDib(s);
    VectorSink out;
    ASSERT_EQ(dib::Dib1To4(BlockOf(src), out), Failure::kNone);
    EXPECT_EQ(DibView{out.bytes}.rowVector(0), (std::vector<uint8_t>{0x10, 0x11, 0x01, 0x00}));
}

TEST(Dib4To8, NibblesBecomeBytes) {
    DibLayout s;
    s.width = 3;
    s.bits = 4;
    s.palette.assign(16, Rgb(9, 9, 9));
    s.rows = {{0x12, 0x30}};
    const auto src = MakeDib(s);
    VectorSink out;
    ASSERT_EQ(dib::Dib4To8(BlockOf(src), out), Failure::kNone);
    DibView v{out.bytes};
    EXPECT_EQ(v.rowVector(0), (std::vector<uint8_t>{1, 2, 3, 0}));
    EXPECT_EQ(v.header().clrUsed, 256u);
    EXPECT_EQ(v.header().clrImportant, 16u);
    EXPECT_EQ(out.bytes.size(), 40u + 1024 + 4);
}

TEST(Dib8To24, IndicesLookUpTheTable) {
    DibLayout s;
    s.width = 3;
    s.height = 2;
    s.palette = {Rgb(10, 20, 30), Rgb(40, 50, 60)};
    s.rows = {{0, 1, 0}, {1, 1, 200}}; // 200 lies beyond the 2-entry table
    const auto src = MakeDib(s);
    VectorSink out;
    ASSERT_EQ(dib::Dib8To24(BlockOf(src), out), Failure::kNone);
    DibView v{out.bytes};
    EXPECT_EQ(v.header().bitCount, 24);
    EXPECT_EQ(v.header().clrUsed, 0u);
    EXPECT_EQ(v.rowVector(0), (std::vector<uint8_t>{30, 20, 10, 60, 50, 40, 30, 20, 10, 0, 0, 0}));
    EXPECT_EQ(v.rowVector(1), (std::vector<uint8_t>{60, 50, 40, 60, 50, 40, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(out.bytes.size(), 40u + 24);
}

TEST(Dib8To24, TopDownSourceKeepsStoredOrderWithPositiveHeight) {
    DibLayout s;
    s.height = -2;
    s.palette = {Rgb(1, 1, 1), Rgb(2, 2, 2)};
    s.rows = {{0}, {1}};
    const auto src = MakeDib(s);
    VectorSink out;
    ASSERT_EQ(dib::Dib8To24(BlockOf(src), out), Failure::kNone);
    DibView v{out.bytes};
    EXPECT_EQ(v.header().height, 2);
    EXPECT_EQ(v.row(0)[0], 1);
    EXPECT_EQ(v.row(1)[0], 2);
}

TEST(Dib16To24, FiveFiveFiveDefaults) {
    DibLayout s;
    s.width = 3;
    s.bits = 16;
    s.rows = {{0xFF, 0x7F, 0x00, 0x00, 0x1F, 0x7C}}; // 0x7FFF, 0x0000, 0x7C1F
    const auto src = MakeDib(s);
    VectorSink out;
    ASSERT_EQ(dib::Dib16To24(BlockOf(src), out), Failure::kNone);
    EXPECT_EQ(DibView{out.bytes}.rowVector(0),
              (std::vector<uint8_t>{248, 248, 248, 0, 0, 0, 248, 0, 248, 0, 0, 0}));
}

TEST(Dib16To24, BitFieldMasksBehindHeader) {
    DibLayout s;
    s.width = 2;
    s.bits = 16;
    s.compression = dib::kCompressionBitfields;
    s.masks = {0xF800, 0x07E0, 0x001F};
    s.rows = {{0xE0, 0x07, 0x1F, 0xF8}}; // 0x07E0 green, 0xF81F magenta
    const auto src = MakeDib(s);
    VectorSink out;
    ASSERT_EQ(dib::Dib16To24(BlockOf(src), out), Failure::kNone);
    EXPECT_EQ(DibView{out.bytes}.rowVector(0),
              (std::vector<uint8_t>{0, 252, 0, 248, 0, 248, 0, 0}));
}

TEST(Dib32To24, ChannelsFromTheWord) {
    DibLayout s;
    s.bits = 32;
    s.rows = {{0x56, 0x34, 0x12, 0x00}};
    const auto src = MakeDib(s);
    VectorSink out;
    ASSERT_EQ(dib::Dib32To24(BlockOf(src), out), Failure::kNone);
    EXPECT_EQ(DibView{out.bytes}.rowVector(0), (std::vector<uint8_t>{0x56, 0x34, 0x12, 0}));
}

TEST(Dib32To24, ZeroMaskChannelIsZero) {
    DibLayout s;
    s.bits = 32;
    s.compression = dib::kCompressionBitfields;
    s.masks = {0x00FF0000, 0, 0x000000FF};
    s.rows = {{0x56, 0x34, 0x12, 0x00}};
    const auto src = MakeDib(s);
    VectorSink out;
    ASSERT_EQ(dib::Dib32To24(BlockOf(src), out), Failure::kNone);
    EXPECT_EQ(DibView{out.bytes}.rowVector(0), (std::vector<uint8_t>{0x56, 0, 0x12, 0}));
}

TEST(Widening, ChecksRunInTheirOrder) {
    DibLayout s;
    s.bits = 4;
    s.compression = dib::kCompressionRle4;
    auto src = MakeDib(s);
    VectorSink out;
    EXPECT_EQ(dib::Dib4To8(BlockOf(src), out), Failure::kRle);
    EXPECT_EQ(dib::Dib8To24(BlockOf(src), out), Failure::kDepth);
    EXPECT_EQ(dib::Dib1To4(BlockOf(src), out), Failure::kDepth);
    EXPECT_EQ(dib::Dib16To24(BlockOf(src), out), Failure::kDepth);
    EXPECT_EQ(dib::Dib32To24(BlockOf(src), out), Failure::kDepth);
    src[0] = 12; // OS/2 header size comes before everything
    EXPECT_EQ(dib::Dib4To8(BlockOf(src), out), Failure::kOs2);
    EXPECT_EQ(dib::Dib1To4(BlockOf(src), out), Failure::kOs2);
    EXPECT_EQ(dib::Dib8To24(BlockOf(src), out), Failure::kOs2);
    EXPECT_EQ(dib::Dib16To24(BlockOf(src), out), Failure::kOs2);
    EXPECT_EQ(dib::Dib32To24(BlockOf(src), out), Failure::kOs2);
    EXPECT_EQ(out.calls, 0);
}

TEST(Widening, CompressionRules) {
    VectorSink out;
    DibLayout s;
    s.bits = 8;
    s.compression = dib::kCompressionBitfields; // bit fields are no RLE, nor for 8 bits
    EXPECT_EQ(dib::Dib8To24(BlockOf(MakeDib(s)), out), Failure::kCompressionDepth);
    s.bits = 16;
    s.compression = dib::kCompressionRle8;
    EXPECT_EQ(dib::Dib16To24(BlockOf(MakeDib(s)), out), Failure::kRle);
    s.bits = 32;
    s.compression = dib::kCompressionRle4;
    EXPECT_EQ(dib::Dib32To24(BlockOf(MakeDib(s)), out), Failure::kRle);
    s.bits = 1;
    s.compression = dib::kCompressionRle8; // run-length data is no 1-bit rows either
    s.palette = {Rgb(0, 0, 0), Rgb(1, 1, 1)};
    EXPECT_EQ(dib::Dib1To4(BlockOf(MakeDib(s)), out), Failure::kRle);
}

TEST(Widening, NoMemory) {
    DibLayout s;
    s.bits = 8;
    s.palette = {Rgb(0, 0, 0)};
    NoMemorySink none;
    EXPECT_EQ(dib::Dib8To24(BlockOf(MakeDib(s)), none), Failure::kNoMemory);
    s.bits = 1;
    EXPECT_EQ(dib::Dib1To4(BlockOf(MakeDib(s)), none), Failure::kNoMemory);
    s.bits = 24;
    s.palette.clear();
    EXPECT_EQ(dib::Dib24To1(BlockOf(MakeDib(s)), none), Failure::kNoMemory);
    EXPECT_EQ(dib::Dib24To4(BlockOf(MakeDib(s)), none), Failure::kNoMemory);
}

TEST(Widening, BlockShorterThanItsHeaderClaimsIsRefused) {
    DibLayout s;
    s.width = 100;
    s.height = 100;
    s.bits = 8;
    s.palette.assign(256, Rgb(0, 0, 0));
    auto src = MakeDib(s);
    src.resize(src.size() - 1);
    VectorSink out;
    EXPECT_EQ(dib::Dib8To24(BlockOf(src), out), Failure::kMismatch);
    // A colour count that points beyond the block.
    auto huge = MakeDib(s);
    const uint32_t many = 0x40000000;
    std::memcpy(huge.data() + 32, &many, 4);
    EXPECT_EQ(dib::Dib8To24(BlockOf(huge), out), Failure::kMismatch);
    // A negative width.
    auto negative = MakeDib(s);
    const int32_t width = -100;
    std::memcpy(negative.data() + 4, &width, 4);
    EXPECT_EQ(dib::Dib8To24(BlockOf(negative), out), Failure::kMismatch);
    // Fewer bytes than a header: no DIB at all.
    const std::vector<uint8_t> tiny = {40, 0, 0};
    EXPECT_EQ(dib::Dib8To24(BlockOf(tiny), out), Failure::kNoDib);
    EXPECT_EQ(out.calls, 0);
}

TEST(Widening, ZeroWidthWithHugeHeightVisitsNoRows) {
    // No pixel bytes at all, yet a billion rows: nothing to loop over.
    DibLayout s;
    s.width = 0;
    s.height = 1 << 30;
    s.bits = 24;
    s.rawBits = {0};
    const auto src = MakeDib(s);
    VectorSink out;
    ASSERT_EQ(dib::Dib24To1(BlockOf(src), out), Failure::kNone);
    EXPECT_EQ(DibView{out.bytes}.header().height, 1 << 30);
    VectorSink grey, reduced, crop, half;
    ASSERT_EQ(dib::GrayDib(BlockOf(src), grey), Failure::kNone);
    ASSERT_EQ(dib::ReduceColors(BlockOf(src), 8, 3, reduced), Failure::kNone);
    ASSERT_EQ(dib::CropDib(BlockOf(src), 0, 0, 0, 1 << 30, crop), Failure::kNone);
    ASSERT_EQ(dib::SmallSizeDib(BlockOf(src), half), Failure::kNone);
    s.bits = 8;
    s.palette = {Rgb(1, 2, 3)};
    VectorSink wide;
    ASSERT_EQ(dib::Dib8To24(BlockOf(MakeDib(s)), wide), Failure::kNone);
}

// 24-bit picture of width x height from a generator, rows padded.
DibLayout TrueColor(int width, int height, uint32_t seed) {
    DibLayout s;
    s.width = width;
    s.height = height;
    s.bits = 24;
    std::mt19937 rng(seed);
    for (int y = 0; y < height; ++y) {
        std::vector<uint8_t> row(size_t(width) * 3);
        for (auto &b : row)
            b = uint8_t(rng());
        s.rows.push_back(row);
    }
    return s;
}

DibLayout Uniform(int width, int height, int r, int g, int b) {
    DibLayout s;
    s.width = width;
    s.height = height;
    s.bits = 24;
    for (int y = 0; y < height; ++y) {
        std::vector<uint8_t> row;
        for (int x = 0; x < width; ++x)
            row.insert(row.end(), {uint8_t(b), uint8_t(g), uint8_t(r)});
        s.rows.push_back(row);
    }
    return s;
}

int PixelOf(const DibView &v, int x, int y, int bits) {
    const uint8_t *row = v.row(size_t(y));
    if (bits == 1) return (row[x / 8] >> (7 - x % 8)) & 1;
    if (bits == 4) return x % 2 ? row[x / 2] & 15 : row[x / 2] >> 4;
    return row[x];
}

TEST(Dib24To1, MidGreyDithersWhiteStaysWhite) {
    VectorSink out;
    ASSERT_EQ(dib::Dib24To1(BlockOf(MakeDib(Uniform(16, 16, 128, 128, 128))), out), Failure::kNone);
    DibView v{out.bytes};
    int ones = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ones += PixelOf(v, x, y, 1);
    EXPECT_GT(ones, 0);
    EXPECT_LT(ones, 256);
    EXPECT_EQ(v.header().clrUsed, 2u);
    EXPECT_EQ(v.header().clrImportant, 2u);
    EXPECT_TRUE(SameColor(v.color(1), Rgb(255, 255, 255)));

    VectorSink white;
    ASSERT_EQ(dib::Dib24To1(BlockOf(MakeDib(Uniform(10, 3, 255, 255, 255))), white),
              Failure::kNone);
    DibView w{white.bytes};
    for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(w.row(y)[0], 0xFF);
        EXPECT_EQ(w.row(y)[1], 0xC0); // bits beyond the width stay 0
    }
}

TEST(Dib24To4, NearestOfTheFixedTable) {
    const struct {
        int r, g, b, index;
    } cases[] = {{255, 0, 0, 12},     {128, 128, 128, 7}, {160, 160, 160, 7}, {0, 0, 0, 0},
                 {255, 255, 255, 15}, {192, 192, 192, 8}, {0, 0, 128, 1}};
    for (const auto &c : cases) {
        VectorSink out;
        ASSERT_EQ(dib::Dib24To4(BlockOf(MakeDib(Uniform(1, 1, c.r, c.g, c.b))), out),
                  Failure::kNone);
        DibView v{out.bytes};
        EXPECT_EQ(v.row(0)[0], c.index << 4) << c.r << "," << c.g << "," << c.b;
        EXPECT_EQ(v.header().clrUsed, 16u);
        EXPECT_EQ(v.header().clrImportant, 16u);
        EXPECT_TRUE(SameColor(v.color(12), Rgb(255, 0, 0)));
        EXPECT_TRUE(SameColor(v.color(3), Rgb(0, 128, 128)));
    }
}

TEST(Narrowing, Texts) {
    DibLayout s;
    s.bits = 8;
    s.palette = {Rgb(0, 0, 0)};
    auto src = MakeDib(s);
    VectorSink out;
    EXPECT_EQ(dib::Dib24To1(BlockOf(src), out), Failure::kDepth);
    EXPECT_EQ(dib::Dib24To4(BlockOf(src), out), Failure::kDepth);
    src[0] = 64;
    EXPECT_EQ(dib::Dib24To1(BlockOf(src), out), Failure::kOs2);
    EXPECT_EQ(dib::Dib24To4(BlockOf(src), out), Failure::kOs2);
}

// ---------------------------------------------------------------------------
// Reference error diffusion: the whole picture as ints, corrected in place,
// exactly as the statement reads.

struct Picture {
    int width, height;
    std::vector<int> bgr; // row-major, stored order
    int &at(int x, int y, int k) { return bgr[(size_t(y) * width + x) * 3 + k]; }
};

Picture PictureOf(const DibLayout &s) {
    Picture p{s.width, s.height, {}};
    for (const auto &row : s.rows)
        for (int i = 0; i < s.width * 3; ++i)
            p.bgr.push_back(row[size_t(i)]);
    return p;
}

template <class Choose>
std::vector<int> ReferenceDiffusion(Picture p, const std::vector<Quad> &palette, Choose choose) {
    auto clamp = [](int v) { return v < 0 ? 0 : v > 255 ? 255 : v; };
    std::vector<int> indices;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const int index = choose(p.at(x, y, 0), p.at(x, y, 1), p.at(x, y, 2));
            indices.push_back(index);
            const int chosen[3] = {palette[size_t(index)].blue, palette[size_t(index)].green,
                                   palette[size_t(index)].red};
            for (int k = 0; k < 3; ++k) {
                const int e = p.at(x, y, k) - chosen[k];
                const bool last = x == p.width - 1, bottom = y == p.height - 1;
                if (!last) p.at(x + 1, y, k) = clamp(p.at(x + 1, y, k) + e * 3 / 8);
                if (!bottom) p.at(x, y + 1, k) = clamp(p.at(x, y + 1, k) + e * 3 / 8);
                if (!last && !bottom) p.at(x + 1, y + 1, k) = clamp(p.at(x + 1, y + 1, k) + e / 4);
            }
        }
    return indices;
}

int NearestFixed(int b, int g, int r) {
    // The table colour nearest to the 5-5-5 cell, ties to the lower index.
    const int cr = r / 8 * 8, cg = g / 8 * 8, cb = b / 8 * 8;
    int best = 0, bestD = 1 << 30;
    for (int i = 0; i < 16; ++i) {
        const Quad &q = dib::kSixteenColors[i];
        const int d = (cr - q.red) * (cr - q.red) + (cg - q.green) * (cg - q.green) +
                      (cb - q.blue) * (cb - q.blue);
        if (d < bestD) bestD = d, best = i;
    }
    return best;
}

TEST(ErrorDiffusion, SixteenColoursMatchTheReference) {
    for (auto size : {std::pair{1, 1}, std::pair{7, 5}, std::pair{33, 17}, std::pair{5, 1}}) {
        const DibLayout s = TrueColor(size.first, size.second, 77 + size.first);
        VectorSink out;
        ASSERT_EQ(dib::Dib24To4(BlockOf(MakeDib(s)), out), Failure::kNone);
        const std::vector<Quad> table(dib::kSixteenColors, dib::kSixteenColors + 16);
        const auto expected = ReferenceDiffusion(PictureOf(s), table, NearestFixed);
        DibView v{out.bytes};
        for (int y = 0, i = 0; y < s.height; ++y)
            for (int x = 0; x < s.width; ++x, ++i)
                ASSERT_EQ(PixelOf(v, x, y, 4), expected[size_t(i)]) << x << "," << y;
    }
}

TEST(ErrorDiffusion, BlackAndWhiteMatchTheReference) {
    const DibLayout s = TrueColor(29, 13, 5);
    VectorSink out;
    ASSERT_EQ(dib::Dib24To1(BlockOf(MakeDib(s)), out), Failure::kNone);
    const std::vector<Quad> table = {Rgb(0, 0, 0), Rgb(255, 255, 255)};
    const auto expected = ReferenceDiffusion(PictureOf(s), table, [](int b, int g, int r) {
        return (77 * r + 151 * g + 28 * b) / 256 > 127 ? 1 : 0;
    });
    DibView v{out.bytes};
    for (int y = 0, i = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x, ++i)
            ASSERT_EQ(PixelOf(v, x, y, 1), expected[size_t(i)]) << x << "," << y;
}

TEST(ErrorDiffusion, NegativeErrorsTruncateTowardZero) {
    // 200 grey turns white, leaving -55; -55 * 3 / 8 is -20 (not -21), so the
    // neighbour 148 becomes 128, whose grey value 128 is still white.
    DibLayout s = Uniform(2, 1, 0, 0, 0);
    s.rows = {{200, 200, 200, 148, 148, 148}};
    VectorSink out;
    ASSERT_EQ(dib::Dib24To1(BlockOf(MakeDib(s)), out), Failure::kNone);
    EXPECT_EQ(DibView{out.bytes}.row(0)[0], 0xC0);
}

// Every box text of the conversions, the reduction and the geometry comes
// from one table: the documented texts exactly, and the toolkit's own for
// the failures the documented ones do not cover.
TEST(FailureText, EveryFamilyRendersFunctionAndText) {
    using F = dib::Function;
    const struct {
        F function;
        Failure failure;
        const char *text;
    } cases[] = {
        {F::kDib4To8, Failure::kRle, "DIB4To8: This is a RLE-DIB!"},
        {F::kDib8To24, Failure::kDepth, "DIB8To24: This is not a 8-Bit-DIB!"},
        {F::kDib8To24, Failure::kCompressionDepth,
         "DIB8To24: Compression does not fit the bit depth!"},
        {F::kDib16To24, Failure::kDepth, "DIB16To24: This is not 16-Bit-DIB!"},
        {F::kDib32To24, Failure::kRle, "DIB32To24: This is a RLE-DIB!"},
        {F::kDib8To4, Failure::kNoDib, "DIB8To4: No DIB passed!"},
        {F::kNarrow24To1, Failure::kDepth, "_DIB24To1: This is not a 24-Bit DIB!"},
        {F::kNarrow24To4, Failure::kDepth, "_DIB24To4: This is not a 24-Bit DIB!"},
        {F::kNarrow24To4, Failure::kNoMemory, "_DIB24to4: Not enough memory for DIB!"},
        {F::kNarrow24To4, Failure::kColorCube, "_DIB24To4: Not enough memory for color cube!"},
        {F::kReduceColors, Failure::kRle, "ReduceColors: No support for RLE-Bitmaps!"},
        {F::kReduceColors, Failure::kDepth, "ReduceColors: Bitmap is already reduced!"},
        {F::kGrayDib, Failure::kNoMemory, "DIB24to8: Not enough memory for DIB!"},
        {F::kGrayDib, Failure::kCopyMemory, "CopyDIB: Not enough memory for DIB!"},
        {F::kGrayDib, Failure::kDepth, "GrayDIB: Unsupported bit depth!"},
        {F::kDib24To8, Failure::kNoDib, "DIB24to8: No DIB passed!"},
        {F::kDib24To8, Failure::kDepth, "DIB24to8: Not a 24-Bit-DIB!"},
        {F::kMedianCut, Failure::kEmptyBox, "MedianCut: Program error: lPixels != 0"},
        {F::kSmallSizeDib, Failure::kRle, "SmallSizeDIB: It's a RLE-DIB!"},
        {F::kSmallSizeDib, Failure::kMismatch, "SmallSizeDIB: DIB data does not match its header!"},
        {F::kCropDib, Failure::kRle, "CropDIB: No support for RLE-Bitmaps!"},
        {F::kRleToDib, Failure::kNotRle, "RLEtoDIB: Not a RLE-Bitmap!"},
        {F::kRleToDib, Failure::kNone, ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(dib::FailureText(c.function, c.failure), c.text);
}

} // namespace
