// The library frame: library-wide state, the start-up run by the first
// CreateWind, and the library thread with its window classes, dispatch window
// and message loop.
#include "runtime/win32_library.h"

#include <commctrl.h>
#include <process.h>

#include <unordered_set>

#include "runtime/win32_dialogs.h"
#include "runtime/win32_events.h"
#include "runtime/win32_fault_guard.h"
#include "platform/win32_messages.h"
#include "runtime/win32_routes.h"
#include "runtime/win32_wind.h"

namespace pexa {

Library lib;

namespace {

// Private to the library (outside the request range): the exit path asks the
// library thread to tear every scene window down.
constexpr UINT kTearDownAtExit = WM_APP + 0x50;

// Accepted only while the program is exiting: the number is no secret, and a
// message posted by another program or sent through SendPexaMsg must not
// tear the scene windows down.
LRESULT TearDownAll(const Call &) {
    if (!lib.shuttingDown.load()) return 0;
    // Each teardown destroys its window, which leaves the registry.
    while (cWPWH *e = lib.windowRegistry.first()) {
        e->wind->TearDown();
        if (lib.windowRegistry.first() == e)
            lib.windowRegistry.find(e->hwnd), lib.windowRegistry.remove();
    }
    return 0;
}

// Private to the library: a thread of the program ended (posted from
// DllMain); the groups it left open close.
constexpr UINT kThreadEnded = WM_APP + 0x54;

LRESULT ForgetThread(const Call &call) {
    ForEachKnownWindow([&](cWind *w) { w->lists.openGroups.ForgetThread(DWORD(call.wParam)); });
    return 0;
}

const Route kLibraryMessages[] = {
    {kTearDownAtExit, Target::None, TearDownAll, 0},
    {kThreadEnded, Target::None, ForgetThread, 0},
};
PEXA_ROUTES(kLibraryMessages);

bool RegisterWindowClass(const char *name, UINT classStyle) {
    WNDCLASSA wc = {};
    wc.style = classStyle;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = lib.hLibModule;
    wc.hIcon = LoadIconA(lib.hLibModule, MAKEINTRESOURCEA(1));
    wc.hCursor = nullptr; // each scene window sets its own cursor
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = name;
    return RegisterClassA(&wc) != 0;
}

// The library thread: window classes, dispatch window, then the message loop
// for every window of the process's scenes.
HANDLE libraryThread; // kept for the exit path, which waits for the thread to end
DWORD libraryThreadId;

// The windows CreateWind made. Written by the library thread only; read by
// calling threads (CurrentWind) under the lock.
SRWLOCK knownLock = SRWLOCK_INIT;
std::unordered_set<const cWind *> knownSet;
std::vector<cWind *> knownList;

unsigned __stdcall LibraryThread(void *) {
    GuardLibraryThread();
    if (!RegisterWindowClass("DummyThread", CS_HREDRAW | CS_VREDRAW))
        ConsoleMessage("\nRegisterClass failed");
    if (!RegisterWindowClass("Pexa", CS_OWNDC | CS_HREDRAW | CS_VREDRAW))
        ConsoleMessage("\nRegisterClass failed");
    // The status bar and the dialogs' trackbars are common controls; a
    // console program has not registered them.
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    lib.hDispatchWnd = CreateWindowExA(0, "DummyThread", "Dummy", WS_OVERLAPPEDWINDOW, 20, 100, 300,
                                       300, nullptr, nullptr, lib.hLibModule, nullptr);
    if (!lib.hDispatchWnd) ConsoleMessage("\nCreateWindow failed");
    lib.currentWind.store(nullptr);
    SetEvent(lib.hLibEvent);

    MSG msg;
    UINT previous = 0; // message dispatched last, 0 before the first
    for (;;) {
        // Only the exit path ends the loop: a WM_QUIT posted by anyone else
        // would leave every later request without an answer.
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0 && !lib.shuttingDown.load()) continue;
        if (got <= 0) break;
        // Scene windows get their messages whether or not a window is
        // current (a program may have none after a failed CreateWind); the
        // dialogs see their keys first.
        if (IsSceneDialogMessage(&msg)) continue;
        OnMessageRetrieved(previous, msg.message);
        previous = msg.message;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    // Only the exit path ends the loop, after every scene window is gone.
    if (lib.hDispatchWnd) DestroyWindow(lib.hDispatchWnd);
    lib.hDispatchWnd = nullptr;
    return 0;
}

// Runs when the program calls exit (main returns): waits for a frame in
// progress to end, stops all further ones and tears every scene window down
// on the library thread. A process that ends with the driver mid-frame, or
// with live OpenGL windows, can take Wine's X11 and OpenGL shutdown past the
// second the server allows; the server then kills it and the program's exit
// code is lost. The program has returned from main, so nothing of it sees
// the windows go a moment earlier than the process.
//
// The library thread then leaves its message loop and ends, so that no
// thread of the library is inside the window system or OpenGL when the
// process goes: a thread stopped there can hold the process past that
// second as well.
void __cdecl QuiesceAtExit() {
    lib.shuttingDown.store(true);
    DWORD_PTR ignored;
    if (lib.hDispatchWnd)
        SendMessageTimeoutA(lib.hDispatchWnd, kTearDownAtExit, 0, 0, SMTO_BLOCK, 2000, &ignored);
    if (libraryThread && PostThreadMessageA(libraryThreadId, WM_QUIT, 0, 0))
        WaitForSingleObject(libraryThread, 2000);
}

void RegisterExitHook() {
    // HACK: a DLL's own atexit list runs only at DLL detach, after the
    // process has already stopped the library thread wherever it was. The
    // C runtime DLL's list runs inside exit(), before that; register there.
    using AtExit = int(__cdecl *)(void(__cdecl *)(void));
    if (HMODULE crt = GetModuleHandleA("msvcrt.dll"))
        if (auto atExit =
                reinterpret_cast<AtExit>(reinterpret_cast<void *>(GetProcAddress(crt, "atexit"))))
            atExit(QuiesceAtExit);
}

} // namespace

bool StartLibrary() {
    char consoleTitle[255] = {};
    GetConsoleTitleA(consoleTitle, sizeof consoleTitle);

    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version; // 148 bytes
    GetVersionExA(&version);
    lib.platformId = version.dwPlatformId;

    lib.hConsoleWnd = FindWindowA(
        lib.platformId == VER_PLATFORM_WIN32_NT ? "ConsoleWindowClass" : "tty", consoleTitle);

    // Loading ourselves by name keeps the library loaded while its thread runs.
    lib.hLibModule = LoadLibraryA(kModuleFileName);
    if (!lib.hLibModule) {
        // HACK: a program may load the DLL under another name or path; pin the
        // module that holds this code instead.
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                           reinterpret_cast<LPCSTR>(&StartLibrary), &lib.hLibModule);
    }

    if (!lib.hLibEvent) lib.hLibEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (!lib.hLibEvent) return false;

    unsigned id = 0;
    uintptr_t thread = _beginthreadex(nullptr, 0, LibraryThread, nullptr, 0, &id);
    if (thread == 0) return false;
    libraryThread = reinterpret_cast<HANDLE>(thread);
    libraryThreadId = id;
    lib.initialized.store(1);
    WaitForSingleObject(lib.hLibEvent, INFINITE);
    RegisterExitHook();
    return true;
}

LRESULT SendRequest(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!lib.hDispatchWnd) return 0;
    RequestFromThread request{message, wParam, lParam, GetCurrentThreadId()};
    return SendMessageA(lib.hDispatchWnd, kThreadRequest, reinterpret_cast<WPARAM>(&request), 0);
}

void AddKnownWindow(cWind *w) {
    AcquireSRWLockExclusive(&knownLock);
    if (knownSet.insert(w).second) knownList.push_back(w);
    ReleaseSRWLockExclusive(&knownLock);
}

bool IsKnownWindow(const cWind *w) {
    AcquireSRWLockShared(&knownLock);
    const bool known = knownSet.count(w) != 0;
    ReleaseSRWLockShared(&knownLock);
    return known;
}

const std::vector<cWind *> &KnownWindows() {
    return knownList;
}

} // namespace pexa

// A thread that ends may leave groups open; its id may come back with a
// new thread, which must not find them. (Only posted: the loader lock is
// held here.)
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    using namespace pexa;
    if (reason == DLL_THREAD_DETACH && lib.groupsOpened.load() && lib.hDispatchWnd)
        PostMessageA(lib.hDispatchWnd, kThreadEnded, GetCurrentThreadId(), 0);
    return TRUE;
}
