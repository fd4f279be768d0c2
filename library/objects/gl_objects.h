// The 3D primitive, quadric, attribute and transform kinds.
#pragma once

#include <GL/gl.h>
#include <GL/glu.h>

#include "scene/group.h"
#include "pexa.h"

#define PEXA_OBJECT_BODY                                                                           \
    void Draw() override;                                                                          \
    void DrawExtra() override {}

class cPoint3D : public cObj {
  public:
    static constexpr int kTypeId = pexa::kTypePoint;
    cPoint3D() : cObj(kTypeId) {}
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
            for (int k = 0; k < 3; ++k)
                p[i][k] = points[i][k];
            if (colours && colours[i])
                for (int k = 0; k < 3; ++k)
                    c[i][k] = colours[i][k];
        }
        hasColour = colours != nullptr;
    }
    float p[N][3] = {};
    float c[N][3] = {};
    int hasColour = 0;
};

class cLine3D : public cVertices3D<2> {
  public:
    static constexpr int kTypeId = pexa::kTypeLine;
    cLine3D() : cVertices3D(kTypeId) {}
    PEXA_OBJECT_BODY
};

class cTriangle3D : public cVertices3D<3> {
  public:
    static constexpr int kTypeId = pexa::kTypeTriangle;
    cTriangle3D() : cVertices3D(kTypeId) {}
    PEXA_OBJECT_BODY
};

class cTetragon3D : public cVertices3D<4> {
  public:
    static constexpr int kTypeId = pexa::kTypeTetragon;
    cTetragon3D() : cVertices3D(kTypeId) {}
    PEXA_OBJECT_BODY
};

class cBox3D : public cObj {
  public:
    static constexpr int kTypeId = pexa::kTypeBox;
    cBox3D() : cObj(kTypeId) {}
    PEXA_OBJECT_BODY
    void Set(float x1, float y1, float z1, float x2, float y2, float z2, int orientation);
    float k[8][3] = {};
    int orientation = GLU_OUTSIDE;
};

class cSphere3D : public cObj {
  public:
    static constexpr int kTypeId = pexa::kTypeSphere;
    cSphere3D() : cObj(kTypeId), quadric(gluNewQuadric()) {}
    ~cSphere3D() override;
    PEXA_OBJECT_BODY
    GLUquadric *quadric;
    float radius = 1;
    int slices = 16, stacks = 16;
    int drawStyle = GLU_FILL, normals = GLU_SMOOTH, orientation = GLU_OUTSIDE;
};

class cCylinder3D : public cObj {
  public:
    static constexpr int kTypeId = pexa::kTypeCylinder;
    explicit cCylinder3D(int bottomCap = 1, int topCap = 1);
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
    static constexpr int kTypeId = pexa::kTypeDisk;
    cDisk3D() : cObj(kTypeId), quadric(gluNewQuadric()) {}
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
    static constexpr int kTypeId = pexa::kTypeAxis;
    cAxis3D() : cObj(kTypeId), cone(gluNewQuadric()), base(gluNewQuadric()) {}
    ~cAxis3D() override;
    PEXA_OBJECT_BODY
    GLUquadric *cone;
    GLUquadric *base;
    float lengthX = 1, lengthY = 1, lengthZ = 1;
    float arrowLength = 0.1f, arrowRadius = 0.05f, letterSize = 0.1f;
};

class cPrimitive3D : public cObj {
  public:
    static constexpr int kTypeId = pexa::kTypePrimitive;
    cPrimitive3D() : cObj(kTypeId) {}
    ~cPrimitive3D() override { delete[] vertices; }
    PEXA_OBJECT_BODY
    float *vertices = nullptr; // count x 3 floats, owned
    int count = 0;
    int mode = 0;
};

class cColor3D : public cObj {
  public:
    static constexpr int kTypeId = pexa::kTypeColor;
    cColor3D() : cObj(kTypeId) {}
    PEXA_OBJECT_BODY
    float red = 1, green = 1, blue = 1;
};

class cTranslate3D : public cObj {
  public:
    static constexpr int kTypeId = pexa::kTypeTranslate;
    cTranslate3D() : cObj(kTypeId) {}
    PEXA_OBJECT_BODY
    float x = 0, y = 0, z = 0;
};

class cScale3D : public cObj {
  public:
    static constexpr int kTypeId = pexa::kTypeScale;
    cScale3D() : cObj(kTypeId) {}
    PEXA_OBJECT_BODY
    float x = 1, y = 1, z = 1;
};

class cRotate3D : public cObj {
  public:
    static constexpr int kTypeId = pexa::kTypeRotate;
    cRotate3D() : cObj(kTypeId) {}
    PEXA_OBJECT_BODY
    float angle = 0, x = 0, y = 0, z = 1, increment = 0;
};

class cPushMatrix3D : public cObj {
  public:
    static constexpr int kTypeId = pexa::kTypePushMatrix;
    cPushMatrix3D() : cObj(kTypeId) {}
    PEXA_OBJECT_BODY
};

class cPopMatrix3D : public cObj {
  public:
    static constexpr int kTypeId = pexa::kTypePopMatrix;
    cPopMatrix3D() : cObj(kTypeId) {}
    PEXA_OBJECT_BODY
};

class cEnable3D : public cObj {
  public:
    static constexpr int kTypeId = pexa::kTypeEnable;
    cEnable3D() : cObj(kTypeId) {}
    PEXA_OBJECT_BODY
    int capability = 0;
    int state = 1;
};
