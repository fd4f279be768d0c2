// The pieces of Microsoft's C and C++ runtime that a program built with
// clang for x86_64-pc-windows-msvc needs when it is linked without that
// runtime (lld-link /nodefaultlib): the entry point, new and delete over the
// process heap, the pure-call handler, the floating-point marker, and the
// vtable of std::type_info that RTTI records point to (linked under its
// decorated name with /alternatename; it is never called).
#include <windows.h>

int main();

extern "C" {
int _fltused = 0;
const void *pexa_type_info_vtable[2] = {0, 0};
int __cdecl _purecall() {
    ExitProcess(3);
}
void mainCRTStartup() {
    ExitProcess(UINT(main()));
}
}

void *operator new(size_t size) {
    return HeapAlloc(GetProcessHeap(), 0, size);
}
void operator delete(void *block) noexcept {
    HeapFree(GetProcessHeap(), 0, block);
}
void operator delete(void *block, size_t) noexcept {
    HeapFree(GetProcessHeap(), 0, block);
}
