// The groups each calling thread has open in one window. A thread's new
// objects go into the innermost group that thread opened, so threads that
// build at the same time never put objects into each other's groups; a
// program with one thread sees one list of open groups, as always. Threads
// are known by their id. Library thread only.
#pragma once

#include <cstdint>
#include <unordered_map>

#include "scene/group.h"

namespace pexa {

class OpenGroups {
  public:
    // The list receiving the thread's objects: its innermost open group,
    // else root.
    cGroup *Of(uint32_t thread, cGroup *root) const {
        auto it = open_.find(thread);
        return it == open_.end() ? root : it->second;
    }
    // From now on the thread's objects go into list (root: no group open).
    void Set(uint32_t thread, cGroup *list, cGroup *root) {
        if (list && list != root)
            open_[thread] = list;
        else
            open_.erase(thread);
    }
    // A group is destroyed: the threads that had it open continue in the
    // root list, as after deleting an open group.
    void Forget(const ObjectList *list) {
        for (auto it = open_.begin(); it != open_.end();)
            it = static_cast<const ObjectList *>(it->second) == list ? open_.erase(it) : ++it;
    }
    // The thread ended; its id may come back with another thread.
    void ForgetThread(uint32_t thread) { open_.erase(thread); }

  private:
    std::unordered_map<uint32_t, cGroup *> open_;
};

} // namespace pexa
