// LZW encoding of GIF image data. The code size follows the code just
// added, so it always equals the size a decoder expects for the next code;
// when the table is full the current code and a clear code go out with 12
// bits and the table starts again.
#include "gif/lzw_encoder.h"

#include <cstring>

namespace pexa::gif {

namespace {
constexpr uint32_t kNone = LzwEncoder::kTableSize;

uint32_t HashSlot(uint32_t key, uint32_t size) {
    return (key * 2654435761u) >> 19 & (size - 1);
}
} // namespace

int LzwCodeSize(uint32_t v) {
    int bits = 3;
    while (bits < 12 && v >= (1u << bits))
        ++bits;
    return bits;
}

void LzwEncoder::ResetTable() {
    for (Node &node : nodes_)
        node.count = 0;
    if (hashUsed_) {
        std::memset(hashKey_, 0xFF, sizeof hashKey_);
        hashUsed_ = 0;
    }
    next_ = clear_ + 2;
}

uint32_t LzwEncoder::FindOverflow(uint32_t prefix, uint32_t index) const {
    const uint32_t key = prefix << 8 | index;
    for (uint32_t slot = HashSlot(key, kHashSize);; slot = (slot + 1) & (kHashSize - 1)) {
        if (hashKey_[slot] == key) return hashCode_[slot];
        if (hashKey_[slot] == kEmpty) return kNone;
    }
}

void LzwEncoder::AddOverflow(uint32_t prefix, uint32_t index, uint32_t code) {
    const uint32_t key = prefix << 8 | index;
    uint32_t slot = HashSlot(key, kHashSize);
    while (hashKey_[slot] != kEmpty)
        slot = (slot + 1) & (kHashSize - 1);
    hashKey_[slot] = key;
    hashCode_[slot] = uint16_t(code);
    ++hashUsed_;
}

void LzwEncoder::FlushBlock() {
    block_[0] = uint8_t(blockPos_ - 1);
    if (ok_ && !sink_->Write(block_, blockPos_)) ok_ = false;
    blockPos_ = 1;
}

void LzwEncoder::Put(uint32_t code) {
    bits_ |= uint64_t(code) << bitCount_;
    bitCount_ += codeSize_;
    while (bitCount_ >= 8) {
        block_[blockPos_++] = uint8_t(bits_);
        bits_ >>= 8;
        bitCount_ -= 8;
        if (blockPos_ == 256) FlushBlock();
    }
}

bool LzwEncoder::Encode(const uint8_t *indices, size_t count, int minCodeSize, Sink &sink) {
    minCodeSize_ = uint32_t(minCodeSize);
    clear_ = 1u << minCodeSize_;
    end_ = clear_ + 1;
    sink_ = &sink;
    ok_ = true;
    bits_ = 0;
    bitCount_ = 0;
    blockPos_ = 1;
    hashUsed_ = 1; // forces the first reset to clear the hash
    ResetTable();
    codeSize_ = minCodeSize_ + 1;
    Put(clear_);

    // An empty picture has no string to finish: the clear and end codes
    // alone make valid data.
    if (count > 0) {
        const uint32_t indexMask = clear_ - 1;
        uint32_t current = indices[0] & indexMask;
        for (size_t i = 1; i < count; ++i) {
            const uint32_t c = indices[i] & indexMask;
            Node &node = nodes_[current];
            uint32_t found = kNone;
            for (uint32_t k = 0; k < node.count; ++k) {
                if (node.index[k] == c) {
                    found = node.child[k];
                    break;
                }
            }
            if (found == kNone && node.count == kChildSlots) found = FindOverflow(current, c);
            if (found != kNone) {
                current = found;
                continue;
            }
            Put(current);
            if (next_ < kTableSize) {
                if (node.count < kChildSlots) {
                    node.child[node.count] = uint16_t(next_);
                    node.index[node.count] = uint8_t(c);
                    ++node.count;
                } else {
                    AddOverflow(current, c, next_);
                }
                codeSize_ = uint32_t(LzwCodeSize(next_));
                ++next_;
            } else {
                Put(clear_); // still 12 bits: the decoder's table is full too
                ResetTable();
                codeSize_ = minCodeSize_ + 1;
            }
            current = c;
        }
        Put(current);
    }
    Put(end_);
    if (bitCount_ > 0) {
        block_[blockPos_++] = uint8_t(bits_);
        bits_ = 0;
        bitCount_ = 0;
    }
    if (blockPos_ > 1) FlushBlock();
    const uint8_t terminator = 0;
    if (ok_ && !sink.Write(&terminator, 1)) ok_ = false;
    sink_ = nullptr;
    return ok_;
}

} // namespace pexa::gif
