// ReadDIB and WriteDIB of a 4096 x 4096 24-bit file (48 MiB), each against
// the plainest code doing the same job, in interleaved rounds (median and
// minimum of the per-round ratios, see rounds.h):
//  - ReadDIB vs a plain read: open, read the file header, a new GHND block,
//    one ReadFile of the rest into it;
//  - WriteDIB vs a plain write: create, one WriteFile of the file header and
//    one of the block.
// Both sides of a read bring a new 48 MiB block into memory; a new block
// merely touched once per page is printed beside them for scale (where page
// faults are slow, as on virtual machines, it dominates every reader).
//   tools/wine-run.sh build/x64/bin/bench_bmp_io.exe
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "../rounds.h"
#include "pexa.h"

namespace {

// The plain read: what any program that loads a BMP into one block does.
HGLOBAL PlainRead(const std::string &name) {
    HANDLE file = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    BITMAPFILEHEADER header;
    DWORD got = 0;
    HGLOBAL block = nullptr;
    if (ReadFile(file, &header, sizeof header, &got, nullptr) && got == sizeof header) {
        const DWORD size = GetFileSize(file, nullptr) - sizeof header;
        block = GlobalAlloc(GHND, size);
        if (block && !ReadFile(file, GlobalLock(block), size, &got, nullptr)) got = 0;
        if (block) GlobalUnlock(block);
    }
    CloseHandle(file);
    return block;
}

// The plain write: the file header, then the block as it is.
bool PlainWrite(const std::string &name, HGLOBAL dib) {
    HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const DWORD size = DWORD(GlobalSize(dib));
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;
    header.bfSize = DWORD(sizeof header) + size;
    header.bfOffBits = DWORD(sizeof header) + 40;
    DWORD put = 0;
    bool ok = WriteFile(file, &header, sizeof header, &put, nullptr) != 0;
    ok = ok && WriteFile(file, GlobalLock(dib), size, &put, nullptr) != 0;
    GlobalUnlock(dib);
    CloseHandle(file);
    return ok;
}

} // namespace

int main() {
    const int side = 4096;
    const size_t rowBytes = size_t(side) * 3;
    const size_t image = rowBytes * side;
    HGLOBAL dib = GlobalAlloc(GHND, 40 + image);
    auto *block = static_cast<uint8_t *>(GlobalLock(dib));
    BITMAPINFOHEADER h = {};
    h.biSize = 40;
    h.biWidth = side;
    h.biHeight = side;
    h.biPlanes = 1;
    h.biBitCount = 24;
    h.biSizeImage = DWORD(image);
    h.biXPelsPerMeter = h.biYPelsPerMeter = 2953;
    std::memcpy(block, &h, sizeof h);
    for (size_t i = 0; i < image; ++i)
        block[40 + i] = uint8_t(i * 2654435761u >> 13);
    GlobalUnlock(dib);

    char folder[MAX_PATH] = {};
    GetTempPathA(sizeof folder, folder);
    const std::string source = std::string(folder) + "pexa_bench_source.bmp";
    const std::string copy = std::string(folder) + "pexa_bench_copy.bmp";
    const std::string written = std::string(folder) + "pexa_bench_written.bmp";
    if (WriteDIB(source.c_str(), dib) != 1) return 1;

    std::printf("4096 x 4096 x 24 bits, %.1f MiB, %d rounds\n", (40 + image + 14) / 1048576.0,
                bench::kRounds);
    bench::Print("ReadDIB vs a plain read", "plain",
                 bench::InterleaveCalls([&] { GlobalFree(ReadDIB(source.c_str())); },
                                        [&] { GlobalFree(PlainRead(source)); }));
    bench::Print("WriteDIB vs a plain write", "plain",
                 bench::InterleaveCalls([&] { WriteDIB(written.c_str(), dib); },
                                        [&] { PlainWrite(copy, dib); }));
    const double touch = bench::Seconds([&] {
        HGLOBAL fresh = GlobalAlloc(GHND, 40 + image);
        auto *p = static_cast<volatile uint8_t *>(GlobalLock(fresh));
        for (size_t i = 0; i < 40 + image; i += 4096)
            p[i] = 1;
        GlobalUnlock(fresh);
        GlobalFree(fresh);
    });
    std::printf("  in scale: a new block of that size, touched once per page: %.1f ms\n",
                touch * 1e3);

    GlobalFree(dib);
    DeleteFileA(source.c_str());
    DeleteFileA(copy.c_str());
    DeleteFileA(written.c_str());
    return 0;
}
