// DIBfromScene's request: a new 24-bit DIB of a scene window's picture at
// any size, on the library thread under the scene lock. The 3D pass is
// drawn tile by tile through the window's context (gl_picture.cpp); the 2D
// overlay is drawn over it into a memory context scaled from the client
// area to the picture, starting from the window context's pen, brush, font
// and colours as the window's own 2D pass would.
#include <cstdint>
#include <cstring>

#include "dib/dib_layout.h"
#include "pexa.h"
#include "platform/win32_messages.h"
#include "runtime/win32_library.h"
#include "runtime/win32_routes.h"
#include "runtime/win32_wind.h"

namespace pexa {

namespace {

// A window the library serves: one in the registry, so a stale or foreign
// pointer is never followed.
cWind *RegisteredWindow(void *window) {
    for (cWPWH *e = lib.windowRegistry.first(); e; e = e->next)
        if (e->wind == window && !e->wind->tornDown) return e->wind;
    return nullptr;
}

size_t RowBytes(int width) {
    return size_t(dib::RowBytes(width, 24));
}

// The 2D pass over the picture in bits, scaled from the client area.
bool DrawOverlayOver(cWind *w, unsigned char *bits, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void *sectionBits = nullptr;
    HBITMAP section = CreateDIBSection(w->hdc(), &info, DIB_RGB_COLORS, &sectionBits, nullptr, 0);
    if (!section) return false;
    const size_t size = RowBytes(width) * size_t(height);
    std::memcpy(sectionBits, bits, size);
    bool ok = false;
    if (HDC dc = CreateCompatibleDC(w->hdc())) {
        HGDIOBJ previous = SelectObject(dc, section);
        SetGraphicsMode(dc, GM_ADVANCED);
        const XFORM scale{float(width) / float(w->clientRect.right),   0, 0,
                          float(height) / float(w->clientRect.bottom), 0, 0};
        SetWorldTransform(dc, &scale);
        HDC window = w->hdc();
        SelectObject(dc, GetCurrentObject(window, OBJ_PEN));
        SelectObject(dc, GetCurrentObject(window, OBJ_BRUSH));
        SelectObject(dc, GetCurrentObject(window, OBJ_FONT));
        SetBkColor(dc, GetBkColor(window));
        SetBkMode(dc, GetBkMode(window));
        SetTextColor(dc, GetTextColor(window));
        SetTextAlign(dc, GetTextAlign(window));
        w->DrawOverlay(dc);
        GdiFlush();
        std::memcpy(bits, sectionBits, size);
        SelectObject(dc, previous);
        DeleteDC(dc);
        ok = true;
    }
    DeleteObject(section);
    return ok;
}

LRESULT PictureOfScene(const Call &call) {
    const auto *size = reinterpret_cast<const int *>(call.lParam);
    cWind *w = RegisteredWindow(call.wParam ? reinterpret_cast<void *>(call.wParam)
                                            : static_cast<void *>(CurrentWindow()));
    if (!w) {
        ConsoleMessage("\n DIBfromScene: No scene window!");
        return 0;
    }
    const int width = size[0], height = size[1];
    const size_t stride = RowBytes(width);
    const size_t bytes = stride * size_t(height);
    HGLOBAL dib = bytes <= SIZE_MAX - sizeof(BITMAPINFOHEADER)
                      ? GlobalAlloc(GMEM_MOVEABLE, sizeof(BITMAPINFOHEADER) + bytes)
                      : nullptr;
    auto *block = dib ? static_cast<unsigned char *>(GlobalLock(dib)) : nullptr;
    if (!block) {
        if (dib) GlobalFree(dib);
        ConsoleMessage("\n DIBfromScene: Not enough memory for the picture!");
        return 0;
    }
    const dib::InfoHeader header = dib::MakeHeader(width, height, 24, 0);
    std::memcpy(block, &header, sizeof header);
    unsigned char *bits = block + sizeof header;
    std::memset(bits, 0, bytes);

    bool ok = w->DrawPicture(bits, width, height, stride);
    if (ok && w->lists.has2D) ok = DrawOverlayOver(w, bits, width, height);
    GlobalUnlock(dib);
    if (!ok) {
        GlobalFree(dib);
        ConsoleMessage("\n DIBfromScene: The scene could not be drawn!");
        return 0;
    }
    return reinterpret_cast<LRESULT>(dib);
}

const Route kScenePictureRequests[] = {
    {PEXA_MSG_DIB_FROM_SCENE, Target::None, PictureOfScene, 0},
};
PEXA_ROUTES(kScenePictureRequests);

} // namespace

} // namespace pexa
