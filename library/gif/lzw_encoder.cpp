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

// The cache slot of a string key: the index and the prefix's low bits, mixed
// with its high bits; no multiplication, as it lies on the chain of
// dependent steps that one pixel after another makes.
uint32_t CacheSlot(uint32_t key) {
    return (key ^ key >> 11) & (LzwEncoder::kCacheSize - 1);
}

// The slot of the child whose last index is c among the first count slots,
// or count when there is none. Eight slots at a time: XOR with c turns a
// match into a zero byte, and the lowest flagged byte is always a real zero.
uint32_t FindChild(const uint8_t *indices, uint32_t count, uint32_t c) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    constexpr uint64_t kOnes = 0x0101010101010101ull, kHighs = 0x8080808080808080ull;
    uint64_t low;
    std::memcpy(&low, indices, 8);
    low ^= kOnes * c;
    uint64_t zeros = (low - kOnes) & ~low & kHighs;
    if (count < 8) zeros &= (uint64_t(1) << (8 * count)) - 1;
    if (zeros) return uint32_t(__builtin_ctzll(zeros)) / 8;
    if (count <= 8) return count;
    uint32_t high;
    std::memcpy(&high, indices + 8, 4);
    high ^= 0x01010101u * c;
    uint32_t highZeros = (high - 0x01010101u) & ~high & 0x80808080u;
    if (count < 12) highZeros &= (1u << (8 * (count - 8))) - 1;
    return highZeros ? 8 + uint32_t(__builtin_ctz(highZeros)) / 8 : count;
#else
    uint32_t k = 0;
    while (k < count && indices[k] != c)
        ++k;
    return k;
#endif
}
} // namespace

int LzwCodeSize(uint32_t v) {
    int bits = 3;
    while (bits < 12 && v >= (1u << bits))
        ++bits;
    return bits;
}

void LzwEncoder::ResetTable() {
    std::memset(childCount_, 0, sizeof childCount_);
    std::memset(cache_, 0, sizeof cache_);
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
            const uint32_t key = current << 8 | c;
            uint32_t &cached = cache_[CacheSlot(key)];
            if ((cached >> 12) == key && (cached & 0xFFFu) != 0 && withCache_) {
                current = cached & 0xFFFu;
                continue;
            }
            const Node &node = nodes_[current];
            const uint32_t children = childCount_[current];
            const uint32_t slot = FindChild(node.index, children, c);
            uint32_t found = slot < children ? node.child[slot] : kNone;
            if (found == kNone && children == kChildSlots) found = FindOverflow(current, c);
            if (found != kNone) {
                cached = key << 12 | found;
                current = found;
                continue;
            }
            Put(current);
            if (next_ < kTableSize) {
                if (children < kChildSlots) {
                    nodes_[current].child[children] = uint16_t(next_);
                    nodes_[current].index[children] = uint8_t(c);
                    childCount_[current] = uint8_t(children + 1);
                } else {
                    AddOverflow(current, c, next_);
                }
                cached = key << 12 | next_;
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
