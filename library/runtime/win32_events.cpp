// Events and waiting: the producers that fill the event record and release
// WaitForPexa (win32_event_api.cpp), and the requests of the per-window
// queues behind GetEvent and EventExists.
//
// Threads: the waiting caller writes waitKinds/waitKey and then sleeps on
// hLibEvent; the library thread reads them and writes the record before it
// signals. SetEvent and WaitForSingleObject order those memory accesses.
#include "runtime/win32_events.h"

#include <cstdio>

#include "runtime/win32_library.h"
#include "runtime/win32_navigation.h"
#include "runtime/win32_routes.h"
#include "runtime/win32_scene_lock.h"
#include "runtime/win32_wind.h"
#include "scene/wait_match.h"

namespace pexa {

void SignalWaiter() {
    SetEvent(lib.hLibEvent);
}

namespace {

WaitState Wait() {
    return WaitState{lib.waitKinds.load(), lib.waitKey.load()};
}

// A new event in the record: each field the event does not set reads 0, so
// a program reading vk after a click, or button after a key, finds no value
// of an earlier event. The view fields stay (every frame writes them). A key
// is recorded in two steps: its press begins the record, its character (or
// the message after a key without one) completes it.
void BeginEvent(cWind *w, int vk = 0) {
    EventInfo &r = lib.eventRecord;
    r.window = w;
    r.x = r.y = 0;
    r.button = 0;
    r.hits = r.name = 0;
    r.ch = 0;
    r.vk = vk;
}

short LowWord(LPARAM value) {
    return short(LOWORD(value));
}
short HighWord(LPARAM value) {
    return short(HIWORD(value));
}

} // namespace

void OnMessageRetrieved(UINT previous, UINT current) {
    if (previous != WM_KEYDOWN || current == WM_CHAR) return;
    if (!KeyWithoutCharReleases(Wait(), lib.shiftDown, lib.controlDown, lib.eventRecord.vk)) return;
    BeginEvent(CurrentWindow(), lib.eventRecord.vk);
    SignalWaiter();
}

void KeyDownEvent(cWind *w, WPARAM vk, LPARAM keyData) {
    w->events.append(WM_KEYDOWN, uint32_t(vk), uint32_t(keyData));
    if (vk == VK_CONTROL && !lib.controlDown) lib.controlDown = 1;
    if (vk == VK_SHIFT && !lib.shiftDown) lib.shiftDown = 1;
    // With shift or control held the key is not recorded: its character
    // then reports vk 0 (and releases only a wait for any key).
    if (Wait().kinds & KEYHIT)
        BeginEvent(w, KeyDownIsRecorded(Wait(), lib.shiftDown, lib.controlDown) ? int(vk) : 0);
}

void KeyUpEvent(WPARAM vk) {
    if (vk == VK_SHIFT) lib.shiftDown = 0;
    if (vk == VK_CONTROL) lib.controlDown = 0;
}

void CharEvent(cWind *w, WPARAM character, LPARAM keyData) {
    w->events.append(WM_CHAR, uint32_t(character), uint32_t(keyData));
    if (!CharReleases(Wait(), lib.eventRecord.vk)) return;
    BeginEvent(static_cast<cWind *>(lib.eventRecord.window),
               lib.eventRecord.vk); // as the key press began it
    lib.eventRecord.ch = char(character & 0xFF);
    lib.controlDown = lib.shiftDown = 0;
    SignalWaiter();
}

void CommandEvent(cWind *w, WPARAM wParam, LPARAM lParam) {
    w->events.append(WM_COMMAND, uint32_t(wParam), uint32_t(lParam));
}

void ButtonDownEvent(cWind *w, int button, WPARAM keys, LPARAM position) {
    static const int messages[] = {0, WM_LBUTTONDOWN, WM_MBUTTONDOWN, WM_RBUTTONDOWN};
    w->events.append(messages[button], uint32_t(keys), uint32_t(position));
    int x = LowWord(position), y = HighWord(position);
    if (button == 1) {
        w->pick.mouseX = x;
        w->pick.mouseY = y;
    }
    if (!ButtonReleases(Wait())) return;
    BeginEvent(w);
    lib.eventRecord.x = x;
    lib.eventRecord.y = y;
    lib.eventRecord.button = static_cast<unsigned char>(button);
    // The pick frame fills hits and name. A window without 3D objects draws
    // no OpenGL frame: its click reports no hit, and its next real frame
    // must not turn into a pick.
    if (button == 1 && w->pick.pickEnabled && w->lists.has3D) {
        w->render.renderMode = kGLSelect;
        w->Render();
    }
    SignalWaiter();
}

void LeftButtonUpEvent(cWind *w, WPARAM keys, LPARAM position) {
    w->events.append(WM_LBUTTONUP, uint32_t(keys), uint32_t(position));
}

void MouseMoveEvent(cWind *w, LPARAM position) {
    if (!MoveReleases(Wait(), lib.mouseDrag.dragging, w->render.mouseNav, w->lists.has3D)) return;
    BeginEvent(w);
    lib.eventRecord.x = LowWord(position);
    lib.eventRecord.y = HighWord(position);
    SignalWaiter();
}

EventInfo WaitForEvent(int kind, int key) {
    // A signal left over from an earlier wait (raised after that wait had
    // already been released) must not end this one at once.
    if (lib.hLibEvent) ResetEvent(lib.hLibEvent);
    lib.waitKey.store(key);
    lib.waitKinds.store(kind);
    // What the program printed before waiting (its prompt) is shown now,
    // also when the output is a pipe or file, which the C runtime buffers;
    // a reader that sees the prompt knows the wait is armed.
    std::fflush(stdout);
    if (lib.hLibEvent) WaitForSingleObject(lib.hLibEvent, INFINITE);
    lib.waitKinds.store(0);
    // Frames keep writing the view fields; copy them whole, between frames.
    SceneWriteGuard lock;
    return lib.eventRecord;
}

namespace {

const Route kEventRequests[] = {
    {PEXA_MSG_GET_EVENT, Target::Current,
     [](const Call &c) { return reinterpret_cast<LRESULT>(c.w->events.take(int(c.wParam))); }, 0},
    {PEXA_MSG_EVENT_EXISTS, Target::Current,
     [](const Call &c) -> LRESULT { return c.w->events.exists(int(c.wParam)) ? 1 : 0; }, 0},
};
PEXA_ROUTES(kEventRequests);

} // namespace

} // namespace pexa
