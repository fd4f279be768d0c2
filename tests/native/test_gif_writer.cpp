// The GIF writer: the bytes of the file layout, row order, colour tables,
// round trips through the reader, and its failures.
#include <gtest/gtest.h>

#include "test_gif_support.h"

namespace {

using giftest::Picture;
using giftest::TestHost;
namespace text = pexa::gif::text;

int Mix(int x, int y, int modulo) {
    return (x * 7 + y * 13 + x * y) % modulo;
}

// Offset of the image descriptor for a global table of 2^b entries.
size_t ImageAt(int bits) {
    return 13 + 3 * (size_t(1) << bits);
}

TEST(GifWriter, EightBitLayout) {
    const auto dib = dibtest::MakeIndexedDib(3, 2, 8, 0, [](int x, int y) { return x + 3 * y; });
    TestHost host;
    const auto gif = giftest::Write(dib, false, host);
    ASSERT_FALSE(gif.empty());
    EXPECT_EQ(std::string(gif.begin(), gif.begin() + 6), "GIF89a");
    EXPECT_EQ(gif[6], 3);
    EXPECT_EQ(gif[7], 0);
    EXPECT_EQ(gif[8], 2);
    EXPECT_EQ(gif[9], 0);
    EXPECT_EQ(gif[10], 0xF7);
    EXPECT_EQ(gif[11], 0); // background
    EXPECT_EQ(gif[12], 0); // aspect
    // Colour entry i of MakeIndexedDib is (i, 255 - i, 7 i).
    EXPECT_EQ(gif[13 + 3 * 200], 200);
    EXPECT_EQ(gif[13 + 3 * 200 + 1], 55);
    EXPECT_EQ(gif[13 + 3 * 200 + 2], uint8_t(1400));
    const size_t image = ImageAt(8);
    const uint8_t descriptor[] = {0x2C, 0, 0, 0, 0, 3, 0, 2, 0, 0x07, 8};
    EXPECT_TRUE(std::equal(descriptor, descriptor + 11, gif.begin() + image));
    EXPECT_EQ(gif.back(), 0x3B);
    EXPECT_EQ(gif[gif.size() - 2], 0); // data terminator
    EXPECT_TRUE(host.errors.empty());
    EXPECT_EQ(host.live, 0);
}

TEST(GifWriter, OneBitLayout) {
    const auto dib = dibtest::MakeIndexedDib(9, 3, 1, 0, [](int x, int y) { return (x + y) & 1; });
    TestHost host;
    const auto gif = giftest::Write(dib, false, host, 87);
    EXPECT_EQ(std::string(gif.begin(), gif.begin() + 6), "GIF87a");
    EXPECT_EQ(gif[10], 0x80);
    const uint8_t table[] = {0, 255, 0, 1, 254, 7};
    EXPECT_TRUE(std::equal(table, table + 6, gif.begin() + 13));
    const size_t image = ImageAt(1);
    EXPECT_EQ(gif[image], 0x2C);
    EXPECT_EQ(gif[image + 9], 0x00);
    EXPECT_EQ(gif[image + 10], 2); // minimum code size
    const auto codes = giftest::ParseCodes(gif.data() + image + 11, gif.size() - image - 11, 2);
    EXPECT_EQ(codes.front().value, 4u);
    EXPECT_EQ(codes.back().value, 5u);
}

TEST(GifWriter, TenColoursArePaddedWithSixBlack) {
    const auto dib =
        dibtest::MakeIndexedDib(4, 4, 4, 10, [](int x, int y) { return (x + y) % 10; });
    TestHost host;
    const auto gif = giftest::Write(dib, false, host);
    EXPECT_EQ(gif[10], 0xB3);
    EXPECT_EQ(gif[13 + 3 * 9], 9);
    EXPECT_EQ(gif[13 + 3 * 9 + 1], 246);
    for (size_t i = 13 + 3 * 10; i < 13 + 3 * 16; ++i)
        EXPECT_EQ(gif[i], 0) << i;
    EXPECT_EQ(gif[ImageAt(4)], 0x2C);
    EXPECT_EQ(gif[ImageAt(4) + 10], 4);
}

TEST(GifWriter, TooManyColoursAreCutToTheDepth) {
    auto dib = dibtest::MakeIndexedDib(2, 2, 1, 0, [](int x, int) { return x; });
    // A 1-bit DIB claiming 3 colours: the table holds exactly 2 entries.
    dib.insert(dib.begin() + 48, {9, 9, 9, 0});
    pexa::dib::InfoHeader h = pexa::dib::ReadHeader(dib.data());
    h.clrUsed = 3;
    std::memcpy(dib.data(), &h, sizeof h);
    TestHost host;
    const auto gif = giftest::Write(dib, false, host);
    ASSERT_FALSE(gif.empty());
    EXPECT_EQ(gif[ImageAt(1)], 0x2C);
    Picture p(giftest::Read(gif, host));
    EXPECT_EQ(p.At(1, 1), 1);
}

TEST(GifWriter, InterlacedRowsInPassOrder) {
    const auto dib = dibtest::MakeIndexedDib(2, 5, 8, 0, [](int, int y) { return 10 + y; });
    TestHost host;
    const auto gif = giftest::Write(dib, true, host);
    const size_t image = ImageAt(8);
    EXPECT_EQ(gif[image + 9], 0x47);
    // Decode the data and look at the row order in the file.
    auto decoder = std::make_unique<pexa::gif::LzwDecoder>();
    uint8_t rows[10];
    decoder->Start(8, rows, sizeof rows);
    for (size_t p = image + 11; gif[p] != 0; p += gif[p] + 1u)
        decoder->Feed(&gif[p + 1], gif[p]);
    const uint8_t expected[] = {10, 10, 14, 14, 12, 12, 11, 11, 13, 13};
    EXPECT_TRUE(std::equal(expected, expected + 10, rows));
    Picture back(giftest::Read(gif, host));
    for (int y = 0; y < 5; ++y)
        EXPECT_EQ(back.At(0, y), 10 + y);
}

TEST(GifWriter, RoundTripsKeepIndicesAndColours) {
    for (int bits : {1, 4, 8}) {
        for (bool interlace : {false, true}) {
            for (int width : {1, 7, 8, 9, 33}) {
                for (int height : {1, 2, 5, 9, 17}) {
                    const int colors = 1 << bits;
                    const auto dib = dibtest::MakeIndexedDib(
                        width, height, bits, 0, [&](int x, int y) { return Mix(x, y, colors); });
                    TestHost host;
                    const auto gif = giftest::Write(dib, interlace, host);
                    ASSERT_FALSE(gif.empty());
                    const uint8_t *back = giftest::Read(gif, host);
                    ASSERT_NE(back, nullptr);
                    ASSERT_TRUE(host.errors.empty());
                    Picture p(back);
                    ASSERT_EQ(p.header.bitCount, bits);
                    ASSERT_EQ(p.header.clrImportant, uint32_t(colors));
                    // Same colour table entries, same pixel rows (with padding).
                    EXPECT_EQ(std::memcmp(p.table, dib.data() + 40, 4 * colors), 0);
                    EXPECT_EQ(
                        std::memcmp(p.bits, dib.data() + 40 + 4 * colors, p.rowBytes * height), 0)
                        << bits << " " << interlace << " " << width << "x" << height;
                }
            }
        }
    }
}

TEST(GifWriter, LargeNoisyPictureRoundTrips) {
    uint32_t state = 12345;
    const auto dib = dibtest::MakeIndexedDib(300, 200, 8, 0, [&](int, int) {
        state = state * 1103515245 + 12345;
        return int(state >> 24);
    });
    TestHost host;
    const auto gif = giftest::Write(dib, false, host);
    Picture p(giftest::Read(gif, host));
    EXPECT_EQ(std::memcmp(p.bits, dib.data() + 40 + 1024, 300 * 200), 0);
}

TEST(GifWriter, TopDownDibKeepsItsTopRow) {
    auto dib = dibtest::MakeIndexedDib(4, 3, 8, 0, [](int, int y) { return y; });
    pexa::dib::InfoHeader h = pexa::dib::ReadHeader(dib.data());
    h.height = -3; // the same rows, now read from the top
    std::memcpy(dib.data(), &h, sizeof h);
    TestHost host;
    Picture p(giftest::Read(giftest::Write(dib, false, host), host));
    EXPECT_EQ(p.header.height, 3);
    for (int y = 0; y < 3; ++y)
        EXPECT_EQ(p.At(0, y), 2 - y);
}

TEST(GifWriter, EmptyPictureGivesAValidFile) {
    for (auto [width, height] : {std::pair{0, 0}, std::pair{5, 0}, std::pair{0, 5}}) {
        const auto dib = dibtest::MakeIndexedDib(width, height, 8, 0, [](int, int) { return 0; });
        TestHost host;
        const auto gif = giftest::Write(dib, true, host);
        ASSERT_FALSE(gif.empty());
        EXPECT_EQ(gif.back(), 0x3B);
        const uint8_t *back = giftest::Read(gif, host);
        ASSERT_NE(back, nullptr);
        EXPECT_TRUE(host.errors.empty());
        EXPECT_EQ(Picture(back).header.width, width);
    }
}

TEST(GifWriter, RefusesWhatItCannotWrite) {
    auto good = dibtest::MakeIndexedDib(3, 3, 8, 0, [](int, int) { return 1; });
    EXPECT_TRUE(pexa::gif::IsWritableDib(good.data(), good.size()));
    EXPECT_FALSE(pexa::gif::IsWritableDib(good.data(), good.size() - 1));
    EXPECT_FALSE(pexa::gif::IsWritableDib(good.data(), 39));
    EXPECT_FALSE(pexa::gif::IsWritableDib(nullptr, 100));
    auto with = [&](auto change) {
        auto dib = good;
        pexa::dib::InfoHeader h = pexa::dib::ReadHeader(dib.data());
        change(h);
        std::memcpy(dib.data(), &h, sizeof h);
        return pexa::gif::IsWritableDib(dib.data(), dib.size());
    };
    EXPECT_FALSE(with([](auto &h) { h.bitCount = 24; }));
    EXPECT_FALSE(with([](auto &h) { h.bitCount = 2; }));
    EXPECT_FALSE(with([](auto &h) { h.compression = 1; }));
    EXPECT_FALSE(with([](auto &h) { h.width = 70000; }));
    EXPECT_FALSE(with([](auto &h) { h.width = -3; }));
    EXPECT_FALSE(with([](auto &h) { h.height = 1 << 30; }));
    EXPECT_FALSE(with([](auto &h) { h.clrUsed = 0x40000000; }));
    EXPECT_FALSE(with([](auto &h) { h.size = 12; }));
    EXPECT_FALSE(with([](auto &h) { h.size = 124; }));
    EXPECT_EQ(pexa::gif::GifSignature(88), nullptr);

    TestHost host;
    pexa::gif::VectorSink sink;
    EXPECT_FALSE(pexa::gif::WriteGifBody(sink, good.data(), 39, false, host));
    EXPECT_EQ(host.errors, std::vector<std::string>{text::kNoDib});
    EXPECT_TRUE(sink.bytes.empty());
}

TEST(GifWriter, OutOfMemoryStillEndsTheFile) {
    const auto dib = dibtest::MakeIndexedDib(3, 3, 8, 0, [](int, int) { return 1; });
    for (auto [kind, message] :
         {std::pair{giftest::Block::kIndices, "Zu wenig Speicher f\xFCr Bitmap vorhanden!"},
          std::pair{giftest::Block::kPrefixTable, "Zu wenig Speicher f\xFCr Pr\xE4"
                                                  "fixtabelle vorhanden!"}}) {
        TestHost host;
        host.failKind = kind;
        pexa::gif::VectorSink sink;
        EXPECT_FALSE(pexa::gif::WriteGifBody(sink, dib.data(), dib.size(), false, host));
        EXPECT_EQ(host.errors, std::vector<std::string>{message});
        EXPECT_EQ(sink.bytes.back(), 0x3B);
        EXPECT_EQ(host.live, 0);
    }
}

TEST(GifWriter, FailingSinkIsAFailure) {
    class FullDisk final : public pexa::gif::Sink {
      public:
        bool Write(const void *, size_t count) override { return (budget -= int(count)) >= 0; }
        int budget;
    };
    const auto dib =
        dibtest::MakeIndexedDib(64, 64, 8, 0, [](int x, int y) { return Mix(x, y, 256); });
    for (int budget : {5, 800, 900, 2000}) {
        FullDisk sink;
        sink.budget = budget;
        TestHost host;
        EXPECT_FALSE(pexa::gif::WriteGifBody(sink, dib.data(), dib.size(), false, host));
        EXPECT_TRUE(host.errors.empty());
        EXPECT_EQ(host.live, 0);
    }
}

} // namespace
