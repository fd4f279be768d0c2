// Throughput of DIB8To24 and DIB24To4 on a 2048 x 2048 picture against a
// plain memcpy of as many bytes as the result holds, in interleaved rounds
// (see rounds.h): the ratio conversion / memcpy.
//   build/native/bench_convert
#include "dib/depth_convert.h"
#include "../rounds.h"

#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

namespace {

namespace dib = pexa::dib;

// Hands out one reused block, zeroed like GHND memory.
struct ReusedSink final : dib::ResultSink {
    std::vector<uint8_t> bytes;
    uint8_t *Allocate(size_t size) override {
        bytes.resize(size);
        std::memset(bytes.data(), 0, size);
        return bytes.data();
    }
};

std::vector<uint8_t> Picture(int width, int height, uint16_t bits) {
    dib::InfoHeader h = dib::MakeHeader(width, height, bits, bits == 8 ? 256 : 0);
    const size_t table = bits == 8 ? 1024 : 0;
    std::vector<uint8_t> block(40 + table + h.sizeImage);
    std::memcpy(block.data(), &h, 40);
    std::mt19937 rng(1);
    for (size_t i = 40; i < block.size(); ++i)
        block[i] = uint8_t(rng() >> 7);
    // A smooth picture for the 24-bit source, so that the diffusion sees
    // realistic errors rather than noise.
    if (bits == 24)
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                uint8_t *p = block.data() + 40 + size_t(y) * dib::RowBytes(width, 24) + 3 * x;
                p[0] = uint8_t(x * 255 / width), p[1] = uint8_t(y * 255 / height),
                p[2] = uint8_t((x ^ y) & 255);
            }
    return block;
}

void Report(const char *name, const std::vector<uint8_t> &source,
            dib::Failure (*convert)(dib::Block, dib::ResultSink &)) {
    ReusedSink sink;
    const dib::Block block{source.data(), source.size()};
    convert(block, sink); // warm up, and learn the result size
    const size_t resultBytes = sink.bytes.size();
    std::vector<uint8_t> from(resultBytes, 1), to(resultBytes, 0);
    const bench::Rounds r =
        bench::InterleaveCalls([&] { convert(block, sink); },
                               [&] {
                                   std::memcpy(to.data(), from.data(), resultBytes);
                                   asm volatile("" : : "r"(to.data()) : "memory");
                               });
    char job[64];
    std::snprintf(job, sizeof job, "%s (%.1f MB result) vs memcpy", name, resultBytes / 1e6);
    bench::Print(job, "memcpy", r);
}

} // namespace

int main() {
    const int size = 2048;
    std::printf("bench_convert: %d x %d, %d rounds\n", size, size, bench::kRounds);
    Report("DIB8To24", Picture(size, size, 8), dib::Dib8To24);
    Report("DIB24To4", Picture(size, size, 24), dib::Dib24To4);
    return 0;
}
