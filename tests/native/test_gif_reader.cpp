// The GIF reader on hand-made files: depths, colour tables, placement and
// clipping, interlace, several images, extensions, and every damaged file
// it must survive with the right text.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "test_gif_support.h"

namespace {

using giftest::GifBuilder;
using giftest::Picture;
using giftest::TestHost;
namespace text = pexa::gif::text;

std::vector<uint8_t> Ramp(int n, int modulo) {
    std::vector<uint8_t> v(n);
    for (int i = 0; i < n; ++i)
        v[i] = uint8_t(i % modulo);
    return v;
}

TEST(GifReader, DepthFollowsTheGlobalTableSize) {
    struct Case {
        int sizeField, bits, clrUsed;
    } cases[] = {{0, 1, 2}, {1, 4, 16}, {2, 4, 16}, {3, 4, 16}, {4, 8, 256}, {7, 8, 256}};
    for (const Case &c : cases) {
        const int entries = 2 << c.sizeField;
        GifBuilder gif;
        gif.Screen(5, 3, 0x80 | c.sizeField).Table(entries);
        gif.Image(0, 0, 5, 3, 0, Ramp(15, entries), c.sizeField < 1 ? 2 : c.sizeField + 1);
        gif.Trailer();
        TestHost host;
        const uint8_t *dib = giftest::Read(gif.bytes, host);
        ASSERT_NE(dib, nullptr);
        EXPECT_TRUE(host.errors.empty());
        Picture p(dib);
        EXPECT_EQ(p.header.bitCount, c.bits);
        EXPECT_EQ(p.header.clrUsed, uint32_t(c.clrUsed));
        EXPECT_EQ(p.header.clrImportant, uint32_t(entries));
        EXPECT_EQ(p.header.width, 5);
        EXPECT_EQ(p.header.height, 3);
        EXPECT_EQ(p.header.xPelsPerMeter, 2953);
        EXPECT_EQ(p.header.sizeImage, p.rowBytes * 3);
        EXPECT_EQ(host.dibSize, 40 + 1024 + p.rowBytes * 3);
        EXPECT_EQ(p.bits, dib + 40 + 4 * c.clrUsed); // pixels follow biClrUsed entries
        for (int i = 0; i < 15; ++i)
            EXPECT_EQ(p.At(i % 5, i / 5), i % entries);
        // Entry i is (i*10+1, i*20+2, i*30+3); entries beyond the table black.
        EXPECT_EQ(p.Rgb(1), 0x0B1621u);
        for (int i = entries; i < c.clrUsed; ++i)
            EXPECT_EQ(p.Rgb(i), 0u) << i;
        EXPECT_EQ(host.busy, (std::vector<bool>{true, false}));
        EXPECT_EQ(host.live, 0);
    }
}

TEST(GifReader, UnknownVersionAsksAndGoesOnWithOk) {
    GifBuilder gif("GIF88a");
    gif.Screen(2, 1, 0x80).Table(2).Image(0, 0, 2, 1, 0, {1, 0}, 2).Trailer();
    TestHost host;
    const uint8_t *dib = giftest::Read(gif.bytes, host);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0], "Unbekannte GIF-Version: 88a\n\rWeiter?");
    ASSERT_NE(dib, nullptr);
    EXPECT_EQ(Picture(dib).At(0, 0), 1);
    EXPECT_TRUE(host.errors.empty());
}

TEST(GifReader, UnknownVersionAnsweredCancelGivesNothing) {
    GifBuilder gif("GIF88a");
    gif.Screen(2, 1, 0x80).Table(2).Trailer();
    TestHost host;
    host.answer = false;
    EXPECT_EQ(giftest::Read(gif.bytes, host), nullptr);
    EXPECT_EQ(host.questions.size(), 1u);
    EXPECT_TRUE(host.errors.empty());
    EXPECT_TRUE(host.dibs.empty());
}

TEST(GifReader, NotAGif) {
    for (const char *start : {"", "GI", "BM6x", "gif89a", "JIF89a....."}) {
        TestHost host;
        std::vector<uint8_t> file(start, start + std::strlen(start));
        EXPECT_EQ(giftest::Read(file, host), nullptr);
        EXPECT_EQ(host.errors, std::vector<std::string>{text::kNoGif}) << start;
    }
}

TEST(GifReader, EndInsideTheHeaderGivesNothing) {
    for (size_t n : {4, 6, 10, 12}) {
        GifBuilder gif;
        gif.Screen(2, 1, 0x80);
        gif.bytes.resize(n);
        TestHost host;
        EXPECT_EQ(giftest::Read(gif.bytes, host), nullptr);
        EXPECT_EQ(host.errors, std::vector<std::string>{text::kEarlyEnd}) << n;
    }
}

TEST(GifReader, FileEndingAfterTheScreenGivesTableAndBlackPixels) {
    GifBuilder gif;
    gif.Screen(7, 4, 0x81).Table(4);
    TestHost host;
    const uint8_t *dib = giftest::Read(gif.bytes, host);
    ASSERT_NE(dib, nullptr);
    EXPECT_EQ(host.errors, std::vector<std::string>{text::kEarlyEnd});
    Picture p(dib);
    EXPECT_EQ(p.header.clrImportant, 4u);
    EXPECT_EQ(p.Rgb(3), 0x1F3E5Du);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(p.At(x, y), 0);
}

TEST(GifReader, ImagesLandAtTheirOwnColumnInEveryDepth) {
    // Images at odd columns, and across byte boundaries of 1- and 4-bit
    // rows, over a first image that fills the screen: nothing outside each
    // image's rectangle changes.
    for (int sizeField : {0, 3, 7}) {
        const int entries = 2 << sizeField, fill = entries - 1;
        GifBuilder gif;
        gif.Screen(20, 2, 0x80 | sizeField).Table(entries);
        gif.Image(0, 0, 20, 2, 0, std::vector<uint8_t>(40, uint8_t(fill)), 8);
        gif.Image(3, 0, 3, 2, 0, {0, 1, 0, 1, 0, 1}, 8).Image(13, 1, 4, 1, 0, {1, 0, 0, 1}, 8);
        gif.Trailer();
        TestHost host;
        Picture p(giftest::Read(gif.bytes, host));
        EXPECT_TRUE(host.errors.empty());
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 20; ++x) {
                int expected = fill;
                if (x >= 3 && x < 6) expected = (x - 3 + 3 * y) % 2;
                if (y == 1 && x >= 13 && x < 17) expected = x == 13 || x == 16 ? 1 : 0;
                EXPECT_EQ(p.At(x, y), expected) << x << "," << y << " size field " << sizeField;
            }
    }
}

TEST(GifReader, ImageOutsideTheScreenIsSkippedWithoutError) {
    GifBuilder gif;
    gif.Screen(4, 4, 0x87).Table(256);
    gif.Image(0, 4, 2, 2, 0, {9, 9, 9, 9}).Image(4, 0, 2, 2, 0, {9, 9, 9, 9});
    gif.Image(1, 1, 1, 1, 0, {7}).Trailer();
    TestHost host;
    Picture p(giftest::Read(gif.bytes, host));
    EXPECT_TRUE(host.errors.empty());
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(p.At(x, y), x == 1 && y == 1 ? 7 : 0);
}

TEST(GifReader, ImagePartlyOutsideIsClipped) {
    GifBuilder gif;
    gif.Screen(5, 4, 0x87).Table(256);
    std::vector<uint8_t> big(10 * 10);
    for (int i = 0; i < 100; ++i)
        big[i] = uint8_t(i);
    gif.Image(3, 2, 10, 10, 0, big).Trailer();
    TestHost host;
    Picture p(giftest::Read(gif.bytes, host));
    EXPECT_TRUE(host.errors.empty());
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(p.At(x, y), x >= 3 && y >= 2 ? (y - 2) * 10 + (x - 3) : 0);
}

TEST(GifReader, InterlacedRowsComeInPassOrder) {
    // Height 5: the file stores rows 0, 4, 2, 1, 3.
    GifBuilder gif;
    gif.Screen(2, 5, 0x87).Table(256);
    gif.Image(0, 0, 2, 5, 0x40, {10, 10, 14, 14, 12, 12, 11, 11, 13, 13}).Trailer();
    TestHost host;
    Picture p(giftest::Read(gif.bytes, host));
    for (int y = 0; y < 5; ++y)
        EXPECT_EQ(p.At(1, y), 10 + y);
}

TEST(GifReader, InterlacedRowMapUsesTheFullHeightWhenClipped) {
    // 11 rows stored 0 8 4 2 6 10 1 3 5 7 9; the screen shows only 3 of them.
    const int order[11] = {0, 8, 4, 2, 6, 10, 1, 3, 5, 7, 9};
    std::vector<uint8_t> rows;
    for (int r : order)
        rows.push_back(uint8_t(100 + r));
    GifBuilder gif;
    gif.Screen(1, 3, 0x87).Table(256).Image(0, 0, 1, 11, 0x40, rows).Trailer();
    TestHost host;
    Picture p(giftest::Read(gif.bytes, host));
    EXPECT_TRUE(host.errors.empty());
    for (int y = 0; y < 3; ++y)
        EXPECT_EQ(p.At(0, y), 100 + y);
}

TEST(GifReader, SecondImageOverwritesTheFirstWhereTheyOverlap) {
    GifBuilder gif;
    gif.Screen(4, 3, 0x87).Table(256);
    gif.Image(0, 0, 3, 2, 0, {1, 1, 1, 1, 1, 1})
        .Comment("between")
        .Image(1, 1, 3, 2, 0, {2, 2, 2, 2, 2, 2});
    gif.Trailer();
    TestHost host;
    Picture p(giftest::Read(gif.bytes, host));
    EXPECT_TRUE(host.errors.empty());
    const int expected[3][4] = {{1, 1, 1, 0}, {1, 2, 2, 2}, {0, 2, 2, 2}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(p.At(x, y), expected[y][x]);
}

TEST(GifReader, FourBitImageKeepsTheNeighbourPixelOfAnOddEdge) {
    GifBuilder gif;
    gif.Screen(4, 1, 0x83).Table(16).Image(0, 0, 4, 1, 0, {5, 5, 5, 5}, 4);
    gif.Image(0, 0, 3, 1, 0, {7, 7, 7}, 4).Trailer();
    TestHost host;
    Picture p(giftest::Read(gif.bytes, host));
    EXPECT_EQ(p.At(2, 0), 7);
    EXPECT_EQ(p.At(3, 0), 5);
}

TEST(GifReader, IndicesWiderThanTheDepthAreMasked) {
    // A 1-bit screen, but the data carries 8-bit indices.
    GifBuilder gif;
    gif.Screen(10, 1, 0x80).Table(2).Image(0, 0, 10, 1, 0, {0xFF, 0xFE, 3, 2, 1, 0, 0, 0, 0, 0xFF});
    gif.Trailer();
    TestHost host;
    Picture p(giftest::Read(gif.bytes, host));
    const int expected[10] = {1, 0, 1, 0, 1, 0, 0, 0, 0, 1};
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(p.At(x, 0), expected[x]) << x;
    EXPECT_EQ(p.bits[2], 0); // row padding stays 0
}

TEST(GifReader, ExtensionsAndStrayZerosAreSkipped) {
    GifBuilder gif;
    gif.Screen(2, 1, 0x87).Table(256).Comment("a comment");
    gif.Byte(0x21).Byte(0xF9).Byte(4).Byte(1).Byte(0).Byte(0).Byte(3).Byte(0); // graphic control
    gif.Byte(0).Byte(0);
    gif.Image(0, 0, 2, 1, 0, {4, 5}).Comment("after").Trailer();
    TestHost host;
    Picture p(giftest::Read(gif.bytes, host));
    EXPECT_TRUE(host.errors.empty());
    EXPECT_EQ(p.At(0, 0), 4);
    EXPECT_EQ(p.At(1, 0), 5);
}

TEST(GifReader, IllegalBlockStopsWithTheDibSoFar) {
    GifBuilder gif;
    gif.Screen(2, 1, 0x87).Table(256).Image(0, 0, 2, 1, 0, {4, 5}).Byte(0x99);
    gif.Image(0, 0, 2, 1, 0, {6, 6}).Trailer();
    TestHost host;
    Picture p(giftest::Read(gif.bytes, host));
    EXPECT_EQ(host.errors, std::vector<std::string>{text::kIllegalBlock});
    EXPECT_EQ(p.At(0, 0), 4);
}

TEST(GifReader, LocalTableReplacesTheColours) {
    GifBuilder gif;
    gif.Screen(2, 1, 0x83).Table(16).Descriptor(0, 0, 2, 1, 0x81);
    for (int i = 0; i < 4; ++i)
        gif.Byte(200 + i).Byte(0).Byte(0);
    gif.Data(2, giftest::Encode({3, 2}, 2)).Trailer();
    TestHost host;
    Picture p(giftest::Read(gif.bytes, host));
    EXPECT_EQ(p.header.clrImportant, 4u);
    EXPECT_EQ(p.Rgb(3), 203u << 16);
    EXPECT_EQ(p.Rgb(5), 0x336699u); // global entries beyond the local table stay
}

TEST(GifReader, LocalTableLargerThanTheDepthIsRefused) {
    GifBuilder gif;
    gif.Screen(2, 1, 0x80).Table(2).Descriptor(0, 0, 2, 1, 0x81).Table(4);
    gif.Data(2, giftest::Encode({1, 1}, 2)).Trailer();
    TestHost host;
    EXPECT_NE(giftest::Read(gif.bytes, host), nullptr);
    EXPECT_EQ(host.errors, std::vector<std::string>{text::kBadLocalTable});
}

TEST(GifReader, WithoutAGlobalTableTheDibHasEightBits) {
    // Packed byte 0: no global table (its size field says nothing), so the
    // image's own 256-entry table must fit.
    GifBuilder gif;
    gif.Screen(3, 1, 0x00).Descriptor(0, 0, 3, 1, 0x87).Table(256);
    gif.Data(8, giftest::Encode({200, 7, 255}, 8)).Trailer();
    TestHost host;
    Picture p(giftest::Read(gif.bytes, host));
    EXPECT_TRUE(host.errors.empty());
    EXPECT_EQ(p.header.bitCount, 8);
    EXPECT_EQ(p.header.clrUsed, 256u);
    EXPECT_EQ(p.header.clrImportant, 256u);
    EXPECT_EQ(p.At(0, 0), 200);
    EXPECT_EQ(p.At(2, 0), 255);
    EXPECT_EQ(p.Rgb(7), 0x478ED5u);
}

TEST(GifReader, ImageWithoutAnyColourTableIsRefused) {
    GifBuilder gif;
    gif.Screen(2, 1, 0x07).Image(0, 0, 2, 1, 0, {1, 1}).Trailer();
    TestHost host;
    Picture p(giftest::Read(gif.bytes, host));
    EXPECT_EQ(host.errors, std::vector<std::string>{text::kNoColorTable});
    EXPECT_EQ(p.header.clrImportant, 0u);
    EXPECT_EQ(p.At(0, 0), 0);
}

TEST(GifReader, MinimumCodeSizeAboveElevenIsRefused) {
    GifBuilder gif;
    gif.Screen(2, 1, 0x87).Table(256).Descriptor(0, 0, 2, 1, 0).Byte(12);
    gif.Byte(2).Byte(0xFF).Byte(0xFF).Byte(0).Trailer();
    TestHost host;
    EXPECT_NE(giftest::Read(gif.bytes, host), nullptr);
    EXPECT_EQ(host.errors, std::vector<std::string>{text::kLzwError});
    EXPECT_EQ(host.live, 0);
}

TEST(GifReader, InvalidCodeIsNamedThenTheImageFails) {
    // 9-bit codes: clear, 5, 300 (next free is 258).
    const uint64_t bits = 256 | 5u << 9 | uint64_t(300) << 18;
    GifBuilder gif;
    gif.Screen(2, 1, 0x87).Table(256).Descriptor(0, 0, 2, 1, 0).Byte(8);
    gif.Byte(4).Byte(int(bits & 0xFF)).Byte(int(bits >> 8 & 0xFF)).Byte(int(bits >> 16 & 0xFF));
    gif.Byte(int(bits >> 24 & 0xFF)).Byte(0).Trailer();
    TestHost host;
    Picture p(giftest::Read(gif.bytes, host));
    EXPECT_EQ(host.errors,
              (std::vector<std::string>{"Ung\xFCltiger LZW-Code 300!", text::kLzwError}));
    EXPECT_EQ(p.At(0, 0), 0); // a failed image is not drawn
}

TEST(GifReader, TooManyIndicesFailWithoutOverrun) {
    GifBuilder gif;
    gif.Screen(3, 3, 0x87).Table(256).Image(0, 0, 3, 3, 0, std::vector<uint8_t>(40, 9)).Trailer();
    TestHost host;
    giftest::Read(gif.bytes, host);
    EXPECT_EQ(host.errors, std::vector<std::string>{text::kLzwError});
}

TEST(GifReader, TooFewIndicesWithoutEndCodeFail) {
    // 9-bit codes: clear, 9, 9, and the data ends without an end code.
    const uint64_t bits = 256 | 9u << 9 | 9u << 18;
    GifBuilder gif;
    gif.Screen(3, 3, 0x87).Table(256).Descriptor(0, 0, 3, 3, 0).Byte(8);
    gif.Byte(4).Byte(int(bits & 0xFF)).Byte(int(bits >> 8 & 0xFF)).Byte(int(bits >> 16 & 0xFF));
    gif.Byte(int(bits >> 24 & 0xFF)).Byte(0).Trailer();
    TestHost host;
    giftest::Read(gif.bytes, host);
    EXPECT_EQ(host.errors, std::vector<std::string>{text::kLzwError});
}

TEST(GifReader, TooFewIndicesBeforeTheEndCodeLeaveZeros) {
    GifBuilder gif;
    gif.Screen(3, 1, 0x87).Table(256).Descriptor(0, 0, 3, 1, 0);
    gif.Data(8, giftest::Encode({6, 6}, 8)).Trailer();
    TestHost host;
    Picture p(giftest::Read(gif.bytes, host));
    EXPECT_TRUE(host.errors.empty());
    EXPECT_EQ(p.At(1, 0), 6);
    EXPECT_EQ(p.At(2, 0), 0);
}

TEST(GifReader, PixelsTheDataDoesNotReachKeepWhatWasThere) {
    // The second image claims 3 x 3 (interlaced) but its data ends after
    // four indices: stored rows 0 and half of stored row 1 (screen row 2).
    GifBuilder gif;
    gif.Screen(3, 3, 0x87).Table(256).Image(0, 0, 3, 3, 0, std::vector<uint8_t>(9, 5));
    gif.Descriptor(0, 0, 3, 3, 0x40).Data(8, giftest::Encode({1, 2, 3, 4}, 8)).Trailer();
    TestHost host;
    Picture p(giftest::Read(gif.bytes, host));
    EXPECT_TRUE(host.errors.empty());
    const int expected[3][3] = {{1, 2, 3}, {5, 5, 5}, {4, 5, 5}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(p.At(x, y), expected[y][x]) << x << "," << y;
}

TEST(GifReader, ImageDecodedInTheDibEqualsTheBufferedPath) {
    // A full-screen 8-bit image is decoded in the DIB itself; behind a 1 x 1
    // image of index 0 (which changes no pixel) the same image takes the
    // path through an index block. Both DIBs must be the same, whole or
    // short data, damaged codes, padded rows or not.
    std::mt19937 rng(7);
    for (int width : {1, 3, 4, 6, 13, 64}) {
        for (int height : {1, 2, 9}) {
            for (int kind = 0; kind < 4; ++kind) {
                const size_t count = size_t(width) * height;
                std::vector<uint8_t> indices(kind == 1 ? count / 2 + 1 : count);
                for (size_t i = 0; i < indices.size(); ++i)
                    indices[i] = uint8_t(i % 7 < 4 ? 3 : rng() % 256);
                auto coded = giftest::Encode(indices, 8);
                if (kind == 2) coded[1 + rng() % (coded.size() - 2)] ^= 0x5A;      // damaged
                if (kind == 3) coded.resize(coded.size() / 2), coded.push_back(0); // cut short
                if (kind == 3 && coded.size() > 1) coded[0] = uint8_t(coded.size() - 2);
                GifBuilder direct, buffered;
                direct.Screen(width, height, 0x87).Table(256);
                buffered.Screen(width, height, 0x87).Table(256).Image(0, 0, 1, 1, 0, {0});
                for (GifBuilder *gif : {&direct, &buffered})
                    gif->Descriptor(0, 0, width, height, 0).Data(8, coded).Trailer();
                TestHost a, b;
                const uint8_t *da = giftest::Read(direct.bytes, a);
                const uint8_t *db = giftest::Read(buffered.bytes, b);
                ASSERT_TRUE(da && db);
                ASSERT_EQ(a.dibSize, b.dibSize);
                EXPECT_TRUE(std::equal(da, da + a.dibSize, db))
                    << width << "x" << height << " " << kind;
                EXPECT_EQ(a.errors, b.errors);
            }
        }
    }
}

TEST(GifReader, SubBlocksBehindTheEndCodeBelongToTheImage) {
    auto coded = giftest::Encode({1, 2}, 8);
    coded.pop_back(); // the terminator
    for (int b : {3, 0x21, 0x2C, 0x3B})
        coded.push_back(uint8_t(b));
    coded.push_back(0);
    GifBuilder gif;
    gif.Screen(2, 1, 0x87).Table(256).Descriptor(0, 0, 2, 1, 0).Data(8, coded).Trailer();
    TestHost host;
    Picture p(giftest::Read(gif.bytes, host));
    EXPECT_TRUE(host.errors.empty());
    EXPECT_EQ(p.At(1, 0), 2);
}

TEST(GifReader, ShortSubBlockIsReportedAndDecodingGoesOn) {
    GifBuilder gif;
    gif.Screen(2, 1, 0x87).Table(256).Descriptor(0, 0, 2, 1, 0).Byte(8).Byte(200).Byte(0);
    TestHost host;
    EXPECT_NE(giftest::Read(gif.bytes, host), nullptr);
    EXPECT_EQ(host.errors, (std::vector<std::string>{text::kShortSubBlock, text::kEarlyEnd}));
}

TEST(GifReader, EndInsideAnImageStopsEachWay) {
    GifBuilder full;
    full.Screen(4, 4, 0x87).Table(256).Image(0, 0, 4, 4, 0, Ramp(16, 256)).Trailer();
    const size_t imageStart = 13 + 768;
    for (size_t cut = imageStart; cut < full.bytes.size(); ++cut) {
        std::vector<uint8_t> file(full.bytes.begin(), full.bytes.begin() + cut);
        TestHost host;
        ASSERT_NE(giftest::Read(file, host), nullptr) << cut;
        ASSERT_FALSE(host.errors.empty()) << cut;
        EXPECT_EQ(host.live, 0);
    }
}

TEST(GifReader, OutOfMemoryTexts) {
    // An image narrower than the screen: one that fills it is decoded in the
    // DIB and needs no index block.
    GifBuilder gif;
    gif.Screen(3, 1, 0x87).Table(256).Image(0, 0, 2, 1, 0, {1, 2}).Trailer();
    {
        TestHost host;
        host.failKind = giftest::Block::kDib;
        EXPECT_EQ(giftest::Read(gif.bytes, host), nullptr);
        EXPECT_EQ(host.errors, std::vector<std::string>{"Zu wenig Speicher f\xFCr DIB vorhanden!"});
        EXPECT_TRUE(host.busy.empty());
    }
    {
        TestHost host;
        host.failKind = giftest::Block::kIndices;
        EXPECT_NE(giftest::Read(gif.bytes, host), nullptr);
        EXPECT_EQ(host.errors,
                  std::vector<std::string>{"Zu wenig Speicher f\xFCr Bitmap vorhanden!"});
    }
    {
        TestHost host;
        host.failKind = giftest::Block::kPrefixTable;
        EXPECT_NE(giftest::Read(gif.bytes, host), nullptr);
        EXPECT_EQ(host.errors, std::vector<std::string>{text::kNoMemoryPrefixTable});
        EXPECT_EQ(host.live, 0);
    }
}

TEST(GifReader, HugeScreenIsAnAllocationFailureNotACrash) {
    GifBuilder gif;
    gif.Screen(65535, 65535, 0x87).Table(256).Image(0, 0, 65535, 65535, 0, {1}).Trailer();
    TestHost host;
    host.limit = 1 << 20;
    EXPECT_EQ(giftest::Read(gif.bytes, host), nullptr);
    EXPECT_EQ(host.errors, std::vector<std::string>{text::kNoMemoryDib});
}

TEST(GifReader, EmptyScreenAndEmptyImage) {
    GifBuilder gif;
    gif.Screen(0, 0, 0x80).Table(2).Image(0, 0, 0, 0, 0, {}, 2).Trailer();
    TestHost host;
    Picture p(giftest::Read(gif.bytes, host));
    EXPECT_TRUE(host.errors.empty());
    EXPECT_EQ(p.header.width, 0);
    EXPECT_EQ(p.header.sizeImage, 0u);
}

TEST(GifSignature, OnlyTheTwoPublishedVersions) {
    EXPECT_TRUE(pexa::gif::IsGifSignature(reinterpret_cast<const uint8_t *>("GIF87a"), 6));
    EXPECT_TRUE(pexa::gif::IsGifSignature(reinterpret_cast<const uint8_t *>("GIF89a"), 6));
    EXPECT_FALSE(pexa::gif::IsGifSignature(reinterpret_cast<const uint8_t *>("GIF88a"), 6));
    EXPECT_FALSE(pexa::gif::IsGifSignature(reinterpret_cast<const uint8_t *>("GIF89"), 5));
}

} // namespace
