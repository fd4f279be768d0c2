// LZW decode and encode of a 2048 x 2048 8-bit picture by the portable
// coder, against giflib doing the same work in the same run. Prints each
// time (best of several runs) and the ratio ours / giflib.
//   tools/build.sh native && build/native/bench_lzw_coder
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "gif/gif_codec.h"
#include "gif/lzw_decoder.h"
#include "gif/lzw_encoder.h"
#include "best_time.h"

#ifdef PEXA_HAVE_GIFLIB
#include <gif_lib.h>
#endif

namespace {

constexpr int kSize = 2048;
constexpr int kRuns = 5;

// A photograph-like picture: smooth waves with a little grain, and a pure
// noise picture as the hardest case for any LZW coder.
std::vector<uint8_t> MakePicture(bool noise) {
    std::vector<uint8_t> p(size_t(kSize) * kSize);
    uint32_t state = 2024;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            state = state * 1103515245 + 12345;
            const int grain = int(state >> 29) - 4; // -4 .. 3
            double v = 128 + 50 * std::sin(x / 97.0) + 40 * std::cos(y / 61.0) +
                       30 * std::sin((x + 2 * y) / 143.0);
            p[size_t(y) * kSize + x] =
                noise ? uint8_t(state >> 24) : uint8_t(std::clamp(int(v) / 4 * 4 + grain, 0, 255));
        }
    }
    return p;
}

// Image data as sub-blocks: our decoder takes them block by block.
void DecodeOurs(const std::vector<uint8_t> &coded, std::vector<uint8_t> &out) {
    static auto *decoder = new pexa::gif::LzwDecoder;
    decoder->Start(8, out.data(), out.size());
    for (size_t p = 0; p < coded.size() && coded[p] != 0; p += coded[p] + 1u)
        decoder->Feed(&coded[p + 1], coded[p]);
}

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

std::vector<uint8_t> EncodeGiflib(const std::vector<uint8_t> &picture) {
    Memory m;
    m.bytes.reserve(picture.size() + 4096);
    int error = 0;
    GifFileType *gif = EGifOpen(&m, WriteMemory, &error);
    GifColorType colors[256] = {};
    ColorMapObject *map = GifMakeMapObject(256, colors);
    EGifPutScreenDesc(gif, kSize, kSize, 8, 0, map);
    EGifPutImageDesc(gif, 0, 0, kSize, kSize, false, nullptr);
    EGifPutLine(gif, const_cast<uint8_t *>(picture.data()), int(picture.size()));
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return m.bytes;
}

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

// The image data (minimum code size byte, sub-blocks) of a one-image file
// without extensions and with a 256-entry global table.
std::vector<uint8_t> ImageData(const std::vector<uint8_t> &file) {
    return std::vector<uint8_t>(file.begin() + 13 + 768 + 10 + 1, file.end() - 1);
}
#endif

void Measure(const char *name, bool noise) {
    const std::vector<uint8_t> picture = MakePicture(noise);
    std::vector<uint8_t> out(picture.size());
    auto encoder = std::make_unique<pexa::gif::LzwEncoder>();
    pexa::gif::VectorSink sink;
    const double encodeOurs = BestSeconds(kRuns, [&] {
        sink.bytes.clear();
        sink.bytes.reserve(picture.size() + 4096);
        encoder->Encode(picture.data(), picture.size(), 8, sink);
    });
    const std::vector<uint8_t> coded = sink.bytes;
    std::printf("%s picture, %d x %d, 8 bits: coded %zu bytes\n", name, kSize, kSize, coded.size());
#ifdef PEXA_HAVE_GIFLIB
    std::vector<uint8_t> file;
    const double encodeGiflib = BestSeconds(kRuns, [&] { file = EncodeGiflib(picture); });
    const std::vector<uint8_t> theirCoded = ImageData(file);
    const double decodeOurs = BestSeconds(kRuns, [&] { DecodeOurs(theirCoded, out); });
    const bool oursRight = out == picture;
    std::fill(out.begin(), out.end(), 0);
    const double decodeGiflib = BestSeconds(kRuns, [&] { DecodeGiflib(file, out); });
    const bool giflibRight = out == picture;
    std::fill(out.begin(), out.end(), 0);
    DecodeOurs(coded, out);
    const bool ownRight = out == picture;
    std::printf("  encode: pexa %.1f ms, giflib %.1f ms, ratio %.2f\n", encodeOurs * 1e3,
                encodeGiflib * 1e3, encodeOurs / encodeGiflib);
    std::printf("  decode: pexa %.1f ms, giflib %.1f ms, ratio %.2f (of giflib's data)\n",
                decodeOurs * 1e3, decodeGiflib * 1e3, decodeOurs / decodeGiflib);
    std::printf("  checks: pexa decodes giflib %s, giflib decodes giflib %s, pexa round trip %s\n",
                oursRight ? "ok" : "WRONG", giflibRight ? "ok" : "WRONG",
                ownRight ? "ok" : "WRONG");
#else
    const double decodeOurs = BestSeconds(kRuns, [&] { DecodeOurs(coded, out); });
    std::printf("  encode %.1f ms, decode %.1f ms (no giflib to compare)\n", encodeOurs * 1e3,
                decodeOurs * 1e3);
#endif
}

} // namespace

int main() {
    Measure("Photo-like", false);
    Measure("Noise", true);
    return 0;
}
