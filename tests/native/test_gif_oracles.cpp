// Independent decoders and encoders as oracles: every file the writer makes
// must decode to the same pixels in ImageMagick and in giflib's gif2rgb, and
// files that ImageMagick writes (GIF87a, GIF89a, interlaced, several images
// with extensions) must read to the pixels ImageMagick itself decodes.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include "test_gif_support.h"

namespace {

using giftest::HaveTool;
using giftest::Picture;
using giftest::Shell;
using giftest::TestHost;

std::string TempFile(const std::string &name) {
    return testing::TempDir() + "pexa_gif_" + std::to_string(getpid()) + "_" + name;
}

void Save(const std::string &path, const std::vector<uint8_t> &bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<uint8_t> Load(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The picture as RGB bytes, row 0 at the top.
std::string Rgb(const Picture &p) {
    std::string rgb;
    for (int y = 0; y < p.header.height; ++y) {
        for (int x = 0; x < p.header.width; ++x) {
            const uint32_t c = p.Rgb(p.At(x, y));
            rgb += char(c >> 16), rgb += char(c >> 8), rgb += char(c);
        }
    }
    return rgb;
}

std::string DibRgb(const std::vector<uint8_t> &dib) {
    return Rgb(Picture(dib.data()));
}

struct WriterCase {
    const char *name;
    int width, height, bits;
    uint32_t clrUsed;
    bool interlace;
    int version;
    int kind; // 0 smooth, 1 noise
};

TEST(GifOracle, WrittenFilesDecodeTheSameInImageMagickAndGiflib) {
    if (!HaveTool("convert") || !HaveTool("gif2rgb")) GTEST_SKIP() << "no ImageMagick or giflib";
    const WriterCase cases[] = {
        {"one", 37, 23, 1, 0, false, 89, 1},     {"one_i", 37, 23, 1, 0, true, 87, 0},
        {"four", 50, 31, 4, 0, false, 87, 0},    {"four_i", 51, 30, 4, 10, true, 89, 1},
        {"eight", 257, 129, 8, 0, false, 89, 0}, {"eight_i", 255, 131, 8, 0, true, 89, 0},
        {"noise", 400, 300, 8, 0, false, 89, 1}, {"noise_i", 301, 177, 8, 200, true, 87, 1},
        {"line", 2000, 1, 8, 0, false, 89, 1},   {"column", 1, 999, 4, 0, true, 89, 1},
    };
    for (const WriterCase &c : cases) {
        SCOPED_TRACE(c.name);
        const int modulo = c.clrUsed ? int(c.clrUsed) : 1 << c.bits;
        uint32_t state = 99;
        const auto dib =
            dibtest::MakeIndexedDib(c.width, c.height, c.bits, c.clrUsed, [&](int x, int y) {
                state = state * 1103515245 + 12345;
                return c.kind ? int(state >> 20) % modulo : (x / 3 + y / 2) % modulo;
            });
        TestHost host;
        const auto gif = giftest::Write(dib, c.interlace, host, c.version);
        ASSERT_FALSE(gif.empty());
        const std::string path = TempFile(std::string(c.name) + ".gif");
        Save(path, gif);
        const std::string expected = DibRgb(dib);
        EXPECT_EQ(Shell("convert '" + path + "' -depth 8 rgb:- 2>/dev/null"), expected);
        EXPECT_EQ(Shell("gif2rgb -1 '" + path + "' 2>/dev/null"), expected);
        std::remove(path.c_str());
    }
}

TEST(GifOracle, EmptyPictureIsAValidFileForGiflib) {
    if (!HaveTool("giftext")) GTEST_SKIP() << "no giflib tools";
    const auto dib = dibtest::MakeIndexedDib(0, 0, 8, 0, [](int, int) { return 0; });
    TestHost host;
    const std::string path = TempFile("empty.gif");
    Save(path, giftest::Write(dib, false, host));
    const std::string listing = Shell("giftext '" + path + "' 2>&1; echo status $?");
    EXPECT_NE(listing.find("Width = 0, Height = 0"), std::string::npos) << listing;
    EXPECT_NE(listing.find("GIF file terminated normally"), std::string::npos) << listing;
    EXPECT_NE(listing.find("status 0"), std::string::npos) << listing;
    std::remove(path.c_str());
}

struct ReaderCase {
    const char *name;
    const char *make; // ImageMagick arguments before the output name
    const char *signature;
};

TEST(GifOracle, FilesFromImageMagickReadToItsOwnPixels) {
    if (!HaveTool("convert")) GTEST_SKIP() << "no ImageMagick";
    const ReaderCase cases[] = {
        {"plasma87", "-seed 1 -size 40x30 plasma: -colors 60 GIF87:", "GIF87a"},
        {"plasma89", "-seed 2 -size 61x47 plasma: -colors 200", "GIF89a"},
        {"interlaced", "-seed 3 -size 77x53 plasma: -colors 256 -interlace GIF", "GIF89a"},
        {"interlaced87", "-seed 4 -size 33x9 plasma: -colors 12 -interlace GIF GIF87:", "GIF87a"},
        {"mono", "-seed 5 -size 45x21 plasma: -monochrome", "GIF89a"},
        {"large", "-seed 6 -size 320x240 plasma: -colors 256", "GIF89a"},
        {"frames",
         "-size 30x20 xc:red ( -size 10x8 xc:blue -set page +6+4 ) "
         "( -size 12x6 xc:lime -set page +14+11 ) -set delay 10 -set comment hello +map",
         "GIF89a"},
        {"plasma_frames",
         "-seed 7 -size 64x48 plasma: ( -size 20x10 plasma: -set page +8+30 ) "
         "( -size 30x30 plasma: -set page +40+2 ) -set comment frame -loop 0 +map",
         "GIF89a"},
    };
    for (const ReaderCase &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = TempFile(std::string(c.name) + ".gif");
        std::string make = c.make;
        // The prefix (GIF87:) joins the file name.
        std::string prefix;
        if (make.size() >= 6 && make.compare(make.size() - 6, 6, "GIF87:") == 0) {
            prefix = "GIF87:";
            make.resize(make.size() - 6);
        }
        std::string escaped;
        for (char ch : make)
            escaped += ch == '(' ? "\\(" : ch == ')' ? "\\)" : std::string(1, ch);
        Shell("convert " + escaped + " '" + prefix + path + "' 2>/dev/null");
        const auto file = Load(path);
        ASSERT_GT(file.size(), 13u);
        EXPECT_EQ(std::string(file.begin(), file.begin() + 6), c.signature);
        TestHost host;
        const uint8_t *dib = giftest::Read(file, host);
        ASSERT_NE(dib, nullptr);
        EXPECT_TRUE(host.errors.empty());
        Picture p(dib);
        const std::string ours = Rgb(p);
        // ImageMagick's picture after drawing every image over the last.
        const std::string theirs =
            Shell("convert '" + path + "' -coalesce -depth 8 rgb:- 2>/dev/null");
        ASSERT_GE(theirs.size(), ours.size());
        EXPECT_TRUE(theirs.compare(theirs.size() - ours.size(), ours.size(), ours) == 0);
        std::remove(path.c_str());
    }
}

TEST(GifOracle, FourOneByOneImagesLandWhereImageMagickPutsThem) {
    // A 2 x 2 screen and four 1 x 1 images at (0,0), (1,0), (0,1), (1,1), in
    // screens of 1, 4 and 8 bits; each image has its own colour (1 bit: the
    // two colours alternate, so that a misplaced image shows).
    if (!HaveTool("convert")) GTEST_SKIP() << "no ImageMagick";
    const struct {
        const char *name;
        int sizeField;
        uint8_t indices[4];
    } cases[] = {
        {"one", 0, {0, 1, 1, 0}}, {"four", 1, {0, 1, 2, 3}}, {"eight", 7, {9, 70, 130, 250}}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        giftest::GifBuilder gif;
        gif.Screen(2, 2, 0x80 | c.sizeField).Table(2 << c.sizeField);
        for (int i = 0; i < 4; ++i)
            gif.Image(i % 2, i / 2, 1, 1, 0, {c.indices[i]}, c.sizeField < 1 ? 2 : 8);
        gif.Trailer();
        const std::string path = TempFile(std::string("four_") + c.name + ".gif");
        Save(path, gif.bytes);
        TestHost host;
        const uint8_t *dib = giftest::Read(gif.bytes, host);
        ASSERT_NE(dib, nullptr);
        EXPECT_TRUE(host.errors.empty());
        const std::string theirs =
            Shell("convert '" + path + "' -coalesce -depth 8 rgb:- 2>/dev/null");
        ASSERT_EQ(theirs.size(), 4u * 12);
        EXPECT_EQ(Rgb(Picture(dib)), theirs.substr(3 * 12));
        std::remove(path.c_str());
    }
}

} // namespace
