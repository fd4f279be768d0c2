// The animated GIF writer (the portable recorder that GIFAnimBegin, Add and
// End drive) against ImageMagick's
//   convert -delay 8 -loop 0 f00.ppm ... f35.ppm -layers Optimize out.gif
// on the same 36 frames of a lit scene turning once (320 x 240), in
// interleaved rounds (see rounds.h): the time ratio against the whole
// command, and against it less a null conversion of the same frames
// (convert f00.ppm ... null:) in the same round, so that ImageMagick's
// process start and frame reading do not count; the size ratio; each
// frame's PSNR against its source as ImageMagick decodes both files.
//   tools/build.sh native && cmake --build build/native --target bench_gif_anim &&
//   build/native/bench_gif_anim [rounds]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

#include "../rounds.h"
#include "dib/dib_layout.h"
#include "gif/anim_recorder.h"
#include "turning_scene.h"

namespace {

constexpr int kFrames = 36, kWidth = 320, kHeight = 240, kDelay = 8;

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

double Mean(const std::vector<double> &v) {
    double s = 0;
    for (double x : v)
        s += x;
    return v.empty() ? 0 : s / double(v.size());
}

} // namespace

int main(int argc, char **argv) {
    const int rounds = argc > 1 ? std::max(7, std::atoi(argv[1])) : bench::kRounds;
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

    bool ok = true;
    pexa::gif::AnimReport report;
    std::vector<double> nullTimes;
    const bench::Rounds r = bench::Interleave(
        [&] { return bench::Seconds([&] { ok = Ours(dibs, ours, report) && ok; }); },
        [&] {
            const double whole =
                bench::Seconds([&] { ok = std::system(magick.c_str()) == 0 && ok; });
            nullTimes.push_back(bench::Seconds([&] { ok = std::system(null.c_str()) == 0 && ok; }));
            return whole;
        },
        rounds);
    const auto ourPsnr = FramePsnr(ours, rgb), theirPsnr = FramePsnr(theirs, rgb);
    if (!ok || ourPsnr.size() != size_t(kFrames) || theirPsnr.size() != size_t(kFrames)) {
        std::puts("bench_gif_anim: a writer failed (is ImageMagick's convert installed?)");
        return 1;
    }
    // The rounds' null conversions, the warm-up's first, in the order of r.peer.
    std::vector<double> net;
    for (size_t i = 0; i < r.ours.size(); ++i)
        net.push_back(r.ours[i] / std::max(r.peer[i] - nullTimes[i + 1], 1e-3));
    double worstMargin = 1e9;
    int worstFrame = 0;
    for (int i = 0; i < kFrames; ++i)
        if (ourPsnr[i] - theirPsnr[i] < worstMargin)
            worstMargin = ourPsnr[i] - theirPsnr[i], worstFrame = i;
    const long ourSize = FileSize(ours), theirSize = FileSize(theirs);

    std::printf("bench_gif_anim: %d frames %d x %d of a turning lit scene, %d rounds\n", kFrames,
                kWidth, kHeight, rounds);
    bench::Print("36 frames to an animated GIF", "convert", r);
    std::printf("  less convert's null conversion: ratio median %.3f  min %.3f (null: median %.1f "
                "ms)\n",
                bench::Median(net), bench::Min(net), bench::Median(nullTimes) * 1e3);
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
    std::system(("rm -rf " + dir).c_str());
    return 0;
}
