// The exported functions of pexa.h's "3D objects" section, the primitive and
// quadric kinds: each creates and inserts a new object, or changes an
// existing one of its kind in place (on the calling thread, under the scene
// lock). Drawing is in gl_primitives.cpp.
#include <cstring>

#include "objects/gl_objects.h"
#include "objects/win32_create.h"

using namespace pexa;

namespace {

void StoreColour(float *to, const float *from) {
    if (from) Copy3(to, from);
}

// Line, triangle and tetragon, with colours or (colours null) without.
template <class T, int N>
cObj *SetVertices(cObj *obj, const float (&points)[N][3], const float *const *colours) {
    auto set = [&](T *o) { o->SetVertices(points, colours); };
    return CreateOrModify<T>(obj, set);
}

} // namespace

extern "C" {

PEXA_API cObj *Point(cObj *obj, float x, float y, float z, float *color) {
    auto set = [&](cPoint3D *o) {
        Set3(o->position, x, y, z);
        o->hasColour = color != nullptr;
        StoreColour(o->colour, color);
    };
    return CreateOrModify<cPoint3D>(obj, set);
}

PEXA_API cObj *Line(cObj *obj, float x1, float y1, float z1, float x2, float y2, float z2) {
    const float p[2][3] = {{x1, y1, z1}, {x2, y2, z2}};
    return SetVertices<cLine3D>(obj, p, nullptr);
}

PEXA_API cObj *LineCol(cObj *obj, float *color1, float x1, float y1, float z1, float *color2,
                       float x2, float y2, float z2) {
    const float p[2][3] = {{x1, y1, z1}, {x2, y2, z2}};
    const float *c[2] = {color1, color2};
    return SetVertices<cLine3D>(obj, p, c);
}

PEXA_API cObj *Triangle(cObj *obj, float x1, float y1, float z1, float x2, float y2, float z2,
                        float x3, float y3, float z3) {
    const float p[3][3] = {{x1, y1, z1}, {x2, y2, z2}, {x3, y3, z3}};
    return SetVertices<cTriangle3D>(obj, p, nullptr);
}

PEXA_API cObj *TriangleCol(cObj *obj, float *color1, float x1, float y1, float z1, float *color2,
                           float x2, float y2, float z2, float *color3, float x3, float y3,
                           float z3) {
    const float p[3][3] = {{x1, y1, z1}, {x2, y2, z2}, {x3, y3, z3}};
    const float *c[3] = {color1, color2, color3};
    return SetVertices<cTriangle3D>(obj, p, c);
}

PEXA_API cObj *Tetragon(cObj *obj, float x1, float y1, float z1, float x2, float y2, float z2,
                        float x3, float y3, float z3, float x4, float y4, float z4) {
    const float p[4][3] = {{x1, y1, z1}, {x2, y2, z2}, {x3, y3, z3}, {x4, y4, z4}};
    return SetVertices<cTetragon3D>(obj, p, nullptr);
}

PEXA_API cObj *TetragonCol(cObj *obj, float *color1, float x1, float y1, float z1, float *color2,
                           float x2, float y2, float z2, float *color3, float x3, float y3,
                           float z3, float *color4, float x4, float y4, float z4) {
    const float p[4][3] = {{x1, y1, z1}, {x2, y2, z2}, {x3, y3, z3}, {x4, y4, z4}};
    const float *c[4] = {color1, color2, color3, color4};
    return SetVertices<cTetragon3D>(obj, p, c);
}

PEXA_API cObj *Box(cObj *obj, float x1, float y1, float z1, float x2, float y2, float z2,
                   int orientation) {
    auto set = [&](cBox3D *o) { o->Set(x1, y1, z1, x2, y2, z2, orientation); };
    return CreateOrModify<cBox3D>(obj, set);
}

PEXA_API cObj *Sphere(cObj *obj, float radius, int slices, int stacks, int drawStyle, int normals,
                      int orientation) {
    auto set = [&](cSphere3D *o) {
        o->radius = radius;
        o->slices = slices;
        o->stacks = stacks;
        o->drawStyle = drawStyle;
        o->normals = normals;
        o->orientation = orientation;
    };
    return CreateOrModify<cSphere3D>(obj, set);
}

PEXA_API cObj *Cylinder(cObj *obj, float height, float baseRadius, float topRadius, int bottomCap,
                        int topCap, int slices, int stacks, int drawStyle, int normals,
                        int orientation) {
    // The caps are decided at creation; modifying ignores the two flags.
    auto set = [&](cCylinder3D *o) {
        o->height = height;
        o->baseRadius = baseRadius;
        o->topRadius = topRadius;
        o->slices = slices;
        o->stacks = stacks;
        o->drawStyle = drawStyle;
        o->normals = normals;
        o->orientation = orientation;
    };
    auto make = [&]() -> cCylinder3D * {
        cCylinder3D *o = new (std::nothrow) cCylinder3D(bottomCap, topCap);
        if (o) set(o);
        return o;
    };
    return CreateOrModify<cCylinder3D>(obj, make, set);
}

PEXA_API cObj *Disk(cObj *obj, float innerRadius, float outerRadius, int slices, int loops,
                    float startAngle, float sweepAngle, int drawStyle, int normals,
                    int orientation) {
    auto set = [&](cDisk3D *o) {
        o->innerRadius = innerRadius;
        o->outerRadius = outerRadius;
        o->slices = slices;
        o->loops = loops;
        o->startAngle = startAngle;
        o->sweepAngle = sweepAngle;
        o->drawStyle = drawStyle;
        o->normals = normals;
        o->orientation = orientation;
    };
    return CreateOrModify<cDisk3D>(obj, set);
}

PEXA_API cObj *Axis(cObj *obj, float lengthX, float lengthY, float lengthZ, float arrowLength,
                    float arrowRadius, float letterSize) {
    auto set = [&](cAxis3D *o) {
        o->lengthX = lengthX;
        o->lengthY = lengthY;
        o->lengthZ = lengthZ;
        o->arrowLength = arrowLength;
        o->arrowRadius = arrowRadius;
        o->letterSize = letterSize;
    };
    return CreateOrModify<cAxis3D>(obj, set);
}

PEXA_API cObj *Primitive(cObj *obj, int mode, float *vertices, int count) {
    if (obj && !IsKind<cPrimitive3D>(obj)) return nullptr;
    // The copy is made before the lock is taken: a frame never waits for it.
    float *copy = nullptr;
    if (vertices && count > 0) {
        copy = new (std::nothrow) float[size_t(count) * 3];
        if (copy) std::memcpy(copy, vertices, size_t(count) * 3 * sizeof(float));
    }
    auto set = [&](cPrimitive3D *o) {
        delete[] o->vertices;
        o->vertices = copy;
        o->count = copy ? count : 0;
        o->mode = copy ? mode : 0;
    };
    auto make = [&]() -> cPrimitive3D * {
        cPrimitive3D *o = MakeWith<cPrimitive3D>(set);
        if (!o) delete[] copy;
        return o;
    };
    return CreateOrModify<cPrimitive3D>(obj, make, set);
}

} // extern "C"
