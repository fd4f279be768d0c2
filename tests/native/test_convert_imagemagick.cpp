// ImageMagick as an independent decoder: BMP files of 1, 4, 8 (plain and
// RLE8), 16 (5-5-5 and 5-6-5 bit fields) and 32 bits, read by the toolkit's
// BMP reader and widened to 24 bits by the conversions, must show the same
// pixels as ImageMagick's own decoding of the same files. The only allowed
// difference is that 5- and 6-bit fields are widened without repeating their
// high bits in the low ones (f * 8, f * 4).
#include "support/dib_builder.h"

#include "dib/bmp_format.h"
#include "dib/rle_decode.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace {

using namespace dibtest;
namespace dib = pexa::dib;

constexpr int kWidth = 37; // odd, so every depth has row padding
constexpr int kHeight = 23;

class ImageMagickWidening : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (std::system("convert -version >/dev/null 2>&1") != 0) return;
        char name[] = "/tmp/pexa_widen_XXXXXX";
        if (!mkdtemp(name)) return;
        dir_ = name;
        if (!Run("convert -size " + std::to_string(kWidth) + "x" + std::to_string(kHeight) +
                 " -seed 1 plasma: " + Path("source.png")))
            dir_.clear();
    }
    static void TearDownTestSuite() {
        if (!dir_.empty()) Run("rm -rf '" + dir_ + "'");
    }
    void SetUp() override {
        if (dir_.empty()) GTEST_SKIP() << "ImageMagick's convert is not available";
    }

    static std::string Path(const std::string &name) { return dir_ + "/" + name; }
    static bool Run(const std::string &command) {
        return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
    }
    static std::vector<uint8_t> ReadFile(const std::string &path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void WriteFile(const std::string &path, const std::vector<uint8_t> &bytes) {
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
    }
    // ImageMagick's decoding as 8-bit red, green, blue, top row first.
    static std::vector<uint8_t> Decode(const std::string &file) {
        std::vector<uint8_t> rgb(size_t(kWidth) * kHeight * 3);
        FILE *pipe = popen(("convert '" + file + "' -depth 8 rgb:-").c_str(), "r");
        if (!pipe) return {};
        const size_t got = std::fread(rgb.data(), 1, rgb.size(), pipe);
        pclose(pipe);
        if (got != rgb.size()) rgb.clear();
        return rgb;
    }
    // The toolkit's reading of a BMP file as a packed DIB.
    static std::vector<uint8_t> ReadDib(const std::string &file, uint16_t expectBits,
                                        uint32_t expectCompression) {
        const auto bytes = ReadFile(file);
        std::vector<uint8_t> block;
        EXPECT_EQ(pexa::bmp::ReadBmp(bytes.data(), bytes.size(), &block),
                  pexa::bmp::ReadStatus::Ok);
        if (block.empty()) return block;
        EXPECT_EQ(DibView{block}.header().bitCount, expectBits) << file;
        EXPECT_EQ(DibView{block}.header().compression, expectCompression) << file;
        return block;
    }

    // Widened pixels equal ImageMagick's, channel by channel, within the
    // low bits a field of `fieldBits[k]` bits leaves open (0 for 8 bits).
    static void ExpectSamePicture(const std::vector<uint8_t> &widened, const std::string &file,
                                  const int lowBits[3] = kExact) {
        const auto magick = Decode(file);
        ASSERT_EQ(magick.size(), size_t(kWidth) * kHeight * 3) << file;
        DibView v{widened};
        ASSERT_EQ(v.header().bitCount, 24);
        ASSERT_EQ(v.header().width, kWidth);
        ASSERT_EQ(v.header().height, kHeight);
        int mismatches = 0;
        for (int y = 0; y < kHeight; ++y) {
            const uint8_t *row = v.row(size_t(kHeight - 1 - y)); // the DIB is bottom-up
            for (int x = 0; x < kWidth; ++x)
                for (int k = 0; k < 3; ++k) { // red, green, blue
                    const int ours = row[3 * x + 2 - k];
                    const int theirs = magick[(size_t(y) * kWidth + x) * 3 + k];
                    const int mask = (1 << lowBits[k]) - 1;
                    // Ours is theirs with the low bits cleared.
                    if (ours != (theirs & ~mask) && mismatches++ < 5)
                        ADD_FAILURE() << file << " pixel " << x << "," << y << " channel " << k
                                      << ": " << ours << " vs " << theirs;
                }
        }
        EXPECT_EQ(mismatches, 0) << file;
    }

    static constexpr int kExact[3] = {0, 0, 0};
    static std::string dir_;
};

std::string ImageMagickWidening::dir_;

std::vector<uint8_t> Widened(const std::vector<uint8_t> &block,
                             Failure (*step)(dib::Block, dib::ResultSink &)) {
    VectorSink out;
    EXPECT_EQ(step(BlockOf(block), out), Failure::kNone);
    return out.bytes;
}

TEST_F(ImageMagickWidening, OneBit) {
    ASSERT_TRUE(Run("convert " + Path("source.png") + " -monochrome BMP3:" + Path("p1.bmp")));
    const auto src = ReadDib(Path("p1.bmp"), 1, 0);
    const auto wide = Widened(Widened(Widened(src, dib::Dib1To4), dib::Dib4To8), dib::Dib8To24);
    ExpectSamePicture(wide, Path("p1.bmp"));
}

TEST_F(ImageMagickWidening, FourBit) {
    ASSERT_TRUE(Run("convert " + Path("source.png") + " -colors 16 BMP3:" + Path("p4.bmp")));
    const auto src = ReadDib(Path("p4.bmp"), 4, 0);
    ExpectSamePicture(Widened(Widened(src, dib::Dib4To8), dib::Dib8To24), Path("p4.bmp"));
}

TEST_F(ImageMagickWidening, EightBit) {
    ASSERT_TRUE(Run("convert " + Path("source.png") +
                    " -compress none -colors 200 BMP3:" + Path("p8.bmp")));
    const auto src = ReadDib(Path("p8.bmp"), 8, 0);
    ExpectSamePicture(Widened(src, dib::Dib8To24), Path("p8.bmp"));
}

TEST_F(ImageMagickWidening, EightBitRunLength) {
    // ImageMagick compresses 8-bit BMP3 files with RLE8 by default.
    ASSERT_TRUE(Run("convert " + Path("source.png") + " -colors 200 BMP3:" + Path("r8.bmp")));
    const auto src = ReadDib(Path("r8.bmp"), 8, dib::kCompressionRle8);
    ExpectSamePicture(Widened(Widened(src, dib::RleToDib), dib::Dib8To24), Path("r8.bmp"));
}

TEST_F(ImageMagickWidening, ThirtyTwoBit) {
    ASSERT_TRUE(Run("convert " + Path("source.png") +
                    " -alpha on -define bmp3:alpha=true BMP3:" + Path("p32.bmp")));
    const auto src = ReadDib(Path("p32.bmp"), 32, 0);
    ExpectSamePicture(Widened(src, dib::Dib32To24), Path("p32.bmp"));
}

// A 16-bit BMP file built by hand from the source picture's pixels: 5-5-5
// without masks, or 5-6-5 with bit-field masks.
std::vector<uint8_t> SixteenBitFile(const std::vector<uint8_t> &rgbTopDown, bool fiveSixFive) {
    const size_t rowBytes = size_t(pexa::dib::RowBytes(kWidth, 16));
    const uint32_t masks = fiveSixFive ? 12 : 0;
    const uint32_t offBits = 54 + masks;
    std::vector<uint8_t> file(offBits + rowBytes * kHeight, 0);
    pexa::bmp::FileHeader fh;
    fh.type = pexa::bmp::kSignature;
    fh.size = uint32_t(file.size());
    fh.offBits = offBits;
    pexa::bmp::StoreFileHeader(fh, file.data());
    InfoHeader h = pexa::dib::MakeHeader(kWidth, kHeight, 16, 0);
    h.compression = fiveSixFive ? dib::kCompressionBitfields : 0;
    std::memcpy(file.data() + 14, &h, 40);
    if (fiveSixFive) {
        const uint32_t m[3] = {0xF800, 0x07E0, 0x001F};
        std::memcpy(file.data() + 54, m, 12);
    }
    for (int y = 0; y < kHeight; ++y) {
        uint8_t *row = file.data() + offBits + rowBytes * size_t(kHeight - 1 - y);
        for (int x = 0; x < kWidth; ++x) {
            const uint8_t *p = &rgbTopDown[(size_t(y) * kWidth + x) * 3];
            const uint16_t v = fiveSixFive
                                   ? uint16_t((p[0] >> 3) << 11 | (p[1] >> 2) << 5 | p[2] >> 3)
                                   : uint16_t((p[0] >> 3) << 10 | (p[1] >> 3) << 5 | p[2] >> 3);
            row[2 * x] = uint8_t(v);
            row[2 * x + 1] = uint8_t(v >> 8);
        }
    }
    return file;
}

TEST_F(ImageMagickWidening, SixteenBitFiveFiveFive) {
    const auto rgb = Decode(Path("source.png"));
    ASSERT_FALSE(rgb.empty());
    WriteFile(Path("p555.bmp"), SixteenBitFile(rgb, false));
    const auto src = ReadDib(Path("p555.bmp"), 16, 0);
    const int low[3] = {3, 3, 3};
    ExpectSamePicture(Widened(src, dib::Dib16To24), Path("p555.bmp"), low);
}

TEST_F(ImageMagickWidening, SixteenBitFiveSixFiveBitFields) {
    const auto rgb = Decode(Path("source.png"));
    ASSERT_FALSE(rgb.empty());
    WriteFile(Path("p565.bmp"), SixteenBitFile(rgb, true));
    const auto src = ReadDib(Path("p565.bmp"), 16, dib::kCompressionBitfields);
    const int low[3] = {3, 2, 3};
    ExpectSamePicture(Widened(src, dib::Dib16To24), Path("p565.bmp"), low);
}

} // namespace
