// The animated GIF writer (the portable recorder that GIFAnimBegin, Add and
// End drive) against ImageMagick's
//   convert -delay 8 -loop 0 frame*.ppm -layers Optimize out.gif
// on the same 36 frames of a lit scene turning once (320 x 240), in the same
// run: time ratio, size ratio, and each frame's PSNR against its source as
// ImageMagick decodes both files. Rounds interleave ours, convert, and
// convert of the same frames to null: (its start and reading, subtracted for
// the second time ratio). Prints the median and min of the per-round ratios.
//   tools/build.sh native && build/native/bench_gif_anim [rounds]
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <string>
#include <vector>

#include "turning_scene.h"
#include "dib/dib_layout.h"
#include "gif/anim_recorder.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kFrames = 36, kWidth = 320, kHeight = 240, kDelay = 8;

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

class FileSink final : public pexa::gif::Sink {
  public:
    explicit FileSink(const std::string &path) : file_(std::fopen(path.c_str(), "wb")) {}
    ~FileSink() { Close(); }
    bool Write(const void *from, size_t count) override {
        return file_ && std::fwrite(from, 1, count, file_) == count;
    }
    bool Close() {
        const bool ok = file_ && std::fclose(file_) == 0;
        file_ = nullptr;
        return ok;
    }

  private:
    FILE *file_;
};

// A 24-bit DIB block of an RGB frame (top row first).
std::vector<uint8_t> Dib(const std::vector<uint8_t> &rgb) {
    const auto h = pexa::dib::MakeHeader(kWidth, kHeight, 24, 0);
    std::vector<uint8_t> dib(40 + h.sizeImage);
    std::memcpy(dib.data(), &h, 40);
    const size_t row = pexa::dib::RowBytes(kWidth, 24);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            for (int k = 0; k < 3; ++k)
                dib[40 + (kHeight - 1 - y) * row + 3 * x + k] =
                    rgb[(size_t(y) * kWidth + x) * 3 + 2 - k];
    return dib;
}

bool Ours(const std::vector<std::vector<uint8_t>> &dibs, const std::string &out,
          pexa::gif::AnimReport &report) {
    pexa::gif::AnimRecorder recorder;
    for (const auto &dib : dibs)
        if (recorder.Add(dib.data(), dib.size()) != pexa::gif::AnimStatus::kOk) return false;
    FileSink sink(out);
    return recorder.Finish(sink, kDelay, 0, &report) == pexa::gif::AnimStatus::kOk && sink.Close();
}

double Run(const std::string &command) {
    const auto t0 = Clock::now();
    if (std::system(command.c_str()) != 0) return -1;
    return Seconds(t0);
}

// PSNR of each frame of the file, drawn by ImageMagick, against its source.
std::vector<double> FramePsnr(const std::string &gif,
                              const std::vector<std::vector<uint8_t>> &src) {
    std::vector<double> psnr;
    FILE *pipe = popen(("convert '" + gif + "' -coalesce -depth 8 rgb:-").c_str(), "r");
    if (!pipe) return psnr;
    std::vector<uint8_t> frame(size_t(kWidth) * kHeight * 3);
    for (const auto &s : src) {
        if (std::fread(frame.data(), 1, frame.size(), pipe) != frame.size()) break;
        psnr.push_back(scenetest::Psnr(frame.data(), s.data(), frame.size()));
    }
    pclose(pipe);
    return psnr;
}

long FileSize(const std::string &path) {
    FILE *f = std::fopen(path.c_str(), "rb");
    if (!f) return -1;
    std::fseek(f, 0, SEEK_END);
    const long n = std::ftell(f);
    std::fclose(f);
    return n;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

double Mean(const std::vector<double> &v) {
    double s = 0;
    for (double x : v)
        s += x;
    return v.empty() ? 0 : s / double(v.size());
}

} // namespace

int main(int argc, char **argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    const std::string dir = "/tmp/pexa_bench_gif_anim_" + std::to_string(getpid());
    if (std::system(("mkdir -p " + dir).c_str()) != 0) return 1;
    std::vector<std::vector<uint8_t>> rgb, dibs;
    std::string frameFiles;
    for (int i = 0; i < kFrames; ++i) {
        rgb.push_back(scenetest::TurningFrame(i, kFrames, kWidth, kHeight));
        dibs.push_back(Dib(rgb.back()));
        char name[32];
        std::snprintf(name, sizeof name, "/f%02d.ppm", i);
        FILE *f = std::fopen((dir + name).c_str(), "wb");
        std::fprintf(f, "P6\n%d %d\n255\n", kWidth, kHeight);
        std::fwrite(rgb.back().data(), 1, rgb.back().size(), f);
        std::fclose(f);
        frameFiles += " " + dir + name;
    }
    const std::string ours = dir + "/ours.gif", theirs = dir + "/magick.gif";
    const std::string magick = "convert -delay " + std::to_string(kDelay) + " -loop 0" +
                               frameFiles + " -layers Optimize " + theirs;
    const std::string null = "convert" + frameFiles + " null:";

    std::vector<double> ratio, netRatio, oursTimes, magickTimes;
    pexa::gif::AnimReport report;
    for (int r = 0; r < rounds; ++r) {
        const auto t0 = Clock::now();
        if (!Ours(dibs, ours, report)) {
            std::puts("bench_gif_anim: our writer failed");
            return 1;
        }
        const double t = Seconds(t0);
        const double m = Run(magick), n = Run(null);
        if (m < 0 || n < 0) {
            std::puts("bench_gif_anim: ImageMagick's convert is needed");
            return 1;
        }
        oursTimes.push_back(t), magickTimes.push_back(m);
        ratio.push_back(t / m);
        netRatio.push_back(t / std::max(m - n, 1e-3));
    }
    const auto ourPsnr = FramePsnr(ours, rgb), theirPsnr = FramePsnr(theirs, rgb);
    if (ourPsnr.size() != size_t(kFrames) || theirPsnr.size() != size_t(kFrames)) {
        std::puts("bench_gif_anim: a file did not decode to 36 frames");
        return 1;
    }
    double worstMargin = 1e9;
    int worstFrame = 0;
    for (int i = 0; i < kFrames; ++i)
        if (ourPsnr[i] - theirPsnr[i] < worstMargin)
            worstMargin = ourPsnr[i] - theirPsnr[i], worstFrame = i;
    const long ourSize = FileSize(ours), theirSize = FileSize(theirs);

    std::printf("bench_gif_anim: %d frames %d x %d of a turning lit scene, %d rounds\n", kFrames,
                kWidth, kHeight, rounds);
    std::printf("  time ours            median %7.1f ms  min %7.1f ms\n", Median(oursTimes) * 1e3,
                *std::min_element(oursTimes.begin(), oursTimes.end()) * 1e3);
    std::printf("  time convert         median %7.1f ms  min %7.1f ms\n", Median(magickTimes) * 1e3,
                *std::min_element(magickTimes.begin(), magickTimes.end()) * 1e3);
    std::printf("  time ratio ours/convert                 median %.3f  min %.3f\n", Median(ratio),
                *std::min_element(ratio.begin(), ratio.end()));
    std::printf("  time ratio ours/(convert - null:)       median %.3f  min %.3f\n",
                Median(netRatio), *std::min_element(netRatio.begin(), netRatio.end()));
    std::printf("  size ours %ld bytes, convert %ld bytes: ratio %.3f (target <= 1.1)\n", ourSize,
                theirSize, double(ourSize) / double(theirSize));
    std::printf("  ours: %u global colours, %u local palettes, %u frames dithered, %u frames with"
                " transparent unchanged pixels\n",
                report.globalColors, report.localPalettes, report.dithered,
                report.transparentCoded);
    std::printf("  PSNR mean ours %.2f dB, convert %.2f dB\n", Mean(ourPsnr), Mean(theirPsnr));
    std::printf("  PSNR per frame ours - convert: worst %+.2f dB at frame %d (target >= -0.5)\n",
                worstMargin, worstFrame);
    std::printf("  per frame (ours/convert):");
    for (int i = 0; i < kFrames; ++i)
        std::printf("%s%.1f/%.1f", i % 6 ? " " : "\n    ", ourPsnr[i], theirPsnr[i]);
    std::printf("\n");
    if (!std::getenv("KEEP")) std::system(("rm -rf " + dir).c_str());
    return 0;
}
