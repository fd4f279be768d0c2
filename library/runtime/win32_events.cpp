// Events and waiting: WaitForPexa, the per-window queues behind GetEvent and
// EventExists, and the producers that fill the event record.
//
// Threads: the waiting caller writes waitKinds/waitKey and then sleeps on
// hLibEvent; the library thread reads them and writes the record before it
// signals. SetEvent and WaitForSingleObject order those memory accesses.
#include "runtime/win32_events.h"

#include "runtime/win32_library.h"
#include "runtime/win32_navigation.h"
#include "runtime/win32_routes.h"
#include "runtime/win32_scene_lock.h"
#include "runtime/win32_wind.h"
#include "scene/wait_match.h"

namespace pexa {

EventInfo eventRecord = {};
std::atomic<int> waitKinds{0};
std::atomic<int> waitKey{0};
int shiftDown = 0;
int controlDown = 0;

void SignalWaiter() {
    SetEvent(hLibEvent);
}

namespace {

WaitState Wait() {
    return WaitState{waitKinds.load(), waitKey.load()};
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
    if (!KeyWithoutCharReleases(Wait(), shiftDown, controlDown, eventRecord.vk)) return;
    eventRecord.window = CurrentWindow();
    eventRecord.ch = 0;
    SignalWaiter();
}

void KeyDownEvent(cWind *w, WPARAM vk, LPARAM keyData) {
    w->events.append(WM_KEYDOWN, uint32_t(vk), uint32_t(keyData));
    if (vk == VK_CONTROL && !controlDown) controlDown = 1;
    if (vk == VK_SHIFT && !shiftDown) shiftDown = 1;
    if (KeyDownIsRecorded(Wait(), shiftDown, controlDown)) {
        eventRecord.window = w;
        eventRecord.vk = int(vk);
    }
}

void KeyUpEvent(WPARAM vk) {
    if (vk == VK_SHIFT) shiftDown = 0;
    if (vk == VK_CONTROL) controlDown = 0;
}

void CharEvent(cWind *w, WPARAM character, LPARAM keyData) {
    w->events.append(WM_CHAR, uint32_t(character), uint32_t(keyData));
    if (!CharReleases(Wait(), eventRecord.vk)) return;
    eventRecord.ch = char(character & 0xFF);
    eventRecord.hits = 0;
    eventRecord.name = 0;
    controlDown = shiftDown = 0;
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
    eventRecord.window = w;
    eventRecord.x = x;
    eventRecord.y = y;
    eventRecord.button = static_cast<unsigned char>(button);
    eventRecord.hits = 0;
    eventRecord.name = 0;
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
    if (!MoveReleases(Wait(), mouseDrag.dragging, w->render.mouseNav, w->lists.has3D)) return;
    eventRecord.window = w;
    eventRecord.x = LowWord(position);
    eventRecord.y = HighWord(position);
    SignalWaiter();
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

using namespace pexa;

extern "C" {

PEXA_API EventInfo WaitForPexa(int kind, int key) {
    // A signal left over from an earlier wait (raised after that wait had
    // already been released) must not end this one at once.
    if (hLibEvent) ResetEvent(hLibEvent);
    waitKey.store(key);
    waitKinds.store(kind);
    if (hLibEvent) WaitForSingleObject(hLibEvent, INFINITE);
    waitKinds.store(0);
    // Frames keep writing the view fields; copy them whole, between frames.
    SceneWriteGuard lock;
    return eventRecord;
}

PEXA_API unsigned int *GetEvent(int kind) {
    return reinterpret_cast<unsigned int *>(SendRequest(PEXA_MSG_GET_EVENT, WPARAM(kind), 0));
}

PEXA_API int EventExists(int kind) {
    return int(SendRequest(PEXA_MSG_EVENT_EXISTS, WPARAM(kind), 0));
}

} // extern "C"
