// The index of one window's scene: which list holds each object, which
// lists are groups and whose members, and which Use objects draw which
// target. It lets the window refuse what would break the scene (inserting
// an object twice, a Use that would draw itself, a target that is not
// there, nesting beyond kMaxDepth, an insertion position outside the list)
// and keeps destruction safe: a destroyed target leaves its Use objects
// drawing nothing, and a destroyed group that was receiving insertions
// hands them back to the root.
//
// Every call happens under the scene lock. Lookups and insertions cost one
// hash-table step, so building a scene stays linear.
#pragma once

#include <cstddef>
#include <functional>
#include <unordered_map>
#include <vector>

#include "scene/pexa_core.h"

namespace pexa {

class ObjectList;

class SceneGraph {
  public:
    // Groups may nest this deep (the root lists are level 0), and drawing
    // follows groups and Use objects this many levels down.
    static constexpr int kMaxDepth = 1000;

    enum class Refusal {
        None,
        NullObject,
        AlreadyInAList, // inserted before, or a root list
        UnknownTarget,  // a Use of an object that is not in this window
        Cycle,          // a Use that would draw the list it stands in
        TooDeep,        // a group nested deeper than kMaxDepth
    };

    // What the inserted object is: a plain object, a group with its member
    // list, or a Use object with the field that holds its target.
    struct Kind {
        ObjectList *members = nullptr;
        cObj **targetField = nullptr;
    };

    // A root list of the window (never a member of another list), and the
    // object it is.
    void AddRoot(ObjectList *root, const cObj *asObject);
    // Called with each list about to be destroyed (groups, not roots).
    void OnListDestroyed(std::function<void(ObjectList *)> callback) {
        listDestroyed_ = std::move(callback);
    }

    Refusal CanInsert(const cObj *obj, const ObjectList *list, const Kind &kind) const;
    // Records an insertion that CanInsert allowed.
    void Inserted(cObj *obj, ObjectList *list, const Kind &kind);
    // obj is about to be destroyed: forget it, clear the targets of the Use
    // objects that draw it, and report a group's member list as destroyed.
    void Destroying(cObj *obj);

    bool IsMemberOf(const cObj *obj, const ObjectList *list) const;
    bool Contains(const cObj *obj) const { return nodes_.count(obj) != 0; }
    // Levels between list and its root list (0 for a root, -1 if unknown).
    int DepthOf(const ObjectList *list) const;
    size_t size() const { return nodes_.size(); }

  private:
    struct Node {
        ObjectList *owner = nullptr;
        ObjectList *members = nullptr; // a group
        cObj **targetField = nullptr;  // a Use object
    };
    struct ListInfo {
        cObj *group = nullptr; // null for a root list
        int depth = 0;
    };
    // Whether drawing obj can reach list (through group members and Use
    // targets).
    bool Reaches(const cObj *obj, const ObjectList *list) const;

    std::unordered_map<const cObj *, Node> nodes_;
    std::unordered_map<const ObjectList *, ListInfo> lists_;
    std::unordered_multimap<const cObj *, cObj *> usesOf_; // target -> Use objects
    std::vector<const cObj *> roots_;
    std::function<void(ObjectList *)> listDestroyed_;
};

} // namespace pexa
