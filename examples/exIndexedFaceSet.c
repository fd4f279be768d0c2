/* exIndexedFaceSet: a vase of 18 coloured bands with a yellow ring at each
 * rim, every band one IndexedFaceSet of 38 points and 36 triangles. */
#include <math.h>
#include <stdio.h>

#include "pexa.h"

int main(void) {
    /* Each band: two curves of 19 points, interleaved (point 2k on the first
     * curve, 2k + 1 on the second), joined by the triangles (2k, 2k+1, 2k+2)
     * and (2k+1, 2k+3, 2k+2). */
    static float coords[38 * 3];
    static float tables[13][19 * 3];
    static int coordIndex[144], colourIndex[144];
    static float ambient[3] = {0.8f, 0.8f, 0.8f};
    const float pi = 3.14159265f;
    void *w;
    int band, k, m;

    w = CreateWind(" Pexa Window: IndexedFaceSet Example", 500, 350, 4, 240, 0, 0, 0x06CF0000);
    ResetConsole(" Pexa Console: IndexedFaceSet Example", 4, 4, 61, 17, 3, 3);
    printf("\n This example shows the usage of the object IndexedFaceSet:\n");
    printf("\n - It is based on the same object of the 3D format VRML97.");
    printf("\n - You can create with it an object of any kind of form");
    printf("\n   color and shade.");
    printf("\n - It therefore uses three arrays with vertices, colors");
    printf("\n   and normal vectors referenced by indexes.\n\n\n\n\n\n");
    printf("\n Press ESC to terminate this example");

    for (k = 0; k < 18; ++k) {
        int *t = coordIndex + 8 * k;
        t[0] = 2 * k, t[1] = 2 * k + 1, t[2] = 2 * k + 2, t[3] = -1;
        t[4] = 2 * k + 1, t[5] = 2 * k + 3, t[6] = 2 * k + 2, t[7] = -1;
    }
    for (k = 0; k < 144; ++k)
        colourIndex[k] = coordIndex[k] < 0 ? -1 : coordIndex[k] / 2;
    /* Thirteen colour tables around the colour circle, darker at the foot. */
    for (m = 0; m < 13; ++m)
        for (k = 0; k < 19; ++k) {
            float light = 0.35f + 0.65f * k / 18.0f;
            float hue = 2 * pi * m / 13.0f;
            tables[m][3 * k] = light * (0.5f + 0.5f * cosf(hue));
            tables[m][3 * k + 1] = light * (0.5f + 0.5f * cosf(hue - 2 * pi / 3));
            tables[m][3 * k + 2] = light * (0.5f + 0.5f * cosf(hue - 4 * pi / 3));
        }

    LightColor(0, ambient, NULL, NULL);
    /* 18 bands of 20 degrees each: the first three share a colour table, the
     * next twelve have one each, the last three reuse the fifteenth's. */
    for (band = 0; band < 18; ++band) {
        float a0 = band * pi / 9, a1 = (band + 1) * pi / 9;
        for (k = 0; k < 19; ++k) {
            float y = -1 + k / 9.0f;
            float r = 0.45f + 0.4f * cosf(1.3f * y);
            float *p = coords + 6 * k;
            p[0] = r * cosf(a0), p[1] = y, p[2] = -r * sinf(a0);
            p[3] = r * cosf(a1), p[4] = y, p[5] = -r * sinf(a1);
        }
        m = band < 3 ? 0 : band < 15 ? band - 2 : 12;
        IndexedFaceSet(NULL, coords, 38, coordIndex, 144, 60, 0, 1, tables[m], 19, colourIndex, 144,
                       1, NULL, 0, NULL, 0);
    }
    /* The two rims: yellow collars, without colours of their own. */
    ColorRGB(NULL, 1, 1, 0);
    for (band = 0; band < 2; ++band) {
        float y = band ? 1.0f : -1.0f;
        float r = 0.45f + 0.4f * cosf(1.3f * y);
        for (k = 0; k < 19; ++k) {
            float a = k * pi / 9;
            float *p = coords + 6 * k;
            p[0] = r * cosf(a), p[1] = y, p[2] = -r * sinf(a);
            p[3] = (r + 0.15f) * cosf(a), p[4] = y + 0.06f * y, p[5] = -(r + 0.15f) * sinf(a);
        }
        IndexedFaceSet(NULL, coords, 38, coordIndex, 144, 60, 0, 1, NULL, 0, NULL, 0, 1, NULL, 0,
                       NULL, 0);
    }
    Translation(0, 0, 3.5f);
    ShowWind(w);
    WaitForPexa(KEYHIT, VK_ESCAPE);
    return 0;
}
