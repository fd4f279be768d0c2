// BMP files on byte buffers: the 14-byte file header, the checks and layout
// decisions that turn a file's headers into a packed DIB block, and the file
// header written in front of a DIB. Portable: no windows.h. The Win32 layer
// reads and writes the files; everything that decides what a byte means is
// here, so that the native tests and the fuzzer see the same code.
//
// Decisions for files that the classic format leaves open:
//  - Top-down files (negative height) are read with the absolute height and
//    their rows are turned into bottom-up order, so the DIB shows the same
//    picture with the positive height that every toolkit result carries.
//    Compressed files cannot be top-down and are refused.
//  - Bit-field files keep their three masks in the block right behind the
//    40-byte header, with an empty colour table (biClrUsed 0), so GetDIBBits
//    and the 16- and 32-bit readers find the bits at 52. A colour table that
//    such a file carries as a display hint is dropped.
//  - biClrUsed above what the depth can index (2^bits up to 8 bits) keeps
//    only the entries the depth can use; a hint table of a 16-, 24- or 32-bit
//    file keeps at most 256 entries.
//  - RLE files keep their stored non-zero image size, limited to the bytes
//    the file holds behind bfOffBits; a size of 0 takes those bytes.
//  - Empty pictures (width or height 0) are read like any other: what
//    WriteDIB writes of a toolkit result, ReadDIB reads back.
//  - Only the bytes the file holds are written into the block: a small file
//    claiming a huge picture costs a lazily zeroed block, not its pages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "dib/dib_layout.h"

namespace pexa::bmp {

constexpr size_t kFileHeaderSize = 14;
constexpr uint16_t kSignature = 0x4D42;  // "BM"
constexpr uint32_t kCoreHeaderSize = 12; // OS/2 BITMAPCOREHEADER
constexpr uint32_t kMaskBytes = 12;      // red, green, blue masks of BI_BITFIELDS
// Bytes that decide whether a file is read at all: file header plus the
// first 40 bytes behind it (also for the 12-byte OS/2 header).
constexpr size_t kMinHeadSize = kFileHeaderSize + dib::kInfoHeaderSize;
// Largest DIB block the reader builds; every size fits 32 bits.
constexpr uint64_t kMaxBlockSize = 0xFFFFFFFFu;

struct FileHeader {
    uint16_t type = 0;
    uint32_t size = 0;
    uint16_t reserved1 = 0;
    uint16_t reserved2 = 0;
    uint32_t offBits = 0;
};

// Little-endian fields of a 14-byte file header.
FileHeader ParseFileHeader(const uint8_t *bytes);
void StoreFileHeader(const FileHeader &header, uint8_t *bytes);

enum class ReadStatus {
    Ok,
    ShortFileHeader, // fewer than 14 bytes
    NotBmp,          // no "BM" signature
    ShortInfoHeader, // fewer than 40 bytes behind the file header
    UnknownFormat,   // header size, depth, compression or dimensions unusable
    TooLarge,        // the image would not fit a 32-bit size
};

// The quick test of IsBMPFile on the first bytes of a file: 54 bytes or
// more, "BM", and an info header size of 40 or 12.
bool LooksLikeBmp(const uint8_t *head, size_t headSize);

// Where everything lies, in the file and in the DIB block to build.
struct ReadLayout {
    dib::InfoHeader header{}; // the 40-byte header of the DIB
    bool core = false;        // OS/2 file: colour entries of 3 bytes
    bool topDown = false;     // rows stored top row first
    uint32_t colors = 0;      // entries of the DIB's colour table
    uint32_t masks = 0;       // bytes of colour masks (0 or 12)
    uint64_t rowBytes = 0;    // bytes per padded pixel row
    uint64_t tableOffset = 0; // file offset of the masks or colour table
    uint32_t tableBytes = 0;  // bytes of masks and colour table to read there
    uint64_t bitsOffset = 0;  // file offset of the pixel bits
    uint32_t bitsInFile = 0;  // bytes of bits the file holds (<= sizeImage)
    uint32_t tablesSize = 0;  // block bytes of header, masks and colour table
    uint32_t blockSize = 0;   // tablesSize + sizeImage
};

// Checks the first bytes of a file (up to kMinHeadSize are looked at) of
// fileSize bytes in all and computes the layout of its DIB.
ReadStatus ParseHeaders(const uint8_t *head, size_t headSize, uint64_t fileSize,
                        ReadLayout *layout);

// Writes the header, masks and colour table into the first tablesSize bytes
// of the block from the tableBytes read at tableOffset; a shorter table
// (the file ended) leaves the missing entries zero.
void FillTables(const ReadLayout &layout, const uint8_t *table, size_t tableSize, uint8_t *block);

// Reverses the order of rows rows of rowBytes bytes each, in place.
void FlipRows(uint8_t *bits, uint64_t rowBytes, uint32_t rows);

// Where the bits the file holds go in the block. Bottom-up files give one
// piece. A top-down file's whole rows go, in file order, to the end of the
// block, where FlipRows of flipRows rows at flipOffset turns them; a last
// partial row goes right below them. Rows the file does not hold are never
// touched.
struct BitsPlan {
    struct Piece {
        uint64_t from = 0; // offset behind bitsOffset in the file
        uint64_t to = 0;   // offset behind tablesSize in the block
        uint64_t size = 0;
    } pieces[2];
    int count = 0;
    uint64_t flipOffset = 0;
    uint32_t flipRows = 0;
};
BitsPlan PlanBits(const ReadLayout &layout);

// The whole reader on a file held in memory: fills dib with the packed DIB
// (blockSize bytes) or leaves it empty when the status is not Ok. Refuses
// blocks above maxBlock with TooLarge.
ReadStatus ReadBmp(const uint8_t *file, size_t fileSize, std::vector<uint8_t> *dib,
                   uint64_t maxBlock = kMaxBlockSize);

// The file header written in front of a DIB block of blockSize bytes (at
// least 40): bfSize = block + 14, bfOffBits behind colour table and masks.
FileHeader MakeFileHeader(const uint8_t *block, size_t blockSize);

// What a block holds, for the functions that hand a DIB to GDI.
enum class BlockShape {
    kNoHeader, // null, or shorter than a 40-byte header
    kBroken,   // a header GDI cannot take (size, depth, compression, negative
               // width), or a colour table, masks or bits beyond the block
    kEmpty,    // a sound DIB of width or height 0: nothing to draw
    kImage,    // a sound DIB with pixels
};
BlockShape ShapeOf(const uint8_t *block, size_t blockSize);

// True when the block is a sound DIB, empty or not: a 40-byte header of
// known depth and compression, and the colour table, masks and bits it
// promises all inside the block.
bool HoldsImage(const uint8_t *block, size_t blockSize);

} // namespace pexa::bmp
