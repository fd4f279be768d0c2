// Pacing of continuous redraws (a spin, a flight, the animate switch): the
// next frame of a moving window follows one display period after the start
// of the last, not at once, so that motion costs one frame per refresh
// rather than a whole processor.
#pragma once

#include <windows.h>

namespace pexa {

class cWind;

// At context creation: the display period, and the driver's swap control
// (WGL_EXT_swap_control) where it offers one.
void StartPacing(cWind *w);
// After a frame that started at frameStart (clock milliseconds): a moving
// window asks for its next frame (with the swap synchronised to the
// display), a still one rests (and swaps at once again).
void PaceNextFrame(cWind *w, bool moving, int frameStart);
// Teardown: no timer outlives the window.
void StopPacing(cWind *w);

} // namespace pexa
