// The BMP reader and writer on byte buffers: every header kind and depth,
// the layout decisions (top-down rows, bit-field masks, colour counts, RLE
// sizes) and files that lie about themselves.
#include "dib/bmp_format.h"
#include "support/dib_builder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

using pexa::bmp::FileHeader;
using pexa::bmp::ReadLayout;
using pexa::bmp::ReadStatus;
using pexa::dib::InfoHeader;

void Put16(std::vector<uint8_t> &v, size_t at, uint16_t x) {
    v[at] = uint8_t(x);
    v[at + 1] = uint8_t(x >> 8);
}
void Put32(std::vector<uint8_t> &v, size_t at, uint32_t x) {
    for (int i = 0; i < 4; ++i)
        v[at + i] = uint8_t(x >> (8 * i));
}

// A BMP file with a 40-byte header: file header, info header, the given
// table bytes (masks and/or colour entries) and bits. offBits 0 means "compute".
struct BmpSpec {
    int32_t width = 2;
    int32_t height = 2;
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    uint32_t sizeImage = 0;
    uint32_t clrUsed = 0;
    int64_t offBits = -1; // -1: right behind the table
    std::vector<uint8_t> table;
    std::vector<uint8_t> bits;
};

std::vector<uint8_t> MakeBmp(const BmpSpec &s) {
    std::vector<uint8_t> f(54 + s.table.size());
    f[0] = 'B';
    f[1] = 'M';
    const uint32_t off = s.offBits < 0 ? uint32_t(54 + s.table.size()) : uint32_t(s.offBits);
    Put32(f, 2, uint32_t(54 + s.table.size() + s.bits.size()));
    Put32(f, 10, off);
    Put32(f, 14, 40);
    Put32(f, 18, uint32_t(s.width));
    Put32(f, 22, uint32_t(s.height));
    Put16(f, 26, 1);
    Put16(f, 28, s.bitCount);
    Put32(f, 30, s.compression);
    Put32(f, 34, s.sizeImage);
    Put32(f, 38, 3780);
    Put32(f, 42, 3780);
    Put32(f, 46, s.clrUsed);
    if (!s.table.empty()) std::memcpy(f.data() + 54, s.table.data(), s.table.size());
    f.insert(f.end(), s.bits.begin(), s.bits.end());
    return f;
}

// An OS/2 file: 12-byte core header and 3-byte colour entries.
std::vector<uint8_t> MakeCoreBmp(uint16_t width, uint16_t height, uint16_t bitCount,
                                 const std::vector<uint8_t> &table,
                                 const std::vector<uint8_t> &bits) {
    std::vector<uint8_t> f(26 + table.size());
    f[0] = 'B';
    f[1] = 'M';
    Put32(f, 2, uint32_t(f.size() + bits.size()));
    Put32(f, 10, uint32_t(26 + table.size()));
    Put32(f, 14, 12);
    Put16(f, 18, width);
    Put16(f, 20, height);
    Put16(f, 22, 1);
    Put16(f, 24, bitCount);
    if (!table.empty()) std::memcpy(f.data() + 26, table.data(), table.size());
    f.insert(f.end(), bits.begin(), bits.end());
    return f;
}

std::vector<uint8_t> Sequence(size_t n, uint8_t start = 1) {
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i)
        v[i] = uint8_t(start + i);
    return v;
}

InfoHeader HeaderOf(const std::vector<uint8_t> &dib) {
    return pexa::dib::ReadHeader(dib.data());
}

ReadStatus Read(const std::vector<uint8_t> &file, std::vector<uint8_t> *dib) {
    return pexa::bmp::ReadBmp(file.data(), file.size(), dib);
}

TEST(BmpRead, TrueColorFileKeepsHeaderAndBits) {
    BmpSpec s;
    s.width = 3;
    s.height = 2;
    s.bits = Sequence(24); // rows of 9 bytes padded to 12
    std::vector<uint8_t> dib;
    ASSERT_EQ(Read(MakeBmp(s), &dib), ReadStatus::Ok);
    const InfoHeader h = HeaderOf(dib);
    EXPECT_EQ(h.size, 40u);
    EXPECT_EQ(h.width, 3);
    EXPECT_EQ(h.height, 2);
    EXPECT_EQ(h.bitCount, 24);
    EXPECT_EQ(h.sizeImage, 24u);
    EXPECT_EQ(h.clrUsed, 0u);
    EXPECT_EQ(h.xPelsPerMeter, 3780);
    ASSERT_EQ(dib.size(), 40u + 24u);
    EXPECT_EQ(std::vector<uint8_t>(dib.begin() + 40, dib.end()), s.bits);
}

TEST(BmpRead, WrongOrMissingImageSizeIsComputed) {
    for (uint32_t stored : {0u, 7u, 1000u}) {
        BmpSpec s;
        s.width = 5; // 15 bytes, padded to 16
        s.height = 3;
        s.sizeImage = stored;
        s.bits = Sequence(48);
        std::vector<uint8_t> dib;
        ASSERT_EQ(Read(MakeBmp(s), &dib), ReadStatus::Ok);
        EXPECT_EQ(HeaderOf(dib).sizeImage, 48u) << stored;
        EXPECT_EQ(dib.size(), 88u);
    }
}

TEST(BmpRead, PaletteDepthsGetExplicitColorCount) {
    for (uint16_t bits : {1, 4, 8}) {
        BmpSpec s;
        s.bitCount = bits;
        s.width = 8;
        s.height = 1;
        const uint32_t colors = 1u << bits;
        s.table = Sequence(4 * colors);
        s.bits = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0};
        s.bits.resize(pexa::dib::RowBytes(8, bits));
        std::vector<uint8_t> dib;
        ASSERT_EQ(Read(MakeBmp(s), &dib), ReadStatus::Ok);
        EXPECT_EQ(HeaderOf(dib).clrUsed, colors);
        ASSERT_EQ(dib.size(), 40 + 4 * colors + s.bits.size());
        EXPECT_EQ(0, std::memcmp(dib.data() + 40, s.table.data(), s.table.size()));
        EXPECT_EQ(0, std::memcmp(dib.data() + 40 + 4 * colors, s.bits.data(), s.bits.size()));
    }
}

TEST(BmpRead, ColorCountAboveTheDepthKeepsWhatTheDepthIndexes) {
    BmpSpec s;
    s.bitCount = 4;
    s.width = 2;
    s.height = 1;
    s.clrUsed = 1000;
    s.table = Sequence(4 * 1000);
    s.bits = {0x1F, 0, 0, 0};
    std::vector<uint8_t> dib;
    ASSERT_EQ(Read(MakeBmp(s), &dib), ReadStatus::Ok);
    EXPECT_EQ(HeaderOf(dib).clrUsed, 16u);
    ASSERT_EQ(dib.size(), 40u + 64u + 4u);
    EXPECT_EQ(dib[40 + 64], 0x1F); // bits from bfOffBits, behind all 1000 stored entries
}

TEST(BmpRead, HugeColorCountWithoutTableIsNotAllocated) {
    BmpSpec s;
    s.bitCount = 24;
    s.width = 1;
    s.height = 1;
    s.clrUsed = 0xFFFFFFFF;
    s.offBits = 54;
    s.bits = {1, 2, 3, 0};
    std::vector<uint8_t> dib;
    ASSERT_EQ(Read(MakeBmp(s), &dib), ReadStatus::Ok);
    EXPECT_EQ(HeaderOf(dib).clrUsed, 256u); // a hint table of at most 256 entries
    EXPECT_EQ(dib.size(), 40u + 1024u + 4u);
}

TEST(BmpRead, SmallerColorTableIsKept) {
    BmpSpec s;
    s.bitCount = 8;
    s.width = 4;
    s.height = 1;
    s.clrUsed = 20;
    s.table = Sequence(80);
    s.bits = {0, 5, 19, 7};
    std::vector<uint8_t> dib;
    ASSERT_EQ(Read(MakeBmp(s), &dib), ReadStatus::Ok);
    EXPECT_EQ(HeaderOf(dib).clrUsed, 20u);
    ASSERT_EQ(dib.size(), 40u + 80u + 4u);
    EXPECT_EQ(dib[120 + 2], 19);
}

TEST(BmpRead, Os2HeaderBecomesInfoHeaderWithQuads) {
    std::vector<uint8_t> table;
    for (int i = 0; i < 256; ++i) {
        table.push_back(uint8_t(i));       // blue
        table.push_back(uint8_t(255 - i)); // green
        table.push_back(uint8_t(i / 2));   // red
    }
    const std::vector<uint8_t> bits = {0, 1, 2, 255, 9, 8, 7, 6};
    std::vector<uint8_t> dib;
    ASSERT_EQ(Read(MakeCoreBmp(4, 2, 8, table, bits), &dib), ReadStatus::Ok);
    const InfoHeader h = HeaderOf(dib);
    EXPECT_EQ(h.size, 40u);
    EXPECT_EQ(h.width, 4);
    EXPECT_EQ(h.height, 2);
    EXPECT_EQ(h.planes, 1);
    EXPECT_EQ(h.bitCount, 8);
    EXPECT_EQ(h.compression, 0u);
    EXPECT_EQ(h.sizeImage, 8u);
    EXPECT_EQ(h.xPelsPerMeter, 2953);
    EXPECT_EQ(h.yPelsPerMeter, 2953);
    EXPECT_EQ(h.clrUsed, 256u);
    ASSERT_EQ(dib.size(), 40u + 1024u + 8u);
    for (int i = 0; i < 256; ++i) {
        const uint8_t *q = dib.data() + 40 + 4 * i;
        ASSERT_EQ(q[0], uint8_t(i));
        ASSERT_EQ(q[1], uint8_t(255 - i));
        ASSERT_EQ(q[2], uint8_t(i / 2));
        ASSERT_EQ(q[3], 0) << "reserved byte of entry " << i;
    }
    EXPECT_EQ(0, std::memcmp(dib.data() + 40 + 1024, bits.data(), 8));
}

TEST(BmpRead, Os2DimensionsAreUnsigned) {
    std::vector<uint8_t> dib;
    // 40000 x 1, 24 bits: a signed reading would make the width negative.
    const std::vector<uint8_t> bits(pexa::dib::RowBytes(40000, 24), 0xAB);
    ASSERT_EQ(Read(MakeCoreBmp(40000, 1, 24, {}, bits), &dib), ReadStatus::Ok);
    EXPECT_EQ(HeaderOf(dib).width, 40000);
    EXPECT_EQ(HeaderOf(dib).height, 1);
}

TEST(BmpRead, Rle8KeepsStoredSizeAndCompressedBits) {
    BmpSpec s;
    s.bitCount = 8;
    s.compression = pexa::dib::kCompressionRle8;
    s.width = 4;
    s.height = 2;
    s.table = Sequence(1024);
    s.bits = {4, 7, 0, 0, 2, 1, 2, 3, 0, 1};
    s.sizeImage = 10;
    std::vector<uint8_t> dib;
    ASSERT_EQ(Read(MakeBmp(s), &dib), ReadStatus::Ok);
    EXPECT_EQ(HeaderOf(dib).compression, 1u);
    EXPECT_EQ(HeaderOf(dib).sizeImage, 10u);
    ASSERT_EQ(dib.size(), 40u + 1024u + 10u);
    EXPECT_EQ(std::vector<uint8_t>(dib.begin() + 1064, dib.end()), s.bits);
}

TEST(BmpRead, RleSizeIsLimitedToTheFile) {
    BmpSpec s;
    s.bitCount = 4;
    s.compression = pexa::dib::kCompressionRle4;
    s.width = 4;
    s.height = 2;
    s.table = Sequence(64);
    s.bits = {4, 0x12, 0, 1};
    s.sizeImage = 0xFFFFFFF0; // a lie: the file holds 4 bytes
    std::vector<uint8_t> dib;
    ASSERT_EQ(Read(MakeBmp(s), &dib), ReadStatus::Ok);
    EXPECT_EQ(HeaderOf(dib).sizeImage, 4u);
    EXPECT_EQ(dib.size(), 40u + 64u + 4u);

    s.sizeImage = 0; // no size: the bytes behind bfOffBits
    ASSERT_EQ(Read(MakeBmp(s), &dib), ReadStatus::Ok);
    EXPECT_EQ(HeaderOf(dib).sizeImage, 4u);
}

TEST(BmpRead, ZeroOffsetTakesBitsBehindTheColorTable) {
    BmpSpec s;
    s.bitCount = 8;
    s.width = 2;
    s.height = 1;
    s.clrUsed = 2;
    s.table = {1, 2, 3, 0, 4, 5, 6, 0};
    s.bits = {1, 0, 0xEE, 0xEE};
    s.offBits = 0;
    std::vector<uint8_t> dib;
    ASSERT_EQ(Read(MakeBmp(s), &dib), ReadStatus::Ok);
    ASSERT_EQ(dib.size(), 40u + 8u + 4u);
    EXPECT_EQ(std::vector<uint8_t>(dib.begin() + 48, dib.end()), s.bits);
}

TEST(BmpRead, OffsetIsHonoured) {
    BmpSpec s;
    s.width = 1;
    s.height = 1;
    s.bits = {0xFF, 0xFF, 9, 8, 7, 0}; // two bytes of gap, then the row
    s.offBits = 56;
    std::vector<uint8_t> dib;
    ASSERT_EQ(Read(MakeBmp(s), &dib), ReadStatus::Ok);
    EXPECT_EQ(std::vector<uint8_t>(dib.begin() + 40, dib.end()),
              (std::vector<uint8_t>{9, 8, 7, 0}));
}

TEST(BmpRead, TopDownRowsBecomeBottomUpWithPositiveHeight) {
    BmpSpec s;
    s.bitCount = 8;
    s.width = 4;
    s.height = -3;
    s.table = std::vector<uint8_t>(1024);
    s.bits = {1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3}; // top row first
    std::vector<uint8_t> dib;
    ASSERT_EQ(Read(MakeBmp(s), &dib), ReadStatus::Ok);
    EXPECT_EQ(HeaderOf(dib).height, 3);
    EXPECT_EQ(HeaderOf(dib).sizeImage, 12u);
    EXPECT_EQ(std::vector<uint8_t>(dib.begin() + 1064, dib.end()),
              (std::vector<uint8_t>{3, 3, 3, 3, 2, 2, 2, 2, 1, 1, 1, 1}));
}

TEST(BmpRead, ShortTopDownFileFillsOnlyTheRowsItHolds) {
    // Three rows of 4 bytes claimed, one and a half held: the whole row goes
    // to the top (the last stored row), the half below it, the rest stays 0.
    BmpSpec s;
    s.bitCount = 8;
    s.width = 4;
    s.height = -3;
    s.table = std::vector<uint8_t>(1024);
    s.bits = {1, 1, 1, 1, 2, 2};
    const auto file = MakeBmp(s);
    ReadLayout layout;
    ASSERT_EQ(pexa::bmp::ParseHeaders(file.data(), file.size(), file.size(), &layout),
              ReadStatus::Ok);
    const pexa::bmp::BitsPlan plan = pexa::bmp::PlanBits(layout);
    ASSERT_EQ(plan.count, 2);
    EXPECT_EQ(plan.pieces[0].to, 8u);
    EXPECT_EQ(plan.pieces[1].to, 4u);
    EXPECT_EQ(plan.pieces[1].size, 2u);
    std::vector<uint8_t> dib;
    ASSERT_EQ(Read(file, &dib), ReadStatus::Ok);
    EXPECT_EQ(std::vector<uint8_t>(dib.begin() + 1064, dib.end()),
              (std::vector<uint8_t>{0, 0, 0, 0, 2, 2, 0, 0, 1, 1, 1, 1}));
}

TEST(BmpRead, TopDownCompressedFileIsRefused) {
    BmpSpec s;
    s.bitCount = 8;
    s.compression = pexa::dib::kCompressionRle8;
    s.height = -2;
    s.table = std::vector<uint8_t>(1024);
    s.bits = {0, 1};
    std::vector<uint8_t> dib;
    EXPECT_EQ(Read(MakeBmp(s), &dib), ReadStatus::UnknownFormat);
    EXPECT_TRUE(dib.empty());
}

TEST(BmpRead, BitFieldMasksFollowTheHeader) {
    BmpSpec s;
    s.bitCount = 16;
    s.compression = pexa::dib::kCompressionBitfields;
    s.width = 2;
    s.height = 1;
    s.table = {0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0}; // 5-6-5
    s.bits = {0x1F, 0x00, 0x00, 0xF8};
    std::vector<uint8_t> dib;
    ASSERT_EQ(Read(MakeBmp(s), &dib), ReadStatus::Ok);
    const InfoHeader h = HeaderOf(dib);
    EXPECT_EQ(h.clrUsed, 0u);
    EXPECT_EQ(pexa::dib::BitsOffset(h), 52u);
    ASSERT_EQ(dib.size(), 52u + 4u);
    EXPECT_EQ(0, std::memcmp(dib.data() + 40, s.table.data(), 12));
    EXPECT_EQ(0, std::memcmp(dib.data() + 52, s.bits.data(), 4));
}

TEST(BmpRead, BitFieldHintTableIsDropped) {
    BmpSpec s;
    s.bitCount = 32;
    s.compression = pexa::dib::kCompressionBitfields;
    s.width = 1;
    s.height = 1;
    s.clrUsed = 2;
    s.table = {0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0, 1, 1, 1, 0, 2, 2, 2, 0};
    s.bits = {10, 20, 30, 0};
    std::vector<uint8_t> dib;
    ASSERT_EQ(Read(MakeBmp(s), &dib), ReadStatus::Ok);
    EXPECT_EQ(HeaderOf(dib).clrUsed, 0u);
    ASSERT_EQ(dib.size(), 56u);
    EXPECT_EQ(0, std::memcmp(dib.data() + 40, s.table.data(), 12));
    EXPECT_EQ(0, std::memcmp(dib.data() + 52, s.bits.data(), 4));
}

TEST(BmpRead, ShortBitsLeaveZeros) {
    BmpSpec s;
    s.width = 2;
    s.height = 2;
    s.bits = {1, 2, 3, 4, 5};
    std::vector<uint8_t> dib;
    ASSERT_EQ(Read(MakeBmp(s), &dib), ReadStatus::Ok);
    ASSERT_EQ(dib.size(), 40u + 16u);
    EXPECT_EQ(std::vector<uint8_t>(dib.begin() + 40, dib.end()),
              (std::vector<uint8_t>{1, 2, 3, 4, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(BmpRead, ShortColorTableLeavesZeros) {
    BmpSpec s;
    s.bitCount = 1;
    s.width = 1;
    s.height = 1;
    s.table = {9, 9, 9, 9, 7, 7}; // entry 1 cut off
    std::vector<uint8_t> file = MakeBmp(s);
    std::vector<uint8_t> dib;
    ASSERT_EQ(Read(file, &dib), ReadStatus::Ok);
    ASSERT_EQ(dib.size(), 40u + 8u + 4u);
    EXPECT_EQ(std::vector<uint8_t>(dib.begin() + 40, dib.end()),
              (std::vector<uint8_t>{9, 9, 9, 9, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(BmpRead, HeadersThatCannotBeRead) {
    std::vector<uint8_t> dib;
    BmpSpec s;
    s.bits = std::vector<uint8_t>(16);
    const std::vector<uint8_t> good = MakeBmp(s);

    EXPECT_EQ(Read(std::vector<uint8_t>(good.begin(), good.begin() + 13), &dib),
              ReadStatus::ShortFileHeader);
    EXPECT_EQ(Read(std::vector<uint8_t>(good.begin(), good.begin() + 53), &dib),
              ReadStatus::ShortInfoHeader);
    std::vector<uint8_t> bad = good;
    bad[1] = 'A';
    EXPECT_EQ(Read(bad, &dib), ReadStatus::NotBmp);
    EXPECT_EQ(pexa::bmp::ReadBmp(nullptr, 0, &dib), ReadStatus::ShortFileHeader);
}

TEST(BmpRead, UnusableFormatsAreRefused) {
    auto status = [](void (*change)(std::vector<uint8_t> &)) {
        BmpSpec s;
        s.bits = std::vector<uint8_t>(16);
        std::vector<uint8_t> f = MakeBmp(s);
        change(f);
        std::vector<uint8_t> dib;
        return Read(f, &dib);
    };
    EXPECT_EQ(status([](auto &f) { Put32(f, 14, 108); }), ReadStatus::UnknownFormat);
    EXPECT_EQ(status([](auto &f) { Put32(f, 14, 124); }), ReadStatus::UnknownFormat);
    EXPECT_EQ(status([](auto &f) { Put32(f, 14, 64); }), ReadStatus::UnknownFormat);
    EXPECT_EQ(status([](auto &f) { Put32(f, 18, 0); }), ReadStatus::Ok); // empty pictures read
    EXPECT_EQ(status([](auto &f) { Put32(f, 18, uint32_t(-2)); }), ReadStatus::UnknownFormat);
    EXPECT_EQ(status([](auto &f) { Put32(f, 22, 0); }), ReadStatus::Ok);
    EXPECT_EQ(status([](auto &f) { Put32(f, 22, 0x80000000u); }), ReadStatus::UnknownFormat);
    EXPECT_EQ(status([](auto &f) { Put16(f, 28, 7); }), ReadStatus::UnknownFormat);
    EXPECT_EQ(status([](auto &f) { Put16(f, 28, 0); }), ReadStatus::UnknownFormat);
    EXPECT_EQ(status([](auto &f) { Put32(f, 30, 4); }), ReadStatus::UnknownFormat); // JPEG
    EXPECT_EQ(status([](auto &f) { Put32(f, 30, 1); }),
              ReadStatus::UnknownFormat); // RLE8 at 24 bits
    EXPECT_EQ(status([](auto &f) { Put32(f, 30, 3); }),
              ReadStatus::UnknownFormat); // bit fields at 24
}

TEST(BmpRead, DimensionsBeyondThirtyTwoBitsAreTooLarge) {
    BmpSpec s;
    s.bitCount = 32;
    s.width = 0x7FFFFFFF;
    s.height = 0x7FFFFFFF;
    std::vector<uint8_t> dib;
    EXPECT_EQ(Read(MakeBmp(s), &dib), ReadStatus::TooLarge);
    s.width = 0x10000;
    s.height = 0x4000; // 4 GiB of bits exactly: one byte too many with the header
    EXPECT_EQ(Read(MakeBmp(s), &dib), ReadStatus::TooLarge);
}

TEST(BmpRead, LargeClaimOfATinyFileHasFullLayoutButNoBitsInFile) {
    BmpSpec s;
    s.bitCount = 8;
    s.width = 30000;
    s.height = 30000;
    s.table = std::vector<uint8_t>(1024);
    ReadLayout layout;
    const std::vector<uint8_t> f = MakeBmp(s);
    ASSERT_EQ(pexa::bmp::ParseHeaders(f.data(), f.size(), f.size(), &layout), ReadStatus::Ok);
    EXPECT_EQ(layout.blockSize, 40u + 1024u + 30000u * 30000u);
    EXPECT_EQ(layout.bitsInFile, 0u);
    std::vector<uint8_t> dib;
    EXPECT_EQ(pexa::bmp::ReadBmp(f.data(), f.size(), &dib, 1 << 20), ReadStatus::TooLarge);
    EXPECT_TRUE(dib.empty());
}

TEST(BmpRead, LooksLikeBmpNeedsFiftyFourBytesAndAKnownHeader) {
    BmpSpec s;
    const std::vector<uint8_t> f = MakeBmp(s);
    EXPECT_TRUE(pexa::bmp::LooksLikeBmp(f.data(), 54));
    EXPECT_FALSE(pexa::bmp::LooksLikeBmp(f.data(), 53));
    std::vector<uint8_t> v = f;
    Put32(v, 14, 12);
    EXPECT_TRUE(pexa::bmp::LooksLikeBmp(v.data(), v.size()));
    Put32(v, 14, 108);
    EXPECT_FALSE(pexa::bmp::LooksLikeBmp(v.data(), v.size()));
    v = f;
    v[0] = 'b';
    EXPECT_FALSE(pexa::bmp::LooksLikeBmp(v.data(), v.size()));
}

// A DIB block built from nothing, as the toolkit keeps it, every byte
// behind the header set to a pattern.
std::vector<uint8_t> MakeDib(int32_t width, int32_t height, uint16_t bits, uint32_t colors,
                             uint32_t compression = 0) {
    dibtest::DibLayout l;
    l.width = width;
    l.height = height;
    l.bits = bits;
    l.compression = compression;
    l.explicitClrUsed = colors != 0;
    l.palette.resize(colors ? colors : bits < 16 ? 1u << bits : 0);
    if (compression == pexa::dib::kCompressionBitfields) l.masks = {0, 0, 0};
    l.xPels = l.yPels = pexa::dib::kDefaultPelsPerMeter;
    std::vector<uint8_t> dib = dibtest::MakeDib(l);
    for (size_t i = 40; i < dib.size(); ++i)
        dib[i] = uint8_t(i * 7);
    return dib;
}

TEST(BmpWrite, FileHeaderPointsBehindTableAndMasks) {
    std::vector<uint8_t> dib = MakeDib(3, 2, 8, 256);
    FileHeader f = pexa::bmp::MakeFileHeader(dib.data(), dib.size());
    EXPECT_EQ(f.type, 0x4D42);
    EXPECT_EQ(f.offBits, 1078u);
    EXPECT_EQ(f.size, dib.size() + 14);
    EXPECT_EQ(f.reserved1, 0);
    EXPECT_EQ(f.reserved2, 0);

    dib = MakeDib(3, 2, 24, 0);
    EXPECT_EQ(pexa::bmp::MakeFileHeader(dib.data(), dib.size()).offBits, 54u);
    dib = MakeDib(3, 2, 16, 0, pexa::dib::kCompressionBitfields);
    EXPECT_EQ(pexa::bmp::MakeFileHeader(dib.data(), dib.size()).offBits, 66u);
    dib = MakeDib(3, 2, 4, 0);
    EXPECT_EQ(pexa::bmp::MakeFileHeader(dib.data(), dib.size()).offBits, 54u + 64u);
}

TEST(BmpWrite, StoredHeaderIsLittleEndian) {
    FileHeader f;
    f.type = 0x4D42;
    f.size = 0x01020304;
    f.offBits = 0x0A0B0C0D;
    uint8_t bytes[14];
    pexa::bmp::StoreFileHeader(f, bytes);
    const uint8_t expected[14] = {'B', 'M', 4, 3, 2, 1, 0, 0, 0, 0, 0x0D, 0x0C, 0x0B, 0x0A};
    EXPECT_EQ(0, std::memcmp(bytes, expected, 14));
    const FileHeader back = pexa::bmp::ParseFileHeader(bytes);
    EXPECT_EQ(back.size, f.size);
    EXPECT_EQ(back.offBits, f.offBits);
}

TEST(BmpWrite, WrittenFilesReadBackByteForByte) {
    struct Case {
        int32_t w, h;
        uint16_t bits;
        uint32_t colors, compression;
    } cases[] = {{7, 3, 1, 2, 0},  {5, 4, 4, 16, 0}, {9, 2, 8, 256, 0},
                 {3, 3, 8, 20, 0}, {6, 5, 16, 0, 0}, {6, 5, 16, 0, 3},
                 {4, 4, 24, 0, 0}, {2, 3, 32, 0, 0}, {2, 3, 32, 0, 3}};
    for (const Case &c : cases) {
        const std::vector<uint8_t> dib = MakeDib(c.w, c.h, c.bits, c.colors, c.compression);
        std::vector<uint8_t> file(14);
        pexa::bmp::StoreFileHeader(pexa::bmp::MakeFileHeader(dib.data(), dib.size()), file.data());
        file.insert(file.end(), dib.begin(), dib.end());
        std::vector<uint8_t> back;
        ASSERT_EQ(Read(file, &back), ReadStatus::Ok) << c.bits;
        EXPECT_EQ(back, dib) << c.bits << " bits, compression " << c.compression;
    }
}

TEST(BmpLayout, FlipRowsReversesRowOrder) {
    std::vector<uint8_t> rows = {1, 1, 2, 2, 3, 3, 4, 4};
    pexa::bmp::FlipRows(rows.data(), 2, 4);
    EXPECT_EQ(rows, (std::vector<uint8_t>{4, 4, 3, 3, 2, 2, 1, 1}));
    pexa::bmp::FlipRows(rows.data(), 4, 1); // one row: unchanged
    EXPECT_EQ(rows[0], 4);
}

TEST(BmpLayout, HoldsImageChecksEverythingTheHeaderPromises) {
    std::vector<uint8_t> dib = MakeDib(5, 3, 24, 0);
    EXPECT_TRUE(pexa::bmp::HoldsImage(dib.data(), dib.size()));
    EXPECT_FALSE(pexa::bmp::HoldsImage(dib.data(), dib.size() - 1));
    EXPECT_FALSE(pexa::bmp::HoldsImage(dib.data(), 39));
    EXPECT_FALSE(pexa::bmp::HoldsImage(nullptr, 100));

    std::vector<uint8_t> v = dib;
    Put32(v, 0, 12); // OS/2 header
    EXPECT_FALSE(pexa::bmp::HoldsImage(v.data(), v.size()));
    v = dib;
    Put32(v, 4, 0x7FFFFFFF); // width far beyond the block, no overflow
    Put32(v, 8, 0x7FFFFFFF);
    Put16(v, 14, 32);
    EXPECT_FALSE(pexa::bmp::HoldsImage(v.data(), v.size()));
    v = dib;
    Put32(v, 32, 0x40000000); // colour table beyond the block
    EXPECT_FALSE(pexa::bmp::HoldsImage(v.data(), v.size()));
    v = dib;
    Put32(v, 8, uint32_t(-3)); // top-down is fine
    EXPECT_TRUE(pexa::bmp::HoldsImage(v.data(), v.size()));

    std::vector<uint8_t> rle = MakeDib(4, 4, 8, 256);
    Put32(rle, 16, 1);
    Put32(rle, 20, 6);
    rle.resize(40 + 1024 + 6);
    EXPECT_TRUE(pexa::bmp::HoldsImage(rle.data(), rle.size()));
    Put32(rle, 20, 7);
    EXPECT_FALSE(pexa::bmp::HoldsImage(rle.data(), rle.size()));

    // Pictures of width or height 0 are sound and empty; their tables must
    // still fit.
    using pexa::bmp::BlockShape;
    for (auto [width, height] : {std::pair{0, 3}, std::pair{5, 0}, std::pair{0, 0}}) {
        const std::vector<uint8_t> empty = MakeDib(width, height, 8, 256);
        EXPECT_EQ(pexa::bmp::ShapeOf(empty.data(), empty.size()), BlockShape::kEmpty);
        EXPECT_EQ(pexa::bmp::ShapeOf(empty.data(), empty.size() - 1), BlockShape::kBroken);
    }
    EXPECT_EQ(pexa::bmp::ShapeOf(dib.data(), dib.size()), BlockShape::kImage);
    EXPECT_EQ(pexa::bmp::ShapeOf(dib.data(), 39), BlockShape::kNoHeader);
}

} // namespace
