// LZW decoding of GIF image data (variable-length codes, least significant
// bit first, clear and end codes, at most 12 bits and 4096 table entries).
#include "gif/lzw_decoder.h"

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
    // The single indices: the roots of every string.
    for (uint32_t i = 0; i < clear_; ++i) {
        prefix_[i] = uint16_t(kNone);
        suffix_[i] = uint8_t(i);
        first_[i] = uint8_t(i);
        length_[i] = 1;
    }
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

// One code: its string goes to the buffer, and (after the first code since a
// clear) the table grows by the previous string plus this string's first
// index. Returns false when decoding stops.
bool LzwDecoder::Decode(uint32_t code) {
    if (code == clear_) {
        Reset();
        return true;
    }
    if (code == end_) {
        state_ = State::kEnd;
        return false;
    }
    const uint32_t previous = previous_;
    // code == next_ is the one string not yet in the table (the previous
    // string plus its own first index); it needs a previous string.
    if (code > next_ || (code == next_ && previous == kNone)) {
        state_ = State::kBadCode;
        badCode_ = int(code);
        return false;
    }
    if (previous == kNone) { // first code after a clear: a single index
        if (pos_ == capacity_) {
            state_ = State::kOverflow;
            return false;
        }
        out_[pos_++] = suffix_[code];
        previous_ = code;
        return true;
    }

    const uint32_t string = code < next_ ? code : previous;
    const uint32_t stringLength = length_[string];
    const uint32_t total = code < next_ ? stringLength : stringLength + 1;
    if (total > capacity_ - pos_) {
        state_ = State::kOverflow;
        return false;
    }
    uint8_t *to = out_ + pos_;
    const uint8_t firstIndex = first_[string];
    if (code == next_) to[stringLength] = firstIndex;
    // Written back to front along the prefix chain; the known length bounds
    // the walk.
    uint32_t c = string;
    for (uint32_t i = stringLength - 1; i > 0; --i) {
        to[i] = suffix_[c];
        c = prefix_[c];
    }
    to[0] = suffix_[c];
    pos_ += total;

    if (next_ < kTableSize) {
        prefix_[next_] = uint16_t(previous);
        suffix_[next_] = firstIndex;
        first_[next_] = first_[previous];
        length_[next_] = uint16_t(length_[previous] + 1);
        ++next_;
        // The code size grows when the next slot needs one more bit; a full
        // table keeps 12 bits until a clear code comes.
        if (next_ > mask_ && next_ < kTableSize) {
            ++codeSize_;
            mask_ = (mask_ << 1) | 1;
        }
    }
    previous_ = code;
    return true;
}

} // namespace pexa::gif
