// libFuzzer target of the GIF reader: any bytes as a GIF file. The reader
// must never read outside the file or write outside its blocks, must release
// every block but the DIB, and a DIB it returns must be one the writer takes
// and that reads back to the same pixels. Blocks above 1 MiB are refused so
// that the fuzzer explores parsing rather than the allocator.
//   tools/build.sh fuzz && build/fuzz/fuzz_gif_reader fuzz/corpus/fuzz_gif_reader
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "dib/dib_layout.h"
#include "gif/gif_reader.h"
#include "gif/gif_writer.h"

namespace {

class FuzzHost final : public pexa::gif::Host {
  public:
    uint8_t *Allocate(pexa::gif::Block kind, size_t bytes) override {
        if (bytes > (size_t(1) << 20)) return nullptr;
        auto *p = static_cast<uint8_t *>(std::calloc(bytes, 1));
        if (p && kind == pexa::gif::Block::kDib) dibSize = bytes;
        if (p && kind != pexa::gif::Block::kDib) ++live;
        return p;
    }
    void Release(pexa::gif::Block, uint8_t *block) override {
        --live;
        std::free(block);
    }
    void Error(const char *text) override {
        if (!text || !*text) std::abort();
    }
    bool AskUnknownVersion(const char *) override { return true; }
    void Busy(bool) override {}
    size_t dibSize = 0;
    int live = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzHost host;
    pexa::gif::MemorySource source(data, size);
    uint8_t *dib = pexa::gif::ReadGif(source, host);
    if (host.live != 0) std::abort();
    if (!dib) return 0;
    if (!pexa::gif::IsWritableDib(dib, host.dibSize)) std::abort();

    // Written and read again, the DIB keeps its pixels (when the writer's
    // index buffer stays small enough to keep the fuzzer fast).
    const pexa::dib::InfoHeader h = pexa::dib::ReadHeader(dib);
    if (uint64_t(h.width) * uint32_t(h.height) <= (uint64_t(1) << 16)) {
        pexa::gif::VectorSink sink;
        sink.Write("GIF89a", 6);
        FuzzHost writeHost;
        if (!pexa::gif::WriteGifBody(sink, dib, host.dibSize, (size & 1) != 0, writeHost))
            std::abort();
        pexa::gif::MemorySource again(sink.bytes.data(), sink.bytes.size());
        FuzzHost readHost;
        uint8_t *back = pexa::gif::ReadGif(again, readHost);
        if (!back) std::abort();
        const uint64_t offset = pexa::dib::BitsOffset(h);
        if (std::memcmp(back + offset, dib + offset, h.sizeImage) != 0) std::abort();
        std::free(back);
    }
    std::free(dib);
    return 0;
}
