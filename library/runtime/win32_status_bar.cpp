// The optional status bar of a scene window: created with the window when
// CreateWind asks for it, its one text set by StatusText's request.
#include <windows.h>

#include <commctrl.h>

#include <cstring>

#include "pexa.h"
#include "runtime/win32_input.h"
#include "runtime/win32_library.h"
#include "platform/win32_messages.h"
#include "runtime/win32_routes.h"
#include "runtime/win32_wind.h"

namespace pexa {

void CreateStatusBar(cWind *w) {
    HWND bar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                               w->hwnd(), nullptr, lib.hLibModule, nullptr);
    // Without it the window goes on: texts and forwarded messages go nowhere.
    w->dialogs.hStatusBar = bar;
    if (!bar) return;
    w->dialogs.statusText[0] = 0;
    SendMessageA(bar, SB_SIMPLE, 1, 0);
    SendMessageA(bar, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(w->dialogs.statusText));
}

namespace {

// Texts beyond the 255 characters the window keeps are cut there.
LRESULT SetStatusText(const Call &c) {
    DialogState &d = c.w->dialogs;
    if (!d.hasStatusBar) {
        ConsoleMessage("\n\n\a There is no statusbar !");
        return 1;
    }
    const char *text = reinterpret_cast<const char *>(c.wParam);
    std::strncpy(d.statusText, text ? text : "", sizeof d.statusText - 1);
    d.statusText[sizeof d.statusText - 1] = 0;
    if (d.hStatusBar)
        SendMessageA(d.hStatusBar, SB_SETTEXTA, SB_SIMPLEID,
                     reinterpret_cast<LPARAM>(d.statusText));
    return 1;
}

const Route kStatusRequests[] = {
    {PEXA_MSG_STATUS_TEXT, Target::Current, SetStatusText, 0},
};
PEXA_ROUTES(kStatusRequests);

} // namespace

} // namespace pexa
