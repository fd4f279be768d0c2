// cGroup, the ordered object list that is itself an object (each window's
// root lists and every GroupBegin group), and cUse3D, which draws another
// object again at its own place in a list.
#pragma once

#include "pexa.h"

enum : int {
    kTypeAxis = 1001,
    kTypeBitmap = 1002,
    kTypeBox = 1003,
    kTypeCylinder = 1004,
    kTypeDisk = 1005,
    kTypeElevationGrid = 1006,
    kTypeGroup = 1007,
    kTypeIndexedFaceSet = 1008,
    kTypeLine = 1009,
    kTypePoint = 1012,
    kTypePrimitive = 1013,
    kTypeSphere = 1015,
    kTypeTetragon = 1016,
    kTypeTriangle = 1017,
    kTypeTextBMP = 1018,
    kTypeTextEXT = 1019,
    kTypeUse = 1020,
    kTypeColor = 2001,
    kTypeEnable = 2002,
    kTypeRotate = 2007,
    kTypePopMatrix = 2008,
    kTypePushMatrix = 2009,
    kTypeScale = 2010,
    kTypeTranslate = 2011,
    kType2DFirst = 3000, // ids below are drawn in the 3D pass and pickable
};

class cGroup : public cObj {
  public:
    explicit cGroup(cGroup *parent);
    ~cGroup() override; // destroys every object it holds
    void Draw() override;
    void DrawExtra() override {}

    // Inserts obj at the insertion position; 0 for a null obj. The first
    // object entering an empty list sets the current window's has3D (id
    // below 3000) or has2D (id above 3000).
    int Insert(cObj *obj);
    // Takes obj out and destroys it; returns its former successor, or null
    // when obj is not in the list or was last.
    cObj *Delete(cObj *obj);
    // Insertion position for the next insertions (hold: for all of them).
    void SetPosition(cObj *obj, int hold);
    // Destroys every object and resets the list.
    void Empty();

    int count = 0;
    cObj *first = nullptr;
    cObj *last = nullptr;
    cObj *position = nullptr;
    int holdPosition = 0;
    cObj *cursor = nullptr;
    cGroup *parent = nullptr;
};

class cUse3D : public cObj {
  public:
    explicit cUse3D(cObj *target) : cObj(kTypeUse), target(target) {}
    void Draw() override;
    void DrawExtra() override {}
    cObj *target; // not owned
};
