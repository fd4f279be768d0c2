// Writing a palette DIB of 1, 4 or 8 bits as a GIF file with one image: the
// screen descriptor and global colour table, the image descriptor, the
// LZW-coded indices (interlaced or not) and the trailer. Portable: bytes go
// to a Sink, memory and messages through a Host. Deeper and RLE DIBs are
// converted by the caller first.
#pragma once

#include <cstddef>
#include <cstdint>

#include "gif/gif_codec.h"

namespace pexa::gif {

// "GIF87a" for version 87, "GIF89a" for 89, else null.
const char *GifSignature(int version);

// True when the block of size bytes holds a DIB the writer can take: a
// 40-byte header, 1, 4 or 8 bits, no compression, a size a GIF can hold,
// and all its rows inside the block.
bool IsWritableDib(const uint8_t *dib, size_t size);

// Everything after the signature. A DIB that IsWritableDib refuses gets
// "Keine DIB vorhanden!". Returns false (after telling host where there is
// a text for it) when memory or the sink fails; the trailer is written
// whenever the screen descriptor was.
bool WriteGifBody(Sink &sink, const uint8_t *dib, size_t size, bool interlace, Host &host);

} // namespace pexa::gif
