// The one builder of DIB blocks for the toolkit's tests, native and Wine
// alike: a DibLayout says what the block holds (header fields, colour table,
// masks, rows or raw bits) and MakeDib lays it out byte by byte. The rest
// are shorthands for the layouts that many tests share, a read-only view of
// a block, and the result sinks of the portable operations. Portable: no
// windows.h.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "dib/depth_convert.h"

namespace dibtest {

using pexa::dib::Block;
using pexa::dib::Failure;
using pexa::dib::InfoHeader;
using pexa::dib::Quad;

inline Quad Rgb(int r, int g, int b) {
    return Quad{uint8_t(b), uint8_t(g), uint8_t(r), 0};
}

// A packed DIB: 40-byte header, colour table, masks (bit fields), and the
// given rows in stored order, each padded to 4 bytes (missing bytes are 0).
struct DibLayout {
    int32_t width = 1;
    int32_t height = 1;
    uint16_t bits = 8;
    uint32_t compression = 0;
    std::vector<Quad> palette;
    bool explicitClrUsed = true; // biClrUsed = palette size, else 0
    std::vector<uint32_t> masks; // red, green, blue for bit fields
    std::vector<std::vector<uint8_t>> rows;
    std::vector<uint8_t> rawBits; // used instead of rows when not empty (RLE)
    int32_t xPels = 1234;
    int32_t yPels = 5678;
};

inline std::vector<uint8_t> MakeDib(const DibLayout &layout) {
    InfoHeader h{};
    h.size = 40;
    h.width = layout.width;
    h.height = layout.height;
    h.planes = 1;
    h.bitCount = layout.bits;
    h.compression = layout.compression;
    h.xPelsPerMeter = layout.xPels;
    h.yPelsPerMeter = layout.yPels;
    h.clrUsed = layout.explicitClrUsed ? uint32_t(layout.palette.size()) : 0;
    const size_t rowBytes = size_t(pexa::dib::RowBytes(layout.width, layout.bits));
    const uint32_t height = pexa::dib::AbsHeight(layout.height);
    std::vector<uint8_t> bits;
    if (!layout.rawBits.empty()) {
        bits = layout.rawBits;
    } else {
        bits.assign(rowBytes * height, 0);
        for (size_t y = 0; y < layout.rows.size() && y < height; ++y) {
            const size_t n = layout.rows[y].size() < rowBytes ? layout.rows[y].size() : rowBytes;
            if (n) std::memcpy(bits.data() + y * rowBytes, layout.rows[y].data(), n);
        }
    }
    h.sizeImage = uint32_t(bits.size());
    std::vector<uint8_t> out(40);
    std::memcpy(out.data(), &h, 40);
    for (const Quad &q : layout.palette)
        out.insert(out.end(), {q.blue, q.green, q.red, q.reserved});
    for (uint32_t m : layout.masks) {
        uint8_t b[4];
        std::memcpy(b, &m, 4);
        out.insert(out.end(), b, b + 4);
    }
    out.insert(out.end(), bits.begin(), bits.end());
    return out;
}

// Stored rows (bottom-up) of a palette picture whose pixel (x, y), y from
// the top, is index(x, y).
template <class IndexOf>
std::vector<std::vector<uint8_t>> IndexRows(int width, int height, int bits, IndexOf index) {
    const size_t rowBytes = size_t(pexa::dib::RowBytes(width, uint32_t(bits)));
    std::vector<std::vector<uint8_t>> rows(size_t(height), std::vector<uint8_t>(rowBytes, 0));
    for (int y = 0; y < height; ++y) {
        uint8_t *row = rows[size_t(height - 1 - y)].data();
        for (int x = 0; x < width; ++x) {
            const int v = index(x, y);
            if (bits == 8) {
                row[x] = uint8_t(v);
            } else if (bits == 4) {
                row[x / 2] |= uint8_t(v << (x % 2 ? 0 : 4));
            } else {
                row[x / 8] |= uint8_t(v << (7 - x % 8));
            }
        }
    }
    return rows;
}

// A palette DIB of index(x, y) as above, 2953 pixels per metre, with
// clrUsed entries (0: 2^bits and biClrUsed 0); entry i is red i, green
// 255 - i, blue 7i (mod 256).
template <class IndexOf>
std::vector<uint8_t> MakeIndexedDib(int width, int height, int bits, uint32_t clrUsed,
                                    IndexOf index) {
    DibLayout l;
    l.width = width;
    l.height = height;
    l.bits = uint16_t(bits);
    l.explicitClrUsed = clrUsed != 0;
    for (uint32_t i = 0; i < (clrUsed ? clrUsed : 1u << bits); ++i)
        l.palette.push_back(Rgb(int(i & 0xFF), int((255 - i) & 0xFF), int((i * 7) & 0xFF)));
    l.rows = IndexRows(width, height, bits, index);
    l.xPels = l.yPels = pexa::dib::kDefaultPelsPerMeter;
    return MakeDib(l);
}

// A DIB of 2953 pixels per metre with `colors` table entries (entry i is
// blue i, green 2i, red 3i), 12 zero mask bytes for bit fields, and the
// given bits (biSizeImage their size), or zero rows when bits is empty.
inline std::vector<uint8_t> MakeDibBytes(int32_t width, int32_t height, uint16_t bitCount,
                                         uint32_t colors, uint32_t compression = 0,
                                         const std::vector<uint8_t> &bits = {}) {
    DibLayout l;
    l.width = width;
    l.height = height;
    l.bits = bitCount;
    l.compression = compression;
    for (uint32_t i = 0; i < colors; ++i)
        l.palette.push_back(Quad{uint8_t(i), uint8_t(2 * i), uint8_t(3 * i), 0});
    if (compression == pexa::dib::kCompressionBitfields) l.masks = {0, 0, 0};
    l.rawBits = bits;
    l.xPels = l.yPels = pexa::dib::kDefaultPelsPerMeter;
    return MakeDib(l);
}

inline Block BlockOf(const std::vector<uint8_t> &v) {
    return Block{v.data(), v.size()};
}

// Read access to a result block.
struct DibView {
    const std::vector<uint8_t> &bytes;
    InfoHeader header() const { return pexa::dib::ReadHeader(bytes.data()); }
    Quad color(size_t i) const {
        Quad q;
        std::memcpy(&q, bytes.data() + 40 + 4 * i, 4);
        return q;
    }
    size_t rowBytes() const {
        const InfoHeader h = header();
        return size_t(pexa::dib::RowBytes(h.width, h.bitCount));
    }
    const uint8_t *row(size_t y) const {
        return bytes.data() + pexa::dib::BitsOffset(header()) + y * rowBytes();
    }
    std::vector<uint8_t> rowVector(size_t y) const { return {row(y), row(y) + rowBytes()}; }
};

inline bool SameColor(const Quad &a, const Quad &b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue && a.reserved == b.reserved;
}

// Collects the result of a portable operation in a vector; counts the
// allocations.
struct VectorSink final : pexa::dib::ResultSink {
    std::vector<uint8_t> bytes;
    int calls = 0;
    uint8_t *Allocate(size_t size) override {
        ++calls;
        bytes.assign(size, 0);
        return bytes.data();
    }
};

// A sink that has no memory.
struct NoMemorySink final : pexa::dib::ResultSink {
    uint8_t *Allocate(size_t) override { return nullptr; }
};

} // namespace dibtest
