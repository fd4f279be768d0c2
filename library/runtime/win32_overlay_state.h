// The 2D overlay's GDI objects outside the objects themselves
// (win32_overlay_state.cpp).
#pragma once

#include <windows.h>

namespace pexa {

class cWind;

// Remembers a pen, brush or font made by CreatePen2D, CreateBrush2D or
// CreateFont2D; returns it.
HGDIOBJ RememberCreated(HGDIOBJ handle);
// DeleteCreated2D: the result of DeleteObject, or 1 for a handle a window
// has already deleted.
BOOL DeleteCreatedForProgram(HGDIOBJ handle);

// Window teardown: selects the stock pen, brush and font into the window's
// device context and deletes its current pen, brush and font where they came
// from CreatePen2D, CreateBrush2D or CreateFont2D, were not deleted yet and
// are not current in another window.
void ReleaseOverlayObjects(cWind *w);

} // namespace pexa
