// The LZW encoder and decoder on their own: round trips of many kinds of
// data, code sizes, the full-table path and the decoder's defences.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "gif/lzw_decoder.h"
#include "gif/lzw_encoder.h"
#include "test_gif_support.h"

namespace {

using pexa::gif::LzwDecoder;
using State = LzwDecoder::State;

// Decodes coded data (sub-blocks with terminator) into capacity indices.
struct Decoded {
    std::vector<uint8_t> indices;
    State state;
    size_t produced;
    int badCode;
};
Decoded Decode(const std::vector<uint8_t> &coded, int minCodeSize, size_t capacity,
               size_t piece = 255) {
    auto decoder = std::make_unique<LzwDecoder>();
    Decoded d;
    // Exactly capacity bytes: AddressSanitizer sees any write past them.
    auto out = std::make_unique<uint8_t[]>(capacity ? capacity : 1);
    EXPECT_TRUE(decoder->Start(minCodeSize, out.get(), capacity));
    std::vector<uint8_t> stream;
    for (size_t p = 0; p < coded.size() && coded[p] != 0; p += coded[p] + 1u)
        stream.insert(stream.end(), coded.begin() + p + 1, coded.begin() + p + 1 + coded[p]);
    for (size_t p = 0; p < stream.size(); p += piece)
        decoder->Feed(stream.data() + p, std::min(piece, stream.size() - p));
    d.indices.assign(out.get(), out.get() + std::min(decoder->produced(), capacity));
    d.state = decoder->state();
    d.produced = decoder->produced();
    d.badCode = decoder->badCode();
    return d;
}

std::vector<uint8_t> Pattern(size_t n, int kind, int bits, uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<uint8_t> v(n);
    const int top = 1 << bits;
    for (size_t i = 0; i < n; ++i) {
        switch (kind) {
        case 0:
            v[i] = uint8_t(rng() % top);
            break; // noise
        case 1:
            v[i] = uint8_t((i / 37) % top);
            break; // long runs
        case 2:
            v[i] = uint8_t((i % 640 + i / 640) % top);
            break; // gradient
        default:
            v[i] = uint8_t((rng() % 5 == 0 ? rng() : i / 9) % top);
            break;
        }
    }
    return v;
}

TEST(LzwCodeSize, BitsOfTheCodeJustAdded) {
    EXPECT_EQ(pexa::gif::LzwCodeSize(0), 3);
    EXPECT_EQ(pexa::gif::LzwCodeSize(7), 3);
    EXPECT_EQ(pexa::gif::LzwCodeSize(8), 4);
    EXPECT_EQ(pexa::gif::LzwCodeSize(258), 9);
    EXPECT_EQ(pexa::gif::LzwCodeSize(511), 9);
    EXPECT_EQ(pexa::gif::LzwCodeSize(512), 10);
    EXPECT_EQ(pexa::gif::LzwCodeSize(2047), 11);
    EXPECT_EQ(pexa::gif::LzwCodeSize(2048), 12);
    EXPECT_EQ(pexa::gif::LzwCodeSize(4095), 12);
}

TEST(LzwCoder, RoundTripsEveryKindOfData) {
    for (int bits : {2, 3, 4, 5, 8}) {
        for (int kind = 0; kind < 4; ++kind) {
            for (size_t n : {size_t(1), size_t(2), size_t(100), size_t(70000)}) {
                const auto indices = Pattern(n, kind, bits, uint32_t(bits * 10 + kind));
                const auto coded = giftest::Encode(indices, bits);
                const Decoded d = Decode(coded, bits, n);
                ASSERT_EQ(d.state, State::kEnd) << bits << " " << kind << " " << n;
                ASSERT_EQ(d.indices, indices) << bits << " " << kind << " " << n;
            }
        }
    }
}

TEST(LzwCoder, CodesSpanningPiecesDecodeTheSame) {
    const auto indices = Pattern(5000, 3, 8, 7);
    const auto coded = giftest::Encode(indices, 8);
    for (size_t piece : {1, 2, 3, 7, 254}) {
        const Decoded d = Decode(coded, 8, indices.size(), piece);
        EXPECT_EQ(d.state, State::kEnd);
        EXPECT_EQ(d.indices, indices) << piece;
    }
}

TEST(LzwEncoder, OneBitPictureUsesMinimumCodeSizeTwo) {
    const auto coded = giftest::Encode({0, 1, 1, 0}, 2);
    const auto codes = giftest::ParseCodes(coded.data(), coded.size(), 2);
    ASSERT_GE(codes.size(), 2u);
    EXPECT_EQ(codes.front().value, 4u); // clear
    EXPECT_EQ(codes.front().bits, 3);
    EXPECT_EQ(codes.back().value, 5u); // end
}

TEST(LzwEncoder, EmptyPictureIsClearAndEnd) {
    const auto coded = giftest::Encode({}, 8);
    // 9-bit clear (256) and end (257): 18 bits in 3 bytes, then the terminator.
    EXPECT_EQ(coded, (std::vector<uint8_t>{3, 0x00, 0x03, 0x02, 0}));
    const Decoded d = Decode(coded, 8, 0);
    EXPECT_EQ(d.state, State::kEnd);
    EXPECT_EQ(d.produced, 0u);
}

TEST(LzwEncoder, SubBlocksAreFullUpToTheLast) {
    const auto coded = giftest::Encode(Pattern(20000, 0, 8, 3), 8);
    size_t p = 0, blocks = 0;
    while (coded[p] != 0) {
        ++blocks;
        const size_t n = coded[p];
        p += n + 1;
        if (coded[p] != 0) {
            EXPECT_EQ(n, 255u);
        }
    }
    EXPECT_EQ(p, coded.size() - 1);
    EXPECT_GT(blocks, 10u);
}

TEST(LzwEncoder, FullTableEmitsClearCodeWithTwelveBits) {
    const auto coded = giftest::Encode(Pattern(30000, 0, 8, 11), 8);
    const auto codes = giftest::ParseCodes(coded.data(), coded.size(), 8);
    // Count codes after the first clear until the next clear: the table
    // fills from 258 to 4095, one entry per code after the first.
    size_t second = 0;
    for (size_t i = 1; i < codes.size(); ++i) {
        if (codes[i].value == 256) {
            second = i;
            break;
        }
    }
    ASSERT_GT(second, 0u);
    EXPECT_EQ(second - 1, size_t(4095 - 258 + 2)); // 3839 codes fill the table
    EXPECT_EQ(codes[second].bits, 12);
    EXPECT_EQ(codes[second - 1].bits, 12);
    EXPECT_EQ(codes[second + 1].bits, 9); // starts again at minimum + 1
    EXPECT_EQ(codes.back().value, 257u);
}

TEST(LzwDecoder, RefusesMinimumCodeSizeAboveEleven) {
    auto decoder = std::make_unique<LzwDecoder>();
    uint8_t out[4];
    EXPECT_FALSE(decoder->Start(12, out, 4));
    EXPECT_FALSE(decoder->Start(255, out, 4));
    EXPECT_TRUE(decoder->Start(11, out, 4));
}

TEST(LzwDecoder, CodeAboveNextFreeSlotIsRefused) {
    // 9-bit codes: clear 256, index 1, then 300 while next is 258.
    std::vector<uint8_t> stream;
    uint64_t bits = 256 | 1u << 9 | uint64_t(300) << 18;
    for (int i = 0; i < 4; ++i)
        stream.push_back(uint8_t(bits >> (8 * i)));
    std::vector<uint8_t> coded{uint8_t(stream.size())};
    coded.insert(coded.end(), stream.begin(), stream.end());
    coded.push_back(0);
    const Decoded d = Decode(coded, 8, 10);
    EXPECT_EQ(d.state, State::kBadCode);
    EXPECT_EQ(d.badCode, 300);
    EXPECT_EQ(d.produced, 1u);
}

TEST(LzwDecoder, NextFreeCodeNeedsAPreviousString) {
    // Clear, then code 258 (= next) without a string before it.
    const uint64_t bits = 256 | 258u << 9;
    std::vector<uint8_t> coded{3, uint8_t(bits), uint8_t(bits >> 8), uint8_t(bits >> 16), 0};
    const Decoded d = Decode(coded, 8, 10);
    EXPECT_EQ(d.state, State::kBadCode);
    EXPECT_EQ(d.badCode, 258);
}

TEST(LzwDecoder, NeverWritesPastTheBuffer) {
    const auto indices = Pattern(1000, 1, 8, 5); // long strings
    const auto coded = giftest::Encode(indices, 8);
    for (size_t capacity : {0, 1, 36, 37, 38, 500, 999}) {
        const Decoded d = Decode(coded, 8, capacity);
        EXPECT_EQ(d.state, State::kOverflow) << capacity;
        EXPECT_LE(d.produced, capacity);
        EXPECT_TRUE(std::equal(d.indices.begin(), d.indices.end(), indices.begin()));
    }
}

TEST(LzwDecoder, SizesAboveTheIndexWidthAreSafe) {
    // Minimum code size 11: indices above 255 fit no byte but do no harm.
    const uint64_t bits = 2048 | uint64_t(2047) << 12 | uint64_t(2047) << 24 | uint64_t(2049) << 36;
    std::vector<uint8_t> coded{6};
    for (int i = 0; i < 6; ++i)
        coded.push_back(uint8_t(bits >> (8 * i)));
    coded.push_back(0);
    const Decoded d = Decode(coded, 11, 2);
    EXPECT_EQ(d.state, State::kEnd);
    EXPECT_EQ(d.indices, (std::vector<uint8_t>{0xFF, 0xFF}));
}

// The decoder as it was: each string written back to front along its
// prefix chain. The copying decoder must agree with it on every stream.
Decoded DecodeByChains(const std::vector<uint8_t> &stream, int minCodeSize, size_t capacity) {
    std::vector<uint16_t> prefix(4096), length(4096);
    std::vector<uint8_t> suffix(4096), first(4096), out(capacity);
    const uint32_t clear = 1u << minCodeSize, end = clear + 1, none = 4096;
    uint32_t size = minCodeSize + 1, next = clear + 2, previous = none, bitCount = 0;
    uint64_t bits = 0;
    size_t pos = 0;
    for (uint32_t i = 0; i < clear; ++i)
        suffix[i] = first[i] = uint8_t(i), length[i] = 1;
    auto result = [&](State state, int bad) {
        out.resize(pos);
        return Decoded{out, state, pos, bad};
    };
    for (uint8_t byte : stream) {
        bits |= uint64_t(byte) << bitCount;
        for (bitCount += 8; bitCount >= size;) {
            const uint32_t code = uint32_t(bits) & ((1u << size) - 1);
            bits >>= size, bitCount -= size;
            if (code == clear) {
                size = minCodeSize + 1, next = clear + 2, previous = none;
                continue;
            }
            if (code == end) return result(State::kEnd, 0);
            if (code > next || (code == next && previous == none))
                return result(State::kBadCode, int(code));
            const uint32_t string = code < next ? code : previous;
            const size_t total = code < next ? length[string] : length[string] + 1u;
            if (total > capacity - pos) return result(State::kOverflow, 0);
            if (code == next) out[pos + total - 1] = first[string];
            for (uint32_t c = string, k = length[string]; k-- > 0; c = prefix[c])
                out[pos + k] = suffix[c];
            pos += total;
            if (previous != none && next < 4096) {
                prefix[next] = uint16_t(previous), suffix[next] = first[string];
                first[next] = first[previous], length[next] = uint16_t(length[previous] + 1);
                if (++next > (1u << size) - 1 && next < 4096) ++size;
            }
            previous = code;
        }
    }
    return result(State::kDecoding, 0);
}

TEST(LzwDecoder, AgreesWithTheChainWalkOnGoodAndDamagedData) {
    std::mt19937 rng(25);
    for (int bits : {2, 4, 8}) {
        for (int kind = 0; kind < 4; ++kind) {
            const auto indices = Pattern(20000, kind, bits, uint32_t(kind));
            const auto coded = giftest::Encode(indices, bits);
            std::vector<uint8_t> stream;
            for (size_t p = 0; p < coded.size() && coded[p] != 0; p += coded[p] + 1u)
                stream.insert(stream.end(), coded.begin() + p + 1,
                              coded.begin() + p + 1 + coded[p]);
            for (int damage = 0; damage < 12; ++damage) {
                auto bad = stream;
                for (int k = 0; k < damage % 4; ++k)
                    bad[rng() % bad.size()] ^= uint8_t(1u << (rng() % 8));
                if (damage % 3 == 2) bad.resize(bad.size() / 2); // truncated
                const size_t capacity = damage >= 8 ? indices.size() / 3 : indices.size();
                std::vector<uint8_t> blocks; // back into sub-blocks of 200 bytes
                for (size_t p = 0; p < bad.size(); p += 200) {
                    const size_t n = std::min<size_t>(200, bad.size() - p);
                    blocks.push_back(uint8_t(n));
                    blocks.insert(blocks.end(), bad.begin() + p, bad.begin() + p + n);
                }
                blocks.push_back(0);
                const Decoded want = DecodeByChains(bad, bits, capacity);
                const Decoded got = Decode(blocks, bits, capacity, 1 + rng() % 300);
                ASSERT_EQ(got.state, want.state) << bits << " " << kind << " " << damage;
                ASSERT_EQ(got.produced, want.produced) << bits << " " << kind << " " << damage;
                ASSERT_EQ(got.badCode, want.badCode) << bits << " " << kind << " " << damage;
                ASSERT_EQ(got.indices, want.indices) << bits << " " << kind << " " << damage;
            }
        }
    }
}

TEST(LzwEncoder, StringCacheChangesNoByte) {
    // Flat areas (the cache's case), noise, gradients, at every code size.
    for (int bits = 2; bits <= 8; ++bits) {
        for (int kind = 0; kind < 4; ++kind) {
            const auto indices = Pattern(300000, kind, bits, uint32_t(bits + kind));
            pexa::gif::VectorSink cached, plain;
            pexa::gif::LzwEncoder(true).Encode(indices.data(), indices.size(), bits, cached);
            pexa::gif::LzwEncoder(false).Encode(indices.data(), indices.size(), bits, plain);
            ASSERT_EQ(cached.bytes, plain.bytes) << bits << " " << kind;
        }
    }
}

} // namespace
