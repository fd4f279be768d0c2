// The context menu's portable part: which mode item carries the check mark,
// what the mode and motion commands do to the view, and the name a saved
// bitmap gets. Showing the menu, the dialogs and the boxes is the window's.
#pragma once

#include <cstddef>

namespace pexa {

struct ViewState;
struct RenderState;

struct MenuCheck {
    int command;
    bool checked;
};
constexpr int kMenuCheckCount = 11;

// Every item of the four mode groups with its mark: in each group exactly
// the item of the window's mode (none for a mode outside the group).
void MenuChecks(const ViewState &view, const RenderState &render, MenuCheck out[kMenuCheckCount]);
// Runs a mode command ("Smooth" ... "Orthogonal") or "Stop Motion":
// true with the NavEffect flags in effects; false for any other id.
// "Orthogonal" and "Perspective" keep the view angle and clipping.
bool RunMenuModeCommand(int command, ViewState &view, RenderState &render, unsigned &effects);
// Appends ".bmp" to a chosen file name unless its last four characters are
// exactly ".bmp" (so "x.BMP" becomes "x.BMP.bmp"). False, with the name
// unchanged, when the buffer of size bytes has no room for it.
bool BitmapFileName(char *name, size_t size);

} // namespace pexa
