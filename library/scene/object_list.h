// The ordered object list behind every group and each window's root lists:
// insertion at a movable position, deletion, emptying. Portable: drawing
// the list is the OpenGL side's business (cGroup::Draw).
#pragma once

#include "scene/pexa_core.h"

namespace pexa {

class SceneGraph;

class ObjectList {
  public:
    ObjectList() = default;
    ~ObjectList() { Empty(); } // the list owns its objects
    ObjectList(const ObjectList &) = delete;
    ObjectList &operator=(const ObjectList &) = delete;

    // Inserts obj after the insertion position (appends without one). Then,
    // unless the position is held, the position moves to the last object.
    // False for a null obj, which changes nothing.
    bool Insert(cObj *obj);
    // Unlinks obj and destroys it through its virtual destructor. Returns its
    // former successor, or null when it was last or is not in the list.
    cObj *Delete(cObj *obj);
    // The next insertions go after obj (hold: all of them, not only the
    // next). A null obj changes nothing.
    void SetPosition(cObj *obj, int hold);
    // Destroys every object and resets the list.
    void Empty();
    bool Contains(const cObj *obj) const;
    bool IsEmpty() const { return first == nullptr; }

    int count = 0; // insertions since the list was last emptied
    cObj *first = nullptr;
    cObj *last = nullptr;
    cObj *position = nullptr; // insertions go after it
    int holdPosition = 0;
    cObj *cursor = nullptr;      // traversal cursor of drawing and emptying
    SceneGraph *graph = nullptr; // the window's index, told of every object destroyed

  private:
    void Destroy(cObj *obj);
};

} // namespace pexa
