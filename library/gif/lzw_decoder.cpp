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

LzwDecoder::State LzwDecoder::Feed(const uint8_t *data, size_t count) {
    if (state_ != State::kDecoding) return state_;
    uint64_t bits = bits_;
    uint32_t have = bitCount_;
    for (size_t i = 0; i < count; ++i) {
        bits |= uint64_t(data[i]) << have;
        have += 8;
        while (have >= codeSize_) {
            uint32_t code = uint32_t(bits) & mask_;
            bits >>= codeSize_;
            have -= codeSize_;
            if (!Decode(code)) return state_;
        }
    }
    bits_ = bits;
    bitCount_ = have;
    return state_;
}

namespace {

// Copies n bytes forward from an earlier place of the same buffer (from <
// to); the two may overlap, and then the copy repeats the bytes between
// them, as the string of a code that is not in the table yet wants. Eight
// bytes at a time where the distance allows; never a byte beyond to + n.
inline void CopyForward(uint8_t *to, const uint8_t *from, size_t n) {
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

// One code: its string goes to the buffer, and (after the first code since a
// clear) the table grows by the previous string plus this string's first
// index, which stand next to each other in the buffer. Returns false when
// decoding stops.
bool LzwDecoder::Decode(uint32_t code) {
    if (code == clear_) {
        Reset();
        return true;
    }
    if (code == end_) {
        state_ = State::kEnd;
        return false;
    }
    const bool first = previous_ == kNone;
    // code == next_ is the one string not yet in the table (the previous
    // string plus its own first index); it needs a previous string.
    if (code > next_ || (code == next_ && first)) {
        state_ = State::kBadCode;
        badCode_ = int(code);
        return false;
    }
    // After a clear every code below next_ is a single index.
    const uint32_t length = code < clear_ ? 1 : code < next_ ? length_[code] : previousLength_ + 1;
    if (length > capacity_ - pos_) {
        state_ = State::kOverflow;
        return false;
    }
    if (code < clear_) {
        out_[pos_] = uint8_t(code);
    } else {
        CopyForward(out_ + pos_, out_ + (code < next_ ? offset_[code] : previousPos_), length);
    }
    if (!first && next_ < kTableSize) {
        offset_[next_] = previousPos_;
        length_[next_] = uint16_t(previousLength_ + 1);
        ++next_;
        // The code size grows when the next slot needs one more bit; a full
        // table keeps 12 bits until a clear code comes.
        if (next_ > mask_ && next_ < kTableSize) {
            ++codeSize_;
            mask_ = (mask_ << 1) | 1;
        }
    }
    previous_ = code;
    previousPos_ = pos_;
    previousLength_ = length;
    pos_ += length;
    return true;
}

} // namespace pexa::gif
