// The GIF writer's file layout: logical screen descriptor with a global
// table of 2^b entries, one image at (0, 0) of the DIB's size, minimum code
// size b (2 for 1-bit pictures), coded data, trailer.
#include "gif/gif_writer.h"

#include <cstring>
#include <new>

#include "dib/dib_layout.h"
#include "gif/lzw_encoder.h"

namespace pexa::gif {

namespace {

// One DIB row unpacked to one index per pixel, the first pixel in the high
// bits of each byte.
void GetRow(const uint8_t *from, uint8_t *to, uint32_t width, uint32_t bitCount) {
    switch (bitCount) {
    case 8:
        std::memcpy(to, from, width);
        break;
    case 4:
        for (uint32_t x = 0; x + 1 < width; x += 2, ++from) {
            to[x] = *from >> 4;
            to[x + 1] = *from & 0x0F;
        }
        if (width & 1) to[width - 1] = *from >> 4;
        break;
    default:
        for (uint32_t x = 0; x < width; ++x)
            to[x] = (from[x / 8] >> (7 - x % 8)) & 1;
        break;
    }
}

bool Put(Sink &sink, const uint8_t *bytes, size_t count) {
    return sink.Write(bytes, count);
}

} // namespace

const char *GifSignature(int version) {
    if (version == 87) return "GIF87a";
    if (version == 89) return "GIF89a";
    return nullptr;
}

bool IsWritableDib(const uint8_t *dib, size_t size) {
    if (!dib || size < dib::kInfoHeaderSize) return false;
    const dib::InfoHeader h = dib::ReadHeader(dib);
    // The toolkit's DIBs have the 40-byte header; the colour table follows it.
    if (h.size != dib::kInfoHeaderSize || h.compression != dib::kCompressionRgb) return false;
    if (h.bitCount != 1 && h.bitCount != 4 && h.bitCount != 8) return false;
    // The screen and image descriptors hold 16-bit sizes.
    if (h.width < 0 || h.width > 0xFFFF || dib::AbsHeight(h.height) > 0xFFFF) return false;
    const uint64_t end =
        dib::BitsOffset(h) + dib::RowBytes(h.width, h.bitCount) * dib::AbsHeight(h.height);
    return end <= size;
}

bool WriteGifBody(Sink &sink, const uint8_t *dib, size_t size, bool interlace, Host &host) {
    if (!IsWritableDib(dib, size)) {
        host.Error(text::kNoDib);
        return false;
    }
    const dib::InfoHeader h = dib::ReadHeader(dib);
    const uint32_t b = h.bitCount;
    const uint32_t width = uint32_t(h.width), height = dib::AbsHeight(h.height);
    const uint32_t tableEntries = 1u << b;

    // Logical screen descriptor and global colour table.
    uint8_t head[7 + 3 * 256] = {};
    PutLe16(head, width);
    PutLe16(head + 2, height);
    head[4] = uint8_t(0x80 | (b - 1) << 4 | (b - 1)); // global table, resolution, size
    // head[5], head[6]: background index and pixel aspect, 0
    // The DIB's colours, black up to the full 2^b entries.
    const auto *quads = reinterpret_cast<const dib::Quad *>(dib + dib::kInfoHeaderSize);
    uint32_t colors = dib::ColorsInPalette(h);
    if (colors > tableEntries) colors = tableEntries;
    for (uint32_t i = 0; i < colors; ++i) {
        dib::Quad q;
        std::memcpy(&q, quads + i, sizeof q);
        head[7 + 3 * i] = q.red;
        head[7 + 3 * i + 1] = q.green;
        head[7 + 3 * i + 2] = q.blue;
    }
    const size_t n = 7 + 3 * size_t(tableEntries);
    if (!Put(sink, head, n)) return false;

    bool ok = false;
    uint8_t image[10] = {0x2C, 0, 0, 0, 0};
    PutLe16(image + 5, width);
    PutLe16(image + 7, height);
    image[9] = uint8_t((interlace ? 0x40 : 0) | (b - 1));
    const size_t count = size_t(width) * height;
    uint8_t *indices = nullptr;
    uint8_t *encoderBlock = nullptr;
    if (!Put(sink, image, sizeof image)) {
        // nothing more can reach the file
    } else if (!(indices = host.Allocate(Block::kIndices, count ? count : 1))) {
        host.Error(text::kNoMemoryBitmap);
    } else if (!(encoderBlock = host.Allocate(Block::kPrefixTable, sizeof(LzwEncoder)))) {
        host.Error(text::kNoMemoryPrefixTable);
    } else {
        // Stored rows run bottom-up (top-down for a negative height); the
        // buffer holds the picture's rows top first, or in interlace order.
        const uint8_t *bits = dib + dib::BitsOffset(h);
        const uint64_t rowBytes = dib::RowBytes(width, b);
        for (uint32_t i = 0; i < height; ++i) {
            const uint32_t row = h.height > 0 ? height - 1 - i : i;
            const uint32_t at = interlace ? InterlacedPosition(row, height) : row;
            GetRow(bits + i * rowBytes, indices + size_t(at) * width, width, b);
        }
        const uint8_t minCodeSize = uint8_t(b == 1 ? 2 : b);
        auto *encoder = new (encoderBlock) LzwEncoder();
        ok = Put(sink, &minCodeSize, 1) && encoder->Encode(indices, count, minCodeSize, sink);
        encoder->~LzwEncoder();
    }
    if (encoderBlock) host.Release(Block::kPrefixTable, encoderBlock);
    if (indices) host.Release(Block::kIndices, indices);
    const uint8_t trailer = 0x3B;
    return Put(sink, &trailer, 1) && ok;
}

} // namespace pexa::gif
