/* exMultiWindow: three scene windows side by side, each with a style and a
 * draw or shade mode of its own; ESC in any of them ends the program. */
#include <stdio.h>

#include "pexa.h"

int main(void) {
    void *w1, *w2, *w3;
    HPEN red, green, blue;

    /* With a status bar; a frame without resizing border and buttons; no
     * frame at all (WS_POPUP). */
    w1 = CreateWind(" Pexa Window: 1", 165, 180, 4, 240, 0, 1, 0x06CF0000);
    w2 = CreateWind(" Pexa Window: 2", 165, 180, 170, 240, 0, 0, 0x06080000);
    w3 = CreateWind(" Pexa Window: 3", 165, 180, 338, 240, 0, 0, 0x80000000);
    /* Pens for 2D drawing, kept for the program's own use. */
    red = CreatePen2D(0, 1, 0.5f, 1, 0);
    green = CreatePen2D(1, 0, 0, 1, 0);
    blue = CreatePen2D(0, 0, 1, 1, 0);
    (void)red, (void)green, (void)blue;

    ResetConsole(" Pexa Console: Multiple Window example", 4, 4, 61, 17, 3, 3);
    printf("\n This example shows how to create multiple Pexa windows.\n");
    printf("\n - The number of Pexa windows is only limited");
    printf("\n   by the resources of your computer.");
    printf("\n - Pexa windows style can be set individually.");
    printf("\n - Pexa windows can have a status bar.");
    printf("\n - Pexa windows have their own light and view dialog.\n\n\n\n\n\n\n");
    printf("\n Press ESC to terminate this example.");

    CurrentWind(w1);
    DrawMode(PEXA_LINE);
    Axis(NULL, 3, 3, 3, 0.2f, 0.05f, 0.1f);
    Sphere(NULL, 1, 16, 16, GLU_FILL, GLU_SMOOTH, GLU_OUTSIDE);
    StatusText("This is status text");

    CurrentWind(w2);
    ShadeMode(PEXA_FLAT);
    Axis(NULL, 3, 3, 3, 0.2f, 0.05f, 0.1f);
    Sphere(NULL, 1, 16, 16, GLU_FILL, GLU_SMOOTH, GLU_OUTSIDE);

    CurrentWind(w3);
    ShadeMode(PEXA_SMOOTH);
    Axis(NULL, 3, 3, 3, 0.2f, 0.05f, 0.1f);
    Sphere(NULL, 1, 16, 16, GLU_FILL, GLU_SMOOTH, GLU_OUTSIDE);

    ShowWind(w1);
    ShowWind(w2);
    ShowWind(w3);
    WaitForPexa(KEYHIT, VK_ESCAPE);
    return 0;
}
