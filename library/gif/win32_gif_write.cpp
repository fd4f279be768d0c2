// WriteGIF: checks the DIB, brings it to 1, 4 or 8 bits with the toolkit's
// own conversions (RLE decoding; 16, 24 and 32 bits reduced to 256 colours
// in the quality mode of ReduceColors), and hands it to the portable writer.
// The file is written under a temporary name in its folder and put in place
// only when it is complete (WriteFileInPlace), so a failure never costs the
// user a file that was there before. Every call keeps its settings and coder
// to itself: writes on different threads are independent.
#include <windows.h>

#include "dib/dib_layout.h"
#include "dib/win32_dib_lock.h"
#include "gif/gif_writer.h"
#include "gif/win32_gif_platform.h"
#include "pexa.h"
#include "platform/win32_messages.h"

namespace {

using namespace pexa::gif;

// 24 bits to the 256 colours that serve the picture best.
HGLOBAL ToColours(HGLOBAL dib) {
    return ReduceColors(dib, 8, PEXA_REDUCE_QUALITY | PEXA_REDUCE_DIFFUSE | PEXA_REDUCE_MEDIANCUT);
}

// Frees an intermediate DIB once the next step has made its own.
HGLOBAL Then(HGLOBAL intermediate, HGLOBAL (*step)(HGLOBAL)) {
    if (!intermediate) return nullptr;
    HGLOBAL out = step(intermediate);
    GlobalFree(intermediate);
    return out;
}

// A new DIB of 1, 4 or 8 bits made from dib, or null after the writer's box
// (the conversions show their own boxes first). *converted is false when dib
// can be written as it is. A true-colour picture keeps its colours (an
// earlier design wrote every DIB of 16 bits and more in grey levels).
HGLOBAL Convert(HGLOBAL dib, WORD bitCount, DWORD compression, bool *converted) {
    *converted = true;
    HGLOBAL out = nullptr;
    const char *failure = nullptr;
    if (compression == BI_RLE8 || compression == BI_RLE4) {
        out = RLEtoDIB(dib);
        failure = text::kRleError;
    } else if (bitCount == 16) {
        out = Then(DIB16To24(dib), ToColours);
        failure = text::kDeepDibError;
    } else if (bitCount == 32) {
        out = Then(DIB32To24(dib), ToColours);
        failure = text::kDeepDibError; // the same text as for 16 bits
    } else if (bitCount == 24) {
        out = ToColours(dib);
        failure = text::kReductionError;
    } else {
        *converted = false;
        return dib;
    }
    if (!out) pexa::ErrorBox(failure);
    return out;
}

// Everything that can be checked is checked before the file is touched.
bool Write(const char *fileName, HGLOBAL dib, const char *signature, bool interlace) {
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
    bool converted = false;
    HGLOBAL source = Convert(dib, bitCount, compression, &converted);
    if (!source) return false;
    bool ok = false;
    {
        pexa::DibLock lock(source);
        if (!IsWritableDib(lock.bytes(), lock.size())) {
            pexa::ErrorBox(text::kNoDib);
        } else {
            GlobalHost host;
            ok = WriteFileInPlace(fileName, [&](Sink &sink) {
                return sink.Write(signature, 6) &&
                       WriteGifBody(sink, lock.bytes(), lock.size(), interlace, host);
            });
        }
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
    if (!fileName) {
        pexa::ErrorBox(text::kNotCreated);
        return 0;
    }
    const char *signature = GifSignature(version);
    if (!signature) {
        pexa::ErrorBox(text::kUnknownFormat);
        return 0;
    }
    pexa::ShowWaitCursor();
    const bool ok = Write(fileName, dib, signature, interlace != 0);
    pexa::ShowArrowCursor();
    return ok ? 1 : 0;
}
