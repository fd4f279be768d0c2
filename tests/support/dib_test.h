// Helpers of the bitmap toolkit's Wine tests: DIB blocks (built by
// dib_builder.h) in global memory, what GDI shows of a DIB, files shared with
// the Linux side, and ImageMagick (the Linux program, started through Wine)
// as an independent decoder.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "support/dib_builder.h"

namespace pexatest {

using dibtest::MakeDibBytes;

// A new DIB handle holding the given bytes.
HGLOBAL DibFromBytes(const std::vector<uint8_t> &bytes);
// Every byte of a DIB handle's block.
std::vector<uint8_t> DibBytes(HGLOBAL dib);
// The header at the start of the block (zero when the block is shorter).
BITMAPINFOHEADER HeaderOf(HGLOBAL dib);

inline UINT LockCount(HGLOBAL h) {
    return GlobalFlags(h) & GMEM_LOCKCOUNT;
}

// Frees the handle when the scope ends.
struct OwnedDib {
    HGLOBAL h = nullptr;
    explicit OwnedDib(HGLOBAL handle) : h(handle) {}
    ~OwnedDib() {
        if (h) GlobalFree(h);
    }
    OwnedDib(const OwnedDib &) = delete;
    OwnedDib &operator=(const OwnedDib &) = delete;
    operator HGLOBAL() const { return h; }
};

// What a call cost: its time, and how far it raised the process's peak
// resident memory (a test runs in its own process, so its peak is its own).
struct Cost {
    double seconds = 0;
    double peakGrowthMb = 0;
};
Cost Measure(const std::function<void()> &call);
// Generous bounds for a call that must cost little whatever its input
// claims: under 3 seconds and 100 MB of resident memory.
void ExpectCheap(const Cost &cost);

// What DrawDIB shows of the DIB: its pixels as 0x00RRGGBB, top row first,
// rendered into a 32-bit DIB section. Empty when drawing failed.
std::vector<uint32_t> RenderDib(HGLOBAL dib);

// A file in the test data folder, by its Windows name and its Linux name.
struct SharedFile {
    std::string windows;
    std::string unix;
};
// A file name unique to this process in folder (created if missing).
SharedFile SharedPathIn(const std::string &folder, const std::string &name);
#ifdef PEXA_TEST_DATA_DIR
// The same in the build's test data folder.
inline SharedFile SharedPath(const std::string &name) {
    return SharedPathIn(PEXA_TEST_DATA_DIR "/bmp", name);
}
#endif

std::vector<uint8_t> ReadBytes(const std::string &windowsPath);
bool WriteBytes(const std::string &windowsPath, const std::vector<uint8_t> &bytes);

// Runs ImageMagick's convert with the arguments (Linux paths, quoted with
// ' where needed) and writes output in format (BMP3, BMP2, ppm, ...); true
// when the file was written.
bool Magick(const std::string &arguments, const std::string &format, const SharedFile &output);
// Standard output of a Linux shell command line (no double quotes in it),
// passed through the file scratch; empty when the command failed.
std::string LinuxOutput(const std::string &command, const SharedFile &scratch);
// ImageMagick's decoding of an image file: width x height pixels as
// 0x00RRGGBB, top row first. Empty when it could not decode the file.
std::vector<uint32_t> MagickPixels(const SharedFile &image, int *width, int *height);

} // namespace pexatest
