/* exLight: three faces of a corner, finely divided so that spot lights show,
 * under a grey headlight and red, green and blue spots; the light setting
 * dialog opens beside the window. */
#include <stdio.h>
#include <stdlib.h>

#include "pexa.h"

int main(void) {
    float dir0[3] = {0, 1, 1}, dir1[3] = {0.5f, 0.5f, 1}, dir2[3] = {1, 0.5f, 0.5f},
          dir3[3] = {0.5f, 1, 0.5f};
    float black[3] = {0, 0, 0}, grey[3] = {0.3f, 0.3f, 0.3f}, half[3] = {0.5f, 0.5f, 0.5f};
    float red[3] = {1, 0, 0}, green[3] = {0, 1, 0}, blue[3] = {0, 0, 1};
    float spot1[3] = {0, 0, -1}, spot2[3] = {-1, 0, 0}, spot3[3] = {0, -1, 0};
    float *points;
    cObj *square, *strip;
    void *w;
    int k;

    w = CreateWind(" Pexa Window: Light example", 500, 350, 4, 240, 0, 0, 0x06CF0000);
    ResetConsole(" Pexa Console: Light example", 4, 4, 61, 17, 3, 3);
    printf("\n This example shows the light capabilities of Pexa:\n");
    printf("\n - Up to 8 light sources can be used at once.");
    printf("\n - You can set parameters for the ambient, diffuse and");
    printf("\n   specular light components.");
    printf("\n - You can set position and direction as well as the light");
    printf("\n   type directional, point or spot light.");
    printf("\n - You can set these parameters by program or with");
    printf("\n   the light setting dialog (see context menu).\n\n\n");
    printf("\n Try the different slide bars in the light setting dialog\n");
    printf("\n Press ESC to terminate this example");

    LightDirection(0, 1, 1, dir0);
    LightDirection(1, 1, 0, dir1);
    LightDirection(2, 1, 0, dir2);
    LightDirection(3, 1, 0, dir3);
    LightColor(0, black, grey, half);
    LightColor(1, black, red, black);
    LightColor(2, black, green, black);
    LightColor(3, black, blue, black);
    LightSpot(1, spot1, 45, 0);
    LightSpot(2, spot2, 45, 0);
    LightSpot(3, spot3, 25, 0);

    /* A strip of 50 small squares along x, 0.02 high. */
    points = (float *)malloc(102 * 3 * sizeof(float));
    if (!points) return 1;
    for (k = 0; k <= 50; ++k) {
        float *p = points + 6 * k;
        p[0] = 0.02f * k, p[1] = 0.02f, p[2] = 0;
        p[3] = 0.02f * k, p[4] = 0, p[5] = 0;
    }
    Axis(NULL, 3, 3, 3, 0.2f, 0.05f, 0.1f);
    PushMatrix();
    square = GroupBegin();
    strip = Primitive(NULL, GL_TRIANGLE_STRIP, points, 102);
    for (k = 0; k < 49; ++k) {
        Translate(NULL, 0, 0.02f, 0);
        Use(strip);
    }
    GroupEnd();
    PopMatrix();
    free(points);
    /* The square three times: in the xy, yz and zx planes. */
    PushMatrix();
    Rotate(NULL, 90, 0, 1, 0, 0);
    Translate(NULL, -1, 0, 0);
    Use(square);
    PopMatrix();
    PushMatrix();
    Rotate(NULL, -90, 1, 0, 0, 0);
    Translate(NULL, 0, -1, 0);
    Use(square);
    PopMatrix();
    UseDisplayList();
    Translation(0, 0.2f, 4);
    Rotation(53.65f, 0.53f, -0.82f, -0.22f);
    ShowWind(w);
    LightDialog(w);
    WaitForPexa(KEYHIT, VK_ESCAPE);
    return 0;
}
