// Helpers of the native GIF tests: a host that records messages and can
// refuse allocations, a builder for hand-made GIF files, the writer on a
// DIB block (built with support/dib_builder.h), and shell commands (the
// oracles ImageMagick and giflib).
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "dib/dib_layout.h"
#include "gif/gif_codec.h"
#include "gif/gif_reader.h"
#include "gif/gif_writer.h"
#include "gif/lzw_encoder.h"
#include "support/dib_builder.h"

namespace giftest {

using pexa::gif::Block;

class TestHost final : public pexa::gif::Host {
  public:
    ~TestHost() {
        for (uint8_t *dib : dibs)
            std::free(dib);
    }
    uint8_t *Allocate(Block kind, size_t bytes) override {
        if (kind == failKind) return nullptr;
        if (bytes > limit) return nullptr;
        auto *p = static_cast<uint8_t *>(std::calloc(bytes, 1));
        if (p && kind == Block::kDib) {
            dibs.push_back(p);
            dibSize = bytes;
        }
        if (p && kind != Block::kDib) ++live;
        return p;
    }
    void Release(Block kind, uint8_t *block) override {
        if (kind != Block::kDib) --live;
        std::free(block);
    }
    void Error(const char *text) override { errors.emplace_back(text); }
    bool AskUnknownVersion(const char *text) override {
        questions.emplace_back(text);
        return answer;
    }
    void Busy(bool on) override { busy.push_back(on); }

    std::vector<std::string> errors, questions;
    std::vector<bool> busy;
    std::vector<uint8_t *> dibs;
    size_t dibSize = 0;
    int live = 0; // blocks other than DIBs not yet released
    bool answer = true;
    Block failKind = Block(-1);
    size_t limit = size_t(1) << 30;
};

// A decoded DIB as the reader left it.
struct Picture {
    pexa::dib::InfoHeader header{};
    const uint8_t *table = nullptr; // RGBQUADs
    const uint8_t *bits = nullptr;
    uint64_t rowBytes = 0;
    explicit Picture(const uint8_t *dib) {
        std::memcpy(&header, dib, sizeof header);
        table = dib + 40;
        bits = dib + pexa::dib::BitsOffset(header);
        rowBytes = pexa::dib::RowBytes(header.width, header.bitCount);
    }
    // Index of the pixel at (x, y), y counted from the top.
    int At(int x, int y) const {
        const uint8_t *row = bits + (header.height - 1 - y) * rowBytes;
        switch (header.bitCount) {
        case 8:
            return row[x];
        case 4:
            return (row[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F;
        default:
            return (row[x / 8] >> (7 - x % 8)) & 1;
        }
    }
    uint32_t Rgb(int index) const {
        return uint32_t(table[4 * index + 2]) << 16 | uint32_t(table[4 * index + 1]) << 8 |
               table[4 * index];
    }
};

inline std::vector<uint8_t> Encode(const std::vector<uint8_t> &indices, int minCodeSize) {
    pexa::gif::VectorSink sink;
    auto encoder = std::make_unique<pexa::gif::LzwEncoder>();
    encoder->Encode(indices.data(), indices.size(), minCodeSize, sink);
    return sink.bytes;
}

// Builds GIF files block by block.
class GifBuilder {
  public:
    explicit GifBuilder(const char *signature = "GIF89a") { Add(signature, 6); }
    GifBuilder &Screen(int width, int height, int packed) {
        Le16(width).Le16(height).Byte(packed).Byte(0).Byte(0);
        return *this;
    }
    // entries colours: entry i is (i * 10 + 1, i * 20 + 2, i * 30 + 3) mod 256.
    GifBuilder &Table(int entries) {
        for (int i = 0; i < entries; ++i)
            Byte(i * 10 + 1).Byte(i * 20 + 2).Byte(i * 30 + 3);
        return *this;
    }
    GifBuilder &Descriptor(int left, int top, int width, int height, int packed) {
        Byte(0x2C).Le16(left).Le16(top).Le16(width).Le16(height).Byte(packed);
        return *this;
    }
    // Minimum code size, then the data in sub-blocks of at most 255 bytes
    // (with the 0-length terminator).
    GifBuilder &Data(int minCodeSize, const std::vector<uint8_t> &coded) {
        Byte(minCodeSize);
        Add(coded.data(), coded.size());
        return *this;
    }
    // An image whose indices are given in file order.
    GifBuilder &Image(int left, int top, int width, int height, int packed,
                      const std::vector<uint8_t> &indices, int minCodeSize = 8) {
        Descriptor(left, top, width, height, packed);
        return Data(minCodeSize, Encode(indices, minCodeSize));
    }
    GifBuilder &Comment(const std::string &text) {
        Byte(0x21).Byte(0xFE).Byte(int(text.size()));
        Add(text.data(), text.size());
        return Byte(0);
    }
    GifBuilder &Byte(int v) {
        bytes.push_back(uint8_t(v));
        return *this;
    }
    GifBuilder &Le16(int v) { return Byte(v & 0xFF).Byte(v >> 8 & 0xFF); }
    GifBuilder &Add(const void *p, size_t n) {
        auto *b = static_cast<const uint8_t *>(p);
        bytes.insert(bytes.end(), b, b + n);
        return *this;
    }
    GifBuilder &Trailer() { return Byte(0x3B); }
    std::vector<uint8_t> bytes;
};

// Reads a file in memory; the DIB (or null) stays owned by the host.
inline uint8_t *Read(const std::vector<uint8_t> &file, TestHost &host) {
    pexa::gif::MemorySource source(file.data(), file.size());
    return pexa::gif::ReadGif(source, host);
}

inline std::vector<uint8_t> Write(const std::vector<uint8_t> &dib, bool interlace, TestHost &host,
                                  int version = 89) {
    pexa::gif::VectorSink sink;
    sink.Write(pexa::gif::GifSignature(version), 6);
    if (!pexa::gif::IsWritableDib(dib.data(), dib.size())) return {};
    if (!pexa::gif::WriteGifBody(sink, dib.data(), dib.size(), interlace, host)) return {};
    return sink.bytes;
}

// Reads the codes of coded image data (sub-blocks with terminator) the way
// a decoder sizes them; returns the codes and their widths.
struct Code {
    uint32_t value;
    int bits;
};
inline std::vector<Code> ParseCodes(const uint8_t *data, size_t size, int minCodeSize) {
    std::vector<uint8_t> stream;
    size_t p = 0;
    while (p < size && data[p] != 0) {
        const size_t n = data[p];
        stream.insert(stream.end(), data + p + 1, data + p + 1 + n);
        p += n + 1;
    }
    std::vector<Code> codes;
    const uint32_t clear = 1u << minCodeSize;
    int bits = minCodeSize + 1;
    uint32_t next = clear + 2;
    bool first = true;
    size_t bit = 0;
    while (bit + bits <= stream.size() * 8) {
        uint32_t code = 0;
        for (int k = 0; k < bits; ++k, ++bit)
            code |= uint32_t(stream[bit / 8] >> (bit % 8) & 1) << k;
        codes.push_back({code, bits});
        if (code == clear) {
            bits = minCodeSize + 1;
            next = clear + 2;
            first = true;
        } else if (code == clear + 1) {
            break;
        } else if (first) {
            first = false;
        } else if (next < 4096) {
            ++next;
            if (next == (1u << bits) && bits < 12) ++bits;
        }
    }
    return codes;
}

// Standard output of a shell command.
inline std::string Shell(const std::string &command) {
    std::string out;
    if (FILE *pipe = popen(command.c_str(), "r")) {
        char buffer[65536];
        for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

inline bool HaveTool(const char *name) {
    return Shell(std::string("command -v ") + name + " >/dev/null && echo yes") == "yes\n";
}

} // namespace giftest
