// Outline fonts (pexav16 only): the request behind CreateFontEXT builds 256
// display lists of 3D glyphs and their metrics into the caller's record.
#include <algorithm>
#include <cstring>
#include <string>

#include "objects/gl_text.h"
#include "objects/text_pixels.h"
#include "pexa.h"
#include "runtime/win32_routes.h"
#include "runtime/win32_wind.h"

using namespace pexa;

namespace {

// The record gets the list base, or 0 when nothing could be built. A font
// built before into this window with the same extrusion and format answers
// with its lists and metrics.
LRESULT BuildOutlineFont(const Call &call) {
    cWind *w = call.w;
    HFONT font = reinterpret_cast<HFONT>(call.wParam);
    OutlineFont *record = reinterpret_cast<OutlineFont *>(call.lParam);
    if (!record) return 0;
    const struct {
        float extrusion;
        int format;
    } glyphs = {record->extrusion, record->format};
    if (!w->os.hglrc) return 0;
    const std::string key = FontKey(w->hdc(), font, 'O', &glyphs, sizeof glyphs);
    if (key.empty()) return 0;
    SelectObject(w->hdc(), font); // and it stays selected
    if (const FontLists::Font *built = w->render.fonts.Find(key)) {
        std::memcpy(record->metrics, built->metrics.data(),
                    std::min(built->metrics.size(), sizeof record->metrics));
        record->listBase = built->base;
        return built->base;
    }
    int base = 0;
    if (!TakeFontLists(&w->render.nextFontListId, w->sceneListId, &base)) return 0;
    wglMakeCurrent(w->hdc(), w->os.hglrc);
    record->listBase = base;
    if (!wglUseFontOutlinesA(w->hdc(), 0, 256, DWORD(base), 0.0f, record->extrusion, record->format,
                             record->metrics)) {
        record->listBase = 0;
        return 0;
    }
    w->render.fonts.Add(
        key, base,
        std::string(reinterpret_cast<const char *>(record->metrics), sizeof record->metrics));
    return base;
}

const Route kOutlineFontRequests[] = {
    {PEXA_MSG_CREATE_FONT_EXT, Target::Current, BuildOutlineFont, 0},
};
PEXA_ROUTES(kOutlineFontRequests);

} // namespace
