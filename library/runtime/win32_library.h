// Library-wide state shared by the runtime's files, the start-up of the
// library thread, and the request path: every exported function that works
// on a window reaches the library thread through SendRequest.
#pragma once

#include <windows.h>

#include <atomic>
#include <ctime>

#include "runtime/window_registry.h"

namespace pexa {

class cWind;

extern HMODULE hLibModule; // instance of both window classes, source of resources
extern HWND hConsoleWnd;   // the calling program's console window, or 0
extern DWORD platformId;   // dwPlatformId of the running system
extern HANDLE hLibEvent;   // auto-reset: start-up handshake, then event waits
extern std::atomic<int> initialized;
extern HWND hDispatchWnd;                // hidden "DummyThread" window, target of every request
extern std::atomic<cWind *> currentWind; // written by callers and the library thread
extern cWind *handledWind;               // window being handled or drawn (library thread only)
extern unsigned windowCounter;           // source of sceneListId
extern cWPWHList windowRegistry;         // scene windows between WM_CREATE and WM_DESTROY
extern std::atomic<bool> shuttingDown;   // the program is exiting: no more frames

// Starts the library thread once. Returns false when it could not be started.
bool StartLibrary();

// Sends a request to the dispatch window and returns the handler's result.
// Before the library thread exists there is no dispatch window; the request
// then returns 0.
LRESULT SendRequest(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// The window procedure of both window classes (win32_dispatch.cpp).
LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The C runtime's clock in milliseconds: frame times and drag timing.
inline int ClockMilliseconds() {
    return int(std::clock() * 1000.0 / CLOCKS_PER_SEC);
}

inline cWind *CurrentWindow() {
    return currentWind.load(std::memory_order_acquire);
}

} // namespace pexa
