// The scene lock (see win32_scene_lock.h).
#include "runtime/win32_scene_lock.h"

namespace pexa {

namespace {
// Initialised on first use, so it works whatever the order of static
// construction; the critical section lives until the process ends.
CRITICAL_SECTION &SceneSection() {
    static CRITICAL_SECTION section;
    static INIT_ONCE once = INIT_ONCE_STATIC_INIT;
    InitOnceExecuteOnce(
        &once,
        [](PINIT_ONCE, PVOID, PVOID *) -> BOOL {
            InitializeCriticalSection(&section);
            return TRUE;
        },
        nullptr, nullptr);
    return section;
}
} // namespace

void LockScene() { EnterCriticalSection(&SceneSection()); }
void UnlockScene() { LeaveCriticalSection(&SceneSection()); }

} // namespace pexa
