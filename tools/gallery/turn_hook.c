/* The pictures of the gallery (tools/run-scene.sh --all) and of
 * tools/run-scene.sh --picture, made by an example itself when it begins
 * to wait for ESC, with DIBfromScene of its current window:
 *   PEXA_TURN_GIF=<file>      an animated GIF of the scene turning once about
 *                             the vertical axis: 36 frames of 10 degrees,
 *                             320 x 240 (PEXA_TURN_SIZE=<w>x<h> for another)
 *   PEXA_PICTURE=<file>       a BMP file of the scene, 4000 x 3000
 *                             (PEXA_PICTURE_SIZE=<w>x<h> for another)
 * Each file appears complete or not at all; the view ends as it began. */
#include <stdio.h>
#include <string.h>
#include <windows.h>

#include "turn_hook.h"

#undef WaitForPexa

enum { kTurnFrames = 36 };

/* The size in the variable name, else the default; 0 when it is not w x h. */
static int SizeFrom(const char *name, int *width, int *height) {
    char text[64];
    DWORD n = GetEnvironmentVariableA(name, text, sizeof text);
    if (n == 0) return 1;
    return n < sizeof text && sscanf(text, "%dx%d", width, height) == 2;
}

/* fileName named by the variable, written under a temporary name beside it
 * by write and put in place when write succeeded. */
static void MakeFile(const char *variable, int (*write)(const char *, int, int), const char *size,
                     int width, int height) {
    char fileName[MAX_PATH], temporary[MAX_PATH + 8];
    DWORD n = GetEnvironmentVariableA(variable, fileName, sizeof fileName);
    if (n == 0 || n >= sizeof fileName) return;
    if (!SizeFrom(size, &width, &height)) {
        printf("\n gallery: %s is not <width>x<height>", size);
        return;
    }
    snprintf(temporary, sizeof temporary, "%s.part", fileName);
    if (write(temporary, width, height) && MoveFileExA(temporary, fileName, MOVEFILE_REPLACE_EXISTING))
        printf("\n gallery: wrote %s (%d x %d)", fileName, width, height);
    else
        printf("\n gallery: could not write %s", fileName);
    DeleteFileA(temporary);
    fflush(stdout);
}

static int WritePicture(const char *fileName, int width, int height) {
    HGLOBAL dib = DIBfromScene(NULL, width, height);
    int ok = dib && WriteDIB(fileName, dib);
    if (dib) GlobalFree(dib);
    return ok;
}

static int WriteTurn(const char *fileName, int width, int height) {
    void *anim = GIFAnimBegin(fileName, 8, 0);
    int ok = anim != NULL, i;
    for (i = 0; i < kTurnFrames; ++i) {
        HGLOBAL dib = DIBfromScene(NULL, width, height);
        ok = ok && dib && GIFAnimAdd(anim, dib);
        if (dib) GlobalFree(dib);
        Rotation(360.0f / kTurnFrames, 0, 1, 0);
    }
    return anim && GIFAnimEnd(anim) && ok;
}

EventInfo GalleryWaitForPexa(int kind, int key) {
    if (key == VK_ESCAPE) {
        MakeFile("PEXA_PICTURE", WritePicture, "PEXA_PICTURE_SIZE", 4000, 3000);
        MakeFile("PEXA_TURN_GIF", WriteTurn, "PEXA_TURN_SIZE", 320, 240);
    }
    return WaitForPexa(kind, key);
}
