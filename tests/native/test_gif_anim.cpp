// The animated GIF recorder's choices as the file shows them: the image
// rectangles, local palettes and dithering, decoded by ImageMagick.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <unistd.h>

#include "gif/anim_recorder.h"
#include "test_gif_support.h"

namespace {

using giftest::Shell;
using pexa::gif::AnimRecorder;
using pexa::gif::AnimReport;
using pexa::gif::AnimStatus;

struct Case {
    const char *name;
    int width, height, frames;
    std::function<std::array<int, 3>(int frame, int x, int y)> pixel;
    const char *geometry; // each image's size and place, as ImageMagick reads them, or null
    double psnrFloor;
    AnimReport expected;
};

TEST(GifAnim, ChoicesShowInTheDecodedFrames) {
    if (!giftest::HaveTool("convert")) GTEST_SKIP() << "no ImageMagick";
    const Case cases[] = {
        // Only a 4 x 3 square moves; the rest of the frame stays.
        {"square",
         40,
         30,
         3,
         [](int f, int x, int y) {
             const bool in = f > 0 && x >= 10 * f && x < 10 * f + 4 && y >= 20 && y < 23;
             return in ? std::array<int, 3>{255, 0, 0} : std::array<int, 3>{0, 0, 80};
         },
         "40x30+0+0;4x3+10+20;14x3+10+20;",
         99,
         {2, 0, 0, 0}},
        // Each frame a gradient of its own hue: few global entries each.
        {"hues",
         64,
         48,
         6,
         [](int f, int x, int y) {
             const int v = 2 * x, w = 2 * y;
             return f % 3 == 0   ? std::array<int, 3>{v, w / 4, 0}
                    : f % 3 == 1 ? std::array<int, 3>{0, v, w}
                                 : std::array<int, 3>{w, 0, v};
         },
         nullptr,
         40,
         {255, 6, 0, 0}},
        // Smooth over the whole colour cube: too many colours for banding-free
        // nearest colours, so every frame is dithered.
        {"cube",
         128,
         96,
         2,
         [](int f, int x, int y) {
             return std::array<int, 3>{2 * x, (8 * y / 3 + f) % 256, 255 - 2 * x};
         },
         nullptr,
         30,
         {255, 0, 2, 1}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        AnimRecorder recorder;
        std::vector<uint8_t> sources; // red, green, blue of every frame
        for (int f = 0; f < c.frames; ++f) {
            dibtest::DibLayout l;
            l.width = c.width, l.height = c.height, l.bits = 24;
            l.rows.resize(size_t(c.height));
            for (int y = 0; y < c.height; ++y)
                for (int x = 0; x < c.width; ++x) {
                    const auto p = c.pixel(f, x, y);
                    sources.insert(sources.end(), {uint8_t(p[0]), uint8_t(p[1]), uint8_t(p[2])});
                    auto &row = l.rows[size_t(c.height - 1 - y)];
                    row.insert(row.end(), {uint8_t(p[2]), uint8_t(p[1]), uint8_t(p[0])});
                }
            const auto dib = dibtest::MakeDib(l);
            ASSERT_EQ(recorder.Add(dib.data(), dib.size()), AnimStatus::kOk);
        }
        pexa::gif::VectorSink sink;
        AnimReport report;
        ASSERT_EQ(recorder.Finish(sink, 4, 0, &report), AnimStatus::kOk);
        EXPECT_EQ(report.globalColors, c.expected.globalColors);
        EXPECT_EQ(report.localPalettes, c.expected.localPalettes);
        EXPECT_EQ(report.dithered, c.expected.dithered);
        EXPECT_EQ(report.transparentCoded, c.expected.transparentCoded);
        const std::string path = testing::TempDir() + "anim_" + std::to_string(getpid()) + ".gif";
        FILE *file = std::fopen(path.c_str(), "wb");
        std::fwrite(sink.bytes.data(), 1, sink.bytes.size(), file);
        std::fclose(file);
        if (c.geometry) {
            EXPECT_EQ(Shell("identify -format '%wx%h%X%Y;' '" + path + "'"), c.geometry);
        }
        const std::string shown = Shell("convert '" + path + "' -coalesce -depth 8 rgb:-");
        std::remove(path.c_str());
        ASSERT_EQ(shown.size(), sources.size());
        const size_t frameBytes = sources.size() / c.frames;
        for (int f = 0; f < c.frames; ++f) {
            double sum = 0;
            for (size_t i = f * frameBytes; i < (f + 1) * frameBytes; ++i)
                sum += std::pow(double(uint8_t(shown[i])) - sources[i], 2);
            EXPECT_GE(sum ? 10 * std::log10(65025.0 * double(frameBytes) / sum) : 99, c.psnrFloor)
                << "frame " << f;
        }
    }
}

} // namespace
