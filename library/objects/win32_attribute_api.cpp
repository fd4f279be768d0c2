// The exported functions of pexa.h's "Attribute and transform objects"
// section: each creates and inserts a new object, or changes an existing one
// of its kind in place (on the calling thread, under the scene lock).
// Drawing is in gl_attributes.cpp.
#include <new>

#include "objects/gl_objects.h"
#include "objects/win32_create.h"

using namespace pexa;

namespace {

template <class T> cObj *CreateAlways() {
    return InsertNew(new (std::nothrow) T());
}

} // namespace

extern "C" {

PEXA_API cObj *Color(cObj *obj, float *rgb) {
    float c[3] = {0, 0, 0};
    if (rgb) Copy3(c, rgb);
    auto set = [&](cColor3D *o) {
        o->red = c[0];
        o->green = c[1];
        o->blue = c[2];
    };
    return CreateOrModify<cColor3D>(obj, set);
}

PEXA_API cObj *ColorRGB(cObj *obj, float r, float g, float b) {
    float rgb[3] = {r, g, b};
    return Color(obj, rgb);
}

PEXA_API cObj *Translate(cObj *obj, float x, float y, float z) {
    auto set = [&](cTranslate3D *o) { o->x = x, o->y = y, o->z = z; };
    return CreateOrModify<cTranslate3D>(obj, set);
}

PEXA_API cObj *Scale(cObj *obj, float x, float y, float z) {
    auto set = [&](cScale3D *o) { o->x = x, o->y = y, o->z = z; };
    return CreateOrModify<cScale3D>(obj, set);
}

PEXA_API cObj *Rotate(cObj *obj, float angle, float x, float y, float z, float increment) {
    auto set = [&](cRotate3D *o) {
        o->angle = angle;
        o->x = x, o->y = y, o->z = z;
        o->increment = increment;
    };
    return CreateOrModify<cRotate3D>(obj, set);
}

PEXA_API cObj *PushMatrix(void) {
    return CreateAlways<cPushMatrix3D>();
}

PEXA_API cObj *PopMatrix(void) {
    return CreateAlways<cPopMatrix3D>();
}

PEXA_API cObj *Enable(cObj *obj, int capability) {
    auto set = [&](cEnable3D *o) { o->capability = capability, o->state = 1; };
    return CreateOrModify<cEnable3D>(obj, set);
}

PEXA_API cObj *Disable(cObj *obj, int capability) {
    auto set = [&](cEnable3D *o) { o->capability = capability, o->state = 0; };
    return CreateOrModify<cEnable3D>(obj, set);
}

} // extern "C"
