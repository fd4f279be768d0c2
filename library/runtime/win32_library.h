// Library-wide state shared by the runtime's files, the start-up of the
// library thread, and the request path: every exported function that works
// on a window reaches the library thread through SendRequest.
#pragma once

#include <windows.h>

#include <atomic>

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
    unsigned windowCounter = 0;                // source of sceneListId
    cWPWHList windowRegistry;                  // scene windows between WM_CREATE and WM_DESTROY

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
};

extern Library lib;

// The DLL's own file name (win32_module_name.cpp).
extern const char kModuleFileName[];

// Starts the library thread once. Returns false when it could not be started.
bool StartLibrary();

// Sends a request to the dispatch window and returns the handler's result.
// Before the library thread exists there is no dispatch window; the request
// then returns 0.
LRESULT SendRequest(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// The window procedure of both window classes (win32_dispatch.cpp).
LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

inline cWind *CurrentWindow() {
    return lib.currentWind.load(std::memory_order_acquire);
}

} // namespace pexa
