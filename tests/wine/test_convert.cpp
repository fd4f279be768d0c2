// The exported bit-depth conversions as a program sees them: results in new
// global blocks, sources left unchanged and unlocked, the error boxes with
// their texts, chains that free their intermediates, and the same exports in
// pexab16.
#include <gtest/gtest.h>

#include <windows.h>

#include <psapi.h>

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

std::vector<uint8_t> EightBitPicture(int width, int height) {
    DibLayout s;
    s.width = width;
    s.height = height;
    for (int i = 0; i < 256; ++i)
        s.palette.push_back(Rgb(i, 255 - i, i / 2));
    for (int y = 0; y < height; ++y) {
        std::vector<uint8_t> row;
        for (int x = 0; x < width; ++x)
            row.push_back(uint8_t(x * 7 + y * 13));
        s.rows.push_back(row);
    }
    return MakeDib(s);
}

std::vector<uint8_t> OneBitPicture() {
    DibLayout s;
    s.width = 13;
    s.height = 3;
    s.bits = 1;
    s.palette = {Rgb(10, 20, 30), Rgb(200, 150, 100)};
    s.rows = {{0xB4, 0x78}, {0xFF, 0x00}, {0x0F, 0xF0}};
    return MakeDib(s);
}

TEST(ConvertExports, NullDibShowsTheFunctionsBox) {
    using Fn = HGLOBAL (*)(HGLOBAL);
    const struct {
        Fn fn;
        const char *text;
    } cases[] = {
        {DIB1To4, "DIB1To4: No DIB passed!"},     {DIB4To8, "DIB4To8: No DIB passed!"},
        {DIB8To24, "DIB8To24: No DIB passed!"},   {DIB16To24, "DIB16To24: No DIB passed!"},
        {DIB32To24, "DIB32To24: No DIB passed!"}, {DIB1To8, "DIB1To8: No DIB passed!"},
        {DIB1To24, "DIB1To24: No DIB passed!"},   {DIB4To24, "DIB4To24: No DIB passed!"},
        {DIB24To1, "DIB24To1: No DIB passed!"},   {DIB8To1, "DIB8To1: No DIB passed!"},
        {DIB4To1, "DIB4To1: No DIB passed!"},     {DIB24To4, "DIB24To4: No DIB passed!"},
        {DIB8To4, "DIB8To4: No DIB passed!"},
    };
    for (const auto &c : cases) {
        MessageBoxCatcher catcher;
        EXPECT_EQ(c.fn(nullptr), nullptr);
        ASSERT_EQ(catcher.boxes().size(), 1u) << c.text;
        EXPECT_EQ(catcher.boxes()[0].text, c.text);
        EXPECT_EQ(catcher.boxes()[0].caption, "Error Message");
        EXPECT_FALSE(catcher.boxes()[0].hasOwner);
    }
}

TEST(ConvertExports, ResultIsNewAndSourceStaysUnchangedAndUnlocked) {
    const auto bytes = EightBitPicture(17, 5);
    OwnedDib src(DibFromBytes(bytes));
    MessageBoxCatcher catcher;
    OwnedDib wide(DIB8To24(src));
    ASSERT_NE(wide.h, nullptr);
    EXPECT_NE(wide.h, src.h);
    EXPECT_TRUE(catcher.boxes().empty());
    EXPECT_EQ(DibBytes(src), bytes);
    EXPECT_EQ(LockCount(src), 0u);
    EXPECT_EQ(LockCount(wide), 0u);
    const auto out = DibBytes(wide);
    DibView v{out};
    EXPECT_EQ(v.header().bitCount, 24);
    EXPECT_EQ(out.size(), 40u + v.header().sizeImage); // exactly header and bits
    // Pixel (3, 2) has index 3 * 7 + 2 * 13 = 47: colour (47, 208, 23).
    EXPECT_EQ(v.row(2)[9], 23);
    EXPECT_EQ(v.row(2)[10], 208);
    EXPECT_EQ(v.row(2)[11], 47);
}

TEST(ConvertExports, ChainsEqualTheirSteps) {
    OwnedDib src(DibFromBytes(OneBitPicture()));
    OwnedDib four(DIB1To4(src));
    OwnedDib eight(DIB4To8(four));
    OwnedDib wide(DIB8To24(eight));
    OwnedDib chained8(DIB1To8(src));
    OwnedDib chained24(DIB1To24(src));
    OwnedDib fourTo24(DIB4To24(four));
    ASSERT_NE(wide.h, nullptr);
    EXPECT_EQ(DibBytes(chained8), DibBytes(eight));
    EXPECT_EQ(DibBytes(chained24), DibBytes(wide));
    EXPECT_EQ(DibBytes(fourTo24), DibBytes(wide));

    OwnedDib oneFrom24(DIB24To1(wide));
    OwnedDib oneFrom8(DIB8To1(eight));
    OwnedDib oneFrom4(DIB4To1(four));
    ASSERT_NE(oneFrom24.h, nullptr);
    EXPECT_EQ(DibBytes(oneFrom8), DibBytes(oneFrom24));
    EXPECT_EQ(DibBytes(oneFrom4), DibBytes(oneFrom24));
    OwnedDib sixteenFrom24(DIB24To4(wide));
    OwnedDib sixteenFrom8(DIB8To4(eight));
    ASSERT_NE(sixteenFrom24.h, nullptr);
    EXPECT_EQ(DibBytes(sixteenFrom8), DibBytes(sixteenFrom24));
    EXPECT_EQ(DibView{DibBytes(sixteenFrom24)}.header().bitCount, 4);
}

TEST(ConvertExports, FailedStepEndsTheChainWithItsOwnBox) {
    DibLayout s;
    s.bits = 4;
    s.palette.assign(16, Rgb(0, 0, 0));
    OwnedDib four(DibFromBytes(MakeDib(s)));
    MessageBoxCatcher catcher;
    EXPECT_EQ(DIB8To1(four), nullptr);
    EXPECT_EQ(DIB1To24(four), nullptr);
    EXPECT_EQ(DIB24To4(four), nullptr);
    EXPECT_EQ(catcher.texts(), (std::vector<std::string>{"DIB8To24: This is not a 8-Bit-DIB!",
                                                         "DIB1To4: This is not a 1-Bit-DIB!",
                                                         "_DIB24To4: This is not a 24-Bit DIB!"}));
    EXPECT_EQ(LockCount(four), 0u);
}

TEST(ConvertExports, RunLengthAndOs2Texts) {
    DibLayout s;
    s.compression = 1;
    s.palette = {Rgb(0, 0, 0)};
    OwnedDib rle(DibFromBytes(MakeDib(s)));
    auto os2Bytes = MakeDib(s);
    os2Bytes[0] = 12;
    OwnedDib os2(DibFromBytes(os2Bytes));
    MessageBoxCatcher catcher;
    EXPECT_EQ(DIB8To24(rle), nullptr);
    EXPECT_EQ(DIB8To24(os2), nullptr);
    EXPECT_EQ(DIB16To24(os2), nullptr);
    EXPECT_EQ(catcher.texts(),
              (std::vector<std::string>{"DIB8To24: This is a RLE-DIB!",
                                        "DIB8To24: No support for OS/2-Bitmaps!",
                                        "DIB16To24: No support for OS/2-Bitmaps!"}));
}

TEST(ConvertExports, BadDibsAreRefusedWithClearTexts) {
    OwnedDib tenBytes(DibFromBytes(std::vector<uint8_t>(10, 40)));
    DibLayout s;
    s.bits = 24;
    s.compression = BI_BITFIELDS;
    s.masks = {0xFF0000, 0xFF00, 0xFF};
    OwnedDib bitFields(DibFromBytes(MakeDib(s)));
    s.masks.clear();
    s.compression = 7;
    OwnedDib unknown(DibFromBytes(MakeDib(s)));
    s.compression = BI_RGB;
    s.bits = 64;
    OwnedDib deep(DibFromBytes(MakeDib(s)));
    s.bits = 8;
    s.compression = BI_RLE4;
    s.palette = {Rgb(1, 2, 3)};
    s.rawBits = {1, 5, 0, 1};
    OwnedDib crossed(DibFromBytes(MakeDib(s)));
    MessageBoxCatcher catcher;
    EXPECT_EQ(DIB24To1(tenBytes), nullptr);
    EXPECT_EQ(DIB24To4(bitFields), nullptr);
    EXPECT_EQ(GrayDIB(unknown), nullptr);
    EXPECT_EQ(GrayDIB(deep), nullptr);
    EXPECT_EQ(CropDIB(bitFields, 0, 0, 1, 1), nullptr);
    EXPECT_EQ(RLEtoDIB(crossed), nullptr);
    EXPECT_EQ(catcher.texts(),
              (std::vector<std::string>{
                  "_DIB24To1: No DIB passed!", "_DIB24To4: Compression does not fit the bit depth!",
                  "GrayDIB: Unknown compression!", "GrayDIB: Unsupported bit depth!",
                  "CropDIB: Compression does not fit the bit depth!",
                  "RLEtoDIB: Compression does not fit the bit depth!"}));
}

TEST(ConvertExports, ChainsFreeTheirIntermediates) {
    // 512 x 512 at 8 bits: each DIB8To1 makes a 768 KB intermediate. A
    // hundred calls that kept them would hold 75 MB.
    OwnedDib src(DibFromBytes(EightBitPicture(512, 512)));
    auto usage = [] {
        PROCESS_MEMORY_COUNTERS counters = {};
        counters.cb = sizeof counters;
        K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
        return counters.PagefileUsage;
    };
    GlobalFree(DIB8To1(src)); // warm up the allocator
    GlobalFree(DIB8To4(src));
    const SIZE_T before = usage();
    for (int i = 0; i < 50; ++i) {
        HGLOBAL one = DIB8To1(src);
        HGLOBAL four = DIB8To4(src);
        ASSERT_NE(one, nullptr);
        ASSERT_NE(four, nullptr);
        GlobalFree(one);
        GlobalFree(four);
    }
    EXPECT_LT(usage(), before + 16 * 1024 * 1024);
}

TEST(ConvertExports, LiteLibraryExportsTheSameFunctions) {
    HMODULE lite = LoadLibraryA("pexab16.dll");
    ASSERT_NE(lite, nullptr);
    const char *names[] = {"DIB1To4",      "DIB4To8",  "DIB8To24", "DIB16To24",    "DIB32To24",
                           "DIB1To8",      "DIB1To24", "DIB4To24", "DIB24To1",     "DIB8To1",
                           "DIB4To1",      "DIB24To4", "DIB8To4",  "ReduceColors", "GrayDIB",
                           "SmallSizeDIB", "DIB24To8", "CropDIB",  "RLEtoDIB"};
    for (const char *name : names)
        EXPECT_NE(GetProcAddress(lite, name), nullptr) << name;

    using Fn = HGLOBAL(WINAPI *)(HGLOBAL);
    auto liteToFour =
        reinterpret_cast<Fn>(reinterpret_cast<void *>(GetProcAddress(lite, "DIB1To4")));
    OwnedDib src(DibFromBytes(OneBitPicture()));
    OwnedDib ours(DIB1To4(src));
    OwnedDib theirs(liteToFour(src));
    EXPECT_EQ(DibBytes(theirs), DibBytes(ours));
    MessageBoxCatcher catcher;
    EXPECT_EQ(liteToFour(nullptr), nullptr);
    EXPECT_EQ(catcher.texts(), (std::vector<std::string>{"DIB1To4: No DIB passed!"}));
    FreeLibrary(lite);
}

} // namespace
