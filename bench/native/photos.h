// The benchmark photographs of bench/data, decoded by ImageMagick's convert
// at run time (optionally resized or reduced on the way), and the helpers
// that turn them into DIBs and palette indices.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace bench {

// Folder of the photographs, found from this header's own path.
inline std::string DataDir() {
    std::string here = __FILE__;
    return here.substr(0, here.rfind("/native/")) + "/data/";
}

struct Rgb {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels; // red, green, blue, top row first
};

// Runs convert on a photograph of bench/data (or any file, when the name
// holds a '/'), with `options` between input and output, and reads its
// pixels. Empty when convert is missing or fails.
inline Rgb Photo(const std::string &name, const std::string &options = "") {
    const std::string path = name.find('/') == std::string::npos ? DataDir() + name : name;
    Rgb rgb;
    const std::string size = "convert '" + path + "' " + options + " -format '%w %h' info:";
    if (FILE *p = popen(size.c_str(), "r")) {
        if (std::fscanf(p, "%d %d", &rgb.width, &rgb.height) != 2) rgb.width = rgb.height = 0;
        pclose(p);
    }
    if (rgb.width <= 0 || rgb.height <= 0) return {};
    rgb.pixels.resize(size_t(rgb.width) * rgb.height * 3);
    const std::string read = "convert '" + path + "' " + options + " -depth 8 rgb:-";
    size_t got = 0;
    if (FILE *p = popen(read.c_str(), "r")) {
        got = std::fread(rgb.pixels.data(), 1, rgb.pixels.size(), p);
        pclose(p);
    }
    if (got != rgb.pixels.size()) return {};
    return rgb;
}

// Palette indices of a picture of at most 256 colours, in order of first
// appearance; empty when it has more.
inline std::vector<uint8_t> Indices(const Rgb &rgb) {
    std::map<uint32_t, uint8_t> index;
    std::vector<uint8_t> out(rgb.pixels.size() / 3);
    for (size_t i = 0; i < out.size(); ++i) {
        const uint8_t *p = &rgb.pixels[3 * i];
        const uint32_t key = uint32_t(p[0]) << 16 | p[1] << 8 | p[2];
        auto it = index.find(key);
        if (it == index.end()) {
            if (index.size() == 256) return {};
            it = index.emplace(key, uint8_t(index.size())).first;
        }
        out[i] = it->second;
    }
    return out;
}

// A bottom-up 24-bit DIB block (header, pixel rows) of the picture.
inline std::vector<uint8_t> Dib24(const Rgb &rgb) {
    const uint32_t rowBytes = (uint32_t(rgb.width) * 3 + 3) & ~3u;
    std::vector<uint8_t> block(40 + size_t(rowBytes) * rgb.height);
    const uint32_t header[10] = {40,
                                 uint32_t(rgb.width),
                                 uint32_t(rgb.height),
                                 1 | 24 << 16,
                                 0,
                                 rowBytes * rgb.height,
                                 2953,
                                 2953,
                                 0,
                                 0};
    std::memcpy(block.data(), header, 40);
    for (int y = 0; y < rgb.height; ++y) {
        uint8_t *row = block.data() + 40 + size_t(rowBytes) * (rgb.height - 1 - y);
        const uint8_t *from = &rgb.pixels[size_t(y) * rgb.width * 3];
        for (int x = 0; x < rgb.width; ++x) {
            row[3 * x] = from[3 * x + 2];
            row[3 * x + 1] = from[3 * x + 1];
            row[3 * x + 2] = from[3 * x];
        }
    }
    return block;
}

} // namespace bench
