// The view dialog (opened by ViewDialog and the context menu).
#include "runtime/win32_dialogs.h"
#include "runtime/win32_wind.h"

namespace pexa {

int OpenViewDialog(cWind *) {
    return 0;
}

void RefreshViewDialog(cWind *) {}

} // namespace pexa
