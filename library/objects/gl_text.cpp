// Text and bitmaps in the 3D scene: the request that builds a bitmap font
// (CreateFontBMP; outline fonts are built by gl_font_outline.cpp, or
// answered with 0 where they are left out) and the drawing of the TextBMP,
// TextEXT and Bitmap kinds. Their functions are in win32_text_api.cpp.
#include <cstring>
#include <vector>

#include "objects/gl_text.h"
#include "objects/text_copy.h"
#include "objects/text_pixels.h"
#include "runtime/win32_library.h"
#include "runtime/win32_routes.h"
#include "runtime/win32_wind.h"

using namespace pexa;

namespace {

// The attributes a text leaves as it found them: the list base and the
// current, point, line, polygon, stipple, pixel-mode, depth, accumulation,
// stencil and viewport state.
constexpr GLbitfield kTextAttributes = 0x20F3F;

// A font built before into this window answers with its lists.
LRESULT BuildBitmapFont(const Call &call) {
    cWind *w = call.w;
    HFONT font = reinterpret_cast<HFONT>(call.wParam);
    if (!w->os.hglrc) return 0;
    const std::string key = FontKey(w->hdc(), font, 'B');
    if (key.empty()) return 0;
    SelectObject(w->hdc(), font); // and it stays selected
    if (const FontLists::Font *built = w->render.fonts.Find(key)) return built->base;
    int base = 0;
    if (!TakeFontLists(&w->render.nextFontListId, w->sceneListId, &base)) return 0;
    wglMakeCurrent(w->hdc(), w->os.hglrc);
    if (!wglUseFontBitmapsA(w->hdc(), 0, 256, DWORD(base))) return 0;
    w->render.fonts.Add(key, base);
    return base;
}

const Route kFontRequests[] = {
    {PEXA_MSG_CREATE_FONT_BMP, Target::Current, BuildBitmapFont, 0},
};
PEXA_ROUTES(kFontRequests);

// Calls the glyph lists of text from base on. A glyph whose list is not one
// of the drawn window's font lists is skipped: a base that reaches another
// list (the compiled scene, which would then call itself) draws nothing
// there.
void CallGlyphs(int base, const char *text, int length) {
    cWind *w = lib.handledWind;
    if (!w || length < 1) return;
    const FontLists &fonts = w->render.fonts;
    if (fonts.IsBase(uint32_t(base))) {
        glListBase(GLuint(base));
        glCallLists(length, GL_UNSIGNED_BYTE, text);
        return;
    }
    std::vector<GLuint> glyphs;
    for (int i = 0; i < length; ++i) {
        const uint32_t name = uint32_t(base) + static_cast<unsigned char>(text[i]);
        if (fonts.IsGlyph(name)) glyphs.push_back(name);
    }
    glListBase(0);
    if (!glyphs.empty()) glCallLists(GLsizei(glyphs.size()), GL_UNSIGNED_INT, glyphs.data());
}

} // namespace

namespace pexa {

std::string FontKey(HDC dc, HFONT font, char kind, const void *extra, size_t extraSize) {
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    LOGFONTA description;
    if (!font || GetObjectType(font) != OBJ_FONT ||
        GetObjectA(font, sizeof description, &description) != sizeof description)
        return {};
    // Only the name counts of the face name's field.
    const size_t face = std::strlen(description.lfFaceName);
    std::memset(description.lfFaceName + face, 0, sizeof description.lfFaceName - face);
    std::string key(1, kind);
    key.append(reinterpret_cast<const char *>(&description), sizeof description);
    if (extra) key.append(static_cast<const char *>(extra), extraSize);
    return key;
}

} // namespace pexa

void cTextBMP3D::Draw() {
    if (!listBase || !text) return;
    glRasterPos3f(0, 0, 0);
    glPushAttrib(kTextAttributes);
    CallGlyphs(listBase, text, TextLength(text));
    glPopAttrib();
}

void cTextEXT3D::Draw() {
    if (!listBase || !text) return;
    glPushMatrix();
    glRasterPos3f(0, 0, 0);
    glPushAttrib(kTextAttributes);
    glScalef(scaleX, scaleY, 1.0f);
    CallGlyphs(listBase, text, textLength);
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
