// Outline fonts (pexav16 only): the request behind CreateFontEXT builds 256
// display lists of 3D glyphs and their metrics into the caller's record.
#include "objects/text_pixels.h"
#include "pexa.h"
#include "runtime/win32_routes.h"
#include "runtime/win32_wind.h"

using namespace pexa;

namespace {

// The record gets the list base, or 0 when nothing could be built.
LRESULT BuildOutlineFont(const Call &call) {
    cWind *w = call.w;
    HFONT font = reinterpret_cast<HFONT>(call.wParam);
    OutlineFont *record = reinterpret_cast<OutlineFont *>(call.lParam);
    int base = 0;
    if (!record || !font || !w->os.hglrc ||
        !TakeFontLists(&w->render.nextFontListId, w->sceneListId, &base))
        return 0;
    wglMakeCurrent(w->hdc(), w->os.hglrc);
    SelectObject(w->hdc(), font); // and it stays selected
    record->listBase = base;
    if (!wglUseFontOutlinesA(w->hdc(), 0, 256, DWORD(base), 0.0f, record->extrusion, record->format,
                             record->metrics)) {
        record->listBase = 0;
        return 0;
    }
    return base;
}

const Route kOutlineFontRequests[] = {
    {PEXA_MSG_CREATE_FONT_EXT, Target::Current, BuildOutlineFont, 0},
};
PEXA_ROUTES(kOutlineFontRequests);

} // namespace
