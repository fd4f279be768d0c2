// Reading BMP files: header checks, the layout of the DIB block, colour
// tables of both header kinds, and the row order of top-down files. Nothing
// here reads outside the buffers it is given, whatever the file says.
#include "dib/bmp_format.h"

#include <algorithm>
#include <cstring>

namespace pexa::bmp {

namespace {

uint16_t Le16(const uint8_t *p) {
    return uint16_t(p[0] | p[1] << 8);
}

uint32_t Le32(const uint8_t *p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

bool KnownDepth(uint16_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

bool CompressionFits(uint32_t compression, uint16_t bits) {
    switch (compression) {
    case dib::kCompressionRgb:
        return true;
    case dib::kCompressionRle8:
        return bits == 8;
    case dib::kCompressionRle4:
        return bits == 4;
    case dib::kCompressionBitfields:
        return bits == 16 || bits == 32;
    default:
        return false;
    }
}

bool IsRle(uint32_t compression) {
    return compression == dib::kCompressionRle8 || compression == dib::kCompressionRle4;
}

dib::InfoHeader ParseInfoHeader(const uint8_t *p) {
    dib::InfoHeader h;
    h.size = Le32(p);
    h.width = int32_t(Le32(p + 4));
    h.height = int32_t(Le32(p + 8));
    h.planes = Le16(p + 12);
    h.bitCount = Le16(p + 14);
    h.compression = Le32(p + 16);
    h.sizeImage = Le32(p + 20);
    h.xPelsPerMeter = int32_t(Le32(p + 24));
    h.yPelsPerMeter = int32_t(Le32(p + 28));
    h.clrUsed = Le32(p + 32);
    h.clrImportant = Le32(p + 36);
    return h;
}

// The OS/2 core header as a 40-byte header: 16-bit unsigned dimensions, no
// compression, no colour count, the toolkit's default resolution.
dib::InfoHeader ParseCoreHeader(const uint8_t *p) {
    dib::InfoHeader h{};
    h.size = kCoreHeaderSize;
    h.width = Le16(p + 4);
    h.height = Le16(p + 6);
    h.planes = Le16(p + 8);
    h.bitCount = Le16(p + 10);
    h.xPelsPerMeter = dib::kDefaultPelsPerMeter;
    h.yPelsPerMeter = dib::kDefaultPelsPerMeter;
    return h;
}

} // namespace

FileHeader ParseFileHeader(const uint8_t *bytes) {
    FileHeader f;
    f.type = Le16(bytes);
    f.size = Le32(bytes + 2);
    f.reserved1 = Le16(bytes + 6);
    f.reserved2 = Le16(bytes + 8);
    f.offBits = Le32(bytes + 10);
    return f;
}

bool LooksLikeBmp(const uint8_t *head, size_t headSize) {
    if (headSize < kMinHeadSize || Le16(head) != kSignature) return false;
    const uint32_t infoSize = Le32(head + kFileHeaderSize);
    return infoSize == dib::kInfoHeaderSize || infoSize == kCoreHeaderSize;
}

ReadStatus ParseHeaders(const uint8_t *head, size_t headSize, uint64_t fileSize,
                        ReadLayout *layout) {
    if (headSize < kFileHeaderSize || fileSize < kFileHeaderSize)
        return ReadStatus::ShortFileHeader;
    const FileHeader file = ParseFileHeader(head);
    if (file.type != kSignature) return ReadStatus::NotBmp;
    // A file is read only with 40 bytes behind the file header, also when its
    // header is the 12-byte OS/2 one.
    if (headSize < kMinHeadSize || fileSize < kMinHeadSize) return ReadStatus::ShortInfoHeader;

    const uint8_t *info = head + kFileHeaderSize;
    const uint32_t infoSize = Le32(info);
    ReadLayout l;
    dib::InfoHeader h;
    if (infoSize == kCoreHeaderSize) {
        l.core = true;
        h = ParseCoreHeader(info);
    } else if (infoSize == dib::kInfoHeaderSize) {
        h = ParseInfoHeader(info);
    } else {
        return ReadStatus::UnknownFormat;
    }
    h.size = dib::kInfoHeaderSize;

    if (!KnownDepth(h.bitCount) || !CompressionFits(h.compression, h.bitCount))
        return ReadStatus::UnknownFormat;
    if (h.width < 0 || h.height == INT32_MIN) return ReadStatus::UnknownFormat;
    const bool rle = IsRle(h.compression);
    l.topDown = h.height < 0;
    if (l.topDown && rle) return ReadStatus::UnknownFormat;
    const uint32_t rows = dib::AbsHeight(h.height);
    h.height = int32_t(rows);

    l.rowBytes = dib::RowBytes(h.width, h.bitCount);
    if (rows != 0 && l.rowBytes > kMaxBlockSize / rows) return ReadStatus::TooLarge;
    const uint64_t computedSize = l.rowBytes * rows;

    // The colour table as the file stores it, and the part the DIB keeps.
    l.masks = h.compression == dib::kCompressionBitfields ? kMaskBytes : 0;
    uint64_t storedColors;
    if (h.bitCount <= 8) {
        const uint32_t indexable = uint32_t(1) << h.bitCount;
        storedColors = h.clrUsed != 0 ? h.clrUsed : indexable;
        l.colors = uint32_t(std::min<uint64_t>(storedColors, indexable));
    } else {
        storedColors = h.clrUsed;
        l.colors = l.masks != 0 ? 0 : uint32_t(std::min<uint64_t>(storedColors, 256));
    }
    h.clrUsed = l.colors;

    const uint32_t entrySize = l.core ? 3 : 4;
    l.tableOffset = kFileHeaderSize + uint64_t(infoSize);
    l.tableBytes = l.masks + l.colors * entrySize;
    const uint64_t tableEnd = l.tableOffset + l.masks + storedColors * entrySize;
    l.bitsOffset = file.offBits != 0 ? file.offBits : tableEnd;

    const uint64_t available = fileSize > l.bitsOffset ? fileSize - l.bitsOffset : 0;
    uint64_t imageSize = computedSize;
    if (rle) imageSize = std::min<uint64_t>(h.sizeImage != 0 ? h.sizeImage : available, available);
    h.sizeImage = uint32_t(imageSize);
    l.bitsInFile = uint32_t(std::min(imageSize, available));

    l.tablesSize = dib::kInfoHeaderSize + l.masks + 4 * l.colors;
    const uint64_t blockSize = uint64_t(l.tablesSize) + imageSize;
    if (blockSize > kMaxBlockSize) return ReadStatus::TooLarge;
    l.blockSize = uint32_t(blockSize);
    l.header = h;
    *layout = l;
    return ReadStatus::Ok;
}

void FillTables(const ReadLayout &layout, const uint8_t *table, size_t tableSize, uint8_t *block) {
    std::memcpy(block, &layout.header, sizeof layout.header);
    uint8_t *out = block + dib::kInfoHeaderSize;
    const size_t have = std::min<size_t>(tableSize, layout.tableBytes);
    std::memset(out, 0, layout.tablesSize - dib::kInfoHeaderSize);

    size_t in = 0;
    if (layout.masks != 0) {
        if (have != 0) std::memcpy(out, table, std::min<size_t>(have, layout.masks));
        out += layout.masks;
        in = layout.masks;
    }
    const size_t entrySize = layout.core ? 3 : 4;
    for (uint32_t i = 0; i < layout.colors && in + entrySize <= have; ++i) {
        // OS/2 entries are blue, green, red; the quad adds a zero byte.
        std::memcpy(out, table + in, entrySize);
        out += 4;
        in += entrySize;
    }
}

void FlipRows(uint8_t *bits, uint64_t rowBytes, uint32_t rows) {
    if (rows < 2 || rowBytes == 0) return;
    uint8_t *top = bits;
    uint8_t *bottom = bits + (rows - 1) * rowBytes;
    while (top < bottom) {
        std::swap_ranges(top, top + rowBytes, bottom);
        top += rowBytes;
        bottom -= rowBytes;
    }
}

BitsPlan PlanBits(const ReadLayout &layout) {
    BitsPlan plan;
    const uint64_t have = layout.bitsInFile;
    if (have == 0) return plan;
    if (!layout.topDown || layout.rowBytes == 0) {
        plan.pieces[plan.count++] = {0, 0, have};
        return plan;
    }
    const uint32_t rows = uint32_t(layout.header.height);
    const uint64_t whole = have / layout.rowBytes; // <= rows: bitsInFile <= rows * rowBytes
    const uint64_t rest = have % layout.rowBytes;
    plan.flipOffset = (rows - whole) * layout.rowBytes;
    plan.flipRows = uint32_t(whole);
    if (whole != 0) plan.pieces[plan.count++] = {0, plan.flipOffset, whole * layout.rowBytes};
    if (rest != 0)
        plan.pieces[plan.count++] = {whole * layout.rowBytes, plan.flipOffset - layout.rowBytes,
                                     rest};
    return plan;
}

ReadStatus ReadBmp(const uint8_t *file, size_t fileSize, std::vector<uint8_t> *dib,
                   uint64_t maxBlock) {
    dib->clear();
    ReadLayout layout;
    const ReadStatus status = ParseHeaders(file, fileSize, fileSize, &layout);
    if (status != ReadStatus::Ok) return status;
    if (layout.blockSize > maxBlock) return ReadStatus::TooLarge;

    dib->assign(layout.blockSize, 0);
    const uint8_t *table = nullptr;
    size_t tableSize = 0;
    if (layout.tableOffset < fileSize) {
        table = file + layout.tableOffset;
        tableSize = fileSize - size_t(layout.tableOffset);
    }
    FillTables(layout, table, tableSize, dib->data());
    uint8_t *bits = dib->data() + layout.tablesSize;
    const BitsPlan plan = PlanBits(layout);
    for (int i = 0; i < plan.count; ++i) {
        const BitsPlan::Piece &piece = plan.pieces[i];
        std::memcpy(bits + piece.to, file + layout.bitsOffset + piece.from, size_t(piece.size));
    }
    FlipRows(bits + plan.flipOffset, layout.rowBytes, plan.flipRows);
    return ReadStatus::Ok;
}

BlockShape ShapeOf(const uint8_t *block, size_t blockSize) {
    if (block == nullptr || blockSize < dib::kInfoHeaderSize) return BlockShape::kNoHeader;
    const dib::InfoHeader h = ParseInfoHeader(block);
    if (h.size != dib::kInfoHeaderSize) return BlockShape::kBroken;
    if (!KnownDepth(h.bitCount) || !CompressionFits(h.compression, h.bitCount))
        return BlockShape::kBroken;
    if (h.width < 0 || h.height == INT32_MIN) return BlockShape::kBroken;
    const bool rle = IsRle(h.compression);
    if (rle && h.height < 0) return BlockShape::kBroken;
    const uint64_t tables = dib::BitsOffset(h);
    if (tables > blockSize) return BlockShape::kBroken;
    const uint64_t room = blockSize - tables;
    const uint32_t rows = dib::AbsHeight(h.height);
    const bool fits =
        rle ? h.sizeImage <= room : rows == 0 || dib::RowBytes(h.width, h.bitCount) <= room / rows;
    if (!fits) return BlockShape::kBroken;
    return h.width == 0 || rows == 0 ? BlockShape::kEmpty : BlockShape::kImage;
}

bool HoldsImage(const uint8_t *block, size_t blockSize) {
    const BlockShape shape = ShapeOf(block, blockSize);
    return shape == BlockShape::kEmpty || shape == BlockShape::kImage;
}

} // namespace pexa::bmp
