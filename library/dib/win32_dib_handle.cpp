// DIB handles: header accessors, the two helpers that find the colour table
// and the bits of a locked header, copying a DIB block, and the logical
// palette of a DIB. A handle that cannot be locked, or whose block is too
// small for a header, is treated like a null handle. Also the page
// prefaulting that large new blocks get before they are filled.
#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <utility>

#include "dib/bmp_format.h"
#include "dib/dib_layout.h"
#include "dib/win32_dib.h"
#include "dib/win32_dib_lock.h"
#include "pexa.h"
#include "platform/win32_messages.h"

namespace {

using pexa::DibLock;

// The header of a locked DIB, or null after unlocking and showing noDibText.
BITMAPINFOHEADER *HeaderOrBox(DibLock &lock, const char *noDibText) {
    if (BITMAPINFOHEADER *header = lock.header()) return header;
    lock.Unlock();
    pexa::ErrorBox(noDibText);
    return nullptr;
}

// Applies field to the header of the DIB (reading or changing it) and returns
// its result; shows noDibText and returns 0 when there is no header.
template <class Field>
auto OnHeader(HGLOBAL dib, const char *noDibText, Field field)
    -> decltype(field(std::declval<BITMAPINFOHEADER &>())) {
    DibLock lock(dib);
    BITMAPINFOHEADER *h = HeaderOrBox(lock, noDibText);
    return h ? field(*h) : 0;
}

// Entry i of the fixed palette for DIBs without a colour table: red varies
// fastest in 8 steps of 32, then green in 8 steps, then blue in 4 steps of 64.
PALETTEENTRY TrueColorEntry(unsigned i) {
    PALETTEENTRY e;
    e.peRed = BYTE((i % 8) * 32);
    e.peGreen = BYTE((i / 8 % 8) * 32);
    e.peBlue = BYTE((i / 64) * 64);
    e.peFlags = 0;
    return e;
}

constexpr DWORD kTrueColorEntries = 256;
// A logical palette holds at most this many entries (palNumEntries is a WORD).
constexpr uint64_t kMaxPaletteEntries = 0xFFFF;

} // namespace

namespace pexa {

void PrefaultBlock(void *bytes, size_t size) {
    // Below a megabyte the faults cost less than the calls. Each chunk stays
    // well under the smallest lock limit a Linux host commonly sets (8 MiB),
    // and is unlocked at once: locking is only the way to ask for the pages.
    constexpr size_t kWorthIt = size_t(1) << 20;
    constexpr size_t kChunk = size_t(4) << 20;
    if (!bytes || size < kWorthIt) return;
    auto *p = static_cast<uint8_t *>(bytes);
    for (size_t done = 0; done < size; done += kChunk) {
        const size_t n = std::min(kChunk, size - done);
        if (!VirtualLock(p + done, n)) return;
        VirtualUnlock(p + done, n);
    }
}

} // namespace pexa

extern "C" {

PEXA_API LONG GetDIBWidth(HGLOBAL dib) {
    return OnHeader(dib, "GetDIBWidth: No DIB passed!",
                    [](const BITMAPINFOHEADER &h) { return h.biWidth; });
}

PEXA_API LONG GetDIBHeight(HGLOBAL dib) {
    return OnHeader(dib, "GetDIBHeight: No DIB passed!", [](const BITMAPINFOHEADER &h) {
        return LONG(pexa::dib::AbsHeight(h.biHeight));
    });
}

PEXA_API WORD GetDIBBitPerPixel(HGLOBAL dib) {
    return OnHeader(dib, "GetDIBBitPerPixel: No DIB passed!",
                    [](const BITMAPINFOHEADER &h) { return h.biBitCount; });
}

PEXA_API LONG GetDIBXPelsPerMeter(HGLOBAL dib) {
    return OnHeader(dib, "GetDIBXPelsPerMeter: No DIB passed!",
                    [](const BITMAPINFOHEADER &h) { return h.biXPelsPerMeter; });
}

PEXA_API LONG GetDIBYPelsPerMeter(HGLOBAL dib) {
    return OnHeader(dib, "GetDIBYPelsPerMeter: No DIB passed!",
                    [](const BITMAPINFOHEADER &h) { return h.biYPelsPerMeter; });
}

PEXA_API int SetDIBXPelsPerMeter(HGLOBAL dib, LONG pelsPerMeter) {
    return OnHeader(dib, "SetDIBXPelsPerMeter: No DIB passed!", [&](BITMAPINFOHEADER &h) {
        h.biXPelsPerMeter = pelsPerMeter;
        return 1;
    });
}

PEXA_API int SetDIBYPelsPerMeter(HGLOBAL dib, LONG pelsPerMeter) {
    return OnHeader(dib, "SetDIBYPelsPerMeter: No DIB passed!", [&](BITMAPINFOHEADER &h) {
        h.biYPelsPerMeter = pelsPerMeter;
        return 1;
    });
}

PEXA_API DWORD GetColorsInPalette(const void *header) {
    if (!header || IsBadReadPtr(header, pexa::dib::kInfoHeaderSize)) return 0;
    return pexa::dib::ColorsInPalette(pexa::dib::ReadHeader(header));
}

PEXA_API BYTE *GetDIBBits(void *header) {
    if (!header || IsBadReadPtr(header, pexa::dib::kInfoHeaderSize)) return nullptr;
    // The fixed 40 bytes, not biSize: toolkit DIBs always have that header.
    return static_cast<BYTE *>(header) + pexa::dib::BitsOffset(pexa::dib::ReadHeader(header));
}

PEXA_API HGLOBAL CopyDIB(HGLOBAL dib) {
    DibLock source(dib);
    if (!source) {
        pexa::ErrorBox("CopyDIB: No DIB passed!");
        return nullptr;
    }
    HGLOBAL copy = pexa::AllocDIB(source.size());
    DibLock target(copy);
    if (!target) {
        source.Unlock();
        if (copy) GlobalFree(copy);
        pexa::ErrorBox("CopyDIB: Not enough memory for DIB!");
        return nullptr;
    }
    pexa::PrefaultBlock(target.bytes(), target.size());
    std::memcpy(target.bytes(), source.bytes(), source.size());
    return copy;
}

PEXA_API HPALETTE CreateDIBPalette(HGLOBAL dib) {
    DibLock lock(dib);
    const BITMAPINFOHEADER *h = HeaderOrBox(lock, "CreateDIBPalette: No DIB passed!");
    if (!h) return nullptr;
    if (h->biSize != pexa::dib::kInfoHeaderSize) {
        lock.Unlock();
        pexa::ErrorBox("CreateDIBPalette: No support of OS/2 DIBs!");
        return nullptr;
    }
    const uint64_t colors = GetColorsInPalette(h);
    // A colour table can only be read as far as the block holds it.
    const uint64_t held = (lock.size() - pexa::dib::kInfoHeaderSize) / sizeof(RGBQUAD);
    const DWORD entries = colors == 0 ? kTrueColorEntries
                                      : DWORD(std::min(std::min(colors, held), kMaxPaletteEntries));

    HGLOBAL block = GlobalAlloc(GHND, offsetof(LOGPALETTE, palPalEntry) +
                                          sizeof(PALETTEENTRY) * std::max<DWORD>(entries, 1));
    auto *palette = block ? static_cast<LOGPALETTE *>(GlobalLock(block)) : nullptr;
    if (!palette) {
        if (block) GlobalFree(block);
        lock.Unlock();
        pexa::ErrorBox("CreateDIBPalette: Not enough memory!");
        return nullptr;
    }
    palette->palVersion = 0x300;
    palette->palNumEntries = WORD(entries);
    const RGBQUAD *quads = reinterpret_cast<const RGBQUAD *>(lock.bytes() + h->biSize);
    for (DWORD i = 0; i < entries; ++i) {
        if (colors == 0) {
            palette->palPalEntry[i] = TrueColorEntry(i);
        } else {
            palette->palPalEntry[i] = {quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue, 0};
        }
    }
    HPALETTE result = CreatePalette(palette);
    GlobalUnlock(block);
    GlobalFree(block);
    return result;
}

} // extern "C"
