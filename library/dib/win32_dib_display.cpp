// Drawing DIBs and device-dependent bitmaps into a device context, and the
// conversions between the two. A DIB is handed to GDI only when its block
// holds everything its header promises (bmp::ShapeOf), so GDI never reads
// past the block; an empty picture, which the toolkit's own functions can
// make, is drawn as nothing. A drawing function returns 1 only when GDI drew.
#include <windows.h>

#include <cstring>
#include <string>

#include "dib/bmp_format.h"
#include "dib/dib_layout.h"
#include "dib/win32_dib.h"
#include "dib/win32_dib_lock.h"
#include "pexa.h"
#include "platform/win32_messages.h"

namespace {

using pexa::DibLock;

using pexa::bmp::BlockShape;

// The shape of the locked block. A block without a header or a broken one
// is unlocked and gets its box: "<name>: No DIB passed!", or
// "<name>: DIB data does not match its header!".
BlockShape ShapeOrBox(DibLock &lock, const char *name) {
    const BlockShape shape = pexa::bmp::ShapeOf(lock.bytes(), lock.size());
    if (shape == BlockShape::kEmpty || shape == BlockShape::kImage) return shape;
    lock.Unlock();
    pexa::ErrorBox((std::string(name) + (shape == BlockShape::kNoHeader
                                             ? ": No DIB passed!"
                                             : ": DIB data does not match its header!"))
                       .c_str());
    return shape;
}

// Selects and realizes a palette for the lifetime of the object; a null
// palette leaves the context's own.
class SelectedPalette {
  public:
    SelectedPalette(HDC dc, HPALETTE palette) : dc_(dc) {
        if (palette) {
            previous_ = SelectPalette(dc, palette, FALSE);
            RealizePalette(dc);
            selected_ = true;
        }
    }
    ~SelectedPalette() {
        if (selected_) SelectPalette(dc_, previous_, FALSE);
    }
    SelectedPalette(const SelectedPalette &) = delete;
    SelectedPalette &operator=(const SelectedPalette &) = delete;

  private:
    HDC dc_;
    HPALETTE previous_ = nullptr;
    bool selected_ = false;
};

// DrawDIB and StretchDIB: stretch is false for a 1:1 copy at (x, y).
int PaintDIB(HDC dc, HGLOBAL dib, HPALETTE palette, int x, int y, int width, int height,
             bool stretch) {
    DibLock lock(dib);
    // StretchDIB shows DrawDIB's texts.
    const BlockShape shape = ShapeOrBox(lock, "DrawDIB");
    if (shape == BlockShape::kEmpty) return 1;
    if (shape != BlockShape::kImage) return 0;
    const BITMAPINFOHEADER *h = lock.header();
    const LONG rows = LONG(pexa::dib::AbsHeight(h->biHeight));
    SelectedPalette selected(dc, palette);
    int lines;
    if (stretch) {
        SetStretchBltMode(dc, COLORONCOLOR);
        lines = StretchDIBits(dc, x, y, width, height, 0, 0, h->biWidth, rows, lock.bits(),
                              lock.info(), DIB_RGB_COLORS, SRCCOPY);
    } else {
        lines = SetDIBitsToDevice(dc, x, y, DWORD(h->biWidth), DWORD(rows), 0, 0, 0, UINT(rows),
                                  lock.bits(), lock.info(), DIB_RGB_COLORS);
    }
    return lines > 0 ? 1 : 0; // 0 or GDI_ERROR: nothing was drawn
}

// DrawDDB and StretchDDB: the bitmap goes through a memory context.
int PaintDDB(HDC dc, HBITMAP bitmap, HPALETTE palette, int x, int y, int width, int height,
             bool stretch) {
    // Something that is not a bitmap (a brush, a stale handle) counts as no
    // bitmap, as for DDBtoDIB.
    BITMAP bm{};
    if (!bitmap || GetObjectType(bitmap) != OBJ_BITMAP || GetObjectA(bitmap, sizeof bm, &bm) == 0) {
        pexa::ErrorBox(stretch ? "StretchDDB: No DDB!" : "DrawDDB: No DDB passed!");
        return 0;
    }
    HDC memory = CreateCompatibleDC(dc);
    if (!memory) {
        pexa::ErrorBox(stretch ? "StretchDDB: No memory device context!"
                               : "DrawDDB: No memory device contect!");
        return 0;
    }
    BOOL drawn = FALSE;
    {
        SelectedPalette onScreen(dc, palette);
        SelectedPalette inMemory(memory, palette);
        // A bitmap selected into another context cannot be selected here.
        if (HGDIOBJ previous = SelectObject(memory, bitmap)) {
            if (stretch) {
                SetStretchBltMode(dc, COLORONCOLOR);
                drawn = StretchBlt(dc, x, y, width, height, memory, 0, 0, bm.bmWidth, bm.bmHeight,
                                   SRCCOPY);
            } else {
                drawn = BitBlt(dc, x, y, bm.bmWidth, bm.bmHeight, memory, 0, 0, SRCCOPY);
            }
            SelectObject(memory, previous);
        }
    }
    DeleteDC(memory);
    return drawn ? 1 : 0;
}

// The screen's device context for the lifetime of the object.
class ScreenDC {
  public:
    ScreenDC() : dc_(GetDC(nullptr)) {}
    ~ScreenDC() {
        if (dc_) ReleaseDC(nullptr, dc_);
    }
    ScreenDC(const ScreenDC &) = delete;
    ScreenDC &operator=(const ScreenDC &) = delete;
    operator HDC() const { return dc_; }

  private:
    HDC dc_;
};

} // namespace

extern "C" {

PEXA_API int DrawDIB(HDC dc, HGLOBAL dib, HPALETTE palette, int x, int y) {
    return PaintDIB(dc, dib, palette, x, y, 0, 0, false);
}

PEXA_API int StretchDIB(HDC dc, HGLOBAL dib, HPALETTE palette, int x, int y, int width,
                        int height) {
    return PaintDIB(dc, dib, palette, x, y, width, height, true);
}

PEXA_API int DrawDDB(HDC dc, HBITMAP bitmap, HPALETTE palette, int x, int y) {
    return PaintDDB(dc, bitmap, palette, x, y, 0, 0, false);
}

PEXA_API int StretchDDB(HDC dc, HBITMAP bitmap, HPALETTE palette, int x, int y, int width,
                        int height) {
    return PaintDDB(dc, bitmap, palette, x, y, width, height, true);
}

PEXA_API HBITMAP DIBtoDDB(HGLOBAL dib, HPALETTE palette) {
    DibLock lock(dib);
    // An empty picture has no bitmap, and needs no box.
    if (ShapeOrBox(lock, "DIBtoDDB") != BlockShape::kImage) return nullptr;
    ScreenDC screen;
    SelectedPalette selected(screen, palette);
    return CreateDIBitmap(screen, lock.header(), CBM_INIT, lock.bits(), lock.info(),
                          DIB_RGB_COLORS);
}

PEXA_API HGLOBAL DDBtoDIB(HBITMAP bitmap, HPALETTE palette, WORD bitsPerPixel, DWORD compression) {
    BITMAP bm{};
    // Something that is not a bitmap counts as no bitmap.
    if (!bitmap || GetObjectType(bitmap) != OBJ_BITMAP || GetObjectA(bitmap, sizeof bm, &bm) == 0) {
        pexa::ErrorBox("DDBtoDIB: No DDB passed!");
        return nullptr;
    }
    if (!palette) palette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    if (bitsPerPixel == 0) bitsPerPixel = WORD(bm.bmPlanes * bm.bmBitsPixel);

    pexa::dib::InfoHeader header = pexa::dib::MakeHeader(bm.bmWidth, bm.bmHeight, bitsPerPixel, 0);
    header.compression = compression;
    header.sizeImage = 0;
    header.clrUsed = pexa::dib::ColorsInPalette(header);
    // A bit-field DIB keeps its three masks behind the header, where
    // GetDIBBits expects them, so the block leaves room for them there.
    const bool bitfields = compression == BI_BITFIELDS;
    if (bitfields && bitsPerPixel != 16 && bitsPerPixel != 32) {
        pexa::ErrorBox("DDBtoDIB: Error in GetDIBits during data transfer!");
        return nullptr;
    }
    const uint64_t masks = bitfields ? pexa::bmp::kMaskBytes : 0;
    const uint64_t tables = pexa::dib::kInfoHeaderSize + masks + 4 * uint64_t(header.clrUsed);

    HGLOBAL dib = pexa::AllocDIB(tables);
    if (!dib) {
        pexa::ErrorBox("DDBtoDIB: Not enough memory for DIB!");
        return nullptr;
    }
    ScreenDC screen;
    SelectedPalette selected(screen, palette);
    auto fail = [&dib](const char *text) -> HGLOBAL {
        GlobalFree(dib);
        pexa::ErrorBox(text);
        return nullptr;
    };
    // GDI is asked for plain rows; a bit-field DIB then gets the masks of
    // exactly those rows (5-5-5 or 8-8-8). HACK: Wine's GetDIBits returns
    // neither masks nor pixels for a BI_BITFIELDS request.
    if (bitfields) header.compression = BI_RGB;
    {
        DibLock lock(dib);
        if (!lock) return fail("DDBtoDIB: Not enough memory for DIB!");
        std::memcpy(lock.bytes(), &header, sizeof header);
        // Lets GDI complete the header (image size, colours).
        GetDIBits(screen, bitmap, 0, UINT(bm.bmHeight), nullptr, lock.info(), DIB_RGB_COLORS);
        std::memcpy(&header, lock.bytes(), sizeof header);
    }
    const bool packed = header.compression == BI_RGB || header.compression == BI_BITFIELDS;
    if (header.sizeImage == 0 && !packed)
        return fail("DDBtoDIB: Error in GetDIBits with RLE-DIBs!");
    if (packed) {
        // Uncompressed rows always take their full size, whatever GDI said.
        const uint64_t image = pexa::dib::RowBytes(header.width, header.bitCount) *
                               pexa::dib::AbsHeight(header.height);
        if (image > pexa::bmp::kMaxBlockSize) return fail("DDBtoDIB: Not enough memory for DIB!");
        header.sizeImage = uint32_t(image);
    }
    header.clrUsed = pexa::dib::ColorsInPalette(header);
    const uint64_t tablesNow = pexa::dib::kInfoHeaderSize + masks + 4 * uint64_t(header.clrUsed);
    const uint64_t total = tablesNow + header.sizeImage;
    if (total > pexa::bmp::kMaxBlockSize) return fail("DDBtoDIB: Not enough memory for DIB!");
    HGLOBAL grown = GlobalReAlloc(dib, SIZE_T(total), GHND);
    if (!grown) return fail("DDBtoDIB: Not enough memory for DIB!");
    dib = grown;

    int lines = 0;
    {
        DibLock lock(dib);
        if (!lock) return fail("DDBtoDIB: Not enough memory for DIB!");
        std::memcpy(lock.bytes(), &header, sizeof header);
        lines = GetDIBits(screen, bitmap, 0, UINT(bm.bmHeight), lock.bytes() + tablesNow,
                          lock.info(), DIB_RGB_COLORS);
        // GDI rewrites the header; the DIB keeps its explicit colour count
        // and the toolkit's resolution.
        BITMAPINFOHEADER *h = lock.header();
        if (bitfields) {
            const uint32_t rowMasks[3] = {bitsPerPixel == 16 ? 0x7C00u : 0xFF0000u,
                                          bitsPerPixel == 16 ? 0x03E0u : 0xFF00u,
                                          bitsPerPixel == 16 ? 0x001Fu : 0xFFu};
            std::memcpy(lock.bytes() + pexa::dib::kInfoHeaderSize, rowMasks, sizeof rowMasks);
            h->biCompression = BI_BITFIELDS;
        }
        h->biClrUsed = header.clrUsed;
        h->biSizeImage = header.sizeImage;
        h->biXPelsPerMeter = pexa::dib::kDefaultPelsPerMeter;
        h->biYPelsPerMeter = pexa::dib::kDefaultPelsPerMeter;
        h->biClrImportant = 0;
    }
    if (lines == 0) return fail("DDBtoDIB: Error in GetDIBits during data transfer!");
    return dib;
}

} // extern "C"
