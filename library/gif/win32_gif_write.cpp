// WriteGIF: creates the file, brings the DIB to 1, 4 or 8 bits with the
// toolkit's own conversions (RLE decoding; 16, 24 and 32 bits become 256
// grey levels), and hands it to the portable writer.
#include <windows.h>

#include "dib/dib_layout.h"
#include "dib/win32_dib_lock.h"
#include "gif/gif_writer.h"
#include "gif/win32_gif_platform.h"
#include "pexa.h"
#include "runtime/win32_messages.h"

namespace {

using namespace pexa::gif;

// What the last WriteGIF was asked for; one GIF write at a time.
struct WriteSettings {
    WORD codecVersion;
    int gifVersion;   // 87 or 89
    bool globalTable; // always: the colours go into the global table
    bool interlace;
    int grey; // handed to DIB24To8: 1 for DIBs of 16 bits and more
};
WriteSettings settings;

// Frees an intermediate DIB once the next step has made its own.
HGLOBAL Then(HGLOBAL intermediate, HGLOBAL (*step)(HGLOBAL, int), int grey) {
    if (!intermediate) return nullptr;
    HGLOBAL out = step(intermediate, grey);
    GlobalFree(intermediate);
    return out;
}

// A new DIB of 1, 4 or 8 bits made from dib, or null after the writer's box
// (the conversions show their own boxes first). *converted is false when dib
// can be written as it is.
HGLOBAL Convert(HGLOBAL dib, WORD bitCount, DWORD compression, bool *converted) {
    *converted = true;
    HGLOBAL out = nullptr;
    const char *failure = nullptr;
    if (compression == BI_RLE8 || compression == BI_RLE4) {
        out = RLEtoDIB(dib);
        failure = text::kRleError;
    } else if (bitCount == 16) {
        out = Then(DIB16To24(dib), DIB24To8, settings.grey);
        failure = text::kDeepDibError;
    } else if (bitCount == 32) {
        out = Then(DIB32To24(dib), DIB24To8, settings.grey);
        failure = text::kDeepDibError; // the same text as for 16 bits
    } else if (bitCount == 24) {
        out = DIB24To8(dib, settings.grey);
        failure = text::kReductionError;
    } else {
        *converted = false;
        return dib;
    }
    if (!out) pexa::ErrorBox(failure);
    return out;
}

// Everything after the signature: conversion, then the portable writer.
bool WriteConverted(HANDLE file, HGLOBAL dib) {
    WORD bitCount = 0;
    DWORD compression = 0;
    {
        pexa::DibLock lock(dib);
        if (!lock.HasHeader()) {
            pexa::ErrorBox(text::kNoDib);
            return false;
        }
        bitCount = lock.header()->biBitCount;
        compression = lock.header()->biCompression;
    }
    settings.grey = bitCount >= 16 ? 1 : 0;
    bool converted = false;
    HGLOBAL source = Convert(dib, bitCount, compression, &converted);
    if (!source) return false;
    bool ok = false;
    {
        pexa::DibLock lock(source);
        FileSink sink(file);
        GlobalHost host;
        ok = WriteGifBody(sink, lock.bytes(), lock.size(), settings.interlace, host);
        ok = sink.Flush() && ok;
    }
    if (converted) GlobalFree(source);
    return ok;
}

} // namespace

extern "C" PEXA_API int WriteGIF(const char *fileName, HGLOBAL dib, int version, int interlace) {
    if (!dib) {
        pexa::ErrorBox(text::kNoDib);
        return 0;
    }
    settings = WriteSettings{kCodecVersion, version, true, interlace != 0, 0};
    pexa::FileHandle file(fileName, true);
    if (!file) {
        pexa::ErrorBox(text::kNotCreated);
        return 0;
    }
    // An unknown version leaves the created file empty.
    const char *signature = GifSignature(version);
    if (!signature) {
        pexa::ErrorBox(text::kUnknownFormat);
        return 0;
    }
    DWORD put = 0;
    if (!WriteFile(file.handle(), signature, 6, &put, nullptr) || put != 6) return 0;
    pexa::ShowWaitCursor();
    const bool ok = WriteConverted(file.handle(), dib);
    pexa::ShowArrowCursor();
    return ok ? 1 : 0;
}
