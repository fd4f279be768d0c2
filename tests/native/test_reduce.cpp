// Colour reduction, median cut, grey conversion and halving on hand-built
// DIBs.
#include "support/dib_builder.h"

#include "dib/color_reduce.h"
#include "dib/crop.h"
#include "dib/median_cut.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <random>
#include <set>

namespace {

using namespace dibtest;
namespace dib = pexa::dib;

// A 24-bit picture from a list of (r, g, b) pixels, `width` per row.
DibLayout FromPixels(int width, const std::vector<std::array<int, 3>> &pixels) {
    DibLayout s;
    s.width = width;
    s.height = int(pixels.size()) / width;
    s.bits = 24;
    for (int y = 0; y < s.height; ++y) {
        std::vector<uint8_t> row;
        for (int x = 0; x < width; ++x) {
            const auto &p = pixels[size_t(y * width + x)];
            row.insert(row.end(), {uint8_t(p[2]), uint8_t(p[1]), uint8_t(p[0])});
        }
        s.rows.push_back(row);
    }
    return s;
}

TEST(ReduceColors, PopularityOrdersByFrequencyAndRepeats) {
    // 5 x 1 blue-ish, 3 x red, 1 x green: colours are rounded down to cells.
    const auto s = FromPixels(3, {{10, 20, 33},
                                  {10, 20, 33},
                                  {255, 0, 0},
                                  {10, 20, 33},
                                  {255, 0, 0},
                                  {10, 20, 33},
                                  {0, 250, 7},
                                  {255, 0, 0},
                                  {10, 20, 33}});
    VectorSink out;
    ASSERT_EQ(dib::ReduceColors(BlockOf(MakeDib(s)), 8, 0, out), Failure::kNone);
    DibView v{out.bytes};
    EXPECT_TRUE(SameColor(v.color(0), Rgb(8, 16, 32)));
    EXPECT_TRUE(SameColor(v.color(1), Rgb(248, 0, 0)));
    EXPECT_TRUE(SameColor(v.color(2), Rgb(0, 248, 0)));
    // The rest repeat the occurring cell of lowest index (all counts are 1 now).
    for (int i = 3; i < 256; ++i)
        EXPECT_TRUE(SameColor(v.color(size_t(i)), Rgb(0, 248, 0))) << i;
    const std::vector<uint8_t> expected[3] = {{0, 0, 1, 0}, {0, 1, 0, 0}, {2, 1, 0, 0}};
    for (int y = 0; y < 3; ++y)
        EXPECT_EQ(v.rowVector(size_t(y)), expected[y]) << y;

    const InfoHeader h = v.header();
    EXPECT_EQ(h.bitCount, 8);
    EXPECT_EQ(h.clrUsed, 256u);
    EXPECT_EQ(h.clrImportant, 0u);
    EXPECT_EQ(h.xPelsPerMeter, 2953);
    EXPECT_EQ(h.sizeImage, 12u);
    EXPECT_EQ(out.bytes.size(), 40u + 1024 + 12);
}

TEST(ReduceColors, PopularityTakesEachColourOnce) {
    // Three blue, two green, one red: red is chosen third, not blue again,
    // and every pixel keeps its colour.
    const auto s = FromPixels(
        6, {{0, 0, 255}, {0, 255, 0}, {0, 0, 255}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}});
    VectorSink out;
    ASSERT_EQ(dib::ReduceColors(BlockOf(MakeDib(s)), 8, 0, out), Failure::kNone);
    DibView v{out.bytes};
    EXPECT_TRUE(SameColor(v.color(0), Rgb(0, 0, 248)));
    EXPECT_TRUE(SameColor(v.color(1), Rgb(0, 248, 0)));
    EXPECT_TRUE(SameColor(v.color(2), Rgb(248, 0, 0)));
    EXPECT_EQ(v.rowVector(0), (std::vector<uint8_t>{0, 1, 0, 2, 1, 0, 0, 0}));

    // Many colours that occur once, more than the palette holds: after the
    // frequent ones, distinct singletons in cell order, never a repeat.
    std::vector<std::array<int, 3>> pixels(40, {200, 100, 0});
    for (int i = 0; i < 300; ++i)
        pixels.push_back({(i % 32) * 8, (i / 32) * 8, 64});
    VectorSink many;
    ASSERT_EQ(dib::ReduceColors(BlockOf(MakeDib(FromPixels(340, pixels))), 6, 0, many),
              Failure::kNone);
    DibView m{many.bytes};
    EXPECT_TRUE(SameColor(m.color(0), Rgb(200, 96, 0)));
    std::set<std::array<int, 3>> seen;
    for (size_t i = 0; i < 64; ++i) {
        const Quad q = m.color(i);
        EXPECT_TRUE(seen.insert({q.red, q.green, q.blue}).second) << "entry " << i;
    }
    EXPECT_TRUE(SameColor(m.color(1), Rgb(0, 0, 64))); // the lowest singleton cell
}

TEST(ReduceColors, OneBitLeavesTwoEntriesAndBlack) {
    const auto s = FromPixels(2, {{255, 255, 255}, {200, 0, 0}, {255, 255, 255}, {0, 0, 200}});
    for (unsigned flags = 0; flags < 4; ++flags) {
        VectorSink out;
        ASSERT_EQ(dib::ReduceColors(BlockOf(MakeDib(s)), 1, flags, out), Failure::kNone);
        DibView v{out.bytes};
        for (int i = 2; i < 256; ++i)
            EXPECT_TRUE(SameColor(v.color(size_t(i)), Rgb(0, 0, 0)));
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 2; ++x)
                EXPECT_LT(v.row(size_t(y))[x], 2) << flags;
    }
}

TEST(ReduceColors, Texts) {
    const auto s24 = MakeDib(FromPixels(1, {{1, 2, 3}}));
    VectorSink out;
    EXPECT_EQ(dib::ReduceColors(BlockOf(s24), 9, 0, out), Failure::kBitsPerPixel);
    DibLayout s8;
    s8.palette = {Rgb(0, 0, 0)};
    EXPECT_EQ(dib::ReduceColors(BlockOf(MakeDib(s8)), 8, 0, out), Failure::kDepth);
    s8.compression = 1;
    EXPECT_EQ(dib::ReduceColors(BlockOf(MakeDib(s8)), 8, 0, out), Failure::kRle);
    auto os2 = s24;
    os2[0] = 12;
    EXPECT_EQ(dib::ReduceColors(BlockOf(os2), 9, 0, out), Failure::kBitsPerPixel);
    EXPECT_EQ(dib::ReduceColors(BlockOf(os2), 8, 0, out), Failure::kOs2);
    NoMemorySink none;
    EXPECT_EQ(dib::ReduceColors(BlockOf(s24), 8, 3, none), Failure::kNoMemory);
    EXPECT_EQ(out.calls, 0);
}

// A palette of `capacity` entries for MedianCut to fill.
dib::MedianCutPalette PaletteOf(Quad *table, uint32_t capacity) {
    dib::MedianCutPalette palette;
    palette.table = table;
    palette.capacity = capacity;
    return palette;
}

TEST(MedianCut, OneColourGivesOneEntry) {
    std::unique_ptr<uint32_t[]> histogram(new uint32_t[32768]());
    histogram[dib::CellOf(100, 150, 200)] = 42;
    Quad table[256] = {};
    dib::MedianCutPalette palette = PaletteOf(table, 256);
    dib::MedianCut(histogram.get(), palette, 0, 31, 0, 31, 0, 31, 256, 42);
    EXPECT_EQ(palette.count, 1u);
    EXPECT_EQ(palette.faults, 0u);
    EXPECT_TRUE(SameColor(table[0], Rgb(96, 144, 200)));
}

TEST(MedianCut, TwoColoursSplitAlongTheLongestSide) {
    std::unique_ptr<uint32_t[]> histogram(new uint32_t[32768]());
    histogram[dib::CellOf(0, 0, 0)] = 3;
    histogram[dib::CellOf(248, 0, 0)] = 1;
    Quad table[4] = {};
    dib::MedianCutPalette palette = PaletteOf(table, 4);
    dib::MedianCut(histogram.get(), palette, 0, 31, 0, 31, 0, 31, 4, 4);
    ASSERT_EQ(palette.count, 2u);
    EXPECT_TRUE(SameColor(table[0], Rgb(0, 0, 0)));
    EXPECT_TRUE(SameColor(table[1], Rgb(248, 0, 0)));
}

TEST(MedianCut, AverageOfABoxWhenOneColourIsLeft) {
    std::unique_ptr<uint32_t[]> histogram(new uint32_t[32768]());
    histogram[dib::CellOf(0, 0, 0)] = 1;
    histogram[dib::CellOf(248, 0, 0)] = 3;
    Quad table[1] = {};
    dib::MedianCutPalette palette = PaletteOf(table, 1);
    dib::MedianCut(histogram.get(), palette, 0, 31, 0, 31, 0, 31, 1, 4);
    ASSERT_EQ(palette.count, 1u);
    EXPECT_TRUE(SameColor(table[0], Rgb(23 * 8, 0, 0))); // (3 * 31) / 4 = 23
}

TEST(MedianCut, NeverMoreEntriesThanColours) {
    std::unique_ptr<uint32_t[]> histogram(new uint32_t[32768]());
    std::mt19937 rng(3);
    uint64_t pixels = 0;
    for (int i = 0; i < 5000; ++i) {
        const uint32_t n = rng() % 7;
        histogram[rng() % 32768] += n;
        pixels += n;
    }
    for (uint32_t colors : {1u, 2u, 16u, 256u}) {
        Quad table[256] = {};
        dib::MedianCutPalette palette = PaletteOf(table, 256);
        dib::MedianCut(histogram.get(), palette, 0, 31, 0, 31, 0, 31, colors, pixels);
        EXPECT_LE(palette.count, colors);
        EXPECT_GE(palette.count, colors == 1 ? 1u : colors / 2);
        EXPECT_EQ(palette.faults, 0u);
    }
}

TEST(ReduceColors, MedianCutOfFourSeparateColoursIsExactWithEightEntries) {
    const auto s = FromPixels(2, {{0, 0, 0}, {248, 0, 0}, {0, 248, 0}, {0, 0, 248}});
    for (unsigned flags : {2u, 3u}) {
        VectorSink out;
        ASSERT_EQ(dib::ReduceColors(BlockOf(MakeDib(s)), 3, flags, out), Failure::kNone);
        DibView v{out.bytes};
        std::set<std::array<int, 3>> colours;
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 2; ++x) {
                const Quad q = v.color(v.row(size_t(y))[x]);
                colours.insert({q.red, q.green, q.blue});
            }
        EXPECT_EQ(colours,
                  (std::set<std::array<int, 3>>{{0, 0, 0}, {248, 0, 0}, {0, 248, 0}, {0, 0, 248}}));
    }
}

TEST(ReduceColors, DiffusionMatchesTheReference) {
    // Reference: nearest palette colour per cell (lowest index on ties) and
    // the diffusion as stated, on the whole picture corrected in place.
    std::mt19937 rng(11);
    DibLayout s;
    s.width = 23;
    s.height = 9;
    s.bits = 24;
    for (int y = 0; y < s.height; ++y) {
        std::vector<uint8_t> row(size_t(s.width) * 3);
        for (auto &b : row)
            b = uint8_t(rng() % 64 * 4);
        s.rows.push_back(row);
    }
    for (unsigned flags : {1u, 3u}) {
        VectorSink out;
        ASSERT_EQ(dib::ReduceColors(BlockOf(MakeDib(s)), 3, flags, out), Failure::kNone);
        DibView v{out.bytes};
        std::vector<int> pic;
        for (const auto &row : s.rows)
            pic.insert(pic.end(), row.begin(), row.end());
        auto clamp = [](int x) { return x < 0 ? 0 : x > 255 ? 255 : x; };
        for (int y = 0; y < s.height; ++y)
            for (int x = 0; x < s.width; ++x) {
                int *p = &pic[size_t(y * s.width + x) * 3];
                const int cb = p[0] / 8 * 8, cg = p[1] / 8 * 8, cr = p[2] / 8 * 8;
                int best = 0, bestD = 1 << 30;
                for (int i = 0; i < 8; ++i) {
                    const Quad q = v.color(size_t(i));
                    const int d = (cr - q.red) * (cr - q.red) + (cg - q.green) * (cg - q.green) +
                                  (cb - q.blue) * (cb - q.blue);
                    if (d < bestD) bestD = d, best = i;
                }
                ASSERT_EQ(v.row(size_t(y))[x], best) << x << "," << y << " flags " << flags;
                const Quad q = v.color(size_t(best));
                const int chosen[3] = {q.blue, q.green, q.red};
                for (int k = 0; k < 3; ++k) {
                    const int e = p[k] - chosen[k];
                    const bool last = x == s.width - 1, bottom = y == s.height - 1;
                    if (!last) p[3 + k] = clamp(p[3 + k] + e * 3 / 8);
                    if (!bottom) p[s.width * 3 + k] = clamp(p[s.width * 3 + k] + e * 3 / 8);
                    if (!last && !bottom)
                        p[s.width * 3 + 3 + k] = clamp(p[s.width * 3 + 3 + k] + e / 4);
                }
            }
    }
}

TEST(GrayDib, PaletteDibKeepsIndicesAndGetsGreyTable) {
    DibLayout s;
    s.width = 3;
    s.bits = 4;
    s.palette.assign(16, Rgb(0, 0, 0));
    s.palette[1] = Rgb(255, 0, 0);
    s.palette[2] = Rgb(255, 255, 255);
    s.rows = {{0x12, 0x30}};
    const auto src = MakeDib(s);
    VectorSink out;
    ASSERT_EQ(dib::GrayDib(BlockOf(src), out), Failure::kNone);
    ASSERT_EQ(out.bytes.size(), src.size());
    DibView v{out.bytes};
    EXPECT_EQ(v.header().bitCount, 4);
    EXPECT_TRUE(SameColor(v.color(1), Rgb(76, 76, 76)));
    EXPECT_TRUE(SameColor(v.color(2), Rgb(255, 255, 255)));
    EXPECT_EQ(v.rowVector(0), (std::vector<uint8_t>{0x12, 0x30, 0, 0}));
}

TEST(GrayDib, TrueColourBecomesEightBitGrey) {
    VectorSink out24;
    ASSERT_EQ(dib::GrayDib(BlockOf(MakeDib(FromPixels(2, {{255, 255, 255}, {255, 0, 0}}))), out24),
              Failure::kNone);
    DibView v{out24.bytes};
    EXPECT_EQ(v.header().bitCount, 8);
    EXPECT_EQ(v.header().clrUsed, 256u);
    EXPECT_EQ(v.row(0)[0], 255);
    EXPECT_EQ(v.row(0)[1], 76);
    EXPECT_TRUE(SameColor(v.color(200), Rgb(200, 200, 200)));

    DibLayout s16;
    s16.width = 1;
    s16.bits = 16;
    s16.rows = {{0xFF, 0x7F}};
    VectorSink out16;
    ASSERT_EQ(dib::GrayDib(BlockOf(MakeDib(s16)), out16), Failure::kNone);
    EXPECT_EQ(DibView{out16.bytes}.row(0)[0], 248);

    DibLayout s32;
    s32.bits = 32;
    s32.rows = {{0, 0, 255, 0}}; // red
    VectorSink out32;
    ASSERT_EQ(dib::GrayDib(BlockOf(MakeDib(s32)), out32), Failure::kNone);
    EXPECT_EQ(DibView{out32.bytes}.row(0)[0], 76);
}

TEST(GrayDib, Texts) {
    VectorSink out;
    DibLayout s;
    s.bits = 8;
    s.compression = 1;
    s.palette = {Rgb(1, 1, 1)};
    EXPECT_EQ(dib::GrayDib(BlockOf(MakeDib(s)), out), Failure::kRle);
    s.bits = 24;
    s.palette.clear();
    s.compression = 2;
    EXPECT_EQ(dib::GrayDib(BlockOf(MakeDib(s)), out), Failure::kRle);
    s.compression = 0;
    auto os2 = MakeDib(s);
    os2[0] = 12;
    EXPECT_EQ(dib::GrayDib(BlockOf(os2), out), Failure::kOs2);
    NoMemorySink none;
    EXPECT_EQ(dib::GrayDib(BlockOf(MakeDib(s)), none), Failure::kNoMemory);
    s.bits = 1;
    s.palette = {Rgb(1, 1, 1), Rgb(2, 2, 2)};
    EXPECT_EQ(dib::GrayDib(BlockOf(MakeDib(s)), none), Failure::kCopyMemory);
}

TEST(Dib24To8, ReducesOrGreys) {
    std::mt19937 rng(5);
    std::vector<std::array<int, 3>> pixels;
    for (int i = 0; i < 64; ++i)
        pixels.push_back({int(rng() % 256), int(rng() % 256), int(rng() % 256)});
    const auto src = MakeDib(FromPixels(8, pixels));
    VectorSink reduced, direct, grey, greyDirect;
    ASSERT_EQ(dib::Dib24To8(BlockOf(src), 0, reduced), Failure::kNone);
    ASSERT_EQ(dib::ReduceColors(BlockOf(src), 8, 3, direct), Failure::kNone);
    EXPECT_EQ(reduced.bytes, direct.bytes);
    ASSERT_EQ(dib::Dib24To8(BlockOf(src), 7, grey), Failure::kNone);
    ASSERT_EQ(dib::GrayDib(BlockOf(src), greyDirect), Failure::kNone);
    EXPECT_EQ(grey.bytes, greyDirect.bytes);

    DibLayout s8;
    s8.palette = {Rgb(0, 0, 0)};
    VectorSink out;
    EXPECT_EQ(dib::Dib24To8(BlockOf(MakeDib(s8)), 0, out), Failure::kDepth);
}

TEST(SmallSizeDib, OneByOneBecomesEmpty) {
    DibLayout s;
    s.palette = {Rgb(1, 2, 3), Rgb(4, 5, 6)};
    s.rows = {{1}};
    VectorSink out;
    ASSERT_EQ(dib::SmallSizeDib(BlockOf(MakeDib(s)), out), Failure::kNone);
    DibView v{out.bytes};
    EXPECT_EQ(v.header().width, 0);
    EXPECT_EQ(v.header().height, 0);
    EXPECT_EQ(v.header().sizeImage, 0u);
    EXPECT_EQ(v.header().clrUsed, 2u);
    EXPECT_EQ(v.header().clrImportant, 2u);
    EXPECT_EQ(v.header().xPelsPerMeter, 1234);
    EXPECT_EQ(out.bytes.size(), 40u + 8);
    EXPECT_TRUE(SameColor(v.color(1), Rgb(4, 5, 6)));
}

TEST(SmallSizeDib, ThreeByFiveTakesEvenPixelsOfEvenRows) {
    DibLayout s;
    s.width = 3;
    s.height = 5;
    s.bits = 24;
    for (int y = 0; y < 5; ++y) {
        std::vector<uint8_t> row;
        for (int x = 0; x < 3; ++x)
            row.insert(row.end(), {uint8_t(10 * y + x), 1, 2});
        s.rows.push_back(row);
    }
    VectorSink out;
    ASSERT_EQ(dib::SmallSizeDib(BlockOf(MakeDib(s)), out), Failure::kNone);
    DibView v{out.bytes};
    EXPECT_EQ(v.header().width, 1);
    EXPECT_EQ(v.header().height, 2);
    EXPECT_EQ(v.rowVector(0), (std::vector<uint8_t>{0, 1, 2, 0}));
    EXPECT_EQ(v.rowVector(1), (std::vector<uint8_t>{20, 1, 2, 0}));
}

TEST(SmallSizeDib, OneBitTakesEvenColumns) {
    DibLayout s;
    s.width = 20;
    s.height = 2;
    s.bits = 1;
    s.palette = {Rgb(0, 0, 0), Rgb(255, 255, 255)};
    s.rows = {{0xAA, 0x55, 0xA0}, {0, 0, 0}}; // even columns set in bytes 0 and 2
    VectorSink out;
    ASSERT_EQ(dib::SmallSizeDib(BlockOf(MakeDib(s)), out), Failure::kNone);
    DibView v{out.bytes};
    EXPECT_EQ(v.header().width, 10);
    EXPECT_EQ(v.header().height, 1);
    // Even pixels: 1111 0000 (bytes 0, 1) then 11 (byte 2, bits 7 and 5).
    EXPECT_EQ(v.row(0)[0], 0xF0);
    EXPECT_EQ(v.row(0)[1], 0xC0);
}

TEST(SmallSizeDib, FourBitAndBitFields) {
    DibLayout s;
    s.width = 5;
    s.height = 2;
    s.bits = 4;
    s.palette.assign(16, Rgb(0, 0, 0));
    s.rows = {{0x12, 0x34, 0x56}};
    VectorSink out;
    ASSERT_EQ(dib::SmallSizeDib(BlockOf(MakeDib(s)), out), Failure::kNone);
    EXPECT_EQ(DibView{out.bytes}.rowVector(0), (std::vector<uint8_t>{0x13, 0, 0, 0}));

    DibLayout m;
    m.width = 4;
    m.height = 2;
    m.bits = 16;
    m.compression = dib::kCompressionBitfields;
    m.masks = {0xF800, 0x07E0, 0x001F};
    m.rows = {{1, 2, 3, 4, 5, 6, 7, 8}};
    VectorSink bf;
    ASSERT_EQ(dib::SmallSizeDib(BlockOf(MakeDib(m)), bf), Failure::kNone);
    DibView v{bf.bytes};
    EXPECT_EQ(v.header().compression, dib::kCompressionBitfields);
    EXPECT_EQ(bf.bytes.size(), 40u + 12 + 4);
    uint32_t red;
    std::memcpy(&red, bf.bytes.data() + 40, 4);
    EXPECT_EQ(red, 0xF800u);
    EXPECT_EQ(v.rowVector(0), (std::vector<uint8_t>{1, 2, 5, 6}));
}

TEST(SmallSizeDib, Texts) {
    DibLayout s;
    s.compression = 1;
    s.palette = {Rgb(0, 0, 0)};
    VectorSink out;
    EXPECT_EQ(dib::SmallSizeDib(BlockOf(MakeDib(s)), out), Failure::kRle);
    s.compression = 0;
    auto os2 = MakeDib(s);
    os2[0] = 12;
    EXPECT_EQ(dib::SmallSizeDib(BlockOf(os2), out), Failure::kOs2);
    NoMemorySink none;
    EXPECT_EQ(dib::SmallSizeDib(BlockOf(MakeDib(s)), none), Failure::kNoMemory);
}

} // namespace
