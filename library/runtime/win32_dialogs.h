// The light and view dialogs of a scene window (modeless, on the library
// thread), and the help pages they and the context menu open.
#pragma once

#include <windows.h>

namespace pexa {

class cWind;

// Open the dialog unless it is open already or the window's current 3D list
// is empty. 1 when it is open afterwards.
int OpenLightDialog(cWind *w);
int OpenViewDialog(cWind *w);
// The view dialog shows the window's view after every frame.
void RefreshViewDialog(cWind *w);
// Whether msg belongs to a dialog of a scene window (and was handled).
bool IsSceneDialogMessage(MSG *msg);

// Shared by both dialogs: opening one unless it is open already or the
// window's current 3D list is empty; its handle goes into slot. 1 when it is
// open afterwards.
int OpenSceneDialog(cWind *w, HWND &slot, int resource, DLGPROC procedure);
// A trackbar notification that moves the thumb (line, page, tracking).
bool MovesThumb(WPARAM scrollCode);
// The window bound to a dialog through its hidden
// edit (the window's address in hexadecimal, pointer-sized), or null.
void BindDialog(HWND dialog, int bindingId, cWind *w);
cWind *BoundWindow(HWND dialog, int bindingId);
// Caption " <prefix>: <title>" and the place beside the window.
void PlaceDialog(HWND dialog, cWind *w, const char *prefix, HWND otherDialog);
// Text of an edit read as a number; false (value unchanged) when it is not one.
bool ReadNumber(HWND dialog, int id, float *value);
bool ReadNumber(HWND dialog, int id, double *value);
void WriteNumber(HWND dialog, int id, const char *format, double value);

} // namespace pexa
