// The 2D overlay kinds: GDI steps of a window's 2D list, painted over the
// finished 3D image in list order. State steps select a pen, brush or font,
// set the background colour and mode, the foreground mix or the current
// position; drawing steps draw lines, curves, shapes, pixels, texts and
// bitmaps. Coordinates are client pixels, already moved by the current 2D
// position when the window takes them as relative (at set time).
//
// Every kind keeps its fields after cObj's, in the order of its parameters.
// Objects own their point arrays, texts and device-dependent bitmaps; the
// pens, brushes and fonts they select belong to the program.
#pragma once

#include <windows.h>

#include "pexa.h"
#include "scene/object_types.h"

namespace pexa {
class cWind;
}

// Base of the library's 2D kinds (no fields of its own). Draw paints into
// the window being drawn; Paint into the window given, which is also the
// current window when a step is drawn as soon as it is set.
class cOverlay2D : public cObj {
  public:
    explicit cOverlay2D(int typeId) : cObj(typeId) {}
    void Draw() override;
    void DrawExtra() override {}
    virtual void Paint(pexa::cWind *w, HDC dc) = 0;
};

#define PEXA_OVERLAY_BODY(Class, type)                                                             \
    static constexpr int kTypeId = pexa::type;                                                     \
    Class() : cOverlay2D(kTypeId) {}                                                               \
    void Paint(pexa::cWind *w, HDC dc) override;

class cPen2D : public cOverlay2D {
  public:
    PEXA_OVERLAY_BODY(cPen2D, kTypePen2D)
    HPEN pen = nullptr;
};

class cBrush2D : public cOverlay2D {
  public:
    PEXA_OVERLAY_BODY(cBrush2D, kTypeBrush2D)
    HBRUSH brush = nullptr;
};

class cFont2D : public cOverlay2D {
  public:
    PEXA_OVERLAY_BODY(cFont2D, kTypeFont2D)
    HFONT font = nullptr;
};

class cBkCol2D : public cOverlay2D {
  public:
    PEXA_OVERLAY_BODY(cBkCol2D, kTypeBackColor2D)
    float red = 0, green = 0, blue = 0;
};

class cBkMod2D : public cOverlay2D {
  public:
    PEXA_OVERLAY_BODY(cBkMod2D, kTypeBackMode2D)
    int mode = OPAQUE;
};

class cFrMix2D : public cOverlay2D {
  public:
    PEXA_OVERLAY_BODY(cFrMix2D, kTypeForeMix2D)
    int mix = R2_COPYPEN;
};

class cMoveTo2D : public cOverlay2D {
  public:
    PEXA_OVERLAY_BODY(cMoveTo2D, kTypeMoveTo2D)
    int x = 0, y = 0;
};

class cLineTo2D : public cOverlay2D {
  public:
    PEXA_OVERLAY_BODY(cLineTo2D, kTypeLineTo2D)
    int x = 0, y = 0;
};

class cLine2D : public cOverlay2D {
  public:
    PEXA_OVERLAY_BODY(cLine2D, kTypeLine2D)
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

class cRectangle2D : public cOverlay2D {
  public:
    PEXA_OVERLAY_BODY(cRectangle2D, kTypeRectangle2D)
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0; // inclusive corners
};

class cCircle2D : public cOverlay2D {
  public:
    PEXA_OVERLAY_BODY(cCircle2D, kTypeCircle2D)
    int cx = 0, cy = 0, radius = 0;
    float startAngle = 0, sweepAngle = 360; // degrees
};

// Arc2D and Pie2D: the bounding box and the two radial end points.
class cArc2D : public cOverlay2D {
  public:
    PEXA_OVERLAY_BODY(cArc2D, kTypeArc2D)
    int p[8] = {};
};

class cPie2D : public cOverlay2D {
  public:
    PEXA_OVERLAY_BODY(cPie2D, kTypePie2D)
    int p[8] = {};
};

class cPixel2D : public cOverlay2D {
  public:
    PEXA_OVERLAY_BODY(cPixel2D, kTypePixel2D)
    int x = 0, y = 0;
    COLORREF colour = 0; // the current pen's colour at set time
};

// PolyLine2D, PolyBezier2D and Polygon2D: an owned copy of the points, then
// a third parameter (SetThird): the "to" flag or the fill mode.
class cPoints2D : public cOverlay2D {
  public:
    explicit cPoints2D(int typeId) : cOverlay2D(typeId) {}
    ~cPoints2D() override { delete[] points; }
    POINT *points = nullptr;
    int count = 0;
};

class cPolyLine2D : public cPoints2D {
  public:
    static constexpr int kTypeId = pexa::kTypePolyLine2D;
    cPolyLine2D() : cPoints2D(kTypeId) {}
    void Paint(pexa::cWind *w, HDC dc) override;
    void SetThird(int v) { to = v; }
    int to = 0; // PolylineTo, moving the current position
};

class cPolyBezier2D : public cPoints2D {
  public:
    static constexpr int kTypeId = pexa::kTypePolyBezier2D;
    cPolyBezier2D() : cPoints2D(kTypeId) {}
    void Paint(pexa::cWind *w, HDC dc) override;
    void SetThird(int v) { to = v; }
    int to = 0;
};

class cPolygon2D : public cPoints2D {
  public:
    static constexpr int kTypeId = pexa::kTypePolygon2D;
    cPolygon2D() : cPoints2D(kTypeId) {}
    void Paint(pexa::cWind *w, HDC dc) override;
    void SetThird(int v) { fillMode = v; }
    int fillMode = ALTERNATE;
};

class cText2D : public cOverlay2D {
  public:
    PEXA_OVERLAY_BODY(cText2D, kTypeText2D)
    ~cText2D() override { delete[] text; }
    int x = 0, y = 0;
    char *text = nullptr; // owned copy
    COLORREF colour = 0;
};

class cTextBlock2D : public cOverlay2D {
  public:
    PEXA_OVERLAY_BODY(cTextBlock2D, kTypeTextBlock2D)
    ~cTextBlock2D() override { delete[] text; }
    RECT rect = {};
    bool toRight = false, toBottom = false; // the edge is the client area's
    char *text = nullptr;                   // owned copy
    int format = 0;                         // DrawTextA flags
    COLORREF colour = 0;
};

class cBitmap2D : public cOverlay2D {
  public:
    PEXA_OVERLAY_BODY(cBitmap2D, kTypeBitmap2D)
    ~cBitmap2D() override {
        if (bitmap) DeleteObject(bitmap);
    }
    HBITMAP bitmap = nullptr; // owned
    int x = 0, y = 0;
    // Stretch 0: width and height (unused when drawing at natural size);
    // otherwise the margins to the client area's right and bottom edges.
    int width = 0, height = 0;
    int stretch = 0;
};

#undef PEXA_OVERLAY_BODY
