// The blocks of an animated GIF89a file: the screen descriptor with the
// global colour table, the NETSCAPE2.0 loop extension (as browsers and
// ImageMagick read it), and per image a
// graphic control extension (delay, transparency, disposal "leave in place"),
// the image descriptor with an optional local table, and the LZW-coded
// indices. Portable: bytes go to a Sink.
#pragma once

#include <cstdint>
#include <vector>

#include "gif/anim_palette.h"
#include "gif/gif_codec.h"
#include "gif/lzw_encoder.h"

namespace pexa::gif {

// Bits of a colour table that holds `colors` entries (1 to 8; 2^bits >= colors).
int TableBits(uint32_t colors);

// "GIF89a", the screen of width x height with the global table (and room
// for the transparent index behind its colours; all 256 entries when
// fullTable, so that readers which take the screen's depth from it accept
// local tables of any size), and the loop extension for an animation played
// `plays` times (0: forever; 1 needs none).
bool WriteAnimHeader(Sink &sink, uint32_t width, uint32_t height, const std::vector<Color> &global,
                     bool fullTable, uint16_t plays);

// One image of an animation.
struct AnimImage {
    uint32_t left = 0, top = 0, width = 0, height = 0;
    const std::vector<Color> *localTable = nullptr; // null: the global table
    uint32_t colors = 0;  // index values the image can hold: its table's colours and the
                          // transparent slot behind them
    int transparent = -1; // transparent index, or -1
    uint16_t delay = 0;   // hundredths of a second
    const uint8_t *indices = nullptr; // width x height, top row first
};

// The graphic control extension, descriptor, table and data of the image.
// The encoder is only working space.
bool WriteAnimImage(Sink &sink, const AnimImage &image, LzwEncoder &encoder);

// The trailer byte.
bool WriteAnimTrailer(Sink &sink);

} // namespace pexa::gif
