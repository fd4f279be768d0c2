// libFuzzer target of the animated GIF recorder. The input is first tried
// as a DIB block of its own, then cut into frames of a small picture: byte 0
// gives the width (1 to 16), byte 1 the height (1 to 16) and, in its top
// bits, how few colours the pixels take (masking low bits: flat pictures,
// few colours, or noise), the rest are the frames' pixels, cycled. Every
// file must read back in the codec's own reader without a complaint, and
// the recorder must never read or write outside its blocks.
//   tools/build.sh fuzz && build/fuzz/fuzz_gif_anim
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "dib/dib_layout.h"
#include "gif/anim_recorder.h"
#include "gif/gif_reader.h"

namespace {

class FuzzHost final : public pexa::gif::Host {
  public:
    ~FuzzHost() { std::free(dib); }
    uint8_t *Allocate(pexa::gif::Block kind, size_t bytes) override {
        auto *p = static_cast<uint8_t *>(std::calloc(bytes, 1));
        if (kind == pexa::gif::Block::kDib) dib = p;
        return p;
    }
    void Release(pexa::gif::Block, uint8_t *block) override { std::free(block); }
    void Error(const char *) override { std::abort(); }
    bool AskUnknownVersion(const char *) override { std::abort(); }
    void Busy(bool) override {}
    uint8_t *dib = nullptr;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using namespace pexa;
    {
        // An exact-size copy, so that any read past the block is caught.
        const std::vector<uint8_t> block(data, data + size);
        gif::AnimRecorder recorder;
        const dib::InfoHeader h = size >= 40 ? dib::ReadHeader(data) : dib::InfoHeader{};
        if (uint64_t(h.width < 0 ? 0 : h.width) * dib::AbsHeight(h.height) <= 4096)
            recorder.Add(block.data(), block.size());
    }
    if (size < 3) return 0;
    const int width = 1 + data[0] % 16, height = 1 + data[1] % 16;
    const uint8_t mask = uint8_t(0xFF << (data[1] >> 4) % 8);
    const uint8_t *pixels = data + 2;
    const size_t count = size - 2;
    const dib::InfoHeader h = dib::MakeHeader(width, height, 24, 0);
    const size_t frames = 1 + count / (size_t(width) * height * 3);
    gif::AnimRecorder recorder;
    size_t at = 0;
    for (size_t f = 0; f < frames && f < 8; ++f) {
        std::vector<uint8_t> frame(40 + h.sizeImage);
        std::memcpy(frame.data(), &h, 40);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < 3 * width; ++x)
                frame[40 + size_t(y) * dib::RowBytes(width, 24) + x] = pixels[at++ % count] & mask;
        if (recorder.Add(frame.data(), frame.size()) != gif::AnimStatus::kOk) std::abort();
    }
    gif::VectorSink sink;
    if (recorder.Finish(sink, 5, data[0] >> 4) != gif::AnimStatus::kOk) std::abort();
    gif::MemorySource source(sink.bytes.data(), sink.bytes.size());
    FuzzHost host;
    if (!gif::ReadGif(source, host)) std::abort();
    return 0;
}
