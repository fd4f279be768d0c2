/* exElevationGrid: a small height grid shown with smaller and smaller crease
 * angles (ENTER steps on), then a coloured grid of h(x, z) = sin(x * z). */
#include <math.h>
#include <stdio.h>
#include <stdlib.h>

#include "pexa.h"

int main(void) {
    /* clang-format off */
    static float heights[5 * 4] = {0.2f,   0.1f,  0.4f,  -0.05f, 0.15f,
                                   0.1f,   0.05f, 0.1f,   0.0f,  0.09f,
                                   0.12f,  0.05f, 0.05f,  0.06f, 0.05f,
                                   -0.15f, -0.1f, -0.18f, -0.1f, 0.06f};
    /* clang-format on */
    static float waves[50 * 50], colours[50 * 50 * 3];
    static const int creaseAngles[4] = {30, 20, 10, 0};
    const float pi = 3.14159265f;
    const float factor = 0.0041106227f; /* (pi / 49)^2 in single precision */
    void *w;
    cObj *g;
    int step, i, j;

    w = CreateWind(" Pexa Window: ElevationGrid Example", 500, 350, 4, 240, 0, 0, 0x06CF0000);
    ResetConsole(" Pexa Console: ElevationGrid Example", 4, 4, 61, 17, 3, 3);
    printf("\n This example shows the usage of the object ElevationGrid:\n");
    printf("\n - It is based on the same object of the 3D format VRML97");
    printf("\n   and is defined by its x & y dimensions and an array with");
    printf("\n   heights for each grid point.");
    printf("\n - The object can be smooth or flat shaded.");
    printf("\n - With the crease angle you can set smooth or hard edges.\n");
    printf("\n   Crease angle = 50, Press ENTER to continue");

    Translate(NULL, -0.8f, 0, -0.6f);
    g = ElevationGrid(NULL, 5, 4, 0.4f, 0.4f, heights, 50, 0, 1, NULL, 1, NULL);
    Translation(0, 0, 2);
    Rotation(30, 1, 0, 0);
    ShowWind(w);
    WaitForPexa(KEYHIT, VK_RETURN);

    for (step = 0; step < 4; ++step) {
        ElevationGrid(g, 5, 4, 0.4f, 0.4f, heights, (float)creaseAngles[step], 0, 1, NULL, 1, NULL);
        printf("\n   Crease angle = %2d, Press ENTER to continue", creaseAngles[step]);
        RefreshWind(w);
        WaitForPexa(KEYHIT, VK_RETURN);
    }

    ResetPos();
    ClearList();
    system("cls");
    printf("\n This height of this ElevationGrid are calculated");
    printf("\n with the function h(x,z) = sin(x*z)\n");
    printf("\n Press ESC to terminate this example");

    for (i = 0; i < 50; ++i)
        for (j = 0; j < 50; ++j) {
            float h = (float)sin(i * j * factor);
            waves[50 * i + j] = h;
            colours[3 * (50 * i + j)] = h;
            colours[3 * (50 * i + j) + 1] = 0;
            colours[3 * (50 * i + j) + 2] = 1;
        }
    Translate(NULL, -pi / 2, 0, -pi / 2);
    ElevationGrid(NULL, 50, 50, pi / 49, pi / 49, waves, 90, 0, 1, colours, 1, NULL);
    Rotation(45, 0, -1, 0);
    WaitForPexa(KEYHIT, VK_ESCAPE);
    return 0;
}
