// The scene lock (see win32_scene_lock.h).
#include "runtime/win32_scene_lock.h"

namespace pexa {

namespace {
// Created on first use (a thread-safe local static), so it works whatever
// the order of static construction; it lives until the process ends.
CRITICAL_SECTION &SceneSection() {
    struct Section {
        CRITICAL_SECTION cs;
        Section() { InitializeCriticalSection(&cs); }
    };
    static Section section;
    return section.cs;
}
} // namespace

void LockScene() {
    EnterCriticalSection(&SceneSection());
}
void UnlockScene() {
    LeaveCriticalSection(&SceneSection());
}

} // namespace pexa
