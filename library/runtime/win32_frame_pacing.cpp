// Frame pacing: a moving window's next frame is asked for one display
// period after the start of the last frame. Where the driver synchronises
// the swap with the display (swap interval 1, set only while the window
// moves, so that a single frame of a still scene never waits), the frame
// has taken that period already and the next follows at once; elsewhere a
// timer waits out the rest of the period. Either way the next frame comes
// through WM_PAINT, behind any input waiting in the queue.
#include "runtime/win32_frame_pacing.h"

#include "platform/clock.h"
#include "runtime/win32_library.h"
#include "runtime/win32_routes.h"
#include "runtime/win32_wind.h"

namespace pexa {

namespace {

constexpr UINT_PTR kPaceTimer = 0x5045; // per scene window
constexpr int kDefaultRefreshHz = 60;

using SwapIntervalProc = BOOL(WINAPI *)(int);

// The extension's entry point of the window's context, or null.
SwapIntervalProc SwapControl() {
    PROC proc = wglGetProcAddress("wglSwapIntervalEXT");
    return reinterpret_cast<SwapIntervalProc>(reinterpret_cast<void *>(proc));
}

void SetSwapInterval(cWind *w, int interval) {
    if (w->render.swapInterval == interval || !w->lists.has3D) return;
    SwapIntervalProc swapInterval = SwapControl();
    if (swapInterval && swapInterval(interval)) w->render.swapInterval = interval;
}

// A still frame (a refresh, a benchmark's) makes no system call here.
void StopTimer(cWind *w) {
    if (!w->render.paceTimer) return;
    KillTimer(w->os.hwnd, kPaceTimer);
    w->render.paceTimer = 0;
}

LRESULT OnPaceTimer(const Call &c) {
    StopTimer(c.w);
    if (!c.w->render.idle) InvalidateRect(c.hwnd, nullptr, TRUE);
    return 0;
}

const Route kPacingMessages[] = {
    {WM_TIMER, Target::Receiver, OnPaceTimer, 0},
};
PEXA_ROUTES(kPacingMessages);

} // namespace

void StartPacing(cWind *w) {
    // 0 or 1 is the display's default rate, which the system does not tell.
    int hz = GetDeviceCaps(w->os.hdc, VREFRESH);
    if (hz < 24 || hz > 480) hz = kDefaultRefreshHz;
    w->render.framePeriod = 1000 / hz;
}

void PaceNextFrame(cWind *w, bool moving, int frameStart) {
    if (!moving) {
        StopTimer(w);
        SetSwapInterval(w, 0);
        return;
    }
    SetSwapInterval(w, 1);
    const int rest = w->render.framePeriod - (ClockMilliseconds() - frameStart);
    if (rest <= 1) {
        InvalidateRect(w->os.hwnd, nullptr, TRUE);
    } else {
        // Valid until the timer: a window left invalid would be painted
        // again at once.
        ValidateRect(w->os.hwnd, nullptr);
        w->render.paceTimer = SetTimer(w->os.hwnd, kPaceTimer, UINT(rest), nullptr) != 0;
    }
}

void StopPacing(cWind *w) {
    StopTimer(w);
}

} // namespace pexa
