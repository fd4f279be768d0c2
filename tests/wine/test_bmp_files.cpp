// BMP files as a program meets them: files that ImageMagick writes and files
// built by hand (RLE4, 16-bit, bit fields, top-down) read with ReadDIB and
// shown with DrawDIB match ImageMagick's decoding of the same file; files
// that WriteDIB writes decode in ImageMagick to the same pixels; and every
// failure shows its box.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "pexa.h"
#include "support/dib_test.h"
#include "support/pexa_test.h"

using namespace pexatest;

namespace {

void Put16(std::vector<uint8_t> &v, size_t at, uint16_t x) {
    v[at] = uint8_t(x);
    v[at + 1] = uint8_t(x >> 8);
}
void Put32(std::vector<uint8_t> &v, size_t at, uint32_t x) {
    for (int i = 0; i < 4; ++i)
        v[at + i] = uint8_t(x >> (8 * i));
}
uint32_t Get32(const std::vector<uint8_t> &v, size_t at) {
    return uint32_t(v[at]) | uint32_t(v[at + 1]) << 8 | uint32_t(v[at + 2]) << 16 |
           uint32_t(v[at + 3]) << 24;
}

// A BMP file with a 40-byte header; table holds masks and/or colour entries.
std::vector<uint8_t> BmpFile(int32_t width, int32_t height, uint16_t bitCount, uint32_t compression,
                             const std::vector<uint8_t> &table, const std::vector<uint8_t> &bits,
                             uint32_t clrUsed = 0, uint32_t sizeImage = 0,
                             bool zeroOffset = false) {
    std::vector<uint8_t> f(54);
    f[0] = 'B';
    f[1] = 'M';
    Put32(f, 2, uint32_t(54 + table.size() + bits.size()));
    Put32(f, 10, zeroOffset ? 0 : uint32_t(54 + table.size()));
    Put32(f, 14, 40);
    Put32(f, 18, uint32_t(width));
    Put32(f, 22, uint32_t(height));
    Put16(f, 26, 1);
    Put16(f, 28, bitCount);
    Put32(f, 30, compression);
    Put32(f, 34, sizeImage);
    Put32(f, 38, 2835);
    Put32(f, 42, 2835);
    Put32(f, 46, clrUsed);
    f.insert(f.end(), table.begin(), table.end());
    f.insert(f.end(), bits.begin(), bits.end());
    return f;
}

std::vector<uint8_t> GrayPalette(int entries) {
    std::vector<uint8_t> table;
    for (int i = 0; i < entries; ++i) {
        const uint8_t v = uint8_t(i * 255 / (entries - 1));
        table.insert(table.end(), {uint8_t(255 - v), v, uint8_t(v / 2 + 60), 0});
    }
    return table;
}

// Rows of a test picture, bottom row first, with row padding.
std::vector<uint8_t> PatternBits(int width, int height, int bitCount) {
    const size_t rowBytes = ((size_t(width) * bitCount + 31) / 32) * 4;
    std::vector<uint8_t> bits(rowBytes * height);
    for (int y = 0; y < height; ++y)
        for (size_t i = 0; i < size_t(width) * bitCount / 8; ++i)
            bits[y * rowBytes + i] = uint8_t((y * 37 + i * 11) ^ (i >> 2) * 5);
    return bits;
}

std::vector<uint8_t> MaskTable(uint32_t red, uint32_t green, uint32_t blue) {
    std::vector<uint8_t> t(12);
    Put32(t, 0, red);
    Put32(t, 4, green);
    Put32(t, 8, blue);
    return t;
}

// RLE4 rows of 13 pixels: a run of 5, an absolute stretch of 8, end of line;
// end of bitmap after the last row.
std::vector<uint8_t> Rle4Bits(int height) {
    std::vector<uint8_t> rle;
    for (int y = 0; y < height; ++y) {
        rle.insert(rle.end(), {5, uint8_t((y % 16) << 4 | (15 - y % 16))});
        rle.insert(rle.end(), {0, 8, 0x01, 0x23, uint8_t(0x45 + y), 0x67});
        rle.insert(rle.end(), {0, 0});
    }
    rle.insert(rle.end(), {0, 1});
    return rle;
}

std::vector<uint8_t> Rle8Bits(int width, int height) {
    std::vector<uint8_t> rle;
    for (int y = 0; y < height; ++y) {
        rle.insert(rle.end(), {3, uint8_t(y * 20)});
        const int rest = width - 3;
        rle.insert(rle.end(), {0, uint8_t(rest)});
        for (int i = 0; i < rest; ++i)
            rle.push_back(uint8_t(200 - i * 9 - y));
        if (rest % 2) rle.push_back(0);
        rle.insert(rle.end(), {0, 0});
    }
    rle.insert(rle.end(), {0, 1});
    return rle;
}

// Reads the file with ReadDIB and checks that DrawDIB shows what ImageMagick
// decodes; then writes it with WriteDIB and checks ImageMagick's decoding of
// that file. Returns the DIB for further checks (caller frees).
HGLOBAL CheckAgainstMagick(const SharedFile &file) {
    int width = 0, height = 0;
    const std::vector<uint32_t> oracle = MagickPixels(file, &width, &height);
    EXPECT_FALSE(oracle.empty()) << "ImageMagick could not decode " << file.unix;
    MessageBoxCatcher boxes;
    HGLOBAL dib = ReadDIB(file.windows.c_str());
    EXPECT_NE(dib, nullptr);
    EXPECT_TRUE(boxes.texts().empty());
    if (!dib || oracle.empty()) return dib;
    EXPECT_EQ(GlobalFlags(dib) & GMEM_LOCKCOUNT, 0u);
    EXPECT_EQ(GetDIBWidth(dib), width);
    EXPECT_EQ(GetDIBHeight(dib), height);
    const std::vector<uint32_t> shown = RenderDib(dib);
    EXPECT_EQ(shown.size(), oracle.size());
    int differing = 0;
    for (size_t i = 0; i < shown.size() && i < oracle.size(); ++i)
        if (shown[i] != oracle[i] && differing++ < 5)
            ADD_FAILURE() << file.unix << ": pixel " << i % width << "," << i / width << " shows "
                          << std::hex << shown[i] << ", ImageMagick decodes " << oracle[i];

    const SharedFile written = SharedPath("written.bmp");
    EXPECT_EQ(WriteDIB(written.windows.c_str(), dib), 1);
    int w2 = 0, h2 = 0;
    const std::vector<uint32_t> back = MagickPixels(written, &w2, &h2);
    EXPECT_EQ(w2, width);
    EXPECT_EQ(h2, height);
    EXPECT_EQ(back.size(), oracle.size());
    differing = 0;
    for (size_t i = 0; i < back.size() && i < oracle.size(); ++i)
        if (back[i] != oracle[i] && differing++ < 5)
            ADD_FAILURE() << "written " << file.unix << ": pixel " << i % width << "," << i / width
                          << " decodes to " << std::hex << back[i] << ", not " << oracle[i];
    // The written file reads back into the same block.
    HGLOBAL again = ReadDIB(written.windows.c_str());
    EXPECT_EQ(DibBytes(again), DibBytes(dib));
    GlobalFree(again);
    DeleteFileA(written.windows.c_str());
    return dib;
}

struct MagickCase {
    const char *options;
    const char *format;
    int bitCount;
    int compression;
};

class MagickFiles : public testing::TestWithParam<MagickCase> {};

TEST_P(MagickFiles, ReadShowWriteMatchImageMagick) {
    const MagickCase c = GetParam();
    const SharedFile file = SharedPath("magick.bmp");
    ASSERT_TRUE(
        Magick(std::string("-seed 3 -size 13x7 plasma:fractal ") + c.options, c.format, file));
    HGLOBAL dib = CheckAgainstMagick(file);
    ASSERT_NE(dib, nullptr);
    const BITMAPINFOHEADER h = HeaderOf(dib);
    EXPECT_EQ(h.biSize, 40u);
    EXPECT_EQ(h.biBitCount, c.bitCount);
    EXPECT_EQ(h.biCompression, DWORD(c.compression));
    EXPECT_GT(h.biHeight, 0);
    const DWORD colors = GetColorsInPalette(GlobalLock(dib));
    GlobalUnlock(dib);
    EXPECT_EQ(h.biClrUsed, colors);
    if (c.bitCount <= 8) {
        EXPECT_GT(h.biClrUsed, 0u);
    }
    // Header, colour table and image: nothing more, nothing less.
    EXPECT_EQ(GlobalSize(dib), 40 + 4 * colors + h.biSizeImage);
    GlobalFree(dib);
    DeleteFileA(file.windows.c_str());
}

INSTANTIATE_TEST_SUITE_P(
    Bmp, MagickFiles,
    testing::Values(MagickCase{"-monochrome", "BMP3", 1, 0}, MagickCase{"-colors 9", "BMP3", 4, 0},
                    MagickCase{"-colors 200 -compress none", "BMP3", 8, 0},
                    MagickCase{"-type truecolor", "BMP3", 24, 0},
                    MagickCase{"-alpha on -define bmp3:alpha=true", "BMP3", 32, 0},
                    MagickCase{"-colors 200 -compress RLE", "BMP3", 8, 1},
                    MagickCase{"-monochrome", "BMP2", 1, 0}, MagickCase{"-colors 9", "BMP2", 4, 0},
                    MagickCase{"-colors 200", "BMP2", 8, 0},
                    MagickCase{"-type truecolor", "BMP2", 24, 0}));

// Hand-built files of the kinds ImageMagick does not write.
struct HandCase {
    const char *name;
    std::vector<uint8_t> file;
};

std::vector<HandCase> HandFiles() {
    return {
        {"rle4", BmpFile(13, 7, 4, BI_RLE4, GrayPalette(16), Rle4Bits(7))},
        {"rle8", BmpFile(13, 7, 8, BI_RLE8, GrayPalette(256), Rle8Bits(13, 7))},
        {"rgb555", BmpFile(13, 7, 16, BI_RGB, {}, PatternBits(13, 7, 16))},
        {"bitfields565", BmpFile(13, 7, 16, BI_BITFIELDS, MaskTable(0xF800, 0x07E0, 0x001F),
                                 PatternBits(13, 7, 16))},
        {"bitfields32", BmpFile(13, 7, 32, BI_BITFIELDS, MaskTable(0xFF0000, 0xFF00, 0xFF),
                                PatternBits(13, 7, 32))},
        {"topdown24", BmpFile(13, -7, 24, BI_RGB, {}, PatternBits(13, 7, 24))},
        {"topdown8", BmpFile(13, -7, 8, BI_RGB, GrayPalette(256), PatternBits(13, 7, 8))},
        {"topdown1", BmpFile(13, -7, 1, BI_RGB, GrayPalette(2), PatternBits(13, 7, 1))},
    };
}

TEST(BmpFiles, HandBuiltFilesMatchImageMagick) {
    for (const HandCase &c : HandFiles()) {
        SCOPED_TRACE(c.name);
        const SharedFile file = SharedPath(std::string(c.name) + ".bmp");
        ASSERT_TRUE(WriteBytes(file.windows, c.file));
        HGLOBAL dib = CheckAgainstMagick(file);
        ASSERT_NE(dib, nullptr);
        const BITMAPINFOHEADER h = HeaderOf(dib);
        EXPECT_EQ(h.biHeight, 7);
        GlobalFree(dib);
        DeleteFileA(file.windows.c_str());
    }
}

// Reads a file given as bytes; boxes collects the texts shown.
HGLOBAL ReadBytesAsDib(const std::vector<uint8_t> &bytes, std::vector<std::string> *boxes) {
    const SharedFile file = SharedPath("case.bmp");
    EXPECT_TRUE(WriteBytes(file.windows, bytes));
    MessageBoxCatcher catcher;
    HGLOBAL dib = ReadDIB(file.windows.c_str());
    *boxes = catcher.texts();
    for (const CaughtBox &b : catcher.boxes()) {
        EXPECT_EQ(b.caption, "Error Message");
        EXPECT_FALSE(b.hasOwner);
    }
    DeleteFileA(file.windows.c_str());
    return dib;
}

TEST(BmpFiles, Os2EightBitFileGetsQuadsWithZeroReservedBytes) {
    const SharedFile file = SharedPath("os2.bmp");
    ASSERT_TRUE(Magick("-seed 5 -size 9x4 plasma:fractal -colors 200", "BMP2", file));
    HGLOBAL dib = ReadDIB(file.windows.c_str());
    ASSERT_NE(dib, nullptr);
    const std::vector<uint8_t> bytes = DibBytes(dib);
    const BITMAPINFOHEADER h = HeaderOf(dib);
    EXPECT_EQ(h.biSize, 40u);
    EXPECT_EQ(h.biClrUsed, 256u);
    EXPECT_EQ(h.biXPelsPerMeter, 2953);
    EXPECT_EQ(h.biYPelsPerMeter, 2953);
    ASSERT_EQ(bytes.size(), 40u + 1024u + 12u * 4u);
    const std::vector<uint8_t> raw = ReadBytes(file.windows);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(bytes[40 + 4 * i + 3], 0) << i;
        EXPECT_EQ(0, std::memcmp(&bytes[40 + 4 * i], &raw[26 + 3 * i], 3)) << i;
    }
    GlobalFree(dib);
    DeleteFileA(file.windows.c_str());
}

TEST(BmpFiles, TrueColorImageSizeIsComputedWhenZeroOrWrong) {
    for (uint32_t stored : {0u, 5u, 999999u}) {
        std::vector<std::string> boxes;
        HGLOBAL dib =
            ReadBytesAsDib(BmpFile(5, 3, 24, BI_RGB, {}, PatternBits(5, 3, 24), 0, stored), &boxes);
        ASSERT_NE(dib, nullptr);
        EXPECT_EQ(HeaderOf(dib).biSizeImage, 48u);
        EXPECT_EQ(GlobalSize(dib), 88u);
        GlobalFree(dib);
    }
}

TEST(BmpFiles, Rle8FileKeepsItsSizeAndCompressedBits) {
    const std::vector<uint8_t> rle = Rle8Bits(13, 7);
    std::vector<std::string> boxes;
    HGLOBAL dib = ReadBytesAsDib(
        BmpFile(13, 7, 8, BI_RLE8, GrayPalette(256), rle, 0, uint32_t(rle.size())), &boxes);
    ASSERT_NE(dib, nullptr);
    const std::vector<uint8_t> bytes = DibBytes(dib);
    EXPECT_EQ(HeaderOf(dib).biCompression, DWORD(BI_RLE8));
    EXPECT_EQ(HeaderOf(dib).biSizeImage, rle.size());
    ASSERT_EQ(bytes.size(), 40 + 1024 + rle.size());
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 1064, bytes.end()), rle);
    GlobalFree(dib);
}

TEST(BmpFiles, ZeroOffsetTakesTheBitsRightBehindTheColorTable) {
    // ImageMagick refuses such files, so the same file with its offset set
    // is the reference.
    std::vector<std::string> boxes;
    HGLOBAL zero = ReadBytesAsDib(
        BmpFile(13, 7, 8, BI_RGB, GrayPalette(20), PatternBits(13, 7, 8), 20, 0, true), &boxes);
    HGLOBAL set = ReadBytesAsDib(
        BmpFile(13, 7, 8, BI_RGB, GrayPalette(20), PatternBits(13, 7, 8), 20, 0, false), &boxes);
    ASSERT_NE(zero, nullptr);
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(HeaderOf(zero).biClrUsed, 20u);
    EXPECT_EQ(DibBytes(zero), DibBytes(set));
    GlobalFree(zero);
    GlobalFree(set);
}

TEST(BmpFiles, TopDownFileHasPositiveHeight) {
    std::vector<std::string> boxes;
    HGLOBAL dib = ReadBytesAsDib(BmpFile(4, -3, 24, BI_RGB, {}, PatternBits(4, 3, 24)), &boxes);
    ASSERT_NE(dib, nullptr);
    EXPECT_EQ(GetDIBHeight(dib), 3);
    EXPECT_EQ(HeaderOf(dib).biHeight, 3);
    GlobalFree(dib);
}

TEST(BmpFiles, WriteDibPutsBitsBehindTheColorTable) {
    HGLOBAL dib8 = DibFromBytes(MakeDibBytes(3, 2, 8, 256));
    HGLOBAL dib24 = DibFromBytes(MakeDibBytes(3, 2, 24, 0));
    const SharedFile file = SharedPath("offsets.bmp");
    ASSERT_EQ(WriteDIB(file.windows.c_str(), dib8), 1);
    std::vector<uint8_t> raw = ReadBytes(file.windows);
    ASSERT_EQ(raw.size(), 14 + GlobalSize(dib8));
    EXPECT_EQ(raw[0], 'B');
    EXPECT_EQ(raw[1], 'M');
    EXPECT_EQ(Get32(raw, 2), raw.size());
    EXPECT_EQ(Get32(raw, 6), 0u);
    EXPECT_EQ(Get32(raw, 10), 1078u);
    EXPECT_EQ(std::vector<uint8_t>(raw.begin() + 14, raw.end()), DibBytes(dib8));
    EXPECT_EQ(GlobalFlags(dib8) & GMEM_LOCKCOUNT, 0u);

    ASSERT_EQ(WriteDIB(file.windows.c_str(), dib24), 1); // replaces the longer file
    raw = ReadBytes(file.windows);
    EXPECT_EQ(raw.size(), 14 + GlobalSize(dib24));
    EXPECT_EQ(Get32(raw, 10), 54u);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));
    GlobalFree(dib8);
    GlobalFree(dib24);
    DeleteFileA(file.windows.c_str());
}

TEST(BmpFiles, ReadFailuresShowTheirBoxes) {
    const std::vector<uint8_t> good = BmpFile(2, 2, 24, BI_RGB, {}, PatternBits(2, 2, 24));
    struct Case {
        const char *name;
        std::vector<uint8_t> bytes;
        const char *first;
    };
    std::vector<Case> cases = {
        {"empty", {}, "ReadDIBInfo: Error while reading BMP header!"},
        {"13 bytes", std::vector<uint8_t>(good.begin(), good.begin() + 13),
         "ReadDIBInfo: Error while reading BMP header!"},
        {"53 bytes", std::vector<uint8_t>(good.begin(), good.begin() + 53),
         "ReadDIBInfo: Error while reading DIB info block!"},
        {"not BM", good, "ReadDIBInfo: Not a valid BMP file!"},
        {"108-byte header", good, "ReadDIBInfo: Unkown DIB format!"},
        {"depth 7", good, "ReadDIBInfo: Unkown DIB format!"},
        {"too large", good, "ReadDIBInfo: Not enough memory for DIB!"},
    };
    cases[3].bytes[0] = 'P';
    Put32(cases[4].bytes, 14, 108);
    Put16(cases[5].bytes, 28, 7);
    Put32(cases[6].bytes, 18, 0x7FFFFFFF);
    Put32(cases[6].bytes, 22, 0x7FFFFFFF);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> boxes;
        EXPECT_EQ(ReadBytesAsDib(c.bytes, &boxes), nullptr);
        EXPECT_EQ(boxes, (std::vector<std::string>{c.first, "ReadDIB: Error while reading file!"}));
    }
}

TEST(BmpFiles, ReadDibWithoutAFile) {
    MessageBoxCatcher boxes;
    EXPECT_EQ(ReadDIB(nullptr), nullptr);
    EXPECT_EQ(ReadDIB("Z:\\no\\such\\folder\\missing.bmp"), nullptr);
    EXPECT_EQ(boxes.texts(), (std::vector<std::string>{"ReadDIB: File name not found!",
                                                       "ReadDIB: Error while reading file!"}));
}

TEST(BmpFiles, WriteFailuresShowTheirBoxes) {
    HGLOBAL dib = DibFromBytes(MakeDibBytes(2, 2, 24, 0));
    MessageBoxCatcher boxes;
    const SharedFile file = SharedPath("unwritten.bmp");
    EXPECT_EQ(WriteDIB(file.windows.c_str(), nullptr), 0);
    EXPECT_EQ(WriteDIB(nullptr, dib), 0);
    EXPECT_EQ(WriteDIB(nullptr, nullptr), 0); // the DIB is tested first
    EXPECT_EQ(WriteDIB("Z:\\no\\such\\folder\\out.bmp", dib), 0);
    EXPECT_EQ(boxes.texts(),
              (std::vector<std::string>{"WriteDIB: No DIB passed!", "WriteDIB: No file name found!",
                                        "WriteDIB: No DIB passed!",
                                        "WriteDIB: Error while creating file!"}));
    EXPECT_EQ(GetFileAttributesA(file.windows.c_str()), INVALID_FILE_ATTRIBUTES);
    GlobalFree(dib);
}

TEST(BmpFiles, WriteDibRefusesABlockSmallerThanAHeader) {
    HGLOBAL tiny = GlobalAlloc(GHND, 20);
    const SharedFile file = SharedPath("tiny.bmp");
    MessageBoxCatcher boxes;
    EXPECT_EQ(WriteDIB(file.windows.c_str(), tiny), 0);
    EXPECT_EQ(boxes.texts(), (std::vector<std::string>{"WriteDIB: No DIB passed!"}));
    EXPECT_EQ(GetFileAttributesA(file.windows.c_str()), INVALID_FILE_ATTRIBUTES);
    GlobalFree(tiny);
}

TEST(BmpFiles, IsBmpFileLooksAtSignatureAndHeaderSizeOnly) {
    MessageBoxCatcher boxes;
    const SharedFile file = SharedPath("is.bmp");
    std::vector<uint8_t> bytes = BmpFile(2, 2, 24, BI_RGB, {}, PatternBits(2, 2, 24));
    ASSERT_TRUE(WriteBytes(file.windows, bytes));
    EXPECT_EQ(IsBMPFile(file.windows.c_str()), 1);
    Put32(bytes, 14, 12);
    ASSERT_TRUE(WriteBytes(file.windows, bytes));
    EXPECT_EQ(IsBMPFile(file.windows.c_str()), 1);
    Put32(bytes, 14, 108);
    ASSERT_TRUE(WriteBytes(file.windows, bytes));
    EXPECT_EQ(IsBMPFile(file.windows.c_str()), 0);
    Put32(bytes, 14, 40);
    ASSERT_TRUE(WriteBytes(file.windows, std::vector<uint8_t>(bytes.begin(), bytes.begin() + 53)));
    EXPECT_EQ(IsBMPFile(file.windows.c_str()), 0);
    bytes[1] = 'A';
    ASSERT_TRUE(WriteBytes(file.windows, bytes));
    EXPECT_EQ(IsBMPFile(file.windows.c_str()), 0);
    EXPECT_EQ(IsBMPFile(nullptr), 0);
    EXPECT_EQ(IsBMPFile("Z:\\no\\such\\file.bmp"), 0);
    EXPECT_TRUE(boxes.texts().empty());
    DeleteFileA(file.windows.c_str());
}

TEST(BmpFiles, ShortFileLeavesTheRestOfTheBitsZero) {
    std::vector<uint8_t> bytes = BmpFile(4, 4, 8, BI_RGB, GrayPalette(256), PatternBits(4, 4, 8));
    bytes.resize(bytes.size() - 6);
    std::vector<std::string> boxes;
    HGLOBAL dib = ReadBytesAsDib(bytes, &boxes);
    ASSERT_NE(dib, nullptr);
    EXPECT_TRUE(boxes.empty());
    const std::vector<uint8_t> block = DibBytes(dib);
    ASSERT_EQ(block.size(), 40u + 1024u + 16u);
    const std::vector<uint8_t> bits = PatternBits(4, 4, 8);
    EXPECT_EQ(0, std::memcmp(&block[1064], bits.data(), 10));
    EXPECT_EQ(std::vector<uint8_t>(block.end() - 6, block.end()), std::vector<uint8_t>(6, 0));
    GlobalFree(dib);
}

// A 54-byte file claiming a 2 GB picture, either way up: the block is asked
// for, but its pages are left alone, as there are no bits to put in them.
TEST(BmpFiles, HugeHeaderWithoutBitsCostsLittle) {
    for (int32_t height : {-32768, 32768}) {
        SCOPED_TRACE(height);
        std::vector<std::string> boxes;
        HGLOBAL dib = nullptr;
        const Cost cost = Measure(
            [&] { dib = ReadBytesAsDib(BmpFile(16384, height, 32, BI_RGB, {}, {}), &boxes); });
        if (dib) {
            EXPECT_TRUE(boxes.empty());
            EXPECT_EQ(GetDIBHeight(dib), 32768);
        } else { // a system that cannot give 2 GB refuses the file
            EXPECT_EQ(boxes.back(), "ReadDIB: Not enough memory for DIB!");
        }
        GlobalFree(dib);
        ExpectCheap(cost);
    }
}

// Blocks of several megabytes are brought into memory in chunks before they
// are filled; every byte must still arrive, across the chunk boundaries and
// at the uneven end, whether read from a file or copied.
TEST(BmpFiles, LargeFileArrivesWholeAndCopiesWhole) {
    const int width = 1501, height = 2100; // 4504-byte rows, about 9 MiB
    const std::vector<uint8_t> bits = PatternBits(width, height, 24);
    std::vector<std::string> boxes;
    HGLOBAL dib = ReadBytesAsDib(BmpFile(width, height, 24, BI_RGB, {}, bits), &boxes);
    ASSERT_NE(dib, nullptr);
    EXPECT_TRUE(boxes.empty());
    const std::vector<uint8_t> block = DibBytes(dib);
    ASSERT_EQ(block.size(), 40u + bits.size());
    EXPECT_TRUE(std::equal(bits.begin(), bits.end(), block.begin() + 40));
    HGLOBAL copy = CopyDIB(dib);
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(DibBytes(copy) == block);
    GlobalFree(copy);
    GlobalFree(dib);
}

} // namespace
