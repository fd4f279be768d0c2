// Reading a GIF file (GIF87a, GIF89a) into one palette DIB of the logical
// screen's size: every image of the file is drawn into it, later ones over
// earlier ones; extension blocks are skipped. Portable: bytes come from a
// Source, memory and messages go through a Host.
#pragma once

#include <cstdint>

#include "gif/gif_codec.h"
#include "gif/lzw_decoder.h"

namespace pexa::gif {

// Reads a GIF from source and returns the new DIB block (allocated through
// host as Block::kDib: 40-byte header, 256 colour entries, pixel rows), or
// null when no DIB could be made. Problems are shown through host; a file
// that goes wrong after the screen descriptor still gives the DIB drawn so
// far. Every read has its own LZW tables (a Block::kPrefixTable from host),
// so reads on different threads are independent.
//
// Work and touched memory follow the data, not the sizes the file claims:
// the DIB and each image's index buffer are asked for at their full size,
// but only the indices that the data delivers are written, and only the
// rows that hold them are drawn. An 8-bit image that fills the screen and
// comes first is decoded in the DIB itself, without an index buffer. A
// block the host cannot give refuses the screen or the image with its
// memory text.
uint8_t *ReadGif(Source &source, Host &host);

// True when the first six bytes are "GIF87a" or "GIF89a".
bool IsGifSignature(const uint8_t *bytes, size_t count);

} // namespace pexa::gif
