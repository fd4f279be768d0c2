// The guard of the library thread (see win32_fault_guard.h): a vectored
// handler that recognises a fault of that thread, reports it and ends the
// process.
#include "runtime/win32_fault_guard.h"

#include <cstdio>

#include "platform/win32_messages.h"
#include "runtime/win32_wind.h"

namespace pexa {

namespace {

DWORD guardedThread;
LONG reporting; // a second fault while reporting ends at once
// The system's own base modules, whose functions that take a pointer probe
// it and catch their own fault (IsBadReadPtr, lstrcpyA, ...), as they do on
// any thread.
HMODULE probingModules[3];

// The faults a program cannot continue after; other exception codes
// (breakpoints, debug output, C++ throws) pass on.
const char *FaultName(DWORD code) {
    switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
        return "access violation";
    case EXCEPTION_STACK_OVERFLOW:
        return "stack overflow";
    case EXCEPTION_ILLEGAL_INSTRUCTION:
        return "illegal instruction";
    case EXCEPTION_PRIV_INSTRUCTION:
        return "privileged instruction";
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
        return "integer division by zero";
    case EXCEPTION_INT_OVERFLOW:
        return "integer overflow";
    case EXCEPTION_IN_PAGE_ERROR:
        return "in-page error";
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
        return "array bounds exceeded";
    case EXCEPTION_DATATYPE_MISALIGNMENT:
        return "misaligned data";
    default:
        return nullptr;
    }
}

// "\n\a <what> on the library thread: in the Draw of an object of type T,
// in a frame of window "title", in request N. The program ends."
[[noreturn]] void ReportAndEnd(const char *what, UINT exitCode) {
    if (InterlockedExchange(&reporting, 1)) TerminateProcess(GetCurrentProcess(), exitCode);
    const Library::Activity a = lib.activity;
    char text[512];
    int n = std::snprintf(text, sizeof text, "\n\a %s on the library thread:", what);
    auto add = [&](const char *format, auto... args) {
        if (n >= 0 && size_t(n) < sizeof text)
            n += std::snprintf(text + n, sizeof text - size_t(n), format, args...);
    };
    if (a.drawing) add(" in the Draw of an object of type %d,", a.drawingType);
    if (a.frame) add(" in a frame of window \"%s\",", a.frame->title);
    if (a.message >= PEXA_MSG_FIRST && a.message <= PEXA_MSG_LAST)
        add(" in request %u.", a.message);
    else if (a.message)
        add(" in window message 0x%04X.", a.message);
    else
        add(" in its message loop.");
    add(" The program ends.\n");
    ConsoleMessage(text);
    TerminateProcess(GetCurrentProcess(), exitCode);
    for (;;) // TerminateProcess does not return for the own process
        Sleep(INFINITE);
}

LONG CALLBACK OnFault(EXCEPTION_POINTERS *info) {
    if (GetCurrentThreadId() != guardedThread) return EXCEPTION_CONTINUE_SEARCH;
    const DWORD code = info->ExceptionRecord->ExceptionCode;
    const char *name = FaultName(code);
    if (!name) return EXCEPTION_CONTINUE_SEARCH;
    HMODULE at = nullptr;
    if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                               GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           static_cast<LPCSTR>(info->ExceptionRecord->ExceptionAddress), &at))
        for (HMODULE probing : probingModules)
            if (at && at == probing) return EXCEPTION_CONTINUE_SEARCH;
    char what[64];
    std::snprintf(what, sizeof what, "Fault %08lX (%s)", static_cast<unsigned long>(code), name);
    ReportAndEnd(what, code);
}

} // namespace

void GuardLibraryThread() {
    guardedThread = GetCurrentThreadId();
    const char *names[] = {"ntdll.dll", "kernelbase.dll", "kernel32.dll"};
    for (int i = 0; i < 3; ++i)
        probingModules[i] = GetModuleHandleA(names[i]);
    // Last in line: a program's own handler (a debugger's, a test's counter)
    // sees the fault first.
    AddVectoredExceptionHandler(0, OnFault);
}

void EndOnException() {
    // The code abort() ends with.
    ReportAndEnd("A C++ exception", 3);
}

} // namespace pexa
