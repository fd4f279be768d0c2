// The LZW decoder of GIF image data: takes the bytes of the data sub-blocks
// one block at a time and writes colour indices into a buffer of a fixed
// size. Distrusts its input: codes above the next free table slot are
// refused and a string never runs past the end of the buffer.
//
// Every string of the table already stands in the output: a new entry is the
// previous string plus the first index of the current one, and the two are
// written next to each other. So each code keeps only where its string first
// appeared and how long it is, and decoding a code copies that many bytes
// forward from there; no prefix chain is walked.
#pragma once

#include <cstddef>
#include <cstdint>

namespace pexa::gif {

class LzwDecoder {
  public:
    static constexpr int kTableSize = 4096;
    // Largest minimum code size whose clear and end codes fit the table.
    static constexpr int kMaxMinCodeSize = 11;

    enum class State {
        kDecoding, // more codes wanted
        kEnd,      // the end code arrived
        kBadCode,  // a code above the next free slot arrived (see badCode())
        kOverflow, // the data holds more indices than the buffer
    };

    // Starts an image: codes of minCodeSize + 1 bits, indices into out[0,
    // capacity). Returns false for a minimum code size above kMaxMinCodeSize.
    bool Start(int minCodeSize, uint8_t *out, size_t capacity);

    // Decodes the bytes of one sub-block. Once the state is not kDecoding,
    // further bytes are ignored.
    State Feed(const uint8_t *data, size_t count);

    State state() const { return state_; }
    // Indices written so far.
    size_t produced() const { return pos_; }
    int badCode() const { return badCode_; }

  private:
    void Reset();

    // Per code above the end code: where its string starts in the output and
    // how long it is. Codes below the clear code are single indices.
    size_t offset_[kTableSize];
    uint16_t length_[kTableSize];

    uint32_t minCodeSize_ = 0, clear_ = 0, end_ = 0, next_ = 0;
    uint32_t codeSize_ = 0, mask_ = 0;
    uint32_t previous_ = kTableSize; // kTableSize: none
    size_t previousPos_ = 0;         // where the previous string starts
    uint32_t previousLength_ = 0;
    uint64_t bits_ = 0; // bit accumulator, least significant bit first
    uint32_t bitCount_ = 0;
    uint8_t *out_ = nullptr;
    size_t capacity_ = 0, pos_ = 0;
    State state_ = State::kDecoding;
    int badCode_ = 0;
};

} // namespace pexa::gif
