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

/* Header fields of a DIB. Each shows an error box and returns 0 when the
 * handle is NULL (or cannot be locked, or holds less than a header). The
 * height is always positive, also for top-down DIBs. */
PEXA_API LONG GetDIBWidth(HGLOBAL dib);
PEXA_API LONG GetDIBHeight(HGLOBAL dib);
PEXA_API WORD GetDIBBitPerPixel(HGLOBAL dib);
PEXA_API LONG GetDIBXPelsPerMeter(HGLOBAL dib);
PEXA_API LONG GetDIBYPelsPerMeter(HGLOBAL dib);
/* Store the resolution; 1, or 0 after an error box. */
PEXA_API int SetDIBXPelsPerMeter(HGLOBAL dib, LONG pelsPerMeter);
PEXA_API int SetDIBYPelsPerMeter(HGLOBAL dib, LONG pelsPerMeter);
/* Colour-table entries of a locked header (not a handle): biClrUsed, else
 * 2^bits below 16 bits, else 0. 0 for an unreadable pointer; no box. */
PEXA_API DWORD GetColorsInPalette(const void *header);
/* Pixel bits of a locked header: behind the 40-byte header, the colour table
 * and (BI_BITFIELDS) the three masks. NULL for an unreadable pointer; no box. */
PEXA_API BYTE *GetDIBBits(void *header);
/* A logical palette of the DIB's colour table; 16 bits and more get a fixed
 * 256-colour palette. NULL after an error box (also for OS/2 DIBs). */
PEXA_API HPALETTE CreateDIBPalette(HGLOBAL dib);
/* Draw the DIB at (x, y) of dc, through palette when not NULL, unscaled or
 * stretched to width x height. 1, or 0 after an error box. */
PEXA_API int DrawDIB(HDC dc, HGLOBAL dib, HPALETTE palette, int x, int y);
PEXA_API int StretchDIB(HDC dc, HGLOBAL dib, HPALETTE palette, int x, int y, int width,
                        int height);
/* The same for a device-dependent bitmap. 1, or 0 after an error box. */
PEXA_API int DrawDDB(HDC dc, HBITMAP bitmap, HPALETTE palette, int x, int y);
PEXA_API int StretchDDB(HDC dc, HBITMAP bitmap, HPALETTE palette, int x, int y, int width,
                        int height);
/* A new device-dependent bitmap of the DIB for the screen; NULL on failure
 * (after an error box when the DIB is NULL). */
PEXA_API HBITMAP DIBtoDDB(HGLOBAL dib, HPALETTE palette);
/* A new DIB of the bitmap with bitsPerPixel (0: the bitmap's own depth) and
 * compression BI_RGB or BI_BITFIELDS (16 and 32 bits; the masks follow the
 * header). NULL after an error box. */
PEXA_API HGLOBAL DDBtoDIB(HBITMAP bitmap, HPALETTE palette, WORD bitsPerPixel,
                          DWORD compression);
/* A new block with every byte of the DIB's block; NULL after an error box. */
PEXA_API HGLOBAL CopyDIB(HGLOBAL dib);
/* A new 24-bit DIB of what the current scene window shows; NULL on failure. */
PEXA_API HGLOBAL DIBfromWind(void);
/* 1 when the file starts like a BMP file with a 40- or 12-byte header, else
 * 0; never shows a box. */
PEXA_API int IsBMPFile(const char *fileName);
/* Reads a BMP file (40-byte or OS/2 header, RLE kept compressed) into a new
 * DIB with a 40-byte header and a positive height. NULL after error boxes. */
PEXA_API HGLOBAL ReadDIB(const char *fileName);
/* Writes the DIB's block behind a BMP file header, replacing the file.
 * 1, or 0 after an error box. */
PEXA_API int WriteDIB(const char *fileName, HGLOBAL dib);

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
