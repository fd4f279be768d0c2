// LZW decode and encode of 2048 x 2048 pictures by the portable coder, and
// ReadGif of the whole file, against giflib doing the same work in the same
// rounds (interleaved, see rounds.h): a photograph (astronaut.png enlarged,
// 256 colours dithered by ImageMagick) and a flat picture (the same with 16
// colours, no dithering). Decoding reads giflib's own coded data.
//   tools/build.sh native && cmake --build build/native --target bench_lzw_coder &&
//   build/native/bench_lzw_coder
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "../rounds.h"
#include "gif/gif_codec.h"
#include "gif/gif_reader.h"
#include "gif/lzw_decoder.h"
#include "gif/lzw_encoder.h"
#include "photos.h"

#ifdef PEXA_HAVE_GIFLIB
#include <gif_lib.h>
#endif

namespace {

constexpr int kSize = 2048;

// Image data as sub-blocks: our decoder takes them block by block.
void DecodeOurs(const std::vector<uint8_t> &coded, int minCodeSize, std::vector<uint8_t> &out) {
    static auto *decoder = new pexa::gif::LzwDecoder;
    decoder->Start(minCodeSize, out.data(), out.size());
    for (size_t p = 0; p < coded.size() && coded[p] != 0; p += coded[p] + 1u)
        decoder->Feed(&coded[p + 1], coded[p]);
}

// Memory blocks for ReadGif, kept between rounds like a warm heap.
struct BenchHost final : pexa::gif::Host {
    std::vector<uint8_t> dib, indices, table;
    uint8_t *Allocate(pexa::gif::Block kind, size_t bytes) override {
        auto &v = kind == pexa::gif::Block::kDib       ? dib
                  : kind == pexa::gif::Block::kIndices ? indices
                                                       : table;
        v.assign(bytes, 0);
        return v.data();
    }
    void Release(pexa::gif::Block, uint8_t *) override {}
    void Error(const char *text) override { std::printf("ReadGif: %s\n", text); }
    bool AskUnknownVersion(const char *) override { return false; }
    void Busy(bool) override {}
};

#ifdef PEXA_HAVE_GIFLIB
struct Memory {
    std::vector<uint8_t> bytes;
    size_t pos = 0;
};

int WriteMemory(GifFileType *gif, const GifByteType *data, int n) {
    auto *m = static_cast<Memory *>(gif->UserData);
    m->bytes.insert(m->bytes.end(), data, data + n);
    return n;
}

int ReadMemory(GifFileType *gif, GifByteType *data, int n) {
    auto *m = static_cast<Memory *>(gif->UserData);
    const size_t k = std::min(size_t(n), m->bytes.size() - m->pos);
    std::memcpy(data, m->bytes.data() + m->pos, k);
    m->pos += k;
    return int(k);
}

std::vector<uint8_t> EncodeGiflib(const std::vector<uint8_t> &picture, int bits) {
    Memory m;
    m.bytes.reserve(picture.size() + 4096);
    int error = 0;
    GifFileType *gif = EGifOpen(&m, WriteMemory, &error);
    GifColorType colors[256] = {};
    ColorMapObject *map = GifMakeMapObject(1 << bits, colors);
    EGifPutScreenDesc(gif, kSize, kSize, bits, 0, map);
    EGifPutImageDesc(gif, 0, 0, kSize, kSize, false, nullptr);
    EGifPutLine(gif, const_cast<uint8_t *>(picture.data()), int(picture.size()));
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return m.bytes;
}

// The whole file, as a program using giflib reads a one-image GIF.
void DecodeGiflib(const std::vector<uint8_t> &file, std::vector<uint8_t> &out) {
    Memory m;
    m.bytes = file;
    int error = 0;
    GifFileType *gif = DGifOpen(&m, ReadMemory, &error);
    GifRecordType type;
    while (DGifGetRecordType(gif, &type) == GIF_OK && type != IMAGE_DESC_RECORD_TYPE) {
    }
    DGifGetImageDesc(gif);
    DGifGetLine(gif, out.data(), int(out.size()));
    DGifCloseFile(gif, &error);
}

// The image data (sub-blocks) of a one-image file without extensions and
// with a global table of 2^bits entries.
std::vector<uint8_t> ImageData(const std::vector<uint8_t> &file, int bits) {
    return std::vector<uint8_t>(file.begin() + 13 + 3 * (1 << bits) + 10 + 1, file.end() - 1);
}
#endif

void Measure(const char *name, const std::vector<uint8_t> &picture, int bits) {
    std::vector<uint8_t> out(picture.size());
    auto encoder = std::make_unique<pexa::gif::LzwEncoder>();
    pexa::gif::VectorSink sink;
    sink.bytes.reserve(picture.size() + 4096);
    auto encode = [&] {
        sink.bytes.clear();
        encoder->Encode(picture.data(), picture.size(), bits, sink);
    };
    encode();
    const std::vector<uint8_t> coded = sink.bytes;
    std::printf("%s, %d x %d, %d colours: %.2f bits per pixel\n", name, kSize, kSize, 1 << bits,
                8.0 * double(coded.size()) / double(picture.size()));
#ifdef PEXA_HAVE_GIFLIB
    std::vector<uint8_t> file = EncodeGiflib(picture, bits);
    const std::vector<uint8_t> theirCoded = ImageData(file, bits);
    bench::Print("LZW decode (giflib's data) vs DGifGetLine", "giflib",
                 bench::InterleaveCalls([&] { DecodeOurs(theirCoded, bits, out); },
                                        [&] { DecodeGiflib(file, out); }));
    DecodeOurs(theirCoded, bits, out);
    const bool oursRight = out == picture;
    std::vector<uint8_t> scratch;
    bench::Print("LZW encode vs EGifPutLine", "giflib",
                 bench::InterleaveCalls(encode, [&] { scratch = EncodeGiflib(picture, bits); }));
    BenchHost host;
    bench::Print("ReadGif (whole file, DIB) vs DGifGetLine", "giflib",
                 bench::InterleaveCalls(
                     [&] {
                         pexa::gif::MemorySource source(file.data(), file.size());
                         pexa::gif::ReadGif(source, host);
                     },
                     [&] { DecodeGiflib(file, out); }));
    std::fill(out.begin(), out.end(), 0);
    DecodeOurs(coded, bits, out);
    const bool ownRight = out == picture;
    std::printf("  checks: pexa decodes giflib's data %s, pexa round trip %s\n",
                oursRight ? "ok" : "WRONG", ownRight ? "ok" : "WRONG");
#else
    std::printf("  giflib is needed for the comparison (libgif-dev)\n");
#endif
}

} // namespace

int main() {
    const std::string enlarge =
        "-resize " + std::to_string(kSize) + "x" + std::to_string(kSize) + "!";
    const auto photo = bench::Indices(
        bench::Photo("astronaut.png", enlarge + " -dither FloydSteinberg -colors 256"));
    const auto flat =
        bench::Indices(bench::Photo("astronaut.png", enlarge + " +dither -colors 16"));
    if (photo.empty() || flat.empty()) {
        std::puts("bench_lzw_coder: ImageMagick's convert and bench/data are needed");
        return 1;
    }
    Measure("Photograph", photo, 8);
    Measure("Flat picture", flat, 4);
    return 0;
}
