// The GIF block loop, image descriptors, colour tables and the placement of
// decoded images in the DIB. Every length comes from the file, so each is
// checked before use: images are clipped at the logical screen, index values
// wider than the DIB's depth are masked, and sub-blocks are read only as far
// as the file goes. Images land at their exact left column in every depth.
#include "gif/gif_reader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

#include "dib/dib_layout.h"

namespace pexa::gif {

namespace {

// The block always has room for 256 colour entries, though the pixels follow
// the 2^b entries that biClrUsed names; what no image sets stays 0.
constexpr size_t kTableBytes = 256 * sizeof(dib::Quad);

class Reader {
  public:
    Reader(Source &source, Host &host) : source_(source), host_(host) {}
    ~Reader() {
        if (decoder_) {
            decoder_->~LzwDecoder();
            host_.Release(Block::kPrefixTable, decoderBlock_);
        }
    }
    Reader(const Reader &) = delete;
    Reader &operator=(const Reader &) = delete;
    uint8_t *Run();

  private:
    bool ReadBytes(void *to, size_t count) { return source_.Read(to, count) == count; }
    bool ReadHeaderAndScreen();
    void ReadColorTable(const uint8_t *rgb, uint32_t entries);
    void SkipExtension();
    void SkipSubBlocks();
    bool ReadImage();
    bool StartDecoder();
    bool DecodeData(uint8_t *indices, size_t count);
    bool ReadIntoRows(uint32_t width, uint32_t height);
    void Place(const uint8_t *indices, uint32_t left, uint32_t top, uint32_t width, uint32_t height,
               bool interlaced, size_t produced);
    void PutRow(uint8_t *row, uint32_t left, const uint8_t *from, uint32_t count) const;

    Source &source_;
    Host &host_;
    uint8_t *decoderBlock_ = nullptr;
    LzwDecoder *decoder_ = nullptr;
    uint8_t *dib_ = nullptr;
    dib::InfoHeader header_{};
    uint64_t rowBytes_ = 0;
    bool drawn_ = false; // some image has put pixels into the DIB
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
    const bool globalTable = (screen[4] & 0x80) != 0;
    const uint32_t tableBits = (screen[4] & 7u) + 1;
    // The size field describes the global table only. Without one, every
    // table comes with an image, and one of 256 entries must fit.
    const uint16_t bitCount = !globalTable ? 8 : tableBits == 1 ? 1 : tableBits <= 4 ? 4 : 8;
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
    if (globalTable) {
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

    // The common file, one 8-bit image that fills the screen, is decoded in
    // the DIB itself.
    if (!drawn_ && header_.bitCount == 8 && (packed & 0x40) == 0 && left == 0 && top == 0 &&
        width == uint32_t(header_.width) && height == uint32_t(header_.height) && width != 0 &&
        height != 0)
        return ReadIntoRows(width, height);

    const size_t count = size_t(width) * height; // at most 65535^2: no overflow in 32 bits
    uint8_t *indices = host_.Allocate(Block::kIndices, count ? count : 1);
    if (!indices) {
        host_.Error(text::kNoMemoryBitmap);
        return false;
    }
    const bool decoded = DecodeData(indices, count);
    if (decoded)
        Place(indices, left, top, width, height, (packed & 0x40) != 0, decoder_->produced());
    host_.Release(Block::kIndices, indices);
    return decoded;
}

// The LZW tables of this read, made at its first image.
bool Reader::StartDecoder() {
    if (decoder_) return true;
    decoderBlock_ = host_.Allocate(Block::kPrefixTable, sizeof(LzwDecoder));
    if (!decoderBlock_) {
        host_.Error(text::kNoMemoryPrefixTable);
        return false;
    }
    decoder_ = new (decoderBlock_) LzwDecoder();
    return true;
}

// Draws the rows of an image that its data delivered (the first `produced`
// indices, in file order) into the DIB, clipped at the screen. Rows and
// pixels that the data did not reach leave the DIB as it was, so a file
// that claims a large image but holds little data costs little.
void Reader::Place(const uint8_t *indices, uint32_t left, uint32_t top, uint32_t width,
                   uint32_t height, bool interlaced, size_t produced) {
    const uint32_t screenWidth = uint32_t(header_.width), screenHeight = uint32_t(header_.height);
    if (width == 0 || top >= screenHeight || left >= screenWidth) return;
    const uint32_t columns = width < screenWidth - left ? width : screenWidth - left;
    drawn_ = drawn_ || produced != 0;
    uint8_t *bits = dib_ + dib::BitsOffset(header_);
    const size_t storedRows = (produced + width - 1) / width;
    for (size_t stored = 0; stored < storedRows; ++stored) {
        const uint32_t r = interlaced ? InterlacedRow(uint32_t(stored), height) : uint32_t(stored);
        if (r >= screenHeight - top) continue;
        const size_t delivered = produced - stored * width;
        const uint32_t count = delivered < columns ? uint32_t(delivered) : columns;
        // The DIB is bottom-up: screen row top + r lies H - 1 - top - r rows
        // above the first stored row.
        uint8_t *row = bits + uint64_t(screenHeight - 1 - top - r) * rowBytes_;
        PutRow(row, left, indices + stored * width, count);
    }
}

// Decodes an image that covers the whole screen straight into the pixel
// block of a still empty 8-bit DIB: the indices arrive top row first and
// unpadded, and are then moved to their padded rows and the rows turned
// bottom-up, in place. What the data did not reach stays 0, as Place leaves
// it; an image that fails to decode leaves the DIB empty, as before.
bool Reader::ReadIntoRows(uint32_t width, uint32_t height) {
    uint8_t *bits = dib_ + dib::BitsOffset(header_);
    const size_t count = size_t(width) * height, rowBytes = size_t(rowBytes_);
    if (!DecodeData(bits, count)) {
        // Whatever the decoder put there goes; the rest of the block was 0.
        if (decoder_) std::memset(bits, 0, std::min(decoder_->produced(), count));
        return false;
    }
    const size_t produced = decoder_->produced();
    if (produced == 0) return true;
    drawn_ = true;
    // Rows that hold data; below them everything is still 0.
    const size_t rows = (produced + width - 1) / width;
    if (rowBytes != width) {
        for (size_t r = rows; r-- > 0;) {
            std::memmove(bits + r * rowBytes, bits + r * width, width);
            std::memset(bits + r * rowBytes + width, 0, rowBytes - width);
        }
    }
    uint8_t swap[4096];
    for (size_t r = 0, q = height - 1; r < q && r < rows; ++r, --q) {
        uint8_t *a = bits + r * rowBytes, *b = bits + q * rowBytes;
        for (size_t done = 0; done < rowBytes; done += sizeof swap) {
            const size_t n = rowBytes - done < sizeof swap ? rowBytes - done : sizeof swap;
            std::memcpy(swap, a + done, n);
            std::memcpy(a + done, b + done, n);
            std::memcpy(b + done, swap, n);
        }
    }
    return true;
}

// Puts count indices into a DIB row from column left on, each at its own
// bit offset. Indices wider than the depth are masked, and every bit outside
// the pixels [left, left + count) keeps what the DIB held: a neighbour drawn
// by an earlier image, or the padding. For a 1-bit row this keeps the pixels
// beyond a partial last byte, where the classic rule (the remaining indices
// in the top bits of one more byte, the rest 0) would clear up to seven
// pixels of whatever lies to the right.
void Reader::PutRow(uint8_t *row, uint32_t left, const uint8_t *from, uint32_t count) const {
    switch (header_.bitCount) {
    case 8:
        std::memcpy(row + left, from, count);
        break;
    case 4:
        for (uint32_t i = 0, x = left; i < count; ++i, ++x) {
            uint8_t &byte = row[x / 2];
            const unsigned index = from[i] & 0x0Fu;
            byte =
                x % 2 == 0 ? uint8_t((byte & 0x0F) | index << 4) : uint8_t((byte & 0xF0) | index);
        }
        break;
    default:
        for (uint32_t i = 0, x = left; i < count; ++i, ++x) {
            uint8_t &byte = row[x / 8];
            const unsigned bit = 7 - x % 8;
            byte = uint8_t((byte & ~(1u << bit)) | (from[i] & 1u) << bit);
        }
        break;
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
    if (!StartDecoder()) return false;
    // A minimum code size whose clear code does not fit the table is refused.
    if (!decoder_->Start(minCodeSize, indices, count)) {
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
        const bool wasDecoding = decoder_->state() == LzwDecoder::State::kDecoding;
        const LzwDecoder::State state = decoder_->Feed(block_, got);
        if (wasDecoding && state == LzwDecoder::State::kBadCode) {
            char message[64];
            std::snprintf(message, sizeof message, text::kInvalidCode, decoder_->badCode());
            host_.Error(message);
        }
        if (state == LzwDecoder::State::kEnd) {
            // Sub-blocks behind the end code belong to this image: skipped
            // up to the terminator, never taken for blocks of the file.
            SkipSubBlocks();
            return true;
        }
    }
    const LzwDecoder::State state = decoder_->state();
    if (state == LzwDecoder::State::kOverflow || decoder_->produced() != count) {
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

uint8_t *ReadGif(Source &source, Host &host) {
    return Reader(source, host).Run();
}

} // namespace pexa::gif
