// Window capture: the client area of a scene window as a new 24-bit DIB,
// for DIBfromWind's request and the context menu's "save as bitmap". Runs on
// the library thread, which owns the window and its device context.
#include "runtime/win32_capture.h"

#include "pexa.h"
#include "runtime/win32_library.h"
#include "runtime/win32_routes.h"
#include "runtime/win32_wind.h"

namespace pexa {

// The size comes from the window's own client rectangle, which is the
// viewport of each of its frames; the viewport of whichever context is
// current would be that of the window drawn last, not necessarily this one.
HGLOBAL CaptureWindowDIB(HWND hwnd, HDC hdc) {
    RECT client{};
    if (!hwnd || !GetClientRect(hwnd, &client) || client.right <= 0 || client.bottom <= 0)
        return nullptr;
    HDC windowDC = hdc ? hdc : GetDC(hwnd);
    if (!windowDC) return nullptr;

    HBITMAP bitmap = nullptr;
    HDC memory = CreateCompatibleDC(windowDC);
    if (memory) bitmap = CreateCompatibleBitmap(windowDC, client.right, client.bottom);
    bool copied = false;
    BITMAP bm{};
    if (bitmap && GetObjectA(bitmap, sizeof bm, &bm) != 0) {
        if (HGDIOBJ previous = SelectObject(memory, bitmap)) {
            copied = BitBlt(memory, 0, 0, bm.bmWidth, bm.bmHeight, windowDC, 0, 0, SRCCOPY) != 0;
            SelectObject(memory, previous);
        }
    }
    if (memory) DeleteDC(memory);
    if (!hdc) ReleaseDC(hwnd, windowDC);

    HGLOBAL dib = copied ? DDBtoDIB(bitmap, nullptr, 24, BI_RGB) : nullptr;
    if (bitmap) DeleteObject(bitmap);
    return dib;
}

namespace {
const Route kCaptureRequests[] = {
    {PEXA_MSG_DIB_FROM_WIND, Target::Current,
     [](const Call &c) {
         return reinterpret_cast<LRESULT>(CaptureWindowDIB(c.w->hwnd(), c.w->hdc()));
     },
     0},
};
PEXA_ROUTES(kCaptureRequests);
} // namespace

} // namespace pexa
