// The exported functions of pexa.h's "Text and bitmaps in the 3D scene"
// section: fonts (built on the library thread, gl_text.cpp and
// gl_font_outline.cpp) and the TextBMP, TextEXT and Bitmap kinds, set on the
// calling thread.
#include <climits>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>

#include "dib/win32_dib_lock.h"
#include "objects/gl_text.h"
#include "objects/text_copy.h"
#include "objects/text_pixels.h"
#include "objects/win32_create.h"
#include "platform/win32_messages.h"
#include "runtime/win32_library.h"

using namespace pexa;

static_assert(sizeof(GlyphMetric) == sizeof(GLYPHMETRICSFLOAT) &&
                  offsetof(GLYPHMETRICSFLOAT, gmfBlackBoxY) == offsetof(GlyphMetric, blackBoxY) &&
                  offsetof(GLYPHMETRICSFLOAT, gmfCellIncX) == offsetof(GlyphMetric, cellIncX),
              "glyph metrics layout");

namespace {

// A text kind's owned copy changes hands under the scene lock; the copy
// it replaces is freed after.
template <class T, class Set> cObj *SetText(cObj *obj, const char *text, Set set) {
    if (obj && !IsKind<T>(obj)) return nullptr;
    char *copy = CopyText(text);
    char *old = nullptr;
    bool taken = false; // an object owns the copy (and frees it if refused)
    auto store = [&](T *o) {
        old = o->text;
        o->text = copy;
        taken = true;
        set(o);
    };
    cObj *result = CreateOrModify<T>(obj, store);
    if (!taken) delete[] copy;
    delete[] old;
    return result;
}

} // namespace

extern "C" {

PEXA_API int CreateFontBMP(HFONT font) {
    return int(SendRequest(PEXA_MSG_CREATE_FONT_BMP, reinterpret_cast<WPARAM>(font), 0));
}

PEXA_API OutlineFont CreateFontEXT(HFONT font, float extrusion, int format) {
    OutlineFont record;
    std::memset(&record, 0, sizeof record);
    record.extrusion = extrusion;
    record.format = format;
    SendRequest(PEXA_MSG_CREATE_FONT_EXT, reinterpret_cast<WPARAM>(font),
                reinterpret_cast<LPARAM>(&record));
    return record;
}

PEXA_API cObj *TextBMP(cObj *obj, const char *text, int listBase) {
    return SetText<cTextBMP3D>(obj, text, [&](cTextBMP3D *o) { o->listBase = listBase; });
}

PEXA_API cObj *TextEXT(cObj *obj, const char *text, const OutlineFont *font, float width,
                       float height) {
    const int length = text ? TextLength(text) : 0;
    const TextScale scale = OutlineTextScale(
        text, size_t(length), font ? reinterpret_cast<const GlyphMetric *>(font->metrics) : nullptr,
        width, height);
    return SetText<cTextEXT3D>(obj, text, [&](cTextEXT3D *o) {
        o->textLength = o->text ? length : 0;
        o->listBase = font ? font->listBase : 0;
        o->scaleX = scale.x;
        o->scaleY = scale.y;
    });
}

// The object keeps pointing into the DIB. A DIB whose block does not hold
// the pixel rectangle that glDrawPixels would read is not drawn.
PEXA_API cObj *Bitmap(cObj *obj, HGLOBAL dib, float zoom, int spare, int format, int type) {
    if (obj && !IsKind<cBitmap3D>(obj)) return nullptr;
    const BITMAPINFOHEADER *header = nullptr;
    const void *bits = nullptr;
    int width = 0, height = 0;
    {
        DibLock lock(dib);
        const BITMAPINFOHEADER *h = lock.header();
        uint64_t need = 0;
        if (h && lock.bits() &&
            PixelRectangleBytes(h->biWidth, h->biHeight, unsigned(format), unsigned(type), 4,
                                &need) &&
            need <= lock.BitsSize()) {
            header = h;
            bits = lock.bits();
            width = h->biWidth;
            height = h->biHeight;
        } else {
            ConsoleMessage("\n Bitmap: the DIB is missing or holds fewer pixels than its size, "
                           "format and type need; it is not drawn.");
        }
    }
    auto set = [&](cBitmap3D *o) {
        o->header = header;
        o->bits = bits;
        o->zoom = zoom;
        o->spare = spare;
        o->format = format;
        o->type = type;
        o->width = width;
        o->height = height;
    };
    return CreateOrModify<cBitmap3D>(obj, set);
}

} // extern "C"
