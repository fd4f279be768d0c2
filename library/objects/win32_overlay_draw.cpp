// The GDI calls of the 2D overlay kinds, the current 2D position they move,
// and the request of RelToPos2D. dc is the device context of the window
// drawn into.
#include <algorithm>
#include <climits>
#include <vector>

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

// HACK: Wine's X11 driver hands a polyline, the outline of a polygon, the
// lines of a flattened Bezier and a text to the X server as one request
// each. Beyond about 4 million points (16 MB, the longest request a server
// takes) or 21 845 characters the server refuses the request and the
// process dies of the X error. Long point arrays and texts are drawn in
// pieces well below that, which join into the same picture: each piece of
// a line starts at the last point of the piece before (whose own last
// point GDI leaves out), each piece of a text at the advance of the
// characters before it.
constexpr int kPointsPerCall = 1 << 20;
constexpr int kCurvesPerCall = 1 << 12; // a curve flattens into up to a few hundred points
constexpr int kCharsPerCall = 4096;

// Polyline (to: PolylineTo, from the current position on).
void Lines(HDC dc, const POINT *p, int n, bool to) {
    if (to) {
        for (int i = 0; i < n; i += kPointsPerCall)
            PolylineTo(dc, p + i, DWORD(std::min(kPointsPerCall, n - i)));
        return;
    }
    for (int i = 0;; i += kPointsPerCall - 1) {
        const int m = std::min(kPointsPerCall, n - i);
        Polyline(dc, p + i, m);
        if (i + m >= n) break;
    }
}

// PolyBezier (3k + 1 points; to: PolyBezierTo, 3k points). A count GDI
// refuses goes to it whole, and is refused as before.
void Curves(HDC dc, const POINT *p, int n, bool to) {
    const int step = 3 * kCurvesPerCall;
    if (n <= step || (n - (to ? 0 : 1)) % 3 != 0) {
        to ? PolyBezierTo(dc, p, DWORD(n)) : PolyBezier(dc, p, DWORD(n));
        return;
    }
    for (int i = 0; i < n - (to ? 0 : 1); i += step) {
        const int m = std::min(step, n - (to ? 0 : 1) - i);
        to ? PolyBezierTo(dc, p + i, DWORD(m)) : PolyBezier(dc, p + i, DWORD(m + 1));
    }
}

// TextOutA, in the device context's alignment (taken as a whole). A long
// text is drawn from the characters that can show in the clip box only:
// X coordinates are 16 bits, and a piece starting beyond them would land
// elsewhere in the window.
void Text(HDC dc, int x, int y, const char *text, int length) {
    if (length <= kCharsPerCall) {
        TextOutA(dc, x, y, text, length);
        return;
    }
    std::vector<int> ends(static_cast<size_t>(length)); // extent of the first i + 1 characters
    SIZE whole = {};
    int fit = 0;
    TEXTMETRICA metrics = {};
    RECT clip = {};
    if (!GetTextExtentExPointA(dc, text, length, INT_MAX, &fit, ends.data(), &whole) ||
        !GetTextMetricsA(dc, &metrics) || GetClipBox(dc, &clip) == ERROR)
        return;
    const UINT align = GetTextAlign(dc);
    if (align & TA_UPDATECP) {
        POINT cp = {};
        GetCurrentPositionEx(dc, &cp);
        x = cp.x;
        y = cp.y;
    }
    x -= (align & TA_CENTER) == TA_CENTER ? whole.cx / 2 : (align & TA_RIGHT) ? whole.cx : 0;
    auto start = [&](int i) { return x + (i ? ends[size_t(i - 1)] : 0); };
    const int margin = metrics.tmMaxCharWidth + metrics.tmOverhang;
    int first = 0, last = length; // the characters [first, last) may show
    while (first < length && x + ends[size_t(first)] < clip.left - margin)
        ++first;
    while (last > first && start(last - 1) > clip.right + margin)
        --last;
    SetTextAlign(dc, align & ~(TA_CENTER | TA_RIGHT | TA_UPDATECP));
    for (int i = first; i < last; i += kCharsPerCall)
        TextOutA(dc, start(i), y, text + i, std::min(kCharsPerCall, last - i));
    SetTextAlign(dc, align);
    if (align & TA_UPDATECP) MoveToEx(dc, x + whole.cx, y, nullptr);
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
    Lines(dc, points, count, to);
    if (to) MoveTo(w, dc, points[count - 1].x, points[count - 1].y);
}

void cPolyBezier2D::Paint(cWind *w, HDC dc) {
    if (!points || count < 1) return;
    Curves(dc, points, count, to);
    if (to) MoveTo(w, dc, points[count - 1].x, points[count - 1].y);
}

// A long outline is drawn after the fill, in pieces, as Polygon draws it.
void cPolygon2D::Paint(cWind *, HDC dc) {
    if (!points || count < 1) return;
    SetPolyFillMode(dc, fillMode);
    if (count <= kPointsPerCall) {
        Polygon(dc, points, count);
        return;
    }
    if (HRGN fill = CreatePolygonRgn(points, count, fillMode)) {
        PaintRgn(dc, fill);
        DeleteObject(fill);
    }
    Lines(dc, points, count, false);
    const POINT closing[2] = {points[count - 1], points[0]};
    Polyline(dc, closing, 2);
}

void cText2D::Paint(cWind *, HDC dc) {
    if (!text) return;
    SetTextColor(dc, colour);
    Text(dc, x, y, text, pexa::TextLength(text));
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
