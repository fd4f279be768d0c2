// The scene lock: keeps a frame from seeing an object or light record half
// written by the calling thread.
//
// Objects and lights are changed in place on the calling thread (object
// functions with an existing object, GroupBegin/GroupEnd, the light setters)
// while the library thread draws frames. Every such write happens inside a
// SceneWriteGuard, and a frame holds the lock from its light setup to the end
// of its list traversal. The lock is held only for the copy of a few fields
// on the calling side and never while a request is sent, so it cannot
// deadlock with the library thread and never blocks its loop for longer than
// such a copy. It is recursive: an object's Draw may change objects too.
#pragma once

#include <windows.h>

namespace pexa {

void LockScene();
void UnlockScene();

class SceneWriteGuard {
  public:
    SceneWriteGuard() { LockScene(); }
    ~SceneWriteGuard() { UnlockScene(); }
    SceneWriteGuard(const SceneWriteGuard &) = delete;
    SceneWriteGuard &operator=(const SceneWriteGuard &) = delete;
};

} // namespace pexa
