// Bit-depth conversions of packed DIBs, and the pieces every pixel operation
// of the toolkit shares: a view of a source block that checks its header
// against its size, and the sink that hands out the result block. Portable:
// the Win32 shell passes locked global memory, the tests pass vectors.
//
// Every operation returns Failure::kNone on success or the reason for the
// error box (see failure.h), and never reads outside the source block nor
// writes outside the result.
#pragma once

#include <cstddef>
#include <cstdint>

#include "dib/dib_layout.h"
#include "dib/failure.h"

namespace pexa::dib {

// The bytes of a locked source DIB and the size of its block.
struct Block {
    const uint8_t *data = nullptr;
    size_t size = 0;
};

// Hands out the result block. Allocate returns a zeroed block of exactly
// `size` bytes, or nullptr when there is no memory; it is called at most once
// per operation. When an operation fails after allocating, the owner of the
// sink frees the block.
class ResultSink {
  public:
    virtual uint8_t *Allocate(size_t size) = 0;

  protected:
    ~ResultSink() = default;
};

// A source DIB as the pixel code sees it. The header is read from the first
// 40 bytes (a shorter block holds no DIB and reads as an all-zero header),
// and PixelsInside checks the rest against the block.
struct SourceDib {
    bool hasHeader = false; // the block holds at least 40 bytes
    InfoHeader header{};
    const uint8_t *block = nullptr;
    size_t blockSize = 0;
    uint32_t colors = 0;     // colour-table entries (biClrUsed or 2^bits)
    uint64_t bitsOffset = 0; // header, colour table and bit-field masks
    uint32_t width = 0;
    uint32_t height = 0; // absolute value of biHeight
    uint64_t rowBytes = 0;

    explicit SourceDib(Block source);

    // True when width is not negative and the colour table and every pixel
    // row lie inside the block.
    bool PixelsInside() const;
    // True when the colour table alone lies inside the block.
    bool PaletteInside() const;
    const Quad *palette() const { return reinterpret_cast<const Quad *>(block + 40); }
    const uint8_t *Row(uint32_t y) const { return block + bitsOffset + rowBytes * y; }
    // Rows that hold pixels: none when the picture is zero pixels wide, whose
    // height alone could otherwise keep a loop busy for two billion rows.
    uint32_t PixelRows() const { return width == 0 ? 0 : height; }
    // The three masks behind the header of a bit-field DIB, or the defaults.
    void Masks(uint32_t &red, uint32_t &green, uint32_t &blue) const;
};

// The checks every operation makes first: a header at all (kNoDib), then a
// 40-byte one (kOs2). Failure::kNone when both pass.
Failure HeaderFailure(const SourceDib &src);

// What the compression says of a DIB: kNone for BI_RGB, and for bit fields
// on 16 or 32 bits; kRle for RLE8 and RLE4, whatever the depth (operations
// that take run-length data decide themselves); kCompressionDepth for bit
// fields on any other depth; kCompression for values no DIB can have.
Failure CompressionFailure(const InfoHeader &header);

// Depths whose pixels the toolkit can address: 1, 4, 8, 16, 24, 32.
bool IsPixelDepth(uint16_t bits);

// Byte layout of a result under construction: header, colour table, optional
// masks, then rows of rowBytes each.
struct ResultLayout {
    InfoHeader header{};
    uint32_t paletteEntries = 0; // room for colour entries in the block
    bool masks = false;
    uint64_t rowBytes = 0;
    uint64_t BitsOffset() const { return 40 + 4 * uint64_t(paletteEntries) + (masks ? 12 : 0); }
    // Whole block; 0 when it would not fit the header's 32-bit image size.
    size_t BlockSize() const;
};

// Lays out a result of the given size and depth: header built from nothing
// (2953 pixels per metre, planes 1, positive height). Returns false when the
// picture is too large for a DIB.
bool LayoutResult(uint32_t width, uint32_t height, uint16_t bitCount, uint32_t paletteEntries,
                  ResultLayout &layout);

// Allocates the result, writes its header and returns the block, or nullptr.
uint8_t *AllocateResult(const ResultLayout &layout, ResultSink &sink);

// Value of a colour channel as 8 bits: the masked field moved up until the
// mask's top bit is bit 31, then bits 31 to 24. A 5-bit field f gives f * 8
// (no low-bit replication), a 6-bit field f * 4. A zero mask gives 0.
uint8_t MaskToByte(uint32_t value, uint32_t mask);

// Widening conversions; the result keeps the source's resolutions and stored
// row order. 1 -> 4 and 4 -> 8 keep the colour indices.
Failure Dib1To4(Block source, ResultSink &sink);
Failure Dib4To8(Block source, ResultSink &sink);
Failure Dib8To24(Block source, ResultSink &sink);
Failure Dib16To24(Block source, ResultSink &sink);
Failure Dib32To24(Block source, ResultSink &sink);

// Narrowing of a 24-bit DIB with error diffusion: to black and white, and to
// the fixed 16-colour table. The source is only read.
Failure Dib24To1(Block source, ResultSink &sink);
Failure Dib24To4(Block source, ResultSink &sink);

// The fixed 16-colour table of 4-bit results.
extern const Quad kSixteenColors[16];

// Grey value of a colour: (77 red + 151 green + 28 blue) / 256.
inline uint8_t GreyOf(unsigned red, unsigned green, unsigned blue) {
    return uint8_t((77 * red + 151 * green + 28 * blue) >> 8);
}

} // namespace pexa::dib
