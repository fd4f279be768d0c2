// The 3D primitive, quadric, attribute and transform kinds, and the
// create-or-modify pattern that every object function follows.
#pragma once

#include <GL/gl.h>
#include <GL/glu.h>

#include <new>

#include "objects/win32_group.h"
#include "runtime/requests.h"
#include "runtime/win32_library.h"
#include "runtime/win32_scene_lock.h"

namespace pexa {

// obj null: a new T (constructed by make) is inserted into the current
// window and returned (null when allocation failed; the insertion request
// is sent either way and ignores null). obj of kind typeId: modify(obj)
// under the scene lock, then obj. Any other obj: null.
template <class T, class Make, class Modify>
cObj *CreateOrModify(cObj *obj, int typeId, Make make, Modify modify) {
    if (obj) {
        if (obj->typeId != typeId) return nullptr;
        SceneWriteGuard lock;
        modify(static_cast<T *>(obj));
        return obj;
    }
    T *created = make();
    SendRequest(typeId < kType2DFirst ? kInsert3D : kInsert2D, reinterpret_cast<WPARAM>(created),
                0);
    return created;
}

// Sets the fields of a fresh object; the object is not yet shared.
template <class T, class Modify> T *MakeWith(Modify modify) {
    T *created = new (std::nothrow) T();
    if (created) modify(created);
    return created;
}

inline void Copy3(float *to, const float *from) {
    to[0] = from[0];
    to[1] = from[1];
    to[2] = from[2];
}
inline void Set3(float *to, float x, float y, float z) {
    to[0] = x;
    to[1] = y;
    to[2] = z;
}

} // namespace pexa

#define PEXA_OBJECT_BODY                                                                           \
    void Draw() override;                                                                          \
    void DrawExtra() override {}

class cPoint3D : public cObj {
  public:
    cPoint3D() : cObj(kTypePoint) {}
    PEXA_OBJECT_BODY
    float position[3] = {}, colour[3] = {};
    int hasColour = 0;
};

// Kinds made of n points with optional per-vertex colours (line, triangle,
// tetragon); the plain and the colour function of a kind share one class.
template <int N> class cVertices3D : public cObj {
  public:
    explicit cVertices3D(int typeId) : cObj(typeId) {}
    // colours null: the colours are switched off (and kept).
    void SetVertices(const float (&points)[N][3], const float *const *colours) {
        for (int i = 0; i < N; ++i) {
            pexa::Copy3(p[i], points[i]);
            if (colours && colours[i]) pexa::Copy3(c[i], colours[i]);
        }
        hasColour = colours != nullptr;
    }
    float p[N][3] = {};
    float c[N][3] = {};
    int hasColour = 0;
};

class cLine3D : public cVertices3D<2> {
  public:
    cLine3D() : cVertices3D(kTypeLine) {}
    PEXA_OBJECT_BODY
};

class cTriangle3D : public cVertices3D<3> {
  public:
    cTriangle3D() : cVertices3D(kTypeTriangle) {}
    PEXA_OBJECT_BODY
};

class cTetragon3D : public cVertices3D<4> {
  public:
    cTetragon3D() : cVertices3D(kTypeTetragon) {}
    PEXA_OBJECT_BODY
};

class cBox3D : public cObj {
  public:
    cBox3D() : cObj(kTypeBox) {}
    PEXA_OBJECT_BODY
    void Set(float x1, float y1, float z1, float x2, float y2, float z2, int orientation);
    float k[8][3] = {};
    int orientation = GLU_OUTSIDE;
};

class cSphere3D : public cObj {
  public:
    cSphere3D() : cObj(kTypeSphere), quadric(gluNewQuadric()) {}
    ~cSphere3D() override;
    PEXA_OBJECT_BODY
    GLUquadric *quadric;
    float radius = 1;
    int slices = 16, stacks = 16;
    int drawStyle = GLU_FILL, normals = GLU_SMOOTH, orientation = GLU_OUTSIDE;
};

class cCylinder3D : public cObj {
  public:
    cCylinder3D(int bottomCap, int topCap);
    ~cCylinder3D() override;
    PEXA_OBJECT_BODY
    GLUquadric *side;
    GLUquadric *topCap;
    GLUquadric *bottomCap;
    float height = 1, baseRadius = 1, topRadius = 1;
    int slices = 16, stacks = 1;
    int drawStyle = GLU_FILL, normals = GLU_SMOOTH, orientation = GLU_OUTSIDE;
};

class cDisk3D : public cObj {
  public:
    cDisk3D() : cObj(kTypeDisk), quadric(gluNewQuadric()) {}
    ~cDisk3D() override;
    PEXA_OBJECT_BODY
    GLUquadric *quadric;
    float innerRadius = 0, outerRadius = 1;
    int slices = 16, loops = 1;
    float startAngle = 0, sweepAngle = 360;
    int drawStyle = GLU_FILL, normals = GLU_SMOOTH, orientation = GLU_OUTSIDE;
};

class cAxis3D : public cObj {
  public:
    cAxis3D() : cObj(kTypeAxis), cone(gluNewQuadric()), base(gluNewQuadric()) {}
    ~cAxis3D() override;
    PEXA_OBJECT_BODY
    GLUquadric *cone;
    GLUquadric *base;
    float lengthX = 1, lengthY = 1, lengthZ = 1;
    float arrowLength = 0.1f, arrowRadius = 0.05f, letterSize = 0.1f;
};

class cPrimitive3D : public cObj {
  public:
    cPrimitive3D() : cObj(kTypePrimitive) {}
    ~cPrimitive3D() override { delete[] vertices; }
    PEXA_OBJECT_BODY
    float *vertices = nullptr; // count x 3 floats, owned
    int count = 0;
    int mode = 0;
};

class cColor3D : public cObj {
  public:
    cColor3D() : cObj(kTypeColor) {}
    PEXA_OBJECT_BODY
    float red = 1, green = 1, blue = 1;
};

class cTranslate3D : public cObj {
  public:
    cTranslate3D() : cObj(kTypeTranslate) {}
    PEXA_OBJECT_BODY
    float x = 0, y = 0, z = 0;
};

class cScale3D : public cObj {
  public:
    cScale3D() : cObj(kTypeScale) {}
    PEXA_OBJECT_BODY
    float x = 1, y = 1, z = 1;
};

class cRotate3D : public cObj {
  public:
    cRotate3D() : cObj(kTypeRotate) {}
    PEXA_OBJECT_BODY
    float angle = 0, x = 0, y = 0, z = 1, increment = 0;
};

class cPushMatrix3D : public cObj {
  public:
    cPushMatrix3D() : cObj(kTypePushMatrix) {}
    PEXA_OBJECT_BODY
};

class cPopMatrix3D : public cObj {
  public:
    cPopMatrix3D() : cObj(kTypePopMatrix) {}
    PEXA_OBJECT_BODY
};

class cEnable3D : public cObj {
  public:
    cEnable3D() : cObj(kTypeEnable) {}
    PEXA_OBJECT_BODY
    int capability = 0;
    int state = 1;
};
