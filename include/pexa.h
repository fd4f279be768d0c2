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

#include <GL/gl.h>  /* primitive modes for Primitive; OpenGL in your own objects */
#include <GL/glu.h>

#if defined(PEXA_BUILDING_DLL)
#define PEXA_API __declspec(dllexport)
#else
#define PEXA_API __declspec(dllimport)
#endif

#ifdef __cplusplus
/* Base of every scene object. Derive your own classes from it, set typeId
 * (below 3000: drawn in the 3D pass and pickable; above 3000: the 2D pass),
 * implement Draw with OpenGL (3D) or GDI (2D) and an empty DrawExtra, and
 * insert an object with SendPexaMsg(1025, obj, 0) (3D) or 1024 (2D). The
 * window then owns it and destroys it through the virtual destructor. */
class cObj {
  public:
    int typeId;
    cObj *next;
    cObj(int id = 0) : typeId(id), next(0) {}
    virtual ~cObj() {}
    virtual void Draw() = 0;
    virtual void DrawExtra() = 0;
};
#define PEXA_DEFAULT(value) = value
extern "C" {
#else
/* In C an object is opaque. */
typedef struct cObj cObj;
#define PEXA_DEFAULT(value)
#endif

/* GLU enumerations used by the object functions. */
#ifndef GLU_FILL
#define GLU_POINT 100010
#define GLU_LINE 100011
#define GLU_FILL 100012
#define GLU_SILHOUETTE 100013
#define GLU_SMOOTH 100000
#define GLU_FLAT 100001
#define GLU_NONE 100002
#define GLU_OUTSIDE 100020
#define GLU_INSIDE 100021
#endif

/* Mode values of the view setters, the menu and the configuration file.
 * (Prefixed: windows.h already owns names such as POINT.) */
#define PEXA_ROTATE 0
#define PEXA_FLY 1
#define PEXA_WALK 2
#define PEXA_SMOOTH 100000
#define PEXA_FLAT 100001
#define PEXA_SHADE_NONE 100002
#define PEXA_POINT 100010
#define PEXA_LINE 100011
#define PEXA_FILL 100012
#define PEXA_PERSPECTIVE 0
#define PEXA_ORTHOGONAL 1

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

/* Event kinds for WaitForPexa; they may be combined with |. */
#define KEYHIT 1    /* a key press in a scene window, filtered by the key */
#define MOUSEHIT 2  /* a left, middle or right button press */
#define MOUSEDRAG 4 /* a mouse move while the left button drags the scene */

/* The library's event record; WaitForPexa returns a copy. Pointer-sized
 * fields keep the 32-bit layout on 32-bit Windows. */
typedef struct EventInfo {
    void *window;       /* the window the event belongs to */
    float pos[3];       /* eye position of the last frame drawn */
    float axis[3];      /* rotation axis of the last ROTATE frame */
    float angle;        /* rotation angle (degrees) of the last ROTATE frame */
    float dir[3];       /* view direction of the last FLY or WALK frame */
    float up[3];        /* up vector of the last FLY or WALK frame */
    int x, y;           /* mouse position of the press or move, client pixels */
    unsigned char button; /* 1 left, 2 middle, 3 right */
    int hits;           /* objects hit by the pick of a left click, else 0 */
    INT_PTR name;       /* the object picked (its cObj address), else 0 */
    char ch;            /* character of the key, 0 for a key without one */
    int vk;             /* virtual-key code of the last key press */
} EventInfo;

/* Blocks until a matching event happens in any scene window (kind: bits
 * above; key: virtual-key code, 0 = any) and returns the event record.
 * Runs on the calling thread; one waiting thread at a time. */
PEXA_API EventInfo WaitForPexa(int kind, int key PEXA_DEFAULT(0));
/* Takes the newest queued event of the current window whose message is kind
 * (0 = any; 771 empties the queue). Returns the address of {message, wParam,
 * lParam}, valid until the next GetEvent on that window, or NULL. */
PEXA_API unsigned int *GetEvent(int kind PEXA_DEFAULT(0));
/* 1 when an event with message kind (0 = any) is queued in the current window. */
PEXA_API int EventExists(int kind PEXA_DEFAULT(0));

/* ------------------------------------------------------------------------
 * Object lists of the current window
 * Object functions follow one pattern: obj NULL creates a new object, inserts
 * it into the current window and returns it; an object of the same kind is
 * changed in place (shown from the next frame) and returned; an object of
 * another kind gives NULL.
 * ------------------------------------------------------------------------ */

/* Empties the current 3D (2D) list and draws a frame. 1. */
PEXA_API int ClearList(void);
PEXA_API int ClearList2D(void);
/* Deletes obj from the current 3D (2D) list; returns the object that
 * followed it, or NULL (also when obj is not in the list). */
PEXA_API cObj *DelObj(cObj *obj);
PEXA_API cObj *DelObj2D(cObj *obj);
/* The next insertion goes directly after obj; with hold, every insertion. 1. */
PEXA_API int InsertAfter(cObj *obj, int hold PEXA_DEFAULT(0));
PEXA_API int InsertAfter2D(cObj *obj, int hold PEXA_DEFAULT(0));
/* Opens a group: inserts it, then new 3D objects go into it. NULL on failure. */
PEXA_API cObj *GroupBegin(void);
/* Closes the innermost open group; returns the list now receiving objects. */
PEXA_API cObj *GroupEnd(void);
/* Draws target again at this place of the list. */
PEXA_API cObj *Use(cObj *target);
/* Compiles the current 3D list into one display list and draws a frame;
 * later changes show only after the next UseDisplayList. 0. */
PEXA_API int UseDisplayList(void);

/* ------------------------------------------------------------------------
 * 3D objects (colours are pointers to three floats, 0 to 1)
 * ------------------------------------------------------------------------ */

PEXA_API cObj *Point(cObj *obj, float x, float y, float z, float *color PEXA_DEFAULT(NULL));
PEXA_API cObj *Line(cObj *obj, float x1, float y1, float z1, float x2, float y2, float z2);
PEXA_API cObj *LineCol(cObj *obj, float *color1, float x1, float y1, float z1, float *color2,
                       float x2, float y2, float z2);
/* Triangles are lit from the side where their points run counter-clockwise;
 * drawing one switches back-face culling on for the rest of the frame. */
PEXA_API cObj *Triangle(cObj *obj, float x1, float y1, float z1, float x2, float y2, float z2,
                        float x3, float y3, float z3);
PEXA_API cObj *TriangleCol(cObj *obj, float *color1, float x1, float y1, float z1,
                           float *color2, float x2, float y2, float z2, float *color3, float x3,
                           float y3, float z3);
PEXA_API cObj *Tetragon(cObj *obj, float x1, float y1, float z1, float x2, float y2, float z2,
                        float x3, float y3, float z3, float x4, float y4, float z4);
PEXA_API cObj *TetragonCol(cObj *obj, float *color1, float x1, float y1, float z1,
                           float *color2, float x2, float y2, float z2, float *color3, float x3,
                           float y3, float z3, float *color4, float x4, float y4, float z4);
/* Axis-aligned box between two opposite corners; GLU_INSIDE for a room. */
PEXA_API cObj *Box(cObj *obj, float x1, float y1, float z1, float x2, float y2, float z2,
                   int orientation PEXA_DEFAULT(GLU_OUTSIDE));
PEXA_API cObj *Sphere(cObj *obj, float radius, int slices, int stacks,
                      int drawStyle PEXA_DEFAULT(GLU_FILL), int normals PEXA_DEFAULT(GLU_SMOOTH),
                      int orientation PEXA_DEFAULT(GLU_OUTSIDE));
/* Cylinder along +z from z = 0; the cap flags count only at creation. */
PEXA_API cObj *Cylinder(cObj *obj, float height, float baseRadius, float topRadius,
                        int bottomCap, int topCap, int slices, int stacks,
                        int drawStyle PEXA_DEFAULT(GLU_FILL),
                        int normals PEXA_DEFAULT(GLU_SMOOTH),
                        int orientation PEXA_DEFAULT(GLU_OUTSIDE));
PEXA_API cObj *Disk(cObj *obj, float innerRadius, float outerRadius, int slices, int loops,
                    float startAngle PEXA_DEFAULT(0), float sweepAngle PEXA_DEFAULT(360),
                    int drawStyle PEXA_DEFAULT(GLU_FILL), int normals PEXA_DEFAULT(GLU_SMOOTH),
                    int orientation PEXA_DEFAULT(GLU_OUTSIDE));
/* Coordinate axes with arrow heads and letters; keeps the current colour. */
PEXA_API cObj *Axis(cObj *obj, float lengthX, float lengthY, float lengthZ,
                    float arrowLength, float arrowRadius, float letterSize);
/* count points (x, y, z) drawn as OpenGL primitive mode 0 to 9, with flat
 * normals; the array is copied. */
PEXA_API cObj *Primitive(cObj *obj, int mode, float *vertices, int count);

/* ------------------------------------------------------------------------
 * Attribute and transform objects
 * ------------------------------------------------------------------------ */

PEXA_API cObj *Color(cObj *obj, float *rgb);
PEXA_API cObj *ColorRGB(cObj *obj, float r, float g, float b);
PEXA_API cObj *Translate(cObj *obj, float x, float y, float z);
/* Rotation by angle degrees about the axis; increment is added after every
 * draw (with Enable(NULL, 6) the objects after it keep turning). */
PEXA_API cObj *Rotate(cObj *obj, float angle, float x, float y, float z,
                      float increment PEXA_DEFAULT(0));
PEXA_API cObj *Scale(cObj *obj, float x, float y, float z);
PEXA_API cObj *PushMatrix(void);
PEXA_API cObj *PopMatrix(void);
/* Window switches: 1 lighting, 2 face culling, 3 depth test, 4 colour
 * material, 5 picking on click, 6 continuous redraw, 7 mouse navigation,
 * 8 keyboard navigation, 9 context menu. */
PEXA_API cObj *Enable(cObj *obj, int capability);
PEXA_API cObj *Disable(cObj *obj, int capability);

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
 * stretched to width x height. 1 (also for an empty picture, which draws
 * nothing); 0 after an error box, or when GDI draws nothing. */
PEXA_API int DrawDIB(HDC dc, HGLOBAL dib, HPALETTE palette, int x, int y);
PEXA_API int StretchDIB(HDC dc, HGLOBAL dib, HPALETTE palette, int x, int y, int width,
                        int height);
/* The same for a device-dependent bitmap. 1; 0 after an error box, or when
 * GDI draws nothing. */
PEXA_API int DrawDDB(HDC dc, HBITMAP bitmap, HPALETTE palette, int x, int y);
PEXA_API int StretchDDB(HDC dc, HBITMAP bitmap, HPALETTE palette, int x, int y, int width,
                        int height);
/* A new device-dependent bitmap of the DIB for the screen; NULL on failure
 * (after an error box when the DIB is NULL or broken; none for an empty
 * picture). */
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
 * Each function takes a DIB without changing it and returns a new DIB (freed
 * by the caller with GlobalFree); on failure it shows the toolkit's error
 * box, whose text begins with the function's name, and returns NULL. Rows
 * keep their stored order; results always have a positive height. Calling
 * thread.
 * ------------------------------------------------------------------------ */

/* 1 -> 4 bits, indices and colour table kept. NULL on failure. */
PEXA_API HGLOBAL DIB1To4(HGLOBAL dib);
/* 4 -> 8 bits (uncompressed), indices and colour table kept. NULL on failure. */
PEXA_API HGLOBAL DIB4To8(HGLOBAL dib);
/* 8 bits (uncompressed) -> 24 bits through the colour table. NULL on failure. */
PEXA_API HGLOBAL DIB8To24(HGLOBAL dib);
/* 16 bits (5-5-5 or bit fields) -> 24 bits; 5-bit fields give f * 8. NULL on failure. */
PEXA_API HGLOBAL DIB16To24(HGLOBAL dib);
/* 32 bits (8-8-8 or bit fields) -> 24 bits. NULL on failure. */
PEXA_API HGLOBAL DIB32To24(HGLOBAL dib);
/* 1 -> 8 bits and 1, 4 -> 24 bits: the widening steps in a row. NULL on failure. */
PEXA_API HGLOBAL DIB1To8(HGLOBAL dib);
PEXA_API HGLOBAL DIB1To24(HGLOBAL dib);
PEXA_API HGLOBAL DIB4To24(HGLOBAL dib);
/* 24, 8, 4 bits -> black and white (1 bit) with error diffusion. NULL on failure. */
PEXA_API HGLOBAL DIB24To1(HGLOBAL dib);
PEXA_API HGLOBAL DIB8To1(HGLOBAL dib);
PEXA_API HGLOBAL DIB4To1(HGLOBAL dib);
/* 24, 8 bits -> the fixed 16-colour table (4 bits) with error diffusion. NULL on failure. */
PEXA_API HGLOBAL DIB24To4(HGLOBAL dib);
PEXA_API HGLOBAL DIB8To4(HGLOBAL dib);

/* Flags of ReduceColors. */
#define PEXA_REDUCE_DIFFUSE 1   /* error diffusion */
#define PEXA_REDUCE_MEDIANCUT 2 /* median cut (else popularity) */
/* 24 bits -> 8-bit DIB of at most 2^bpp colours (bpp 0 to 8), 256-entry
 * table with unused entries black; flags PEXA_REDUCE_*. Calls on several
 * threads at once are independent. NULL on failure. */
PEXA_API HGLOBAL ReduceColors(HGLOBAL dib, UINT bpp, UINT flags);
/* Grey copy: below 16 bits the colour table turns grey; 16 bits and more
 * give an 8-bit DIB of 256 grey levels. NULL on failure. */
PEXA_API HGLOBAL GrayDIB(HGLOBAL dib);
/* Half width and height (every second pixel of every second stored row),
 * same depth. NULL on failure. */
PEXA_API HGLOBAL SmallSizeDIB(HGLOBAL dib);
/* 24 -> 8 bits: ReduceColors(dib, 8, 3) when grey is 0, else GrayDIB. NULL on failure. */
PEXA_API HGLOBAL DIB24To8(HGLOBAL dib, int grey PEXA_DEFAULT(0));
/* Copies the pixels x .. x+width-1 of the stored rows y .. y+height-1 of an
 * uncompressed DIB (1 to 32 bits). A rectangle not wholly inside the DIB is
 * refused. NULL on failure. */
PEXA_API HGLOBAL CropDIB(HGLOBAL dib, DWORD x, DWORD y, DWORD width, DWORD height);
/* Decodes an RLE8 or RLE4 DIB into an uncompressed DIB of the same depth;
 * data that leaves the picture or lacks its end code is refused. NULL on failure. */
PEXA_API HGLOBAL RLEtoDIB(HGLOBAL dib);

/* ------------------------------------------------------------------------
 * GIF codec (pexav16 only)
 * GIF87a and GIF89a files to palette DIBs and back, on the calling thread;
 * reads and writes on different threads are independent. Problems are
 * shown in an error box with a German text. pexab16 (built with PEXA_LITE) has none of
 * these functions.
 * ------------------------------------------------------------------------ */

#ifndef PEXA_LITE
/* Reads a GIF file into a new 1-, 4- or 8-bit DIB of its logical screen with
 * every image drawn into it; extensions are skipped. NULL after an error box
 * (or after Cancel for an unknown version); a file damaged after its screen
 * descriptor gives the DIB drawn so far, after an error box. */
PEXA_API HGLOBAL ReadGIF(const char *fileName);
/* 1 when the file begins with "GIF87a" or "GIF89a", else 0; never shows a box. */
PEXA_API int IsGIFFile(const char *fileName);
/* The codec's version number, 512. */
PEXA_API WORD GIFGetVersion(void);
/* Writes the DIB as a GIF file (version 87 or 89, interlaced when interlace
 * is non-zero) with one image; DIBs of 16 bits and more are written in 256
 * grey levels. Returns 1, or 0 after an error box (or when the disk fails);
 * on failure an existing file of that name stays as it was. */
PEXA_API int WriteGIF(const char *fileName, HGLOBAL dib, int version, int interlace);
#endif

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
