// ReduceColors(dib, 8, 3) (median cut, error diffusion) on a 2048 x 2048
// plasma picture against ImageMagick's
//   convert in.bmp -dither FloydSteinberg -colors 256 out.bmp
// on the same file in the same run: time ratio and PSNR of both results
// against the original. ImageMagick's time includes its process start and
// file input and output; ours is shown with and without reading the BMP.
#include "dib/bmp_format.h"
#include "dib/color_reduce.h"
#include "dib/depth_convert.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
namespace dib = pexa::dib;

struct VectorSink final : dib::ResultSink {
    std::vector<uint8_t> bytes;
    uint8_t *Allocate(size_t size) override {
        bytes.assign(size, 0);
        return bytes.data();
    }
};

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

std::vector<uint8_t> ReadFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::vector<uint8_t> bytes(size_t(in.tellg()));
    in.seekg(0);
    in.read(reinterpret_cast<char *>(bytes.data()), std::streamsize(bytes.size()));
    return bytes;
}

// Red, green, blue of every pixel, top row first, as ImageMagick decodes it.
std::vector<uint8_t> MagickRgb(const std::string &file, size_t pixels) {
    std::vector<uint8_t> rgb(pixels * 3);
    FILE *pipe = popen(("convert '" + file + "' -depth 8 rgb:-").c_str(), "r");
    if (!pipe) return {};
    const size_t got = std::fread(rgb.data(), 1, rgb.size(), pipe);
    pclose(pipe);
    return got == rgb.size() ? rgb : std::vector<uint8_t>{};
}

// Red, green, blue of a 24-bit or palette DIB, top row first.
std::vector<uint8_t> DibRgb(const std::vector<uint8_t> &block) {
    const dib::InfoHeader h = dib::ReadHeader(block.data());
    const uint32_t height = dib::AbsHeight(h.height);
    const uint8_t *bits = block.data() + dib::BitsOffset(h);
    const uint8_t *table = block.data() + 40;
    std::vector<uint8_t> rgb;
    rgb.reserve(size_t(h.width) * height * 3);
    for (uint32_t y = 0; y < height; ++y) {
        const uint8_t *row = bits + dib::RowBytes(h.width, h.bitCount) * (height - 1 - y);
        for (int x = 0; x < h.width; ++x) {
            const uint8_t *p = h.bitCount == 24 ? row + 3 * x : table + 4 * row[x];
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

} // namespace

int main() {
    const int size = 2048;
    const std::string dir = "/tmp/pexa_bench_reduce";
    const std::string in = dir + "/in.bmp", out = dir + "/out.bmp";
    if (std::system(("mkdir -p " + dir + " && convert -size 2048x2048 -seed 1 plasma: BMP3:" + in)
                        .c_str()) != 0) {
        std::puts("bench_reduce: ImageMagick's convert is needed");
        return 1;
    }
    auto t0 = Clock::now();
    const auto file = ReadFile(in);
    std::vector<uint8_t> source;
    if (pexa::bmp::ReadBmp(file.data(), file.size(), &source) != pexa::bmp::ReadStatus::Ok) {
        std::puts("bench_reduce: could not read the picture");
        return 1;
    }
    const double readTime = Seconds(t0);

    VectorSink reduced;
    double ours = 1e9;
    for (int run = 0; run < 3; ++run) {
        t0 = Clock::now();
        dib::ReduceColors(dib::Block{source.data(), source.size()}, 8, 3, reduced);
        ours = std::min(ours, Seconds(t0));
    }

    double magick = 1e9;
    for (int run = 0; run < 2; ++run) {
        t0 = Clock::now();
        if (std::system(("convert " + in + " -dither FloydSteinberg -colors 256 " + out).c_str()) !=
            0)
            return 1;
        magick = std::min(magick, Seconds(t0));
    }

    const size_t pixels = size_t(size) * size;
    const auto original = DibRgb(source);
    const double ourPsnr = Psnr(original, DibRgb(reduced.bytes));
    const double magickPsnr = Psnr(original, MagickRgb(out, pixels));
    std::printf("bench_reduce: %d x %d plasma, 256 colours, error diffusion\n", size, size);
    std::printf("  ReduceColors(dib, 8, 3)        %8.1f ms (%.1f ms with reading the BMP)\n",
                ours * 1e3, (ours + readTime) * 1e3);
    std::printf("  convert -dither FloydSteinberg %8.1f ms\n", magick * 1e3);
    std::printf("  time ratio ours/convert        %8.3f (%.3f with reading)\n", ours / magick,
                (ours + readTime) / magick);
    std::printf("  PSNR against the original      ours %.2f dB   convert %.2f dB\n", ourPsnr,
                magickPsnr);
    std::system(("rm -rf " + dir).c_str());
    return 0;
}
