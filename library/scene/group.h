// cGroup, the object list that is itself an object (each window's root lists
// and every GroupBegin group), and cUse3D, which draws another object again
// at its own place in a list. The list operations are ObjectList's; drawing
// is in gl_group.cpp.
#pragma once

#include "scene/object_list.h"
#include "scene/object_types.h"

class cGroup : public cObj, public pexa::ObjectList {
  public:
    static constexpr int kTypeId = pexa::kTypeGroup;
    explicit cGroup(cGroup *parent) : cObj(kTypeId), parent(parent) {}
    void Draw() override; // every object in list order; loads pick names
    void DrawExtra() override {}

    cGroup *parent = nullptr; // the list receiving insertions when it was begun
};

class cUse3D : public cObj {
  public:
    static constexpr int kTypeId = pexa::kTypeUse;
    explicit cUse3D(cObj *target) : cObj(kTypeId), target(target) {}
    void Draw() override;
    void DrawExtra() override {}
    cObj *target; // not owned
};
