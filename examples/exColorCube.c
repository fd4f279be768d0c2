/* exColorCube: the RGB colour cube - every corner of the unit cube coloured
 * with its own coordinates as red, green and blue - with two viewpoints. */
#include <stdio.h>

#include "pexa.h"

int main(void) {
    /* The six faces, corners counter-clockwise seen from outside. */
    static float faces[6][4][3] = {
        {{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}}, /* z = 0 */
        {{0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}}, /* z = 1 */
        {{0, 0, 0}, {0, 0, 1}, {0, 1, 1}, {0, 1, 0}}, /* x = 0 */
        {{1, 0, 0}, {1, 1, 0}, {1, 1, 1}, {1, 0, 1}}, /* x = 1 */
        {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}}, /* y = 0 */
        {{0, 1, 0}, {0, 1, 1}, {1, 1, 1}, {1, 1, 0}}, /* y = 1 */
    };
    ViewpointData bottomLeft = {"From Front-Bottom-Left", {0, 0, 4}, {-0.7f, 0.7f, -0.2f}, 42, 45};
    void *w;
    int i;

    w = CreateWind(" Pexa Window: ColorCube example", 500, 350, 4, 240, 0, 0, 0x06CF0000);
    ResetConsole(" Pexa Console: ColorCube example", 4, 4, 61, 17, 3, 3);
    printf("\n This example shows some 3D color capabilities:\n");
    printf("\n - The 3D objects LineCol, TriangleCol, TetragonCol and");
    printf("\n   IndexedFaceSet can set a different color per vertex.");
    printf("\n - You need at least 16 bit color depth (65536 colors).");
    printf("\n\n\n\n\n\n\n\n\n\n Press ESC to terminate this example.");

    Axis(NULL, 3, 3, 3, 0.2f, 0.05f, 0.1f);
    for (i = 0; i < 6; ++i) {
        float(*c)[3] = faces[i];
        TetragonCol(NULL, c[0], c[0][0], c[0][1], c[0][2], c[1], c[1][0], c[1][1], c[1][2], c[2],
                    c[2][0], c[2][1], c[2][2], c[3], c[3][0], c[3][1], c[3][2]);
    }
    Translation(0, 0.2f, 4.1f);
    Rotation(53.65f, 0.53f, -0.82f, -0.22f);
    ShowWind(w);
    ViewpointAdd("From Front-Top-Right", NULL);
    ViewpointAdd(NULL, &bottomLeft);
    WaitForPexa(KEYHIT, VK_ESCAPE);
    return 0;
}
