// Whether an input event satisfies the wait in progress (WaitForPexa): the
// rules the key and mouse handlers apply before they fill the event record
// and release the waiting program. kinds and key are those of the wait
// (kinds 0 while nobody waits).
#pragma once

namespace pexa {

struct WaitState {
    int kinds = 0; // KEYHIT | MOUSEHIT | MOUSEDRAG bits
    int key = 0;   // virtual-key code, 0 = any
};

// A key press is recorded (window and virtual key) for a KEYHIT wait unless
// shift or control is held; nothing is released yet.
bool KeyDownIsRecorded(const WaitState &wait, bool shiftDown, bool controlDown);
// A character releases a KEYHIT wait for any key, or for the key recorded by
// its key press (the key argument is a virtual-key code).
bool CharReleases(const WaitState &wait, int recordedVk);
// A key without a character (its WM_KEYDOWN is not followed by a WM_CHAR)
// releases a KEYHIT wait unless shift or control is held.
bool KeyWithoutCharReleases(const WaitState &wait, bool shiftDown, bool controlDown,
                            int recordedVk);
// Any button press releases a MOUSEHIT wait.
bool ButtonReleases(const WaitState &wait);
// A mouse move releases a MOUSEDRAG wait only while the left button drags a
// non-empty scene in a window with mouse navigation.
bool MoveReleases(const WaitState &wait, bool dragging, bool mouseNav, bool sceneHas3D);

} // namespace pexa
