// BMP files: IsBMPFile, ReadDIB (with its first step ReadDIBInfo) and
// WriteDIB. This file only moves bytes between files and global memory and
// reports failures; what the bytes mean is decided in bmp_reader.cpp and
// bmp_writer.cpp. The pixel bits go in and out with one call, straight
// between the file and the DIB block.
#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "dib/bmp_format.h"
#include "dib/win32_dib.h"
#include "dib/win32_dib_lock.h"
#include "pexa.h"
#include "platform/win32_file.h"
#include "platform/win32_messages.h"

namespace {

using pexa::DibLock;
using pexa::FileHandle;
namespace bmp = pexa::bmp;

// Reads up to size bytes at the current position; returns how many arrived
// (fewer at the end of the file or on an error).
size_t ReadUpTo(HANDLE file, void *buffer, size_t size) {
    size_t done = 0;
    while (done < size) {
        DWORD chunk = DWORD(std::min<size_t>(size - done, 1u << 30));
        DWORD got = 0;
        if (!ReadFile(file, static_cast<uint8_t *>(buffer) + done, chunk, &got, nullptr) ||
            got == 0)
            break;
        done += got;
    }
    return done;
}

bool WriteAll(HANDLE file, const void *buffer, size_t size) {
    size_t done = 0;
    while (done < size) {
        DWORD chunk = DWORD(std::min<size_t>(size - done, 1u << 30));
        DWORD put = 0;
        if (!WriteFile(file, static_cast<const uint8_t *>(buffer) + done, chunk, &put, nullptr) ||
            put == 0)
            return false;
        done += put;
    }
    return true;
}

bool SeekTo(HANDLE file, uint64_t offset) {
    LARGE_INTEGER position;
    position.QuadPart = LONGLONG(offset);
    return SetFilePointerEx(file, position, nullptr, FILE_BEGIN) != 0;
}

uint64_t SizeOf(HANDLE file) {
    LARGE_INTEGER size;
    return GetFileSizeEx(file, &size) ? uint64_t(size.QuadPart) : 0;
}

const char *ReadInfoText(bmp::ReadStatus status) {
    switch (status) {
    case bmp::ReadStatus::ShortFileHeader:
        return "ReadDIBInfo: Error while reading BMP header!";
    case bmp::ReadStatus::NotBmp:
        return "ReadDIBInfo: Not a valid BMP file!";
    case bmp::ReadStatus::ShortInfoHeader:
        return "ReadDIBInfo: Error while reading DIB info block!";
    case bmp::ReadStatus::UnknownFormat:
        return "ReadDIBInfo: Unkown DIB format!";
    case bmp::ReadStatus::TooLarge:
        return "ReadDIBInfo: Not enough memory for DIB!";
    case bmp::ReadStatus::Ok:
        break;
    }
    return nullptr;
}

// Reads and checks the file header, the info header and the colour table of
// an open file. Returns a new block with the 40-byte header, masks and colour
// table of the DIB, and its layout; or null after an error box.
HGLOBAL ReadDIBInfo(HANDLE file, bmp::ReadLayout *layout) {
    if (file == INVALID_HANDLE_VALUE || file == nullptr) {
        pexa::ErrorBox("ReadDIBInfo: No valid file handle!");
        return nullptr;
    }
    uint8_t head[bmp::kMinHeadSize];
    const size_t got = ReadUpTo(file, head, sizeof head);
    const bmp::ReadStatus status = bmp::ParseHeaders(head, got, SizeOf(file), layout);
    if (status != bmp::ReadStatus::Ok) {
        pexa::ErrorBox(ReadInfoText(status));
        return nullptr;
    }
    uint8_t table[bmp::kMaskBytes + 256 * 4];
    size_t tableSize = 0;
    if (layout->tableBytes != 0 && SeekTo(file, layout->tableOffset))
        tableSize = ReadUpTo(file, table, std::min<size_t>(layout->tableBytes, sizeof table));

    HGLOBAL dib = pexa::AllocDIB(layout->tablesSize);
    DibLock lock(dib);
    if (!lock) {
        if (dib) GlobalFree(dib);
        pexa::ErrorBox("ReadDIBInfo: Not enough memory for DIB!");
        return nullptr;
    }
    bmp::FillTables(*layout, table, tableSize, lock.bytes());
    return dib;
}

} // namespace

extern "C" {

PEXA_API int IsBMPFile(const char *fileName) {
    if (!fileName) return 0;
    FileHandle file(fileName, false);
    if (!file) return 0;
    uint8_t head[bmp::kMinHeadSize];
    return bmp::LooksLikeBmp(head, ReadUpTo(file.handle(), head, sizeof head)) ? 1 : 0;
}

PEXA_API HGLOBAL ReadDIB(const char *fileName) {
    if (!fileName) {
        pexa::ErrorBox("ReadDIB: File name not found!");
        return nullptr;
    }
    FileHandle file(fileName, false);
    if (!file) {
        pexa::ErrorBox("ReadDIB: Error while reading file!");
        return nullptr;
    }
    bmp::ReadLayout layout;
    HGLOBAL info = ReadDIBInfo(file.handle(), &layout);
    if (!info) {
        pexa::ErrorBox("ReadDIB: Error while reading file!");
        return nullptr;
    }
    HGLOBAL dib = GlobalReAlloc(info, layout.blockSize, GHND);
    DibLock lock(dib);
    if (!lock) {
        GlobalFree(dib ? dib : info);
        pexa::ErrorBox("ReadDIB: Not enough memory for DIB!");
        return nullptr;
    }
    pexa::ShowWaitCursor();
    uint8_t *bits = lock.bytes() + layout.tablesSize;
    // Only the bytes the file holds are written; a file shorter than its
    // bits leaves the rest of the block zero, and its pages untouched.
    const bmp::BitsPlan plan = bmp::PlanBits(layout);
    for (int i = 0; i < plan.count; ++i) {
        const bmp::BitsPlan::Piece &piece = plan.pieces[i];
        pexa::PrefaultBlock(bits + piece.to, size_t(piece.size));
        if (SeekTo(file.handle(), layout.bitsOffset + piece.from))
            ReadUpTo(file.handle(), bits + piece.to, size_t(piece.size));
    }
    bmp::FlipRows(bits + plan.flipOffset, layout.rowBytes, plan.flipRows);
    pexa::ShowArrowCursor();
    return dib;
}

PEXA_API int WriteDIB(const char *fileName, HGLOBAL dib) {
    if (!dib) {
        pexa::ErrorBox("WriteDIB: No DIB passed!");
        return 0;
    }
    if (!fileName) {
        pexa::ErrorBox("WriteDIB: No file name found!");
        return 0;
    }
    DibLock lock(dib);
    if (!lock.HasHeader()) {
        lock.Unlock();
        pexa::ErrorBox("WriteDIB: No DIB passed!");
        return 0;
    }
    FileHandle file(fileName, true);
    if (!file) {
        lock.Unlock();
        pexa::ErrorBox("WriteDIB: Error while creating file!");
        return 0;
    }
    // The file holds the whole block, as it lies in memory, behind its header.
    uint8_t head[bmp::kFileHeaderSize];
    bmp::StoreFileHeader(bmp::MakeFileHeader(lock.bytes(), lock.size()), head);
    pexa::ShowWaitCursor();
    const bool written = WriteAll(file.handle(), head, sizeof head) &&
                         WriteAll(file.handle(), lock.bytes(), lock.size());
    pexa::ShowArrowCursor();
    if (written) return 1;
    lock.Unlock();
    pexa::ErrorBox("WriteDIB: Error while writing file!");
    return 0;
}

} // extern "C"
