// The text and bitmap kinds of the 3D list: bitmap-glyph text (TextBMP),
// outline-glyph text scaled to a size (TextEXT) and a DIB drawn as a pixel
// rectangle (Bitmap). Each draws at the raster position of the model origin
// as transformed by the objects before it.
#pragma once

#include <windows.h>

#include <GL/gl.h>

#include <string>

#include "pexa.h"
#include "scene/object_types.h"

namespace pexa {

// What makes two fonts draw the same glyphs: their description (face,
// size, style, ...) and what the kind of glyph adds (kind, and for outline
// glyphs extrusion and format). Empty for a handle that is no font (a
// deleted one, say). dc is the window's device context: the font selected
// there before is deselected first, so that one the program deleted while
// it was selected (its deletion waits until then) is gone by the check.
std::string FontKey(HDC dc, HFONT font, char kind, const void *extra = nullptr,
                    size_t extraSize = 0);

} // namespace pexa

class cTextBMP3D : public cObj {
  public:
    static constexpr int kTypeId = pexa::kTypeTextBMP;
    cTextBMP3D() : cObj(kTypeId) {}
    ~cTextBMP3D() override { delete[] text; }
    void Draw() override;
    void DrawExtra() override {}
    char *text = nullptr; // owned copy
    int listBase = 0;     // of a CreateFontBMP font; 0 draws nothing
};

class cTextEXT3D : public cObj {
  public:
    static constexpr int kTypeId = pexa::kTypeTextEXT;
    cTextEXT3D() : cObj(kTypeId) {}
    ~cTextEXT3D() override { delete[] text; }
    void Draw() override;
    void DrawExtra() override {}
    float scaleX = 1, scaleY = 1;
    char *text = nullptr; // owned copy
    int listBase = 0;     // of a CreateFontEXT font; 0 draws nothing
    int textLength = 0;   // characters
};

// Points into the program's DIB, which must outlive the object unchanged in
// size; width and height are the header's, checked against the block when
// the object was set.
class cBitmap3D : public cObj {
  public:
    static constexpr int kTypeId = pexa::kTypeBitmap;
    cBitmap3D() : cObj(kTypeId) {}
    void Draw() override;
    void DrawExtra() override {}
    const BITMAPINFOHEADER *header = nullptr;
    const void *bits = nullptr;
    float zoom = 1;
    int spare = 0;            // stored, not used
    int format = 0, type = 0; // of glDrawPixels
    int width = 0, height = 0;
};
