// Library-wide state shared by the runtime's files, the start-up of the
// library thread, and the request path: every exported function that works
// on a window reaches the library thread through SendRequest.
#pragma once

#include <windows.h>

#include <atomic>
#include <vector>

#include "pexa.h"
#include "scene/navigation.h"
#include "scene/window_registry.h"

namespace pexa {

class cWind;

// Library-wide state in one place. Set up by the first CreateWind; written
// by the library thread unless a field says otherwise.
struct Library {
    // The library frame.
    HMODULE hLibModule = nullptr; // instance of both window classes, source of resources
    HWND hConsoleWnd = nullptr;   // the calling program's console window, or 0
    DWORD platformId = 0;         // dwPlatformId of the running system
    HANDLE hLibEvent = nullptr;   // auto-reset: start-up handshake, then event waits
    std::atomic<int> initialized{0};
    HWND hDispatchWnd = nullptr;           // hidden "DummyThread" window, target of every request
    std::atomic<bool> shuttingDown{false}; // the program is exiting: no more frames

    // Windows.
    std::atomic<cWind *> currentWind{nullptr}; // written by callers and the library thread
    cWind *handledWind = nullptr;              // window being handled or drawn
    cWind *creatingWind = nullptr;             // the window whose WM_CREATE is due
    // The thread on whose behalf the request being handled runs (the one
    // blocked in SendRequest), 0 for a message from elsewhere.
    DWORD requestThread = 0;
    std::atomic<bool> groupsOpened{false}; // some thread has opened a group
    unsigned windowCounter = 0;            // source of sceneListId
    cWPWHList windowRegistry;              // scene windows between WM_CREATE and WM_DESTROY

    // Events and input (win32_events.cpp, win32_input.cpp, win32_navigation.cpp).
    EventInfo eventRecord = {};
    std::atomic<int> waitKinds{0}; // kinds of the wait in progress, 0 while nobody waits
    std::atomic<int> waitKey{0};   // key of the last wait, 0 = any
    // Process-wide, not per window: a shift or control key held down in one
    // scene window still counts when the next key arrives in another, and a
    // drag begun in one window goes on over the others (its moves satisfy a
    // MOUSEDRAG wait there too).
    int shiftDown = 0;
    int controlDown = 0;
    MouseDrag mouseDrag;

    // What the library thread is doing, kept up to date as it goes for the
    // report of a fault there (win32_fault_guard.h). Library thread only.
    struct Activity {
        UINT message = 0;             // the message being handled, 0 in the loop
        const cWind *frame = nullptr; // the window whose frame is being drawn
        bool drawing = false;         // an object's Draw runs ...
        int drawingType = 0;          // ... and this is its type id
    } activity;
};

extern Library lib;

// The DLL's own file name (win32_module_name.cpp).
extern const char kModuleFileName[];

// Starts the library thread once. Returns false when it could not be started.
bool StartLibrary();

// Sends a request to the dispatch window and returns the handler's result.
// Before the library thread exists there is no dispatch window; the request
// then returns 0. The request carries the calling thread, whose open groups
// it acts on (kThreadRequest).
LRESULT SendRequest(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// Private to the library (outside the request range): a request with the
// thread that sent it; wParam points to the RequestFromThread record.
constexpr UINT kThreadRequest = WM_APP + 0x52;
struct RequestFromThread {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD thread;
};

// The windows CreateWind made: a window argument is looked up here, never
// taken on trust. A window stays known after its teardown (the object is
// kept), so a deleted window answers with its no-window result.
void AddKnownWindow(cWind *w);
bool IsKnownWindow(const cWind *w);
// Every known window, on the library thread.
template <class F> void ForEachKnownWindow(F f);

// The window procedure of both window classes (win32_dispatch.cpp).
LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

inline cWind *CurrentWindow() {
    return lib.currentWind.load(std::memory_order_acquire);
}

// The known windows in creation order (win32_library.cpp); ForEachKnownWindow
// reads them on the library thread, the only writer.
const std::vector<cWind *> &KnownWindows();
template <class F> void ForEachKnownWindow(F f) {
    for (cWind *w : KnownWindows())
        f(w);
}

} // namespace pexa
