// Events and waiting: the library's one event record, the wait state that a
// WaitForPexa in progress leaves for the library thread, and the producers
// that the input handlers call.
#pragma once

#include <windows.h>

#include <atomic>

#include "pexa.h"

namespace pexa {

class cWind;

extern EventInfo eventRecord;
extern std::atomic<int> waitKinds; // kinds of the wait in progress, 0 while nobody waits
extern std::atomic<int> waitKey;   // key of the last wait, 0 = any
// Process-wide, not per window: a shift or control key held down in one
// scene window still counts when the next key arrives in another, and a drag
// begun in one window goes on over the others (its moves satisfy a
// MOUSEDRAG wait there too).
extern int shiftDown;
extern int controlDown;
// (The drag itself is mouseDrag.dragging, win32_navigation.h.)

// Releases the waiting caller.
void SignalWaiter();

// Message-loop step for keys without a character: runs before each retrieved
// message is dispatched.
void OnMessageRetrieved(UINT previous, UINT current);

// Producers, called by the input handlers on the library thread.
void KeyDownEvent(cWind *w, WPARAM vk, LPARAM keyData);
void KeyUpEvent(WPARAM vk);
void CharEvent(cWind *w, WPARAM character, LPARAM keyData);
void CommandEvent(cWind *w, WPARAM wParam, LPARAM lParam);
// button: 1 left, 2 middle, 3 right. Queues the press and satisfies a
// MOUSEHIT wait; a left press in a window with picking on click draws a pick
// frame first.
void ButtonDownEvent(cWind *w, int button, WPARAM keys, LPARAM position);
void LeftButtonUpEvent(cWind *w, WPARAM keys, LPARAM position);
// A mouse move that drags a non-empty scene satisfies a MOUSEDRAG wait.
void MouseMoveEvent(cWind *w, LPARAM position);

} // namespace pexa
