// The GDI calls of the 2D overlay kinds, the current 2D position they move,
// and the request of RelToPos2D. dc is the device context of the window
// drawn into.
#include "objects/overlay_geometry.h"
#include "objects/text_copy.h"
#include "objects/win32_overlay.h"
#include "runtime/win32_library.h"
#include "runtime/win32_routes.h"
#include "runtime/win32_scene_lock.h"
#include "runtime/win32_wind.h"

using namespace pexa;

namespace {

LRESULT SetRelToPos2D(const Call &call) {
    SceneWriteGuard lock;
    call.w->overlay.relToPos2D = int(call.wParam);
    return LRESULT(int(call.wParam));
}

const Route kOverlayRequests[] = {
    {PEXA_MSG_REL_TO_POS_2D, Target::Current, SetRelToPos2D, 0},
};
PEXA_ROUTES(kOverlayRequests);

void MoveTo(cWind *w, HDC dc, int x, int y) {
    MoveToEx(dc, x, y, nullptr);
    w->overlay.pos2D[0] = x;
    w->overlay.pos2D[1] = y;
}

} // namespace

void cOverlay2D::Draw() {
    cWind *w = pexa::lib.handledWind;
    if (!w) return;
    HDC dc = w->os.overlayDC ? w->os.overlayDC : w->hdc();
    if (dc) Paint(w, dc);
}

void cPen2D::Paint(cWind *, HDC dc) {
    SelectObject(dc, pen);
}

void cBrush2D::Paint(cWind *, HDC dc) {
    SelectObject(dc, brush);
}

void cFont2D::Paint(cWind *, HDC dc) {
    SelectObject(dc, font);
}

void cBkCol2D::Paint(cWind *w, HDC dc) {
    SetBkColor(dc, pexa::ColorRef(red, green, blue));
    w->overlay.backColor2D[0] = red;
    w->overlay.backColor2D[1] = green;
    w->overlay.backColor2D[2] = blue;
}

void cBkMod2D::Paint(cWind *w, HDC dc) {
    SetBkMode(dc, mode);
    w->overlay.backMode2D = mode;
}

void cFrMix2D::Paint(cWind *w, HDC dc) {
    SetROP2(dc, mix);
    w->overlay.foreMix2D = mix;
}

void cMoveTo2D::Paint(cWind *w, HDC dc) {
    MoveTo(w, dc, x, y);
}

void cLineTo2D::Paint(cWind *w, HDC dc) {
    LineTo(dc, x, y);
    w->overlay.pos2D[0] = x;
    w->overlay.pos2D[1] = y;
}

// The line leaves the current position where it was.
void cLine2D::Paint(cWind *w, HDC dc) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
    MoveToEx(dc, w->overlay.pos2D[0], w->overlay.pos2D[1], nullptr);
}

// GDI leaves the right and bottom edges out; the corners given are inside.
void cRectangle2D::Paint(cWind *, HDC dc) {
    Rectangle(dc, x1, y1, pexa::AddClamped(x2, 1), pexa::AddClamped(y2, 1));
}

void cCircle2D::Paint(cWind *, HDC dc) {
    pexa::ArcArgs a = pexa::CircleArc(cx, cy, radius, startAngle, sweepAngle);
    Arc(dc, a.left, a.top, a.right, a.bottom, a.xStart, a.yStart, a.xEnd, a.yEnd);
}

void cArc2D::Paint(cWind *, HDC dc) {
    Arc(dc, p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7]);
}

void cPie2D::Paint(cWind *, HDC dc) {
    Pie(dc, p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7]);
}

void cPixel2D::Paint(cWind *, HDC dc) {
    SetPixel(dc, x, y, colour);
}

void cPolyLine2D::Paint(cWind *w, HDC dc) {
    if (!points || count < 1) return;
    if (!to) {
        Polyline(dc, points, count);
        return;
    }
    PolylineTo(dc, points, DWORD(count));
    MoveTo(w, dc, points[count - 1].x, points[count - 1].y);
}

void cPolyBezier2D::Paint(cWind *w, HDC dc) {
    if (!points || count < 1) return;
    if (!to) {
        PolyBezier(dc, points, DWORD(count));
        return;
    }
    PolyBezierTo(dc, points, DWORD(count));
    MoveTo(w, dc, points[count - 1].x, points[count - 1].y);
}

void cPolygon2D::Paint(cWind *, HDC dc) {
    if (!points || count < 1) return;
    SetPolyFillMode(dc, fillMode);
    Polygon(dc, points, count);
}

void cText2D::Paint(cWind *, HDC dc) {
    if (!text) return;
    SetTextColor(dc, colour);
    TextOutA(dc, x, y, text, pexa::TextLength(text));
}

// A right or bottom edge given as 0 or less is the client area's, taken
// now: the block follows the window's size, as a stretched Bitmap2D does.
void cTextBlock2D::Paint(cWind *w, HDC dc) {
    if (!text) return;
    SetTextColor(dc, colour);
    RECT r = rect; // DrawTextA may write the rectangle (DT_CALCRECT)
    if (toRight) r.right = w->clientRect.right;
    if (toBottom) r.bottom = w->clientRect.bottom;
    DrawTextA(dc, text, pexa::TextLength(text), &r, UINT(format));
}

// Stretched, the picture keeps its margins to the right and bottom edges of
// the window drawn into.
void cBitmap2D::Paint(cWind *w, HDC dc) {
    if (!bitmap) return;
    if (!stretch) {
        DrawDDB(dc, bitmap, nullptr, x, y);
        return;
    }
    StretchDDB(dc, bitmap, nullptr, x, y, pexa::SubClamped(w->clientRect.right, width),
               pexa::SubClamped(w->clientRect.bottom, height));
}
