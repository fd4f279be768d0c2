// The LZW encoder of GIF image data: colour indices in, data sub-blocks out.
// Each step first probes one slot of a small direct-mapped cache of recent
// strings (prefix and index to code), which answers almost every step of a
// picture with large flat areas from the first level of the processor's
// cache. Behind it the string table is searched through up to 12 child
// slots per code, which holds almost every string of a typical picture;
// strings whose prefix has more extensions are found in an overflow hash,
// so that noisy pictures stay linear in time. The cache only remembers what
// the table holds, so the codes written are the same with or without it. Codes are packed least
// significant bit first into sub-blocks of at most 255 bytes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "gif/gif_codec.h"

namespace pexa::gif {

// Bits needed for code v (3 to 12): the size of the codes that follow once
// v has been added to the table.
int LzwCodeSize(uint32_t v);

class LzwEncoder {
  public:
    static constexpr int kTableSize = 4096;
    static constexpr int kChildSlots = 12;
    // Slots of the string cache: (prefix << 8 | index) << 12 | code, 0 when
    // empty (no code of a string of two or more indices is 0).
    static constexpr uint32_t kCacheSize = 8192;

    // Without the cache (withCache false) the encoder searches the table for
    // every step: the same codes, more slowly; kept to check the cache against.
    explicit LzwEncoder(bool withCache = true) : withCache_(withCache) {}

    // Encodes count indices (each below 2^minCodeSize; minCodeSize 2 to 8)
    // as GIF image data: the clear code, the codes, the end code, then the
    // 0-length block. Returns false when the sink fails.
    bool Encode(const uint8_t *indices, size_t count, int minCodeSize, Sink &sink);

  private:
    void ResetTable();
    void Put(uint32_t code);
    void FlushBlock();
    uint32_t FindOverflow(uint32_t prefix, uint32_t index) const;
    void AddOverflow(uint32_t prefix, uint32_t index, uint32_t code);

    // Children of each code: their codes and last indices, in the order
    // they were added. The counts live apart so that a reset is one small
    // memset.
    struct Node {
        uint16_t child[kChildSlots];
        uint8_t index[kChildSlots];
    };
    static constexpr uint32_t kHashSize = 8192; // twice the table: short probes
    static constexpr uint32_t kEmpty = 0xFFFFFFFFu;

    uint32_t cache_[kCacheSize];
    Node nodes_[kTableSize];
    uint8_t childCount_[kTableSize];
    uint32_t hashKey_[kHashSize]; // prefix << 8 | index, or kEmpty
    uint16_t hashCode_[kHashSize];
    uint32_t hashUsed_ = 0;

    uint32_t minCodeSize_ = 0, clear_ = 0, end_ = 0, next_ = 0, codeSize_ = 0;
    uint64_t bits_ = 0; // pending bits, least significant first
    uint32_t bitCount_ = 0;
    uint8_t block_[256]; // [0] length, [1..255] data
    uint32_t blockPos_ = 1;
    Sink *sink_ = nullptr;
    bool ok_ = true;
    bool withCache_ = true;
};

} // namespace pexa::gif
