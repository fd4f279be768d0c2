// Helpers of the bitmap toolkit's Wine tests (see dib_test.h).
#include "support/dib_test.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include <gtest/gtest.h>

#include "pexa.h"

namespace pexatest {

HGLOBAL DibFromBytes(const std::vector<uint8_t> &bytes) {
    HGLOBAL dib = GlobalAlloc(GHND, bytes.size());
    if (!dib) return nullptr;
    if (!bytes.empty()) {
        std::memcpy(GlobalLock(dib), bytes.data(), bytes.size());
        GlobalUnlock(dib);
    }
    return dib;
}

std::vector<uint8_t> DibBytes(HGLOBAL dib) {
    std::vector<uint8_t> bytes(GlobalSize(dib));
    if (void *p = GlobalLock(dib)) {
        if (!bytes.empty()) std::memcpy(bytes.data(), p, bytes.size());
        GlobalUnlock(dib);
    }
    return bytes;
}

BITMAPINFOHEADER HeaderOf(HGLOBAL dib) {
    BITMAPINFOHEADER h = {};
    const std::vector<uint8_t> bytes = DibBytes(dib);
    if (bytes.size() >= sizeof h) std::memcpy(&h, bytes.data(), sizeof h);
    return h;
}

Cost Measure(const std::function<void()> &call) {
    auto peak = [] {
        PROCESS_MEMORY_COUNTERS counters = {};
        K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
        return double(counters.PeakWorkingSetSize);
    };
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    const double before = peak();
    QueryPerformanceCounter(&start);
    call();
    QueryPerformanceCounter(&end);
    Cost cost;
    cost.seconds = double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
    cost.peakGrowthMb = (peak() - before) / (1 << 20);
    return cost;
}

void ExpectCheap(const Cost &cost) {
    EXPECT_LT(cost.seconds, 3.0);
    EXPECT_LT(cost.peakGrowthMb, 100.0);
}

std::vector<uint32_t> RenderDib(HGLOBAL dib) {
    const LONG width = GetDIBWidth(dib);
    const LONG height = GetDIBHeight(dib);
    if (width <= 0 || height <= 0) return {};
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height; // top row first
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void *pixels = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP section = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &pixels, nullptr, 0);
    std::vector<uint32_t> out;
    if (section) {
        HGDIOBJ old = SelectObject(dc, section);
        if (DrawDIB(dc, dib, nullptr, 0, 0) == 1) {
            GdiFlush();
            const uint32_t *p = static_cast<const uint32_t *>(pixels);
            out.assign(p, p + size_t(width) * height);
            for (uint32_t &c : out)
                c &= 0xFFFFFF;
        }
        SelectObject(dc, old);
        DeleteObject(section);
    }
    DeleteDC(dc);
    return out;
}

SharedFile SharedPathIn(const std::string &folder, const std::string &name) {
    // Every folder on the way, so that a fresh build tree works.
    for (size_t slash = folder.find('/', 1); slash != std::string::npos;
         slash = folder.find('/', slash + 1))
        CreateDirectoryA(("Z:" + folder.substr(0, slash)).c_str(), nullptr);
    CreateDirectoryA(("Z:" + folder).c_str(), nullptr);
    char unique[32];
    std::snprintf(unique, sizeof unique, "/p%lu_", GetCurrentProcessId());
    SharedFile f;
    f.unix = folder + unique + name;
    f.windows = "Z:" + f.unix;
    return f;
}

std::vector<uint8_t> ReadBytes(const std::string &windowsPath) {
    std::vector<uint8_t> bytes;
    if (FILE *f = std::fopen(windowsPath.c_str(), "rb")) {
        uint8_t buffer[65536];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
            bytes.insert(bytes.end(), buffer, buffer + n);
        std::fclose(f);
    }
    return bytes;
}

bool WriteBytes(const std::string &windowsPath, const std::vector<uint8_t> &bytes) {
    FILE *f = std::fopen(windowsPath.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

namespace {

// Wine starts a Linux program given by its Windows path but does not wait
// for it (the process handle ends at once). So the shell command writes a
// side file and renames it to the output when done, or leaves a ".failed"
// marker, and this waits for either name.
bool RunUntilWritten(const std::string &shellCommand, const SharedFile &output) {
    const SharedFile failed = {output.windows + ".failed", output.unix + ".failed"};
    DeleteFileA(output.windows.c_str());
    DeleteFileA(failed.windows.c_str());
    std::string command = "Z:\\bin\\sh -c \"" + shellCommand + " && mv '" + output.unix +
                          ".partial' '" + output.unix + "' || : > '" + failed.unix + "'\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    const DWORD start = GetTickCount();
    for (;;) {
        if (GetFileAttributesA(output.windows.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
        if (GetFileAttributesA(failed.windows.c_str()) != INVALID_FILE_ATTRIBUTES) break;
        if (GetTickCount() - start > 60000) break;
        Sleep(10);
    }
    DeleteFileA(failed.windows.c_str());
    return false;
}

} // namespace

bool Magick(const std::string &arguments, const std::string &format, const SharedFile &output) {
    return RunUntilWritten(
        "/usr/bin/convert " + arguments + " " + format + ":'" + output.unix + ".partial'", output);
}

std::string LinuxOutput(const std::string &command, const SharedFile &scratch) {
    if (!RunUntilWritten("( " + command + " ) > '" + scratch.unix + ".partial'", scratch))
        return {};
    const std::vector<uint8_t> bytes = ReadBytes(scratch.windows);
    DeleteFileA(scratch.windows.c_str());
    return std::string(bytes.begin(), bytes.end());
}

std::vector<uint32_t> MagickPixels(const SharedFile &image, int *width, int *height) {
    SharedFile ppm = image;
    ppm.unix += ".ppm";
    ppm.windows += ".ppm";
    if (!Magick("'" + image.unix + "' -depth 8", "ppm", ppm)) return {};
    const std::vector<uint8_t> bytes = ReadBytes(ppm.windows);
    DeleteFileA(ppm.windows.c_str());
    const std::string head(bytes.begin(), bytes.begin() + std::min<size_t>(bytes.size(), 64));
    int w = 0, h = 0, max = 0, used = 0;
    if (std::sscanf(head.c_str(), "P6 %d %d %d%n", &w, &h, &max, &used) != 3 || max != 255 ||
        w <= 0 || h <= 0)
        return {};
    const size_t start = size_t(used) + 1; // one whitespace byte after the maximum
    if (bytes.size() < start + size_t(w) * h * 3) return {};
    std::vector<uint32_t> out(size_t(w) * h);
    for (size_t i = 0; i < out.size(); ++i) {
        const uint8_t *p = &bytes[start + 3 * i];
        out[i] = uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
    }
    *width = w;
    *height = h;
    return out;
}

} // namespace pexatest
