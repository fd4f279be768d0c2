// exNewObject: a scene object class of the program's own, cCircle, drawn
// with OpenGL beside the library's axes. It needs nothing but pexa.h: derive
// from cObj, implement Draw, insert the object with PEXA_MSG_INSERT_3D.
#include <math.h>
#include <stdio.h>

#include "pexa.h"

// A circle outline in the plane z = 0, starting at the top (0, radius).
class cCircle : public cObj {
  public:
    float radius;
    int segments;

    cCircle(float r, int n) : cObj(0), radius(r), segments(n) {}
    virtual ~cCircle() {}
    virtual void Draw() {
        const float full = 6.2831853f;
        const float step = full / (float)segments;
        glBegin(GL_LINE_LOOP);
        for (float a = 0.0f; a <= full; a += step)
            glVertex2d(radius * sinf(a), radius * cosf(a));
        glEnd();
    }
    virtual void DrawExtra() {}
};

// Made like the library's own object functions: a new circle in the current
// window (obj NULL), or obj changed in place; NULL for an object of another
// kind.
cObj *Circle(cObj *obj, float radius, int segments) {
    if (obj) {
        if (obj->typeId != 0) return NULL;
        cCircle *circle = (cCircle *)obj;
        circle->radius = radius;
        circle->segments = segments;
        return obj;
    }
    cCircle *circle = new cCircle(radius, segments);
    SendPexaMsg(PEXA_MSG_INSERT_3D, (WPARAM)(cObj *)circle, 0);
    return circle;
}

int main() {
    void *w = CreateWind(" Pexa Window: New Object Example", 500, 350, 4, 240, 0, 0, 0x06CF0000);
    ResetConsole(" Pexa Console: New Object example", 4, 4, 61, 17, 3, 3);
    printf("\n This example shows how to extend Pexa:\n");
    printf("\n - Pexa is an open and extendable library.");
    printf("\n - The circle is a new object defined outside of Pexa.");
    printf("\n - With C++ you can define your own object classes");
    printf("\n   and implement the drawing methods with OpenGL or GDI.");
    printf("\n\n\n\n\n\n\n\n\n Press ESC to terminate this example.");
    Axis(NULL, 3, 3, 3, 0.2f, 0.05f, 0.1f);
    ColorRGB(NULL, 1, 1, 0);
    Circle(NULL, 1, 17);
    ShowWind(w);
    WaitForPexa(KEYHIT, VK_ESCAPE);
    return 0;
}
