// Animated GIFs as a program makes them: a turning scene of 36 frames read
// back by ImageMagick (frame count, delays, loop count, each frame's PSNR
// against its source) with a frame of the wrong size refused on the way,
// frames of every depth the toolkit reads, and failures that leave an
// existing file byte for byte as it was.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "pexa.h"
#include "support/dib_test.h"
#include "support/pexa_test.h"

using namespace pexatest;

namespace {

// A folder of this test process's own, so that temporary files can be counted.
SharedFile AnimPath(const std::string &name) {
    return SharedPathIn(PEXA_TEST_DATA_DIR "/anim" + std::to_string(GetCurrentProcessId()), name);
}

// A one-colour 8-bit DIB.
HGLOBAL Plain(int width, int height) {
    return DibFromBytes(dibtest::MakeIndexedDib(width, height, 8, 0, [](int, int) { return 9; }));
}

// Every frame as ImageMagick shows it, red, green, blue, frame after frame.
std::vector<uint8_t> Coalesced(const SharedFile &gif) {
    const SharedFile raw = AnimPath("frames.rgb");
    if (!Magick("'" + gif.unix + "' -coalesce -depth 8", "rgb", raw)) return {};
    const std::vector<uint8_t> bytes = ReadBytes(raw.windows);
    DeleteFileA(raw.windows.c_str());
    return bytes;
}

// Red, green, blue of a 24-bit DIB, top row first.
std::vector<uint8_t> Rgb(HGLOBAL dib) {
    const std::vector<uint8_t> bytes = DibBytes(dib);
    const BITMAPINFOHEADER h = HeaderOf(dib);
    const size_t row = (size_t(h.biWidth) * 3 + 3) / 4 * 4;
    std::vector<uint8_t> rgb;
    for (int y = h.biHeight - 1; y >= 0; --y)
        for (int x = 0; x < h.biWidth; ++x)
            for (int k = 2; k >= 0; --k)
                rgb.push_back(bytes[40 + y * row + 3 * x + k]);
    return rgb;
}

TEST(GifAnim, TurningSceneReadsBackInImageMagick) {
    void *wind = CreateWind(" animated GIF", 340, 260, 0, 0);
    ASSERT_NE(wind, nullptr);
    cObj *turn = Rotate(NULL, 0, 0, 1, 0);
    ColorRGB(NULL, 0.9f, 0.4f, 0.2f);
    Box(NULL, -0.6f, -0.6f, -0.6f, 0.6f, 0.6f, 0.6f);
    Translate(NULL, 1.5f, 0, 0.5f);
    ColorRGB(NULL, 0.2f, 0.8f, 0.3f);
    Sphere(NULL, 0.5f, 24, 24);
    ShowWind(wind);
    SetWindowPos(GetHWND(wind), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    const int frames = 36;
    const SharedFile gif = AnimPath("turn.gif");
    std::vector<std::vector<uint8_t>> sources;
    BITMAPINFOHEADER first = {};
    MessageBoxCatcher catcher;
    void *anim = GIFAnimBegin(gif.windows.c_str(), 8, 0);
    ASSERT_NE(anim, nullptr);
    for (int i = 0; i < frames; ++i) {
        Rotate(turn, 10.f * i, 0, 1, 0);
        RefreshWind(wind);
        OwnedDib dib(DIBfromWind());
        sources.push_back(Rgb(dib));
        if (i == 0) first = HeaderOf(dib);
        EXPECT_EQ(GIFAnimAdd(anim, dib), 1);
        if (i == 10) {
            OwnedDib small(Plain(100, 80));
            EXPECT_EQ(GIFAnimAdd(anim, small), 0);
        }
    }
    DeleteWind(wind);
    char wrongSize[80];
    std::snprintf(wrongSize, sizeof wrongSize,
                  "Falsche Bildgr\xF6\xDF"
                  "e 100 x 80 statt %ld x %ld!",
                  long(first.biWidth), long(first.biHeight));
    EXPECT_EQ(catcher.texts(), std::vector<std::string>{wrongSize});
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
    const size_t frameBytes = sources[0].size();
    ASSERT_EQ(shown.size(), frames * frameBytes);
    for (int i = 0; i < frames; ++i) {
        double sum = 0;
        for (size_t k = 0; k < frameBytes; ++k)
            sum += std::pow(double(shown[i * frameBytes + k]) - sources[i][k], 2);
        EXPECT_GE(10 * std::log10(65025.0 * double(frameBytes) / std::max(sum, 1.0)), 45.0)
            << "frame " << i;
    }
}

TEST(GifAnim, FramesOfEveryDepthKeepTheirColours) {
    // 8 x 6 frames of few colours, so that every colour fits the palette.
    std::vector<std::vector<uint8_t>> dibs;
    std::vector<uint8_t> all; // red, green, blue of each frame as it must show
    auto expect = [&](const std::function<std::array<int, 3>(int x, int y)> &rgb) {
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 8; ++x)
                for (int v : rgb(x, y))
                    all.push_back(uint8_t(v));
    };
    auto entry = [](int i) { return std::array<int, 3>{i, 255 - i, 7 * i}; }; // MakeIndexedDib's
    for (int bits : {1, 4, 8}) {
        auto index = [bits](int x, int y) { return (x + 2 * y + bits) % 5 % (1 << bits); };
        dibs.push_back(dibtest::MakeIndexedDib(8, 6, bits, 0, index));
        expect([&](int x, int y) { return entry(index(x, y)); });
    }
    dibtest::DibLayout rle; // RLE8: stored row s is one run of index 3 s
    rle.width = 8, rle.height = 6, rle.bits = 8, rle.compression = BI_RLE8;
    for (int i = 0; i < 256; ++i)
        rle.palette.push_back(dibtest::Rgb(entry(i)[0], entry(i)[1], entry(i)[2]));
    for (int s = 0; s < 6; ++s)
        rle.rawBits.insert(rle.rawBits.end(), {8, uint8_t(3 * s), 0, uint8_t(s == 5)});
    dibs.push_back(dibtest::MakeDib(rle));
    expect([&](int, int y) { return entry(3 * (5 - y)); });
    // 16 bits 5-5-5 (a field f reads f * 8) and 32 bits of the same colours:
    // red 4 x, green 31 - 5 s, blue x + s in stored row s.
    for (int bits : {16, 32}) {
        dibtest::DibLayout deep;
        deep.width = 8, deep.height = 6, deep.bits = uint16_t(bits);
        for (int s = 0; s < 6; ++s) {
            deep.rows.emplace_back();
            for (int x = 0; x < 8; ++x) {
                const int w = x * 4 << 10 | (31 - 5 * s) << 5 | (x + s);
                auto &row = deep.rows.back();
                if (bits == 16) row.insert(row.end(), {uint8_t(w), uint8_t(w >> 8)});
                if (bits == 32)
                    row.insert(row.end(), {uint8_t((x + s) * 8), uint8_t((31 - 5 * s) * 8),
                                           uint8_t(x * 32), 0});
            }
        }
        dibs.push_back(dibtest::MakeDib(deep));
        expect([](int x, int y) {
            return std::array<int, 3>{x * 32, (6 + 5 * y) * 8, (x + 5 - y) * 8};
        });
    }

    const SharedFile gif = AnimPath("depths.gif");
    MessageBoxCatcher catcher;
    void *anim = GIFAnimBegin(gif.windows.c_str(), 25, 3);
    for (const auto &bytes : dibs) {
        OwnedDib dib(DibFromBytes(bytes));
        EXPECT_EQ(GIFAnimAdd(anim, dib), 1);
    }
    ASSERT_EQ(GIFAnimEnd(anim), 1);
    EXPECT_TRUE(catcher.texts().empty());
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
    const std::string notCreated = "GIF-Datei konnte nicht erzeugt werden!";
    const struct {
        const char *name;
        std::function<void()> steps;
        std::vector<std::string> texts;
    } cases[] = {
        {"refused at the start",
         [&] {
             EXPECT_EQ(GIFAnimBegin(file.c_str(), -1, 0), nullptr);
             EXPECT_EQ(GIFAnimBegin(file.c_str(), 5, 70000), nullptr);
             EXPECT_EQ(GIFAnimBegin((file + ".missing\\a.gif").c_str(), 5, 0), nullptr);
         },
         {"Ung\xFCltige Verz\xF6gerung oder Wiederholungszahl!",
          "Ung\xFCltige Verz\xF6gerung oder Wiederholungszahl!", notCreated}},
        {"no usable frame",
         [&] {
             void *anim = GIFAnimBegin(file.c_str(), 5, 0);
             EXPECT_EQ(GIFAnimAdd(anim, nullptr), 0);
             OwnedDib empty(Plain(0, 0));
             EXPECT_EQ(GIFAnimAdd(anim, empty), 0);
             auto bytes = DibBytes(OwnedDib(Plain(16, 16)));
             bytes.pop_back();
             OwnedDib truncated(DibFromBytes(bytes));
             EXPECT_EQ(GIFAnimAdd(anim, truncated), 0);
             EXPECT_EQ(GIFAnimEnd(anim), 0);
         },
         {"Keine DIB vorhanden!",
          "Ung\xFCltige Bildgr\xF6\xDF"
          "e 0 x 0!",
          "DIB8To24: DIB data does not match its header!", "Fehler in Paletten-DIB!",
          "Die Animation hat kein Bild!"}},
        {"file in use, then ended twice",
         [&] {
             void *anim = GIFAnimBegin(file.c_str(), 5, 0);
             OwnedDib dib(Plain(16, 16));
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
