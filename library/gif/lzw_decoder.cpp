// LZW decoding of GIF image data (variable-length codes, least significant
// bit first, clear and end codes, at most 12 bits and 4096 table entries).
#include "gif/lzw_decoder.h"

#include <cstring>

namespace pexa::gif {

namespace {
constexpr uint32_t kNone = LzwDecoder::kTableSize;
}

bool LzwDecoder::Start(int minCodeSize, uint8_t *out, size_t capacity) {
    out_ = out;
    capacity_ = out ? capacity : 0;
    pos_ = 0;
    bits_ = 0;
    bitCount_ = 0;
    badCode_ = 0;
    if (minCodeSize < 0 || minCodeSize > kMaxMinCodeSize) {
        state_ = State::kBadCode;
        return false;
    }
    state_ = State::kDecoding;
    minCodeSize_ = uint32_t(minCodeSize);
    clear_ = 1u << minCodeSize_;
    end_ = clear_ + 1;
    Reset();
    return true;
}

void LzwDecoder::Reset() {
    codeSize_ = minCodeSize_ + 1;
    mask_ = (1u << codeSize_) - 1;
    next_ = clear_ + 2;
    previous_ = kNone;
}

namespace {

// Copies a string of n bytes (n >= 1) from an earlier place of the buffer
// that ends before `to`: short strings as two overlapping words, longer ones
// eight bytes at a time with the last word overlapping. Never a byte beyond
// to + n.
inline void CopyString(uint8_t *to, const uint8_t *from, size_t n) {
    if (n >= 8) {
        uint64_t word;
        for (size_t done = 0; done + 8 < n; done += 8) {
            std::memcpy(&word, from + done, 8);
            std::memcpy(to + done, &word, 8);
        }
        std::memcpy(&word, from + n - 8, 8);
        std::memcpy(to + n - 8, &word, 8);
    } else if (n >= 4) {
        uint32_t head, tail;
        std::memcpy(&head, from, 4);
        std::memcpy(&tail, from + n - 4, 4);
        std::memcpy(to, &head, 4);
        std::memcpy(to + n - 4, &tail, 4);
    } else if (n >= 2) {
        uint16_t head, tail;
        std::memcpy(&head, from, 2);
        std::memcpy(&tail, from + n - 2, 2);
        std::memcpy(to, &head, 2);
        std::memcpy(to + n - 2, &tail, 2);
    } else {
        *to = *from;
    }
}

// The string of the code not yet in the table: the previous string (which
// ends at `to`) and its first index again. Source and target overlap, and
// the copy repeats the bytes between them; eight at a time where the
// distance allows.
inline void CopyRepeating(uint8_t *to, const uint8_t *from, size_t n) {
    if (size_t(to - from) >= 8) {
        for (; n >= 8; n -= 8, to += 8, from += 8) {
            uint64_t word;
            std::memcpy(&word, from, 8);
            std::memcpy(to, &word, 8);
        }
    }
    for (size_t i = 0; i < n; ++i)
        to[i] = from[i];
}

} // namespace

// The codes of a piece of data. The hot state lives in locals for the whole
// piece: bits are taken up to 56 at a time, and each code's string goes to
// the buffer, and (after the first code since a clear) the table grows by
// the previous string plus this string's first index, which stand next to
// each other in the buffer.
LzwDecoder::State LzwDecoder::Feed(const uint8_t *data, size_t count) {
    if (state_ != State::kDecoding) return state_;
    uint64_t bits = bits_;
    uint32_t have = bitCount_;
    uint32_t codeSize = codeSize_, mask = mask_, next = next_, previous = previous_;
    uint32_t previousLength = previousLength_;
    size_t pos = pos_, previousPos = previousPos_;
    const uint32_t clear = clear_, end = end_;
    uint8_t *const out = out_;
    const size_t capacity = capacity_;
    State state = State::kDecoding;
    size_t i = 0;
    for (;;) {
        while (have <= 56 && i < count) {
            bits |= uint64_t(data[i++]) << have;
            have += 8;
        }
        if (have < codeSize) break;
        const uint32_t code = uint32_t(bits) & mask;
        bits >>= codeSize;
        have -= codeSize;

        if (code >= clear && code <= end) {
            if (code == end) {
                state = State::kEnd;
                break;
            }
            codeSize = minCodeSize_ + 1;
            mask = (1u << codeSize) - 1;
            next = clear + 2;
            previous = kNone;
            continue;
        }
        const bool first = previous == kNone;
        // code == next is the one string not yet in the table (the previous
        // string plus its own first index); it needs a previous string.
        if (code > next || (code == next && first)) {
            state = State::kBadCode;
            badCode_ = int(code);
            break;
        }
        // After a clear every code below next is a single index.
        const uint32_t length = code < clear ? 1 : code < next ? length_[code] : previousLength + 1;
        if (length > capacity - pos) {
            state = State::kOverflow;
            break;
        }
        if (code < clear) {
            out[pos] = uint8_t(code);
        } else if (code < next) {
            CopyString(out + pos, out + offset_[code], length);
        } else {
            CopyRepeating(out + pos, out + previousPos, length);
        }
        if (!first && next < kTableSize) {
            offset_[next] = previousPos;
            length_[next] = uint16_t(previousLength + 1);
            ++next;
            // The code size grows when the next slot needs one more bit; a
            // full table keeps 12 bits until a clear code comes.
            if (next > mask && next < kTableSize) {
                ++codeSize;
                mask = (mask << 1) | 1;
            }
        }
        previous = code;
        previousPos = pos;
        previousLength = length;
        pos += length;
    }
    bits_ = bits;
    bitCount_ = have;
    codeSize_ = codeSize;
    mask_ = mask;
    next_ = next;
    previous_ = previous;
    previousLength_ = previousLength;
    previousPos_ = previousPos;
    pos_ = pos;
    state_ = state;
    return state;
}

} // namespace pexa::gif
