// Block layout of animated GIF files (GIF89a, with the Netscape loop
// extension that every browser and ImageMagick read).
#include "gif/anim_stream.h"

namespace pexa::gif {

namespace {

// A colour table of 2^bits entries, black after the given colours.
bool PutTable(Sink &sink, const std::vector<Color> &colors, int bits) {
    uint8_t table[3 * 256] = {};
    for (size_t i = 0; i < colors.size() && i < 256; ++i) {
        table[3 * i] = colors[i].red;
        table[3 * i + 1] = colors[i].green;
        table[3 * i + 2] = colors[i].blue;
    }
    return sink.Write(table, 3 * (size_t(1) << bits));
}

} // namespace

int TableBits(uint32_t colors) {
    int bits = 1;
    while (bits < 8 && (1u << bits) < colors)
        ++bits;
    return bits;
}

bool WriteAnimHeader(Sink &sink, uint32_t width, uint32_t height, const std::vector<Color> &global,
                     bool fullTable, uint16_t plays) {
    const int bits = fullTable ? 8 : TableBits(uint32_t(global.size()) + 1);
    uint8_t screen[13] = {'G', 'I', 'F', '8', '9', 'a'};
    PutLe16(screen + 6, width);
    PutLe16(screen + 8, height);
    screen[10] = uint8_t(0x80 | 7 << 4 | (bits - 1)); // global table, 8-bit colour resolution
    // The extension counts repeats after the first play, 0 meaning forever;
    // a file without it plays once.
    uint8_t loop[19] = {0x21, 0xFF, 11,  'N', 'E', 'T', 'S', 'C',
                        'A',  'P',  'E', '2', '.', '0', 3,   1};
    PutLe16(loop + 16, plays == 0 ? 0 : plays - 1u);
    return sink.Write(screen, sizeof screen) && PutTable(sink, global, bits) &&
           (plays == 1 || sink.Write(loop, sizeof loop));
}

bool WriteAnimImage(Sink &sink, const AnimImage &image, LzwEncoder &encoder) {
    const bool transparent = image.transparent >= 0;
    uint8_t control[8] = {0x21, 0xF9, 4, uint8_t(1 << 2 | (transparent ? 1 : 0))};
    PutLe16(control + 4, image.delay);
    control[6] = uint8_t(transparent ? image.transparent : 0);
    const int bits = TableBits(image.colors);
    uint8_t descriptor[10] = {0x2C};
    PutLe16(descriptor + 1, image.left);
    PutLe16(descriptor + 3, image.top);
    PutLe16(descriptor + 5, image.width);
    PutLe16(descriptor + 7, image.height);
    descriptor[9] = uint8_t(image.localTable ? 0x80 | (bits - 1) : 0);
    const uint8_t minCodeSize = uint8_t(bits < 2 ? 2 : bits);
    return sink.Write(control, sizeof control) && sink.Write(descriptor, sizeof descriptor) &&
           (!image.localTable || PutTable(sink, *image.localTable, bits)) &&
           sink.Write(&minCodeSize, 1) &&
           encoder.Encode(image.indices, size_t(image.width) * image.height, minCodeSize, sink);
}

bool WriteAnimTrailer(Sink &sink) {
    const uint8_t trailer = 0x3B;
    return sink.Write(&trailer, 1);
}

} // namespace pexa::gif
