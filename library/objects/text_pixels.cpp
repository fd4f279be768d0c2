// TextEXT's scales, font list names and pixel rectangle sizes (portable).
#include "objects/text_pixels.h"

#include <climits>
#include <cmath>

namespace pexa {

namespace {

// OpenGL pixel formats and types, without the GL header.
enum : unsigned {
    kColorIndex = 0x1900,
    kStencilIndex = 0x1901,
    kDepthComponent = 0x1902,
    kRed = 0x1903,
    kGreen = 0x1904,
    kBlue = 0x1905,
    kAlpha = 0x1906,
    kRgb = 0x1907,
    kRgba = 0x1908,
    kLuminance = 0x1909,
    kLuminanceAlpha = 0x190A,
    kBgr = 0x80E0,
    kBgra = 0x80E1,
    kByte = 0x1400,
    kUnsignedByte = 0x1401,
    kShort = 0x1402,
    kUnsignedShort = 0x1403,
    kInt = 0x1404,
    kUnsignedInt = 0x1405,
    kFloat = 0x1406,
    kBitmap = 0x1A00,
};

int Components(unsigned format) {
    switch (format) {
    case kColorIndex:
    case kStencilIndex:
    case kDepthComponent:
    case kRed:
    case kGreen:
    case kBlue:
    case kAlpha:
    case kLuminance:
        return 1;
    case kLuminanceAlpha:
        return 2;
    case kRgb:
    case kBgr:
        return 3;
    case kRgba:
    case kBgra:
        return 4;
    default:
        return 0;
    }
}

// Bytes of one component, or of one whole pixel for the packed types of
// OpenGL 1.2 (returned negative).
int TypeSize(unsigned type) {
    switch (type) {
    case kByte:
    case kUnsignedByte:
        return 1;
    case kShort:
    case kUnsignedShort:
        return 2;
    case kInt:
    case kUnsignedInt:
    case kFloat:
        return 4;
    case 0x8032: // UNSIGNED_BYTE_3_3_2
    case 0x8362: // UNSIGNED_BYTE_2_3_3_REV
        return -1;
    case 0x8033: // UNSIGNED_SHORT_4_4_4_4
    case 0x8034: // UNSIGNED_SHORT_5_5_5_1
    case 0x8363: // UNSIGNED_SHORT_5_6_5
    case 0x8364:
    case 0x8365:
    case 0x8366:
        return -2;
    case 0x8035: // UNSIGNED_INT_8_8_8_8
    case 0x8036: // UNSIGNED_INT_10_10_10_2
    case 0x8367:
    case 0x8368:
        return -4;
    default:
        return 0;
    }
}

float Finite(float v) {
    return std::isfinite(v) ? v : 1.0f;
}

} // namespace

TextScale OutlineTextScale(const char *text, size_t length, const GlyphMetric *metrics, float width,
                           float height) {
    float total = 0, tallest = 0;
    if (text && metrics)
        for (size_t i = 0; i < length; ++i) {
            const GlyphMetric &m = metrics[static_cast<unsigned char>(text[i])];
            total += m.cellIncX;
            if (m.blackBoxY > tallest) tallest = m.blackBoxY;
        }
    TextScale s;
    s.x = width != 0 && total != 0 ? Finite(width / total) : 1.0f;
    s.y = height == 0 ? s.x : tallest != 0 ? Finite(height / tallest) : 1.0f;
    return s;
}

bool TakeFontLists(int *next, unsigned reserved, int *base) {
    int64_t first = *next;
    if (reserved >= first && reserved < first + 256) first = int64_t(reserved) + 1;
    if (first < 1 || first + 256 > INT_MAX) return false;
    *base = int(first);
    *next = int(first + 256);
    return true;
}

bool PixelRectangleBytes(int width, int height, unsigned format, unsigned type, int alignment,
                         uint64_t *bytes) {
    *bytes = 0;
    if (alignment != 1 && alignment != 2 && alignment != 4 && alignment != 8) return false;
    uint64_t rowBytes;
    if (type == kBitmap) {
        if (format != kColorIndex && format != kStencilIndex) return false;
        rowBytes = width > 0 ? (uint64_t(width) + 7) / 8 : 0;
    } else {
        int components = Components(format), size = TypeSize(type);
        if (components == 0 || size == 0) return false;
        uint64_t pixel = size < 0 ? uint64_t(-size) : uint64_t(size) * components;
        rowBytes = width > 0 ? uint64_t(width) * pixel : 0;
    }
    if (width <= 0 || height <= 0) return true;
    uint64_t stride = (rowBytes + alignment - 1) / alignment * alignment;
    // At most 2^31 rows of 2^31 pixels of 16 bytes: the product can pass
    // 2^64, and then no block holds it anyway.
    if (height > 1 && stride > (UINT64_MAX - rowBytes) / uint64_t(height - 1))
        *bytes = UINT64_MAX;
    else
        *bytes = stride * uint64_t(height - 1) + rowBytes;
    return true;
}

} // namespace pexa
