/* exPrimitive: one array of points drawn as each of the OpenGL primitives. */
#include <stdio.h>

#include "pexa.h"

int main(void) {
    /* A ring of 8 points, every second one raised, and a strip of 8. */
    /* clang-format off */
    float ring[8 * 3] = {0.5f, 0, 0,    1.5f, 0, 0.4f,  2, 0.5f, 0,  2, 1.5f, 0.4f,
                         1.5f, 2, 0,    0.5f, 2, 0.4f,  0, 1.5f, 0,  0, 0.5f, 0.4f};
    float strip[8 * 3] = {0, 1, 0,  0, 0, 0,  1, 1, 0,  1, 0, 0.4f,
                          2, 1, 0,  2, 0, 0,  3, 1, 0,  3, 0, 0.4f};
    /* clang-format on */
    void *w;

    w = CreateWind(" Pexa Window: Primitive Example", 500, 350, 4, 240, 0, 0, 0x06CF0000);
    ResetConsole(" Pexa Console: Primitive Example", 4, 4, 61, 17, 3, 3);
    printf("\n This example shows the usages of the Primitive object:\n");
    printf("\n - An array of points can be interpreted as ");
    printf("\n   points, lines, a line strip, a line loop,");
    printf("\n   triangles, a triangle strip, a triangle fan,");
    printf("\n   quads, a quad strip and polygones.\n\n\n\n\n\n\n\n");
    printf("\n Press ESC to terminate this example.");

    Disable(NULL, PEXA_ENABLE_CULL_FACE);
    ShadeMode(PEXA_FLAT);
    /* The ring seven times, one behind the other. */
    Translate(NULL, 1, 0, 5);
    ColorRGB(NULL, 1, 1, 1);
    Primitive(NULL, GL_POINTS, ring, 8);
    Translate(NULL, 0, 0, -2);
    ColorRGB(NULL, 1, 0, 0);
    Primitive(NULL, GL_LINES, ring, 8);
    Translate(NULL, 0, 0, -2);
    ColorRGB(NULL, 0, 1, 0);
    Primitive(NULL, GL_LINE_STRIP, ring, 8);
    Translate(NULL, 0, 0, -2);
    ColorRGB(NULL, 0, 1, 1);
    Primitive(NULL, GL_LINE_LOOP, ring, 8);
    Translate(NULL, 0, 0, -2);
    ColorRGB(NULL, 1, 1, 0);
    Primitive(NULL, GL_TRIANGLES, ring, 8);
    Translate(NULL, 0, 0, -2);
    ColorRGB(NULL, 1, 0, 1);
    Primitive(NULL, GL_TRIANGLE_FAN, ring, 8);
    Translate(NULL, 0, 0, -2);
    ColorRGB(NULL, 0, 0, 1);
    Primitive(NULL, GL_POLYGON, ring, 8);
    /* The strip three times, beside them. */
    Translate(NULL, -4, 0, 10);
    ColorRGB(NULL, 1, 1, 1);
    Primitive(NULL, GL_TRIANGLE_STRIP, strip, 8);
    Translate(NULL, 0, 0, -2);
    ColorRGB(NULL, 1, 0, 0);
    Primitive(NULL, GL_QUADS, strip, 8);
    Translate(NULL, 0, 0, -2);
    ColorRGB(NULL, 0, 1, 0);
    Primitive(NULL, GL_QUAD_STRIP, strip, 8);
    LookAt(-3.93f, 5.91f, 7.5f, 0.51f, -0.56f, -0.65f, 0.25f, 0.82f, -0.51f);
    ShowWind(w);
    WaitForPexa(KEYHIT, VK_ESCAPE);
    return 0;
}
