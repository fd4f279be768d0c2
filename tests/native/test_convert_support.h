// Building small DIBs byte by byte and reading results back, for the native
// tests of the pixel operations.
#pragma once

#include "dib/depth_convert.h"

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

namespace dibtest {

using pexa::dib::Block;
using pexa::dib::InfoHeader;
using pexa::dib::Quad;

// Collects the result in a vector; counts the allocations.
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

inline Quad Rgb(int r, int g, int b) {
    return Quad{uint8_t(b), uint8_t(g), uint8_t(r), 0};
}

// A packed DIB: 40-byte header, colour table, masks (bit fields), and the
// given rows padded to 4 bytes (missing bytes are 0).
struct DibLayout {
    int32_t width = 1;
    int32_t height = 1;
    uint16_t bits = 8;
    uint32_t compression = 0;
    std::vector<Quad> palette;
    bool explicitClrUsed = true;
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
        for (size_t y = 0; y < layout.rows.size() && y < height; ++y)
            std::memcpy(bits.data() + y * rowBytes, layout.rows[y].data(),
                        layout.rows[y].size() < rowBytes ? layout.rows[y].size() : rowBytes);
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

} // namespace dibtest
