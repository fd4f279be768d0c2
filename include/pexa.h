/*
 * pexa.h - interactive OpenGL scene windows for console programs, a DIB
 * bitmap toolkit and a GIF codec.
 *
 * Link against pexav16 (everything) or pexab16 (the same without the GIF
 * functions and outline fonts). The header compiles as C and as C++; default
 * arguments and the cObj base class exist only in C++.
 *
 * Threads: the first CreateWind starts the library's own thread, which owns
 * every scene window and OpenGL context. The window and object functions
 * send a request to that thread and return its result; the bitmap toolkit
 * and the GIF codec run on the calling thread.
 *
 * Failures are reported to the user, not returned as codes: the scene
 * runtime prints a line on the console, the bitmap toolkit and GIF codec show
 * an error box; the function then returns 0 or NULL.
 */
#ifndef PEXA_H
#define PEXA_H

#include <windows.h>

#if defined(PEXA_BUILDING_DLL)
#define PEXA_API __declspec(dllexport)
#else
#define PEXA_API __declspec(dllimport)
#endif

#ifdef __cplusplus
#define PEXA_DEFAULT(value) = value
extern "C" {
#else
#define PEXA_DEFAULT(value)
#endif

/* ------------------------------------------------------------------------
 * Windows
 * ------------------------------------------------------------------------ */

/* Creates a scene window and makes it the current window. It is created
 * hidden unless style holds WS_VISIBLE. Returns the window, or NULL after
 * printing "\n Window creation failed!". */
PEXA_API void *CreateWind(const char *title, int width PEXA_DEFAULT(500),
                          int height PEXA_DEFAULT(350), int x PEXA_DEFAULT(4),
                          int y PEXA_DEFAULT(240), void *reserved PEXA_DEFAULT(NULL),
                          int statusBar PEXA_DEFAULT(0),
                          DWORD style PEXA_DEFAULT(WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS |
                                                   WS_CLIPCHILDREN));
/* Tears the window down; the handle must not be used afterwards. 1. */
PEXA_API int DeleteWind(void *wind);
/* Makes wind the current window (on the calling thread, no request). */
PEXA_API void CurrentWind(void *wind);
/* Show and hide; nothing happens when already shown or hidden. 1. */
PEXA_API int ShowWind(void *wind);
PEXA_API int HideWind(void *wind);
/* Moves and sizes a shown window; no effect on a hidden one. 1. */
PEXA_API int SizeWind(void *wind, int x, int y, int width, int height);
/* Draws one frame of the window (two names of one function). 1. */
PEXA_API int RefreshWind(void *wind);
PEXA_API int ClearWind(void *wind);
/* Background colour of the current window, used from the next frame on. 1. */
PEXA_API int Background(float r, float g, float b);
/* The window's device context, window handle and OpenGL context. */
PEXA_API HDC GetHDC(void *wind);
PEXA_API HWND GetHWND(void *wind);
PEXA_API HGLRC GetHGLRC(void *wind);

/* ------------------------------------------------------------------------
 * Requests and events
 * ------------------------------------------------------------------------ */

/* Sends a request (1024 to 1250) to the library thread and returns its
 * result; SendPexaMsg(1025, object, 0) inserts an object of your own class. */
PEXA_API LRESULT SendPexaMsg(UINT message, WPARAM wParam, LPARAM lParam);

/* ------------------------------------------------------------------------
 * Bitmap toolkit: DIB handles, display and BMP files
 * A DIB is a global memory handle holding a packed DIB; every DIB returned
 * is new and freed by the caller with GlobalFree.
 * ------------------------------------------------------------------------ */

/* ------------------------------------------------------------------------
 * Bitmap toolkit: bit-depth conversions, colour reduction, cropping, RLE
 * ------------------------------------------------------------------------ */

/* ------------------------------------------------------------------------
 * GIF codec (pexav16 only)
 * ------------------------------------------------------------------------ */

/* ------------------------------------------------------------------------
 * Numeric helpers
 * ------------------------------------------------------------------------ */

/* Next number of the library's own generator, from 0 to n - 1 (n >= 1;
 * randstd(0) returns 0 and still advances the generator). */
PEXA_API unsigned int randstd(unsigned int n);
/* Restarts the generator's sequence; the library starts as srandstd(161803398). */
PEXA_API void srandstd(unsigned int seed);
/* Scales the vector v[3] in place to length 1; a zero vector stays zero. */
PEXA_API void Normalize(float *v);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* PEXA_H */
