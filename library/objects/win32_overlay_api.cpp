// The exported functions of pexa.h's "2D overlay" section: the object
// functions of every 2D kind, the helpers that create and delete the pens,
// brushes and fonts the state steps select (remembered by
// runtime/win32_overlay_state.cpp), and RelToPos2D (its request is in
// win32_overlay_draw.cpp).
//
// Setting a kind (new or changed in place) runs on the calling thread under
// the scene lock, because it reads and writes the current window's 2D state
// (current position, pen, switches) and, with initDraw2D on, draws into the
// window's device context at once: frames do both under the same lock.
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>

#include "dib/win32_dib_lock.h"
#include "objects/overlay_geometry.h"
#include "objects/own_object.h"
#include "objects/text_copy.h"
#include "objects/win32_create.h"
#include "objects/win32_overlay.h"
#include "runtime/win32_library.h"
#include "platform/win32_messages.h"
#include "runtime/win32_overlay_state.h"
#include "runtime/win32_scene_lock.h"
#include "runtime/win32_wind.h"

using namespace pexa;

namespace {

// What setting a kind needs of the current window, read under the scene lock.
struct Setting {
    cWind *w = nullptr; // null without a live current window
    int dx = 0, dy = 0; // the current 2D position when coordinates are relative
    int clientWidth = 0, clientHeight = 0;

    int X(int x) const { return AddClamped(x, dx); }
    int Y(int y) const { return AddClamped(y, dy); }
    // The colour of later pixels and texts: the current pen's.
    COLORREF PenColour() const {
        HPEN pen = w ? w->overlay.pen2D : nullptr;
        LOGPEN lp{};
        if (pen && GetObjectA(pen, sizeof lp, &lp) == sizeof lp) return lp.lopnColor;
        return RGB(255, 255, 255); // the stock white pen a window starts with
    }
};

Setting CurrentSetting(bool relative) {
    Setting s;
    cWind *w = CurrentWindow();
    if (!w || w->tornDown || !w->hdc()) return s;
    s.w = w;
    if (relative && w->overlay.relToPos2D) {
        s.dx = w->overlay.pos2D[0];
        s.dy = w->overlay.pos2D[1];
    }
    s.clientWidth = w->clientRect.right;
    s.clientHeight = w->clientRect.bottom;
    return s;
}

// The object function of a 2D kind: obj null makes a new T, an obj of
// T's kind is changed in place, any other obj gives null. set(o, setting)
// stores the parameters; relative says whether they are coordinates that
// follow the current position. With initDraw2D on the object is drawn at
// once into the current window.
template <class T, class Set> cObj *Set2D(cObj *obj, bool relative, Set set) {
    T *o = nullptr;
    if (obj) {
        // The type id alone could be a program's own class.
        if (!(o = AsOwn<T>(obj))) return nullptr;
    } else {
        o = new (std::nothrow) T();
    }
    if (o) {
        SceneWriteGuard lock;
        Setting s = CurrentSetting(relative);
        set(o, s);
        if (s.w && s.w->overlay.initDraw2D) o->Paint(s.w, s.w->hdc());
    }
    return obj ? obj : InsertNew(o, PEXA_MSG_INSERT_2D);
}

// The owned copy of a point array, made before the scene lock is taken: a
// failure shows its box without holding up frames. No points (null or a
// count below 1) store nothing, silently.
struct PointCopy {
    POINT *points = nullptr;
    int count = 0;
    PointCopy(const POINT *from, int n, const char *failure) {
        if (!from || n < 1) return;
        if (n <= kMaxPoints2D) points = new (std::nothrow) POINT[size_t(n)];
        if (!points) {
            ErrorBox(failure);
            return;
        }
        std::memcpy(points, from, size_t(n) * sizeof(POINT));
        count = n;
    }
    // Hands the points to o, releasing what o held; the copy no longer owns them.
    void MoveInto(cPoints2D *o, const Setting &s) {
        for (int i = 0; i < count; ++i)
            points[i] = {s.X(points[i].x), s.Y(points[i].y)};
        delete[] o->points;
        o->points = points;
        o->count = count;
        points = nullptr;
    }
    ~PointCopy() { delete[] points; }
};

template <class T>
cObj *SetPoints(cObj *obj, POINT *points, int count, int third, const char *failure) {
    if (obj && !IsKind<T>(obj)) return nullptr;
    PointCopy copy(points, count, failure);
    return Set2D<T>(obj, true, [&](T *o, const Setting &s) {
        copy.MoveInto(o, s);
        o->SetThird(third);
    });
}

} // namespace

extern "C" {

// State steps.

PEXA_API cObj *Pen2D(cObj *obj, HPEN pen) {
    return Set2D<cPen2D>(obj, false, [&](cPen2D *o, const Setting &s) {
        o->pen = pen;
        if (s.w) s.w->overlay.pen2D = pen;
    });
}

PEXA_API cObj *Brush2D(cObj *obj, HBRUSH brush) {
    return Set2D<cBrush2D>(obj, false, [&](cBrush2D *o, const Setting &s) {
        o->brush = brush;
        if (s.w) s.w->overlay.brush2D = brush;
    });
}

PEXA_API cObj *Font2D(cObj *obj, HFONT font) {
    return Set2D<cFont2D>(obj, false, [&](cFont2D *o, const Setting &s) {
        o->font = font;
        if (s.w) s.w->overlay.font2D = font;
    });
}

PEXA_API cObj *BackColor2D(cObj *obj, float red, float green, float blue) {
    return Set2D<cBkCol2D>(obj, false, [&](cBkCol2D *o, const Setting &) {
        o->red = red;
        o->green = green;
        o->blue = blue;
    });
}

PEXA_API cObj *BackMode2D(cObj *obj, int mode) {
    return Set2D<cBkMod2D>(obj, false, [&](cBkMod2D *o, const Setting &) { o->mode = mode; });
}

PEXA_API cObj *ForeMix2D(cObj *obj, int mix) {
    return Set2D<cFrMix2D>(obj, false, [&](cFrMix2D *o, const Setting &) { o->mix = mix; });
}

PEXA_API cObj *MoveTo2D(cObj *obj, int x, int y) {
    return Set2D<cMoveTo2D>(obj, false, [&](cMoveTo2D *o, const Setting &) {
        o->x = x;
        o->y = y;
    });
}

// Drawing steps.

PEXA_API cObj *LineTo2D(cObj *obj, int x, int y) {
    return Set2D<cLineTo2D>(obj, true, [&](cLineTo2D *o, const Setting &s) {
        o->x = s.X(x);
        o->y = s.Y(y);
    });
}

PEXA_API cObj *Line2D(cObj *obj, int x1, int y1, int x2, int y2) {
    return Set2D<cLine2D>(obj, true, [&](cLine2D *o, const Setting &s) {
        o->x1 = s.X(x1), o->y1 = s.Y(y1);
        o->x2 = s.X(x2), o->y2 = s.Y(y2);
    });
}

PEXA_API cObj *Rectangle2D(cObj *obj, int x1, int y1, int x2, int y2) {
    return Set2D<cRectangle2D>(obj, true, [&](cRectangle2D *o, const Setting &s) {
        o->x1 = s.X(x1), o->y1 = s.Y(y1);
        o->x2 = s.X(x2), o->y2 = s.Y(y2);
    });
}

PEXA_API cObj *Circle2D(cObj *obj, int cx, int cy, int radius, float startAngle, float sweepAngle) {
    return Set2D<cCircle2D>(obj, true, [&](cCircle2D *o, const Setting &s) {
        o->cx = s.X(cx), o->cy = s.Y(cy);
        o->radius = radius;
        o->startAngle = startAngle;
        o->sweepAngle = sweepAngle;
    });
}

PEXA_API cObj *Arc2D(cObj *obj, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    const int p[8] = {x1, y1, x2, y2, x3, y3, x4, y4};
    return Set2D<cArc2D>(obj, true, [&](cArc2D *o, const Setting &s) {
        for (int i = 0; i < 8; i += 2)
            o->p[i] = s.X(p[i]), o->p[i + 1] = s.Y(p[i + 1]);
    });
}

PEXA_API cObj *Pie2D(cObj *obj, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    const int p[8] = {x1, y1, x2, y2, x3, y3, x4, y4};
    return Set2D<cPie2D>(obj, true, [&](cPie2D *o, const Setting &s) {
        for (int i = 0; i < 8; i += 2)
            o->p[i] = s.X(p[i]), o->p[i + 1] = s.Y(p[i + 1]);
    });
}

PEXA_API cObj *Pixel2D(cObj *obj, int x, int y) {
    return Set2D<cPixel2D>(obj, true, [&](cPixel2D *o, const Setting &s) {
        o->x = s.X(x), o->y = s.Y(y);
        o->colour = s.PenColour();
    });
}

PEXA_API cObj *PolyLine2D(cObj *obj, POINT *points, int count, int to) {
    return SetPoints<cPolyLine2D>(obj, points, count, to,
                                  "Error in cPolyLine2D: Allocation failed");
}

PEXA_API cObj *PolyBezier2D(cObj *obj, POINT *points, int count, int to) {
    return SetPoints<cPolyBezier2D>(obj, points, count, to,
                                    "Error in cPolyBezier2D: Allocation failed");
}

PEXA_API cObj *Polygon2D(cObj *obj, POINT *points, int count, int fillMode) {
    return SetPoints<cPolygon2D>(obj, points, count, fillMode,
                                 "Error in cPolygon2D: Allocation failed");
}

PEXA_API cObj *Text2D(cObj *obj, const char *text, int x, int y) {
    if (obj && !IsKind<cText2D>(obj)) return nullptr;
    char *copy = CopyText(text);
    cObj *result = Set2D<cText2D>(obj, true, [&](cText2D *o, const Setting &s) {
        delete[] o->text;
        o->text = copy;
        copy = nullptr;
        o->x = s.X(x), o->y = s.Y(y);
        o->colour = s.PenColour();
    });
    delete[] copy; // not taken: no memory for the object
    return result;
}

PEXA_API cObj *TextBlock2D(cObj *obj, const char *text, int left, int top, int right, int bottom,
                           int format) {
    if (obj && !IsKind<cTextBlock2D>(obj)) return nullptr;
    char *copy = CopyText(text);
    cObj *result = Set2D<cTextBlock2D>(obj, true, [&](cTextBlock2D *o, const Setting &s) {
        delete[] o->text;
        o->text = copy;
        copy = nullptr;
        Rect2D r =
            TextBlockRect(left, top, right, bottom, s.clientWidth, s.clientHeight, s.dx, s.dy);
        o->rect = {r.left, r.top, r.right, r.bottom};
        o->format = format;
        o->colour = s.PenColour();
    });
    delete[] copy;
    return result;
}

PEXA_API cObj *Bitmap2D(cObj *obj, HGLOBAL dib, int x, int y, int width, int height, int stretch) {
    if (obj && !IsKind<cBitmap2D>(obj)) return nullptr;
    // The conversion may show its box: before the scene lock is taken.
    HBITMAP bitmap = DIBtoDDB(dib, nullptr);
    int dibWidth = 0, dibHeight = 0;
    if (bitmap) {
        DibLock lock(dib);
        if (const BITMAPINFOHEADER *h = lock.header()) {
            dibWidth = h->biWidth;
            dibHeight = h->biHeight == INT_MIN ? INT_MAX : std::abs(int(h->biHeight));
        }
    }
    cObj *result = Set2D<cBitmap2D>(obj, false, [&](cBitmap2D *o, const Setting &s) {
        if (o->bitmap) DeleteObject(o->bitmap);
        o->bitmap = bitmap;
        bitmap = nullptr;
        o->x = x, o->y = y;
        o->stretch = stretch;
        if (!stretch) {
            o->width = width ? width : dibWidth;
            o->height = height ? height : dibHeight;
        } else {
            o->width = SubClamped(s.clientWidth, width);
            o->height = SubClamped(s.clientHeight, height);
        }
    });
    if (bitmap) DeleteObject(bitmap);
    return result;
}

// GDI objects for the state steps; the program owns them.

PEXA_API HPEN CreatePen2D(float red, float green, float blue, int width, int style) {
    return HPEN(RememberCreated(CreatePen(style, width, ColorRef(red, green, blue))));
}

PEXA_API HBRUSH CreateBrush2D(float red, float green, float blue, int style, int hatch) {
    LOGBRUSH lb;
    lb.lbStyle = UINT(style);
    lb.lbColor = ColorRef(red, green, blue);
    lb.lbHatch = ULONG_PTR(hatch);
    return HBRUSH(RememberCreated(CreateBrushIndirect(&lb)));
}

PEXA_API HFONT CreateFont2D(const char *name, int height, int weight, int italic, int underline) {
    return HFONT(RememberCreated(
        CreateFontA(height, 0, 0, 0, weight, DWORD(italic), DWORD(underline), 0, ANSI_CHARSET,
                    OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, DRAFT_QUALITY, 0, name ? name : "")));
}

PEXA_API BOOL DeleteCreated2D(HGDIOBJ handle) {
    return DeleteCreatedForProgram(handle);
}

PEXA_API int RelToPos2D(int on) {
    return int(SendRequest(PEXA_MSG_REL_TO_POS_2D, WPARAM(on), 0));
}

} // extern "C"
