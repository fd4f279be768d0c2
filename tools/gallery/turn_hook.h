/* The gallery's builds of the examples (gallery_<example>.exe) include this
 * before their own source: their wait for ESC first makes the pictures the
 * environment asks for (turn_hook.c), then waits as the example's own. */
#ifndef PEXA_GALLERY_TURN_HOOK_H
#define PEXA_GALLERY_TURN_HOOK_H

#include "pexa.h"

#ifdef __cplusplus
extern "C" {
#endif
EventInfo GalleryWaitForPexa(int kind, int key);
#ifdef __cplusplus
}
#endif

#define WaitForPexa GalleryWaitForPexa

#endif
