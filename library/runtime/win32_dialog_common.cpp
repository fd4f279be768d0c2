// What the light and view dialogs share: the requests that open them, the
// binding to their window through a hidden edit, the caption and place
// beside the window, number fields, and the message loop's check for dialog
// messages.
#include "runtime/win32_dialogs.h"

#include <commctrl.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "scene/group.h"
#include "runtime/win32_library.h"
#include "runtime/win32_routes.h"
#include "runtime/win32_wind.h"

namespace pexa {

int OpenSceneDialog(cWind *w, HWND &slot, int resource, DLGPROC procedure) {
    if (slot && IsWindow(slot)) return 1;
    if (!w->lists.current3D || w->lists.current3D->IsEmpty()) return 0;
    slot = nullptr;
    HWND dialog = CreateDialogParamA(lib.hLibModule, MAKEINTRESOURCEA(resource), w->hwnd(),
                                     procedure, reinterpret_cast<LPARAM>(w));
    slot = dialog;
    if (!dialog) return 0;
    ShowWindow(dialog, SW_SHOW);
    return 1;
}

bool MovesThumb(WPARAM scrollCode) {
    switch (LOWORD(scrollCode)) {
    case TB_LINEUP:
    case TB_LINEDOWN:
    case TB_PAGEUP:
    case TB_PAGEDOWN:
    case TB_THUMBTRACK:
        return true;
    default:
        return false;
    }
}

void BindDialog(HWND dialog, int bindingId, cWind *w) {
    char text[32];
    std::snprintf(text, sizeof text, "%llX",
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(w)));
    SetDlgItemTextA(dialog, bindingId, text);
}

// Only a live window of the registry counts: the text is only text.
cWind *BoundWindow(HWND dialog, int bindingId) {
    char text[32] = {};
    if (!GetDlgItemTextA(dialog, bindingId, text, sizeof text)) return nullptr;
    auto address = static_cast<uintptr_t>(std::strtoull(text, nullptr, 16));
    for (cWPWH *e = lib.windowRegistry.first(); e; e = e->next)
        if (reinterpret_cast<uintptr_t>(e->wind) == address && !e->wind->tornDown) return e->wind;
    return nullptr;
}

void PlaceDialog(HWND dialog, cWind *w, const char *prefix, HWND otherDialog) {
    char caption[96];
    std::snprintf(caption, sizeof caption, " %s: %s", prefix, w->title);
    SetWindowTextA(dialog, caption);
    const int d = otherDialog && IsWindow(otherDialog) ? 21 : 0;
    if (w->windowRect.right + d + 330 < GetSystemMetrics(SM_CXSCREEN))
        SetWindowPos(dialog, nullptr, w->windowRect.right + d + 5, w->windowRect.top + d, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER);
}

template <class T> bool ReadAs(HWND dialog, int id, T *value) {
    char text[64] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    char *end = nullptr;
    double number = std::strtod(text, &end);
    while (end && (*end == ' ' || *end == '\t'))
        ++end;
    if (end == text || !end || *end) return false;
    *value = T(number);
    return true;
}
bool ReadNumber(HWND dialog, int id, float *value) {
    return ReadAs(dialog, id, value);
}
bool ReadNumber(HWND dialog, int id, double *value) {
    return ReadAs(dialog, id, value);
}

void WriteNumber(HWND dialog, int id, const char *format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    SetDlgItemTextA(dialog, id, text);
}

// Every scene window's dialogs, not only the current window's: each window
// has its own, and keys typed into one must reach it.
bool IsSceneDialogMessage(MSG *msg) {
    for (cWPWH *e = lib.windowRegistry.first(); e; e = e->next) {
        const DialogState &d = e->wind->dialogs;
        if (d.hLightDlg && IsDialogMessageA(d.hLightDlg, msg)) return true;
        if (d.hViewDlg && IsDialogMessageA(d.hViewDlg, msg)) return true;
    }
    return false;
}

namespace {

const Route kDialogRequests[] = {
    {PEXA_MSG_LIGHT_DIALOG, Target::WindowArg,
     [](const Call &c) -> LRESULT { return OpenLightDialog(c.w); }, 0},
    {PEXA_MSG_VIEW_DIALOG, Target::WindowArg,
     [](const Call &c) -> LRESULT { return OpenViewDialog(c.w); }, 0},
};
PEXA_ROUTES(kDialogRequests);

} // namespace

} // namespace pexa
