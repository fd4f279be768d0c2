/* exPictures: pictures of a scene made from code - scene.bmp at 1920 x 1080
 * with DIBfromScene, larger than the window and the screen, and turn.gif, the
 * scene turning once about its vertical axis in 36 frames (GIFAnimBegin,
 * GIFAnimAdd, GIFAnimEnd). The files land in the current folder. */
#include <stdio.h>

#include "pexa.h"

int main(void) {
    float red[3] = {0.9f, 0.2f, 0.1f}, green[3] = {0.2f, 0.8f, 0.3f}, blue[3] = {0.2f, 0.4f, 1},
          yellow[3] = {1, 0.9f, 0.2f};
    void *w, *anim;
    HGLOBAL dib;
    int i, frames = 0;

    w = CreateWind(" Pexa Window: Pictures example", 500, 350, 4, 240, 0, 0, 0x06CF0000);
    ResetConsole(" Pexa Console: Pictures example", 4, 4, 61, 17, 3, 3);
    printf("\n This example makes pictures of its scene from code:\n");
    printf("\n - DIBfromScene draws the scene at any size, also larger");
    printf("\n   than the window or the screen, as the window shows it.");
    printf("\n - GIFAnimBegin, GIFAnimAdd and GIFAnimEnd put pictures");
    printf("\n   together into an animated GIF.\n");

    Background(0.15f, 0.15f, 0.25f);
    Axis(NULL, 2.5f, 2.5f, 2.5f, 0.2f, 0.05f, 0.1f);
    Color(NULL, red);
    Box(NULL, -1.8f, -0.6f, -0.6f, -0.6f, 0.6f, 0.6f, GLU_OUTSIDE);
    Color(NULL, green);
    Sphere(NULL, 0.7f, 32, 32, GLU_FILL, GLU_SMOOTH, GLU_OUTSIDE);
    Color(NULL, blue);
    PushMatrix();
    Translate(NULL, 1.3f, -0.6f, 0);
    Rotate(NULL, -90, 1, 0, 0, 0);
    Cylinder(NULL, 1.4f, 0.5f, 0, 1, 1, 32, 1, GLU_FILL, GLU_SMOOTH, GLU_OUTSIDE);
    PopMatrix();
    Color(NULL, yellow);
    PushMatrix();
    Translate(NULL, 0, -1.2f, 0);
    Rotate(NULL, -90, 1, 0, 0, 0);
    Disk(NULL, 0, 2.6f, 48, 1, 0, 360, GLU_FILL, GLU_SMOOTH, GLU_OUTSIDE);
    PopMatrix();
    Rotation(20, 1, 0, 0);
    ShowWind(w);

    dib = DIBfromScene(w, 1920, 1080);
    if (dib && WriteDIB("scene.bmp", dib))
        printf("\n Wrote scene.bmp, 1920 x 1080 pixels.");
    else
        printf("\n Could not write scene.bmp.");
    if (dib) GlobalFree(dib);

    anim = GIFAnimBegin("turn.gif", 8, 0);
    for (i = 0; anim && i < 36; ++i) {
        dib = DIBfromScene(w, 320, 240);
        if (dib && GIFAnimAdd(anim, dib)) ++frames;
        if (dib) GlobalFree(dib);
        Rotation(10, 0, 1, 0);
    }
    if (anim && GIFAnimEnd(anim) && frames == 36)
        printf("\n Wrote turn.gif, 36 frames of 320 x 240 pixels.");
    else
        printf("\n Could not write turn.gif.");
    printf("\n\n\n\n Press ESC to terminate this example.");
    WaitForPexa(KEYHIT, VK_ESCAPE);
    return 0;
}
