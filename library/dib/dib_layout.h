// Layout of a packed DIB as the toolkit keeps it in memory: a 40-byte info
// header, the colour table, three colour masks for bit-field DIBs, then the
// pixel rows padded to 4 bytes (or RLE data). Portable: no windows.h; the
// header struct has the byte layout of BITMAPINFOHEADER.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace pexa::dib {

struct InfoHeader {
    uint32_t size;
    int32_t width;
    int32_t height;
    uint16_t planes;
    uint16_t bitCount;
    uint32_t compression;
    uint32_t sizeImage;
    int32_t xPelsPerMeter;
    int32_t yPelsPerMeter;
    uint32_t clrUsed;
    uint32_t clrImportant;
};
static_assert(sizeof(InfoHeader) == 40, "InfoHeader must match BITMAPINFOHEADER");

struct Quad { // RGBQUAD
    uint8_t blue, green, red, reserved;
};
static_assert(sizeof(Quad) == 4, "Quad must match RGBQUAD");

constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kCompressionRgb = 0;
constexpr uint32_t kCompressionRle8 = 1;
constexpr uint32_t kCompressionRle4 = 2;
constexpr uint32_t kCompressionBitfields = 3;
constexpr int32_t kDefaultPelsPerMeter = 2953; // 75 dots per inch

// Bytes in one pixel row, padded to a multiple of 4. 64-bit so that no width
// and depth a header can hold overflows.
inline uint64_t RowBytes(int64_t width, uint32_t bitCount) {
    return ((uint64_t(width < 0 ? -width : width) * bitCount + 31) / 32) * 4;
}

inline uint32_t AbsHeight(int32_t height) {
    return height < 0 ? uint32_t(0) - uint32_t(height) : uint32_t(height);
}

// Colour-table entries: biClrUsed when set, else 2^bitCount below 16 bits,
// else none.
inline uint32_t ColorsInPalette(const InfoHeader &h) {
    if (h.clrUsed != 0) return h.clrUsed;
    if (h.bitCount < 16) return uint32_t(1) << h.bitCount;
    return 0;
}

// Offset of the pixel bits from the start of the header (the fixed 40 bytes,
// the colour table, and the masks of a bit-field DIB).
inline uint64_t BitsOffset(const InfoHeader &h) {
    return kInfoHeaderSize + 4 * uint64_t(ColorsInPalette(h)) +
           (h.compression == kCompressionBitfields ? 12 : 0);
}

// A header built from nothing: planes 1, 75 dpi, positive height.
inline InfoHeader MakeHeader(int32_t width, int32_t height, uint16_t bitCount, uint32_t colors) {
    InfoHeader h{};
    h.size = kInfoHeaderSize;
    h.width = width;
    h.height = height;
    h.planes = 1;
    h.bitCount = bitCount;
    h.compression = kCompressionRgb;
    h.sizeImage = uint32_t(RowBytes(width, bitCount) * AbsHeight(height));
    h.xPelsPerMeter = kDefaultPelsPerMeter;
    h.yPelsPerMeter = kDefaultPelsPerMeter;
    h.clrUsed = colors;
    return h;
}

inline InfoHeader ReadHeader(const void *block) {
    InfoHeader h;
    std::memcpy(&h, block, sizeof h);
    return h;
}

} // namespace pexa::dib
