// Text and bitmaps in the 3D scene: the request that builds a bitmap font
// (CreateFontBMP; outline fonts are built by gl_font_outline.cpp, or
// answered with 0 where they are left out) and the drawing of the TextBMP,
// TextEXT and Bitmap kinds. Their functions are in win32_text_api.cpp.
#include <cstring>

#include "objects/gl_text.h"
#include "objects/text_copy.h"
#include "objects/text_pixels.h"
#include "runtime/win32_routes.h"
#include "runtime/win32_wind.h"

using namespace pexa;

namespace {

// The attributes a text leaves as it found them: the list base and the
// current, point, line, polygon, stipple, pixel-mode, depth, accumulation,
// stencil and viewport state.
constexpr GLbitfield kTextAttributes = 0x20F3F;

LRESULT BuildBitmapFont(const Call &call) {
    cWind *w = call.w;
    HFONT font = reinterpret_cast<HFONT>(call.wParam);
    int base = 0;
    if (!font || !w->os.hglrc || !TakeFontLists(&w->render.nextFontListId, w->sceneListId, &base))
        return 0;
    wglMakeCurrent(w->hdc(), w->os.hglrc);
    SelectObject(w->hdc(), font); // and it stays selected
    return wglUseFontBitmapsA(w->hdc(), 0, 256, DWORD(base)) ? base : 0;
}

const Route kFontRequests[] = {
    {PEXA_MSG_CREATE_FONT_BMP, Target::Current, BuildBitmapFont, 0},
};
PEXA_ROUTES(kFontRequests);

} // namespace

void cTextBMP3D::Draw() {
    if (!listBase || !text) return;
    glRasterPos3f(0, 0, 0);
    glPushAttrib(kTextAttributes);
    glListBase(GLuint(listBase));
    glCallLists(TextLength(text), GL_UNSIGNED_BYTE, text);
    glPopAttrib();
}

void cTextEXT3D::Draw() {
    if (!listBase || !text) return;
    glPushMatrix();
    glRasterPos3f(0, 0, 0);
    glPushAttrib(kTextAttributes);
    glListBase(GLuint(listBase));
    glScalef(scaleX, scaleY, 1.0f);
    glCallLists(textLength, GL_UNSIGNED_BYTE, text);
    glPopAttrib();
    glPopMatrix();
}

void cBitmap3D::Draw() {
    if (!header || !bits) return;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4); // DIB rows are padded to four bytes
    glPixelZoom(zoom, zoom);
    glRasterPos3f(0, 0, 0);
    glDrawPixels(width, height, GLenum(format), GLenum(type), bits);
}
