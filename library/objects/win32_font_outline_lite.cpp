// Outline fonts are left out of pexab16: its answer to the request behind
// CreateFontEXT builds nothing, leaves the record and the window's list
// counter as they are, and returns 0.
#include "pexa.h"
#include "runtime/win32_routes.h"

namespace {

const pexa::Route kOutlineFontRequests[] = {
    {PEXA_MSG_CREATE_FONT_EXT, pexa::Target::None, [](const pexa::Call &) -> LRESULT { return 0; },
     0},
};
PEXA_ROUTES(kOutlineFontRequests);

} // namespace
