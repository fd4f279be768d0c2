// Animated GIFs as a program makes them: a turning scene of 36 frames read
// back by ImageMagick (frame count, delays, loop count, each frame's PSNR
// against its source) with a frame of the wrong size refused on the way,
// frames of every depth the toolkit reads, and failures that leave an
// existing file byte for byte as it was.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "pexa.h"
#include "support/dib_test.h"
#include "support/pexa_test.h"
#include "support/turning_scene.h"

using namespace pexatest;

namespace {

// A folder of this test process's own, so that temporary files can be counted.
SharedFile AnimPath(const std::string &name) {
    return SharedPathIn(PEXA_TEST_DATA_DIR "/anim" + std::to_string(GetCurrentProcessId()), name);
}

// A 24- or 32-bit DIB of red, green, blue bytes (top row first).
HGLOBAL DeepDib(const std::vector<uint8_t> &rgb, int width, int height, int bits) {
    dibtest::DibLayout l;
    l.width = width, l.height = height, l.bits = uint16_t(bits);
    for (int y = height - 1; y >= 0; --y) {
        std::vector<uint8_t> row;
        for (int x = 0; x < width; ++x) {
            const uint8_t *p = &rgb[(size_t(y) * width + x) * 3];
            row.insert(row.end(), {p[2], p[1], p[0]});
            if (bits == 32) row.push_back(0);
        }
        l.rows.push_back(row);
    }
    return DibFromBytes(dibtest::MakeDib(l));
}

// Every frame as ImageMagick shows it, red, green, blue, frame after frame.
std::vector<uint8_t> Coalesced(const SharedFile &gif) {
    const SharedFile raw = AnimPath("frames.rgb");
    if (!Magick("'" + gif.unix + "' -coalesce -depth 8", "rgb", raw)) return {};
    const std::vector<uint8_t> bytes = ReadBytes(raw.windows);
    DeleteFileA(raw.windows.c_str());
    return bytes;
}

TEST(GifAnim, TurningSceneReadsBackInImageMagick) {
    const int frames = 36, width = 320, height = 240;
    const SharedFile gif = AnimPath("turn.gif");
    std::vector<std::vector<uint8_t>> sources;
    MessageBoxCatcher catcher;
    void *anim = GIFAnimBegin(gif.windows.c_str(), 8, 0);
    ASSERT_NE(anim, nullptr);
    for (int i = 0; i < frames; ++i) {
        sources.push_back(scenetest::TurningFrame(i, frames, width, height));
        OwnedDib dib(DeepDib(sources.back(), width, height, i % 2 ? 32 : 24));
        EXPECT_EQ(GIFAnimAdd(anim, dib), 1);
        if (i == 10) {
            OwnedDib small(DeepDib(std::vector<uint8_t>(100 * 80 * 3, 9), 100, 80, 24));
            EXPECT_EQ(GIFAnimAdd(anim, small), 0);
        }
    }
    EXPECT_EQ(catcher.texts(), std::vector<std::string>{"Falsche Bildgr\xF6\xDF"
                                                        "e 100 x 80 statt 320 x 240!"});
    ASSERT_EQ(GIFAnimEnd(anim), 1);

    std::string delays;
    for (int i = 0; i < frames; ++i)
        delays += "8,";
    EXPECT_EQ(LinuxOutput("/usr/bin/identify -format '%T,' '" + gif.unix +
                              "' && /usr/bin/identify -verbose '" + gif.unix +
                              "[0]' | grep Iterations",
                          AnimPath("identify.txt")),
              delays + "  Iterations: 0\n");
    const std::vector<uint8_t> shown = Coalesced(gif);
    const size_t frameBytes = size_t(width) * height * 3;
    ASSERT_EQ(shown.size(), frames * frameBytes);
    for (int i = 0; i < frames; ++i) {
        double sum = 0;
        for (size_t k = 0; k < frameBytes; ++k) {
            const double d = double(shown[i * frameBytes + k]) - sources[i][k];
            sum += d * d;
        }
        const double psnr =
            10 * std::log10(255.0 * 255.0 * double(frameBytes) / std::max(sum, 1.0));
        EXPECT_GE(psnr, 48.0) << "frame " << i; // ImageMagick's -layers Optimize: 42.7 to 49.4
    }
}

TEST(GifAnim, FramesOfEveryDepthKeepTheirColours) {
    // 8 x 6 frames of few colours, so that every colour fits the palette.
    // Palette entry i of MakeIndexedDib is (i, 255 - i, 7 i).
    auto mix = [](int x, int y, int k) { return (x + 2 * y + k) % 5; };
    std::vector<std::vector<uint8_t>> dibs, expected;
    for (int bits : {1, 4, 8}) {
        dibs.push_back(dibtest::MakeIndexedDib(
            8, 6, bits, 0, [&](int x, int y) { return mix(x, y, bits) % (1 << bits); }));
        std::vector<uint8_t> rgb;
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 8; ++x) {
                const int i = mix(x, y, bits) % (1 << bits);
                rgb.insert(rgb.end(), {uint8_t(i), uint8_t(255 - i), uint8_t(7 * i)});
            }
        expected.push_back(rgb);
    }
    dibtest::DibLayout rle; // RLE8: stored row s is one run of index 3 s
    rle.width = 8, rle.height = 6, rle.bits = 8, rle.compression = BI_RLE8;
    for (int i = 0; i < 256; ++i)
        rle.palette.push_back(dibtest::Rgb(i, 255 - i, 7 * i));
    std::vector<uint8_t> rleRgb;
    for (int s = 0; s < 6; ++s)
        rle.rawBits.insert(rle.rawBits.end(), {8, uint8_t(3 * s), 0, 0});
    rle.rawBits.back() = 1; // end of picture
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            rleRgb.insert(rleRgb.end(),
                          {uint8_t(15 - 3 * y), uint8_t(240 + 3 * y), uint8_t(105 - 21 * y)});
    dibs.push_back(dibtest::MakeDib(rle));
    expected.push_back(rleRgb);
    dibtest::DibLayout deep; // 16 bits 5-5-5: field f reads as f * 8
    deep.width = 8, deep.height = 6, deep.bits = 16;
    std::vector<uint8_t> deepRgb(8 * 6 * 3);
    for (int s = 0; s < 6; ++s) {
        std::vector<uint8_t> row;
        for (int x = 0; x < 8; ++x) {
            const int r = x * 4, g = 31 - s * 5, b = (x * s) % 32;
            row.insert(row.end(), {uint8_t(b | g << 5), uint8_t(g >> 3 | r << 2)});
            uint8_t *p = &deepRgb[((5 - s) * 8 + x) * 3];
            p[0] = uint8_t(r * 8), p[1] = uint8_t(g * 8), p[2] = uint8_t(b * 8);
        }
        deep.rows.push_back(row);
    }
    dibs.push_back(dibtest::MakeDib(deep));
    expected.push_back(deepRgb);

    const SharedFile gif = AnimPath("depths.gif");
    MessageBoxCatcher catcher;
    void *anim = GIFAnimBegin(gif.windows.c_str(), 25, 3);
    for (const auto &bytes : dibs) {
        OwnedDib dib(DibFromBytes(bytes));
        EXPECT_EQ(GIFAnimAdd(anim, dib), 1);
    }
    ASSERT_EQ(GIFAnimEnd(anim), 1);
    EXPECT_TRUE(catcher.texts().empty());
    std::vector<uint8_t> all;
    for (const auto &rgb : expected)
        all.insert(all.end(), rgb.begin(), rgb.end());
    EXPECT_EQ(Coalesced(gif), all);
    EXPECT_EQ(LinuxOutput("/usr/bin/identify -verbose '" + gif.unix + "[0]' | grep Iterations",
                          AnimPath("identify.txt")),
              "  Iterations: 3\n");
}

TEST(GifAnim, FailuresLeaveAnExistingFileAsItWas) {
    const SharedFile gif = AnimPath("kept.gif");
    const std::vector<uint8_t> old = {'o', 'l', 'd', 0, 1, 2, 0xFF};
    ASSERT_TRUE(WriteBytes(gif.windows, old));
    const std::string file = gif.windows;
    const std::vector<uint8_t> pixels(16 * 16 * 3, 200);
    auto frame = [&] { return DeepDib(pixels, 16, 16, 24); };
    const std::string notCreated = "GIF-Datei konnte nicht erzeugt werden!";
    const struct {
        const char *name;
        std::function<void()> steps;
        std::vector<std::string> texts;
    } cases[] = {
        {"bad delay",
         [&] { EXPECT_EQ(GIFAnimBegin(file.c_str(), -1, 0), nullptr); },
         {"Ung\xFCltige Verz\xF6gerung oder Wiederholungszahl!"}},
        {"bad loops",
         [&] { EXPECT_EQ(GIFAnimBegin(file.c_str(), 5, 70000), nullptr); },
         {"Ung\xFCltige Verz\xF6gerung oder Wiederholungszahl!"}},
        {"no folder",
         [&] { EXPECT_EQ(GIFAnimBegin((file + ".missing\\a.gif").c_str(), 5, 0), nullptr); },
         {notCreated}},
        {"no frame",
         [&] { EXPECT_EQ(GIFAnimEnd(GIFAnimBegin(file.c_str(), 5, 0)), 0); },
         {"Die Animation hat kein Bild!"}},
        {"null DIB, then no frame",
         [&] {
             void *anim = GIFAnimBegin(file.c_str(), 5, 0);
             EXPECT_EQ(GIFAnimAdd(anim, nullptr), 0);
             EXPECT_EQ(GIFAnimEnd(anim), 0);
         },
         {"Keine DIB vorhanden!", "Die Animation hat kein Bild!"}},
        {"file in use, then ended twice",
         [&] {
             void *anim = GIFAnimBegin(file.c_str(), 5, 0);
             OwnedDib dib(frame());
             EXPECT_EQ(GIFAnimAdd(anim, dib), 1);
             HANDLE inUse =
                 CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
             EXPECT_NE(inUse, INVALID_HANDLE_VALUE);
             EXPECT_EQ(GIFAnimEnd(anim), 0);
             CloseHandle(inUse);
             EXPECT_EQ(GIFAnimEnd(anim), 0);
             EXPECT_EQ(GIFAnimAdd(anim, dib), 0);
         },
         {notCreated, "Keine Animation vorhanden!", "Keine Animation vorhanden!"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        MessageBoxCatcher catcher;
        c.steps();
        EXPECT_EQ(catcher.texts(), c.texts);
        EXPECT_EQ(ReadBytes(file), old);
    }
    // No temporary file stays behind.
    WIN32_FIND_DATAA found;
    const std::string folder = file.substr(0, file.find_last_of('/') + 1);
    HANDLE search = FindFirstFileA((folder + "*.tmp").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << found.cFileName;
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
}

} // namespace
