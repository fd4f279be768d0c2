/* exQuadric: the four volume objects (spheres, cylinders, boxes, disks),
 * placed, turned and scaled; the two cylinders and the egg keep turning. */
#include <stdio.h>

#include "pexa.h"

int main(void) {
    float background[3] = {0.5f, 0.5f, 0.8f}, blue[3] = {0, 0, 1}, red[3] = {1, 0, 0},
          magenta[3] = {1, 0, 1}, yellow[3] = {1, 1, 0}, white[3] = {1, 1, 1};
    void *w;

    w = CreateWind(" Pexa Window: Quadric example", 500, 350, 4, 240, 0, 0, 0x06CF0000);
    ResetConsole(" Pexa Console: Quadric example", 4, 4, 61, 17, 3, 3);
    printf("\n This example shows 3D objects with model transformation:\n");
    printf("\n - There are 4 volume objects available in Pexa: ");
    printf("\n   Spheres, Cylinders, Boxes and Disks.");
    printf("\n - All objects can be positioned (translated), rotated");
    printf("\n   and scaled before they are rendered.");
    printf("\n - The yello egg is a scaled sphere and the blue background");
    printf("\n   is a sphere seen from the inside (try shade mode FLAT).\n\n\n\n");
    printf("\n\n\n Press ESC to terminate this example.");

    Axis(NULL, 3, 3, 3, 0.2f, 0.05f, 0.1f);
    Color(NULL, background);
    Sphere(NULL, 30, 16, 16, GLU_FILL, GLU_SMOOTH, GLU_INSIDE);
    Color(NULL, blue);
    Box(NULL, -0.5f, -0.5f, -3, 0.5f, 0.5f, -2, GLU_OUTSIDE);

    Color(NULL, red); /* turning 2 degrees a frame about x */
    PushMatrix();
    Translate(NULL, -2.2f, 0, 0);
    Rotate(NULL, 0, 1, 0, 0, 2);
    Cylinder(NULL, 1, 0.5f, 0.2f, 1, 1, 32, 1, GLU_FILL, GLU_SMOOTH, GLU_OUTSIDE);
    PopMatrix();

    Color(NULL, magenta);
    PushMatrix();
    Translate(NULL, 2.2f, 0, 0);
    Rotate(NULL, 0, 1, 0, 0, -2);
    Scale(NULL, 1, 3, 1);
    Cylinder(NULL, 0.5f, 0.5f, 0.5f, 1, 1, 32, 1, GLU_FILL, GLU_SMOOTH, GLU_OUTSIDE);
    PopMatrix();

    Color(NULL, yellow); /* the egg */
    PushMatrix();
    Rotate(NULL, 0, 0, 1, 0, 5);
    Scale(NULL, 1.2f, 1, 1.6f);
    Sphere(NULL, 0.5f, 32, 32, GLU_FILL, GLU_SMOOTH, GLU_OUTSIDE);
    PopMatrix();

    Color(NULL, white);
    PushMatrix();
    Translate(NULL, 0, -2.2f, 0);
    Rotate(NULL, -90, 1, 0, 0, 0);
    Disk(NULL, 1, 2, 32, 1, 10, 340, GLU_FILL, GLU_SMOOTH, GLU_OUTSIDE);
    PopMatrix();

    Enable(NULL, PEXA_ENABLE_ANIMATION);
    ShowWind(w);
    WaitForPexa(KEYHIT, VK_ESCAPE);
    return 0;
}
