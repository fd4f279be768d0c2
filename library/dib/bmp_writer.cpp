// Writing BMP files: the 14-byte file header in front of a DIB block. The
// block itself is written as it lies in memory.
#include "dib/bmp_format.h"

namespace pexa::bmp {

namespace {

void Put16(uint8_t *p, uint16_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}

void Put32(uint8_t *p, uint32_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}

} // namespace

void StoreFileHeader(const FileHeader &header, uint8_t *bytes) {
    Put16(bytes, header.type);
    Put32(bytes + 2, header.size);
    Put16(bytes + 6, header.reserved1);
    Put16(bytes + 8, header.reserved2);
    Put32(bytes + 10, header.offBits);
}

FileHeader MakeFileHeader(const uint8_t *block, size_t blockSize) {
    const dib::InfoHeader h = dib::ReadHeader(block);
    FileHeader f;
    f.type = kSignature;
    f.size = uint32_t(blockSize + kFileHeaderSize);
    f.offBits = uint32_t(kFileHeaderSize + dib::BitsOffset(h));
    return f;
}

} // namespace pexa::bmp
