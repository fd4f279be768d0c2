// The GIF block loop, image descriptors, colour tables and the placement of
// decoded images in the DIB. Every length comes from the file, so each is
// checked before use: images are clipped at the logical screen, index values
// wider than the DIB's depth are masked, and sub-blocks are read only as far
// as the file goes.
#include "gif/gif_reader.h"

#include <cstdio>
#include <cstring>

#include "dib/dib_layout.h"

namespace pexa::gif {

namespace {

// The block always has room for 256 colour entries, though the pixels follow
// the 2^b entries that biClrUsed names; what no image sets stays 0.
constexpr size_t kTableBytes = 256 * sizeof(dib::Quad);

class Reader {
  public:
    Reader(Source &source, Host &host, LzwDecoder &decoder)
        : source_(source), host_(host), decoder_(decoder) {}
    uint8_t *Run();

  private:
    bool ReadBytes(void *to, size_t count) { return source_.Read(to, count) == count; }
    bool ReadHeaderAndScreen();
    void ReadColorTable(const uint8_t *rgb, uint32_t entries);
    void SkipExtension();
    void SkipSubBlocks();
    bool ReadImage();
    bool DecodeData(uint8_t *indices, size_t count);
    void PutRow(uint8_t *to, const uint8_t *from, uint32_t count) const;

    Source &source_;
    Host &host_;
    LzwDecoder &decoder_;
    uint8_t *dib_ = nullptr;
    dib::InfoHeader header_{};
    uint64_t rowBytes_ = 0;
    uint8_t block_[256];
};

// Writes the colour table entries (red, green, blue in the file) over the
// DIB's table from index 0 and records their number.
void Reader::ReadColorTable(const uint8_t *rgb, uint32_t entries) {
    auto *table = reinterpret_cast<dib::Quad *>(dib_ + dib::kInfoHeaderSize);
    for (uint32_t i = 0; i < entries; ++i) {
        table[i] = dib::Quad{rgb[3 * i + 2], rgb[3 * i + 1], rgb[3 * i], 0};
    }
    header_.clrImportant = entries;
    std::memcpy(dib_, &header_, sizeof header_);
}

uint8_t *Reader::Run() {
    uint8_t signature[6];
    const size_t got = source_.Read(signature, sizeof signature);
    if (got < 3 || std::memcmp(signature, "GIF", 3) != 0) {
        host_.Error(text::kNoGif);
        return nullptr;
    }
    if (got < sizeof signature) {
        host_.Error(text::kEarlyEnd);
        return nullptr;
    }
    if (!IsGifSignature(signature, got)) {
        char question[64];
        std::snprintf(question, sizeof question, text::kUnknownVersion, signature[3], signature[4],
                      signature[5]);
        if (!host_.AskUnknownVersion(question)) return nullptr;
    }

    uint8_t screen[7]; // width, height, packed byte, background, aspect
    if (!ReadBytes(screen, sizeof screen)) {
        host_.Error(text::kEarlyEnd);
        return nullptr;
    }
    const uint32_t width = ReadLe16(screen), height = ReadLe16(screen + 2);
    const uint32_t tableBits = (screen[4] & 7u) + 1;
    const uint16_t bitCount = tableBits == 1 ? 1 : tableBits <= 4 ? 4 : 8;
    rowBytes_ = dib::RowBytes(width, bitCount);
    // At most 65536 * 65535 bytes of pixels: within 32 bits, but not always
    // within what a 32-bit process can allocate.
    const uint64_t bytes = dib::kInfoHeaderSize + kTableBytes + rowBytes_ * height;
    dib_ = bytes <= SIZE_MAX ? host_.Allocate(Block::kDib, size_t(bytes)) : nullptr;
    if (!dib_) {
        host_.Error(text::kNoMemoryDib);
        return nullptr;
    }
    host_.Busy(true);
    header_ = dib::MakeHeader(int32_t(width), int32_t(height), bitCount, 1u << bitCount);
    std::memcpy(dib_, &header_, sizeof header_);

    bool going = true;
    if (screen[4] & 0x80) {
        const uint32_t entries = 1u << tableBits;
        uint8_t rgb[3 * 256];
        if (ReadBytes(rgb, 3 * entries)) {
            ReadColorTable(rgb, entries);
        } else {
            host_.Error(text::kEarlyEnd);
            going = false;
        }
    }
    while (going) {
        uint8_t type;
        if (!ReadBytes(&type, 1)) {
            host_.Error(text::kEarlyEnd);
            break;
        }
        switch (type) {
        case 0x00: // stray terminator: passed over
            break;
        case 0x21:
            SkipExtension();
            break;
        case 0x2C:
            going = ReadImage();
            break;
        case 0x3B: // trailer
            going = false;
            break;
        default:
            host_.Error(text::kIllegalBlock);
            going = false;
            break;
        }
    }
    host_.Busy(false);
    return dib_;
}

// Graphic control, comment, plain-text and application extensions are all
// dropped: the label, then sub-blocks up to the 0-length one.
void Reader::SkipExtension() {
    uint8_t label;
    if (ReadBytes(&label, 1)) SkipSubBlocks();
}

void Reader::SkipSubBlocks() {
    uint8_t length;
    while (ReadBytes(&length, 1) && length != 0) {
        if (!ReadBytes(block_, length)) return;
    }
}

bool Reader::ReadImage() {
    uint8_t descriptor[9]; // left, top, width, height, packed byte
    if (!ReadBytes(descriptor, sizeof descriptor)) {
        host_.Error(text::kEarlyEnd);
        return false;
    }
    const uint32_t left = ReadLe16(descriptor), top = ReadLe16(descriptor + 2);
    const uint32_t width = ReadLe16(descriptor + 4), height = ReadLe16(descriptor + 6);
    const uint8_t packed = descriptor[8];

    if (packed & 0x80) {
        const uint32_t entries = 2u << (packed & 7);
        if (entries > (1u << header_.bitCount)) {
            host_.Error(text::kBadLocalTable);
            return false;
        }
        uint8_t rgb[3 * 256];
        if (!ReadBytes(rgb, 3 * entries)) {
            host_.Error(text::kEarlyEnd);
            return false;
        }
        ReadColorTable(rgb, entries);
    } else if (header_.clrImportant == 0) {
        host_.Error(text::kNoColorTable);
        return false;
    }

    const size_t count = size_t(width) * height; // at most 65535^2: no overflow in 32 bits
    uint8_t *indices = host_.Allocate(Block::kIndices, count ? count : 1);
    if (!indices) {
        host_.Error(text::kNoMemoryBitmap);
        return false;
    }
    const bool decoded = DecodeData(indices, count);
    if (decoded) {
        // The left edge moves left to the byte boundary of the DIB row
        // (an even column at 4 bits, a multiple of 8 at 1 bit).
        const uint32_t b = header_.bitCount;
        const uint32_t screenWidth = uint32_t(header_.width),
                       screenHeight = uint32_t(header_.height);
        const uint32_t alignedLeft = left * b / 8 * 8 / b;
        if (top < screenHeight && alignedLeft < screenWidth) {
            const uint32_t rows = height < screenHeight - top ? height : screenHeight - top;
            const uint32_t columns =
                width < screenWidth - alignedLeft ? width : screenWidth - alignedLeft;
            const bool interlaced = (packed & 0x40) != 0;
            uint8_t *bits = dib_ + dib::BitsOffset(header_) + alignedLeft * b / 8;
            for (uint32_t r = 0; r < rows; ++r) {
                const uint32_t stored = interlaced ? InterlacedPosition(r, height) : r;
                // The DIB is bottom-up: screen row top + r lies H - 1 - top - r
                // rows above the first stored row.
                uint8_t *to = bits + uint64_t(screenHeight - 1 - top - r) * rowBytes_;
                PutRow(to, indices + size_t(stored) * width, columns);
            }
        }
    }
    host_.Release(Block::kIndices, indices);
    return decoded;
}

// Packs count indices into a DIB row. Indices wider than the depth are
// masked, and bits beyond the last pixel keep what an earlier image drew.
void Reader::PutRow(uint8_t *to, const uint8_t *from, uint32_t count) const {
    switch (header_.bitCount) {
    case 8:
        std::memcpy(to, from, count);
        break;
    case 4: {
        uint32_t i = 0;
        for (; i + 1 < count; i += 2)
            *to++ = uint8_t((from[i] & 0x0F) << 4 | (from[i + 1] & 0x0F));
        if (i < count) *to = uint8_t((from[i] & 0x0F) << 4 | (*to & 0x0F));
        break;
    }
    default: {
        uint32_t i = 0;
        for (; i + 8 <= count; i += 8) {
            uint32_t byte = 0;
            for (uint32_t k = 0; k < 8; ++k)
                byte = byte << 1 | (from[i + k] & 1u);
            *to++ = uint8_t(byte);
        }
        if (i < count) {
            const uint32_t rest = count - i;
            uint32_t byte = 0;
            for (uint32_t k = 0; k < rest; ++k)
                byte |= (from[i + k] & 1u) << (7 - k);
            const uint32_t keep = 0xFFu >> rest;
            *to = uint8_t(byte | (*to & keep));
        }
        break;
    }
    }
}

// The minimum code size byte and the data sub-blocks, decoded into count
// indices. The image counts as read when the end code arrives, or when the
// data ends with exactly count indices.
bool Reader::DecodeData(uint8_t *indices, size_t count) {
    uint8_t minCodeSize;
    if (!ReadBytes(&minCodeSize, 1)) {
        host_.Error(text::kEarlyEnd);
        return false;
    }
    // A minimum code size whose clear code does not fit the table is refused.
    if (!decoder_.Start(minCodeSize, indices, count)) {
        host_.Error(text::kLzwError);
        return false;
    }
    for (;;) {
        uint8_t length;
        if (!ReadBytes(&length, 1)) {
            host_.Error(text::kEarlyEnd);
            return false;
        }
        if (length == 0) break;
        const size_t got = source_.Read(block_, length);
        if (got < length) host_.Error(text::kShortSubBlock);
        const bool wasDecoding = decoder_.state() == LzwDecoder::State::kDecoding;
        const LzwDecoder::State state = decoder_.Feed(block_, got);
        if (wasDecoding && state == LzwDecoder::State::kBadCode) {
            char message[64];
            std::snprintf(message, sizeof message, text::kInvalidCode, decoder_.badCode());
            host_.Error(message);
        }
        if (state == LzwDecoder::State::kEnd) {
            // Sub-blocks behind the end code belong to this image: skipped
            // up to the terminator, never taken for blocks of the file.
            SkipSubBlocks();
            return true;
        }
    }
    const LzwDecoder::State state = decoder_.state();
    if (state == LzwDecoder::State::kOverflow || decoder_.produced() != count) {
        host_.Error(text::kLzwError);
        return false;
    }
    return state == LzwDecoder::State::kDecoding;
}

} // namespace

bool IsGifSignature(const uint8_t *bytes, size_t count) {
    return count >= 6 && std::memcmp(bytes, "GIF", 3) == 0 &&
           (std::memcmp(bytes + 3, "87a", 3) == 0 || std::memcmp(bytes + 3, "89a", 3) == 0);
}

uint8_t *ReadGif(Source &source, Host &host, LzwDecoder &decoder) {
    return Reader(source, host, decoder).Run();
}

} // namespace pexa::gif
