// Colour reduction to 256 colours on three photographs (bench/data): the
// quality mode ReduceColors(dib, 8, 7) against ImageMagick's
//   convert in.ppm -dither FloydSteinberg -colors 256 out.ppm
// with ImageMagick's time taken less a null conversion (convert in.ppm
// out.ppm) in the same round, so that its process start and file work do
// not count. Also: the classic mode ReduceColors(dib, 8, 3) with its cells
// mapped on first use against all cells mapped at once, and the quality of
// every result (PSNR over red, green and blue; SSIM of the luma, 8 x 8
// windows) beside pngquant --speed 4 --floyd=1.
//   tools/build.sh native && cmake --build build/native --target bench_reduce &&
//   build/native/bench_reduce
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "../rounds.h"
#include "dib/color_reduce.h"
#include "dib/dib_layout.h"
#include "photos.h"

namespace {

namespace dib = pexa::dib;

struct VectorSink final : dib::ResultSink {
    std::vector<uint8_t> bytes;
    uint8_t *Allocate(size_t size) override {
        bytes.assign(size, 0);
        return bytes.data();
    }
};

// Red, green, blue of an 8-bit palette DIB, top row first.
std::vector<uint8_t> DibRgb(const std::vector<uint8_t> &block) {
    const dib::InfoHeader h = dib::ReadHeader(block.data());
    const uint32_t height = dib::AbsHeight(h.height);
    const uint8_t *bits = block.data() + dib::BitsOffset(h);
    const uint8_t *table = block.data() + 40;
    std::vector<uint8_t> rgb;
    rgb.reserve(size_t(h.width) * height * 3);
    for (uint32_t y = 0; y < height; ++y) {
        const uint8_t *row = bits + dib::RowBytes(h.width, 8) * (height - 1 - y);
        for (int x = 0; x < h.width; ++x) {
            const uint8_t *p = table + 4 * row[x];
            rgb.insert(rgb.end(), {p[2], p[1], p[0]});
        }
    }
    return rgb;
}

double Psnr(const std::vector<uint8_t> &a, const std::vector<uint8_t> &b) {
    if (a.size() != b.size() || a.empty()) return 0;
    double sum = 0;
    for (size_t i = 0; i < a.size(); ++i)
        sum += double(int(a[i]) - int(b[i])) * (int(a[i]) - int(b[i]));
    const double mse = sum / double(a.size());
    return mse == 0 ? 99 : 10 * std::log10(255.0 * 255.0 / mse);
}

// Mean SSIM of the luma over 8 x 8 windows, 4 pixels apart.
double Ssim(const std::vector<uint8_t> &a, const std::vector<uint8_t> &b, int width, int height) {
    if (a.size() != b.size() || a.empty()) return 0;
    auto luma = [width](const std::vector<uint8_t> &rgb, int x, int y) {
        const uint8_t *p = &rgb[(size_t(y) * width + x) * 3];
        return 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2];
    };
    const double c1 = 6.5025, c2 = 58.5225; // (0.01 * 255)^2, (0.03 * 255)^2
    double total = 0;
    int windows = 0;
    for (int y = 0; y + 8 <= height; y += 4) {
        for (int x = 0; x + 8 <= width; x += 4) {
            double sa = 0, sb = 0, saa = 0, sbb = 0, sab = 0;
            for (int j = 0; j < 8; ++j) {
                for (int i = 0; i < 8; ++i) {
                    const double u = luma(a, x + i, y + j), v = luma(b, x + i, y + j);
                    sa += u, sb += v, saa += u * u, sbb += v * v, sab += u * v;
                }
            }
            const double ma = sa / 64, mb = sb / 64;
            const double va = saa / 64 - ma * ma, vb = sbb / 64 - mb * mb, cov = sab / 64 - ma * mb;
            total +=
                (2 * ma * mb + c1) * (2 * cov + c2) / ((ma * ma + mb * mb + c1) * (va + vb + c2));
            ++windows;
        }
    }
    return windows ? total / windows : 0;
}

bool Run(const std::string &command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

void SavePpm(const std::string &path, const bench::Rgb &rgb) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << rgb.width << " " << rgb.height << "\n255\n";
    out.write(reinterpret_cast<const char *>(rgb.pixels.data()),
              std::streamsize(rgb.pixels.size()));
}

void Measure(const std::string &name, const std::string &dir) {
    const bench::Rgb photo = bench::Photo(name);
    if (photo.pixels.empty()) return;
    const std::string in = dir + "/in.ppm", out = dir + "/out.ppm", null = dir + "/null.ppm";
    SavePpm(in, photo);
    const std::vector<uint8_t> source = bench::Dib24(photo);
    const dib::Block block{source.data(), source.size()};
    std::printf("%s, %d x %d\n", name.c_str(), photo.width, photo.height);

    VectorSink quality, classic;
    const bench::Rounds q = bench::Interleave(
        [&] { return bench::Seconds([&] { dib::ReduceColors(block, 8, 7, quality); }); },
        [&] {
            const double quantise = bench::Seconds(
                [&] { Run("convert " + in + " -dither FloydSteinberg -colors 256 " + out); });
            return quantise - bench::Seconds([&] { Run("convert " + in + " " + null); });
        },
        7);
    bench::Print("ReduceColors(8, 7) vs convert less null", "convert", q);
    const bench::Rounds lazy = bench::InterleaveCalls(
        [&] { dib::ReduceColors(block, 8, 3, classic); },
        [&] {
            VectorSink full;
            dib::ReduceColors(block, 8, 3, full, nullptr, dib::CellMapping::kAllCells);
        });
    bench::Print("ReduceColors(8, 3): cells on first use vs all", "all cells", lazy);
    dib::ReduceColors(block, 8, 3, classic);
    dib::ReduceColors(block, 8, 7, quality);

    const double pngquant = bench::Seconds([&] {
        Run("pngquant --speed 4 --floyd=1 --force --output " + dir + "/pq.png '" +
            bench::DataDir() + name + "'");
    });
    const bench::Rgb magick = bench::Photo(out), quantised = bench::Photo(dir + "/pq.png");
    const auto ours = DibRgb(quality.bytes), theirs = DibRgb(classic.bytes);
    auto report = [&](const char *who, const std::vector<uint8_t> &rgb) {
        std::printf("    %-34s PSNR %6.2f dB  SSIM %.4f\n", who, Psnr(photo.pixels, rgb),
                    Ssim(photo.pixels, rgb, photo.width, photo.height));
    };
    report("ReduceColors(8, 7) quality", ours);
    report("ReduceColors(8, 3) classic", theirs);
    report("convert -dither FloydSteinberg", magick.pixels);
    report("pngquant --speed 4 --floyd=1", quantised.pixels);
    std::printf("    PSNR ours - convert: %+.2f dB; pngquant took %.0f ms with its process\n",
                Psnr(photo.pixels, ours) - Psnr(photo.pixels, magick.pixels), pngquant * 1e3);
}

} // namespace

int main() {
    const std::string dir = "/tmp/pexa_bench_reduce";
    if (!Run("mkdir -p " + dir + " && command -v convert")) {
        std::puts("bench_reduce: ImageMagick's convert is needed");
        return 1;
    }
    if (!Run("command -v pngquant")) std::puts("bench_reduce: no pngquant, its column stays empty");
    for (const char *name : {"astronaut.png", "chelsea.png", "coffee.png"})
        Measure(name, dir);
    Run("rm -rf " + dir);
    return 0;
}
