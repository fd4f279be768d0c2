// Events and waiting: the wait of WaitForPexa and the producers that the
// input handlers call. (The event record and the wait state are fields of
// the library state, win32_library.h.)
#pragma once

#include <windows.h>

#include "pexa.h"

namespace pexa {

class cWind;

// Releases the waiting caller.
void SignalWaiter();

// WaitForPexa: blocks the calling thread until an event of kind (and key)
// happens in any scene window; a copy of the event record.
EventInfo WaitForEvent(int kind, int key);

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
