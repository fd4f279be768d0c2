// Navigation of a scene window on the library thread: the input that drives
// it, the effects a navigation step asks for, and the view setters' requests.
#pragma once

#include <windows.h>

#include "scene/navigation.h"

namespace pexa {

class cWind;

NavWindow NavWindowOf(const cWind *w);
// Runs what a step asked for: check marks, event record, resize, frame, then
// what follows the frame.
void ApplyNavEffects(cWind *w, unsigned effects);

// The input routines' navigation, after their event bookkeeping.
void NavigateKey(cWind *w, int vk);
void NavigateLeftDown(cWind *w, int x, int y);
void NavigateLeftUp(cWind *w);
void NavigateMove(cWind *w, int x, int y);
void NavigateReset(cWind *w); // the middle button: the initial view, drawn

} // namespace pexa
