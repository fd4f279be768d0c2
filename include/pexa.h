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
 * and the GIF codec run on the calling thread. The current window is one for
 * the whole process; open groups belong to the thread that opened them. A
 * fault on the library's thread (in your object's Draw, say) is printed on
 * the console and ends the program with the fault's code.
 *
 * Failures are reported to the user, not returned as codes: the scene
 * runtime prints a line on the console, the bitmap toolkit and GIF codec show
 * an error box; the function then returns 0 or NULL.
 *
 * The first section (constants and the cObj class) needs no system header;
 * the library's portable code includes only that section by defining
 * PEXA_CORE_ONLY. Programs simply include the whole header.
 */
#ifndef PEXA_H_CORE
#define PEXA_H_CORE

/* Version of this header and of the DLLs it belongs to (their VERSIONINFO
 * records FileVersion and ProductVersion "MAJOR.MINOR.PATCH"). */
#define PEXA_VERSION_MAJOR 1
#define PEXA_VERSION_MINOR 0
#define PEXA_VERSION_PATCH 0

/* ------------------------------------------------------------------------
 * Constants
 * ------------------------------------------------------------------------ */

/* Mode values of the view setters, the menu and the configuration file.
 * (Prefixed: windows.h already owns names such as POINT.) */
#define PEXA_ROTATE 0 /* action modes */
#define PEXA_FLY 1
#define PEXA_WALK 2
#define PEXA_SMOOTH 100000 /* shade modes */
#define PEXA_FLAT 100001
#define PEXA_SHADE_NONE 100002
#define PEXA_POINT 100010 /* draw modes */
#define PEXA_LINE 100011
#define PEXA_FILL 100012
#define PEXA_PERSPECTIVE 0 /* projection modes */
#define PEXA_ORTHOGONAL 1

/* Event kinds for WaitForPexa; they may be combined with |. */
#define KEYHIT 1    /* a key press in a scene window, filtered by the key */
#define MOUSEHIT 2  /* a left, middle or right button press */
#define MOUSEDRAG 4 /* a mouse move while the left button drags the scene */

/* Kinds for GetEvent and EventExists besides a window message number. */
#define PEXA_EVENT_ANY 0     /* any queued event */
#define PEXA_EVENT_CLEAR 771 /* GetEvent: empty the queue (WM_CLEAR) */

/* Capabilities of Enable and Disable. */
#define PEXA_ENABLE_LIGHTING 1
#define PEXA_ENABLE_CULL_FACE 2
#define PEXA_ENABLE_DEPTH_TEST 3
#define PEXA_ENABLE_COLOR_MATERIAL 4
#define PEXA_ENABLE_PICKING 5   /* a left click draws a pick frame */
#define PEXA_ENABLE_ANIMATION 6 /* continuous redraw */
#define PEXA_ENABLE_MOUSE_NAV 7
#define PEXA_ENABLE_KEY_NAV 8
#define PEXA_ENABLE_MENU 9 /* the right-button context menu */

/* Requests for SendPexaMsg: the messages every window function sends to the
 * library thread. "Current" requests act on the current window, the others
 * on the window passed in wParam. The numbers never change. */
#define PEXA_MSG_INSERT_2D 1024        /* wParam: new 2D object; current */
#define PEXA_MSG_INSERT_3D 1025        /* wParam: new 3D object; current */
#define PEXA_MSG_DELETE_2D 1026        /* wParam: object; current */
#define PEXA_MSG_DELETE_3D 1027        /* wParam: object; current */
#define PEXA_MSG_INSERT_AFTER_2D 1028  /* wParam: object, lParam: hold; current */
#define PEXA_MSG_INSERT_AFTER_3D 1029  /* wParam: object, lParam: hold; current */
#define PEXA_MSG_CREATE_WIND 1124      /* wParam: window under construction */
#define PEXA_MSG_SHOW_WIND 1125        /* wParam: window */
#define PEXA_MSG_HIDE_WIND 1126        /* wParam: window */
#define PEXA_MSG_DELETE_WIND 1127      /* wParam: window */
#define PEXA_MSG_REFRESH_WIND 1128     /* wParam: window */
#define PEXA_MSG_BACKGROUND 1129       /* wParam: float[3]; current */
#define PEXA_MSG_STATUS_TEXT 1130      /* wParam: text; current */
#define PEXA_MSG_SIZE_WIND 1131        /* wParam: window, lParam: int[4] x, y, w, h */
#define PEXA_MSG_GET_HDC 1132          /* wParam: window; result: HDC */
#define PEXA_MSG_GET_HWND 1133         /* wParam: window; result: HWND */
#define PEXA_MSG_GET_STATUS_BAR 1134   /* wParam: window; result: the status bar HWND */
#define PEXA_MSG_GET_HGLRC 1135        /* wParam: window; result: HGLRC */
#define PEXA_MSG_USE_DISPLAY_LIST 1224 /* wParam: display-list name; current */
#define PEXA_MSG_CREATE_FONT_BMP 1225  /* wParam: HFONT; current */
#define PEXA_MSG_CREATE_FONT_EXT 1226  /* wParam: HFONT, lParam: record; current */
#define PEXA_MSG_RESET_ROTATION 1227   /* current */
#define PEXA_MSG_RESET_POS 1228        /* current */
#define PEXA_MSG_STOP_MOTION 1229      /* current */
#define PEXA_MSG_CLEAR_LIST_2D 1230    /* current */
#define PEXA_MSG_CLEAR_LIST 1231       /* current */
#define PEXA_MSG_DRAW_MODE 1232        /* wParam: mode; current */
#define PEXA_MSG_SHADE_MODE 1233       /* wParam: mode; current */
#define PEXA_MSG_PROJECTION_MODE 1234  /* wParam: mode, lParam: double[3]; current */
#define PEXA_MSG_ACTION_MODE 1235      /* wParam: mode; current */
#define PEXA_MSG_TRANSLATION 1236      /* wParam: float[3]; current */
#define PEXA_MSG_ROTATION 1237      /* wParam: hundredths of a degree, lParam: float[3]; current */
#define PEXA_MSG_LOOK_AT 1238       /* wParam: float[9]; current */
#define PEXA_MSG_REL_TO_POS_2D 1241 /* wParam: flag; current */
#define PEXA_MSG_LIGHT_DIALOG 1242  /* wParam: window */
#define PEXA_MSG_VIEW_DIALOG 1243   /* wParam: window */
#define PEXA_MSG_DIB_FROM_WIND 1244 /* current; result: a new DIB */
#define PEXA_MSG_VIEWPOINT_ADD 1246 /* wParam: ViewpointData or 0, lParam: name or 0; current */
#define PEXA_MSG_VIEWPOINT_DEL 1247 /* wParam: name or 0; current */
#define PEXA_MSG_VIEWPOINT_SET 1248 /* wParam: name; current */
#define PEXA_MSG_GET_EVENT 1249     /* wParam: kind; current */
#define PEXA_MSG_EVENT_EXISTS 1250  /* wParam: kind; current */
/* wParam: window or 0 (the current one), lParam: int[2] width, height; result: a new DIB */
#define PEXA_MSG_DIB_FROM_SCENE 1251
#define PEXA_MSG_FIRST 1024
#define PEXA_MSG_LAST 1251

/* A named view for ViewpointAdd: eye position and rotation in the ROTATE
 * sense (the model turned rot degrees about axis, seen from pos) and the
 * vertical view angle. The window keeps the first 63 characters of name. */
typedef struct ViewpointData {
    char name[100];
    float pos[3];
    float axis[3];
    float rot;
    double angle;
} ViewpointData;

#ifdef __cplusplus
/* Base of every scene object. Derive your own classes from it, set typeId
 * (below 3000: drawn in the 3D pass and pickable; above 3000: the 2D pass),
 * implement Draw with OpenGL (3D) or GDI (2D) and an empty DrawExtra, and
 * insert an object with SendPexaMsg(PEXA_MSG_INSERT_3D, obj, 0) (or
 * PEXA_MSG_INSERT_2D). The window then owns it and destroys it through the
 * virtual destructor. Objects the library made are deleted with DelObj or
 * ClearList, never with delete. */
#if defined(_MSC_VER) && !defined(__MINGW32__)
/* Microsoft's C++ ABI (cl, clang-cl, clang for *-windows-msvc) gives the
 * virtual functions their table slots in declaration order and the
 * destructor one slot; the DLL, built with GCC's ABI, destroys an object
 * through slots 0 (complete) and 1 (deleting) and draws it through slots 2
 * (Draw) and 3 (DrawExtra). The two private forwarders fill slots 0 and 1,
 * so that a class derived here has the table the DLL calls. */
class cObj {
  public:
    int typeId;
    cObj *next;
    cObj(int id = 0) : typeId(id), next(0) {}

  private:
    virtual void PexaAbiDestroy() { this->~cObj(); }
    virtual void PexaAbiDelete() { delete this; }

  public:
    virtual void Draw() = 0;
    virtual void DrawExtra() = 0;
    virtual ~cObj() {}
};
#else
class cObj {
  public:
    int typeId;
    cObj *next;
    cObj(int id = 0) : typeId(id), next(0) {}
    virtual ~cObj() {}
    virtual void Draw() = 0;
    virtual void DrawExtra() = 0;
};
#endif
#endif

#endif /* PEXA_H_CORE */

#if !defined(PEXA_H) && !defined(PEXA_CORE_ONLY)
#define PEXA_H

#include <windows.h>

#include <GL/gl.h> /* primitive modes for Primitive; OpenGL in your own objects */
#include <GL/glu.h>

#if defined(PEXA_BUILDING_DLL)
#define PEXA_API __declspec(dllexport)
#else
#define PEXA_API __declspec(dllimport)
#endif

#ifdef __cplusplus
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

/* ------------------------------------------------------------------------
 * Windows                              library/runtime/win32_window_api.cpp
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
/* Tears the window down; the handle must not be used afterwards. Returns 1. */
PEXA_API int DeleteWind(void *wind);
/* Makes wind the current window of the whole process (for every thread; no
 * request). A pointer that is not a window of CreateWind leaves no window
 * current. Returns nothing. */
PEXA_API void CurrentWind(void *wind);
/* Show and hide; nothing happens when already shown or hidden. Return 1. */
PEXA_API int ShowWind(void *wind);
PEXA_API int HideWind(void *wind);
/* Moves and sizes a shown window; no effect on a hidden one. Returns 1. */
PEXA_API int SizeWind(void *wind, int x, int y, int width, int height);
/* Draws one frame of the window (two names of one function). Return 1. */
PEXA_API int RefreshWind(void *wind);
PEXA_API int ClearWind(void *wind);
/* Background colour of the current window, used from the next frame on.
 * Returns 1. */
PEXA_API int Background(float r, float g, float b);
/* Return the window's device context, window handle and OpenGL context
 * (NULL for a deleted window). */
PEXA_API HDC GetHDC(void *wind);
PEXA_API HWND GetHWND(void *wind);
PEXA_API HGLRC GetHGLRC(void *wind);

/* ------------------------------------------------------------------------
 * View and navigation                    library/runtime/win32_view_api.cpp
 * The mouse and keys navigate every window by themselves; these set the
 * view of the current window from the program. Each returns 1 (values
 * outside a mode's set are ignored).
 * ------------------------------------------------------------------------ */

/* Back to the initial view of "pexa16.ini" (turned once by its initial
 * rotation) and draws it. */
PEXA_API int ResetPos(void);
/* Stops every motion (spin, flight, walk); draws no frame. */
PEXA_API int StopMotion(void);
/* PEXA_ROTATE, PEXA_FLY or PEXA_WALK, keeping the view; draws a frame. */
PEXA_API int ActionMode(int mode);
/* Puts the eye at (x, y, z); draws a frame. */
PEXA_API int Translation(float x, float y, float z);
/* Turns the view by angle degrees (to a hundredth) about (x, y, z); draws a
 * frame. */
PEXA_API int Rotation(float angle, float x, float y, float z);
/* Eye position, view direction and up vector; draws a frame. */
PEXA_API int LookAt(float eyeX, float eyeY, float eyeZ, float dirX, float dirY, float dirZ,
                    float upX, float upY, float upZ);
/* PEXA_PERSPECTIVE or PEXA_ORTHOGONAL with the vertical view angle (degrees,
 * clamped to 1 to 179: at 180 the picture is empty, beyond it upside down)
 * and the clipping distances. */
PEXA_API int ProjectionMode(int mode, double angle, double clipnear, double clipfar);
/* PEXA_SMOOTH, PEXA_FLAT or PEXA_SHADE_NONE. */
PEXA_API int ShadeMode(int mode);
/* PEXA_FILL, PEXA_LINE or PEXA_POINT. */
PEXA_API int DrawMode(int mode);
/* Adds a named viewpoint to the window's "Viewpoints" menu: data as given,
 * or (data NULL) the current view under name. Returns 1 when added, 0 when
 * both are NULL. */
PEXA_API int ViewpointAdd(const char *name, ViewpointData *data PEXA_DEFAULT(NULL));
/* Deletes the named viewpoint (NULL: the current one, after asking the
 * user). Returns 1 when one was deleted, else 0. */
PEXA_API int ViewpointDel(const char *name PEXA_DEFAULT(NULL));
/* Moves to the named viewpoint. Returns 1 when found, else 0. */
PEXA_API int ViewpointSet(const char *name);

/* ------------------------------------------------------------------------
 * Console and status bar              library/runtime/win32_console_api.cpp
 * ------------------------------------------------------------------------ */

/* Gives the program's console a title, clears it, makes it width x height
 * characters with a buffer of at least that (bufferWidth, bufferHeight; 0:
 * the window's), places it at (x, y) and records that geometry in the
 * registry's console settings. Before the first CreateWind only the title
 * and the clearing happen. Calling thread; returns nothing. */
PEXA_API void ResetConsole(const char *title, int x PEXA_DEFAULT(4), int y PEXA_DEFAULT(4),
                           int width PEXA_DEFAULT(61), int height PEXA_DEFAULT(17),
                           int bufferWidth PEXA_DEFAULT(0), int bufferHeight PEXA_DEFAULT(0));
/* Sets the text of the current window's status bar (a window created with
 * statusBar set); at most 255 characters are kept. Returns 1. */
PEXA_API int StatusText(const char *text);

/* ------------------------------------------------------------------------
 * Lights, dialogs and help           library/runtime/win32_settings_api.cpp
 * ------------------------------------------------------------------------ */

/* Light 0..7 of the current window: direction (w = 0; NULL: (1, 1, 1)),
 * on and worldPos (1: fixed to the initial view; 0: moves with the model).
 * Other light numbers change nothing. Returns nothing. */
PEXA_API void LightDirection(int light, int on, int worldPos, float *dir);
/* Ambient, diffuse and specular colour of light 0..7 of the current window
 * (three floats each; NULL gives the default grey). Returns nothing. */
PEXA_API void LightColor(int light, float *ambient, float *diffuse, float *specular);
/* Makes light 0..7 of the current window a spot light shining along dir
 * (NULL: (0, 0, -1)) with cutoff (0..180 degrees) and exponent (0..1);
 * values out of range are ignored. Returns nothing. */
PEXA_API void LightSpot(int light, float *dir, float cutoff, float exponent);
/* Open the window's light or view dialog beside it (only once its scene has
 * an object). Return 1 when the dialog is open, else 0. */
PEXA_API int LightDialog(void *wind);
PEXA_API int ViewDialog(void *wind);
/* Opens a help page of the documentation folder that setup recorded, asking
 * for the folder when the page is not there. Returns nothing; failures are
 * printed on the console. */
PEXA_API void OpenDocu(const char *file);

/* ------------------------------------------------------------------------
 * Requests and events                   library/runtime/win32_event_api.cpp
 * ------------------------------------------------------------------------ */

/* Sends a request (PEXA_MSG_..., 1024 to 1251) to the library thread and
 * returns the handler's result (0 for a number without a handler);
 * SendPexaMsg(PEXA_MSG_INSERT_3D, object, 0) inserts an object of your own
 * class. Returns 0 without sending for any other number and for
 * PEXA_MSG_CREATE_WIND, which only CreateWind may send; a window argument
 * that is no live window gets 0 too. */
PEXA_API LRESULT SendPexaMsg(UINT message, WPARAM wParam, LPARAM lParam);

/* The library's event record; WaitForPexa returns a copy. Pointer-sized
 * fields keep the 32-bit layout on 32-bit Windows. */
typedef struct EventInfo {
    void *window;         /* the window the event belongs to */
    float pos[3];         /* eye position of the last frame drawn */
    float axis[3];        /* rotation axis of the last ROTATE frame */
    float angle;          /* rotation angle (degrees) of the last ROTATE frame */
    float dir[3];         /* view direction of the last FLY or WALK frame */
    float up[3];          /* up vector of the last FLY or WALK frame */
    int x, y;             /* mouse position of the press or move, client pixels */
    unsigned char button; /* 1 left, 2 middle, 3 right */
    int hits;             /* objects hit by the pick of a left click, else 0 */
    INT_PTR name;         /* the object picked (its cObj address), else 0 */
    char ch;              /* character of the key, 0 for a key without one */
    int vk;               /* virtual-key code of the last key press */
} EventInfo;

/* Blocks until a matching event happens in any scene window (kind: KEYHIT,
 * MOUSEHIT, MOUSEDRAG bits; key: virtual-key code, 0 = any). Returns a copy
 * of the event record. Runs on the calling thread; one waiting thread at a
 * time. */
PEXA_API EventInfo WaitForPexa(int kind, int key PEXA_DEFAULT(0));
/* Takes the newest queued event of the current window whose message is kind
 * (PEXA_EVENT_ANY; PEXA_EVENT_CLEAR empties the queue). Returns the address
 * of {message, wParam, lParam}, valid until the next GetEvent on that
 * window, or NULL when no such event is queued. */
PEXA_API unsigned int *GetEvent(int kind PEXA_DEFAULT(0));
/* Returns 1 when an event with message kind (PEXA_EVENT_ANY: any) is queued
 * in the current window, else 0. */
PEXA_API int EventExists(int kind PEXA_DEFAULT(0));

/* ------------------------------------------------------------------------
 * Object lists of the current window     library/objects/win32_list_api.cpp
 * Object functions follow one pattern: obj NULL creates a new object, inserts
 * it into the current window and returns it; an object of the same kind is
 * changed in place (shown from the next frame) and returned; an object of
 * another kind gives NULL.
 * ------------------------------------------------------------------------ */

/* Empties the current 3D (2D) list and draws a frame. Return 1. */
PEXA_API int ClearList(void);
PEXA_API int ClearList2D(void);
/* Deletes obj from the current 3D (2D) list; returns the object that
 * followed it, or NULL (also when obj is not in the list). */
PEXA_API cObj *DelObj(cObj *obj);
PEXA_API cObj *DelObj2D(cObj *obj);
/* The next insertion goes directly after obj; with hold, every insertion.
 * Returns 1, or 0 (position unchanged) when obj is not an object of the
 * current list. */
PEXA_API int InsertAfter(cObj *obj, int hold PEXA_DEFAULT(0));
PEXA_API int InsertAfter2D(cObj *obj, int hold PEXA_DEFAULT(0));
/* Opens a group: inserts it, then the calling thread's new 3D objects go
 * into it (another thread's go where they went before). ClearList, DelObj
 * and InsertAfter act on the calling thread's innermost open group. Returns
 * the group, or NULL on failure. */
PEXA_API cObj *GroupBegin(void);
/* Closes the calling thread's innermost open group; returns the list now
 * receiving its objects. */
PEXA_API cObj *GroupEnd(void);
/* Draws target again at this place of the list. Returns the new Use object,
 * or NULL on failure. */
PEXA_API cObj *Use(cObj *target);
/* Compiles the current 3D list into one display list and draws a frame;
 * later changes show only after the next UseDisplayList. Returns 0. */
PEXA_API int UseDisplayList(void);

/* ------------------------------------------------------------------------
 * 3D objects                           library/objects/win32_object_api.cpp
 * Colours are pointers to three floats, 0 to 1.
 * Each returns the new or changed object, or NULL (another kind passed, or
 * no memory).
 * ------------------------------------------------------------------------ */

PEXA_API cObj *Point(cObj *obj, float x, float y, float z, float *color PEXA_DEFAULT(NULL));
PEXA_API cObj *Line(cObj *obj, float x1, float y1, float z1, float x2, float y2, float z2);
PEXA_API cObj *LineCol(cObj *obj, float *color1, float x1, float y1, float z1, float *color2,
                       float x2, float y2, float z2);
/* Triangles are lit from the side where their points run counter-clockwise;
 * drawing one switches back-face culling on for the rest of the frame. */
PEXA_API cObj *Triangle(cObj *obj, float x1, float y1, float z1, float x2, float y2, float z2,
                        float x3, float y3, float z3);
PEXA_API cObj *TriangleCol(cObj *obj, float *color1, float x1, float y1, float z1, float *color2,
                           float x2, float y2, float z2, float *color3, float x3, float y3,
                           float z3);
PEXA_API cObj *Tetragon(cObj *obj, float x1, float y1, float z1, float x2, float y2, float z2,
                        float x3, float y3, float z3, float x4, float y4, float z4);
PEXA_API cObj *TetragonCol(cObj *obj, float *color1, float x1, float y1, float z1, float *color2,
                           float x2, float y2, float z2, float *color3, float x3, float y3,
                           float z3, float *color4, float x4, float y4, float z4);
/* Axis-aligned box between two opposite corners; GLU_INSIDE for a room. */
PEXA_API cObj *Box(cObj *obj, float x1, float y1, float z1, float x2, float y2, float z2,
                   int orientation PEXA_DEFAULT(GLU_OUTSIDE));
PEXA_API cObj *Sphere(cObj *obj, float radius, int slices, int stacks,
                      int drawStyle PEXA_DEFAULT(GLU_FILL), int normals PEXA_DEFAULT(GLU_SMOOTH),
                      int orientation PEXA_DEFAULT(GLU_OUTSIDE));
/* Cylinder along +z from z = 0; the cap flags count only at creation. */
PEXA_API cObj *Cylinder(cObj *obj, float height, float baseRadius, float topRadius, int bottomCap,
                        int topCap, int slices, int stacks, int drawStyle PEXA_DEFAULT(GLU_FILL),
                        int normals PEXA_DEFAULT(GLU_SMOOTH),
                        int orientation PEXA_DEFAULT(GLU_OUTSIDE));
PEXA_API cObj *Disk(cObj *obj, float innerRadius, float outerRadius, int slices, int loops,
                    float startAngle PEXA_DEFAULT(0), float sweepAngle PEXA_DEFAULT(360),
                    int drawStyle PEXA_DEFAULT(GLU_FILL), int normals PEXA_DEFAULT(GLU_SMOOTH),
                    int orientation PEXA_DEFAULT(GLU_OUTSIDE));
/* Coordinate axes with arrow heads and letters; keeps the current colour. */
PEXA_API cObj *Axis(cObj *obj, float lengthX, float lengthY, float lengthZ, float arrowLength,
                    float arrowRadius, float letterSize);
/* count points (x, y, z) drawn as OpenGL primitive mode 0 to 9, with flat
 * normals; the array is copied. */
PEXA_API cObj *Primitive(cObj *obj, int mode, float *vertices, int count);

/* ------------------------------------------------------------------------
 * Meshes                                 library/objects/win32_mesh_api.cpp
 * ------------------------------------------------------------------------ */

/* Meshes after VRML97. Both copy every array, show an error box ("Error in
 * ElevationGrid:\n..." or "Error in IndexedFaceSet:\n...") for invalid input
 * and then hold nothing, and still return (and insert) the object. In smooth
 * shading without normals of their own they smooth across edges whose faces
 * meet at less than creaseAngle degrees; solid culls back faces while the
 * mesh is drawn. Flat shading (PEXA_FLAT) ignores supplied normals: each
 * face is lit by its own face normal. */
/* A height field of xDimension x zDimension points spaced along x and z,
 * heights row by row (point (i, j) at heights[j * xDimension + i]); colours
 * and normals (three floats each, may be NULL) per point or per cell.
 * Returns the grid (NULL when obj is an object of another kind). */
PEXA_API cObj *ElevationGrid(cObj *obj, int xDimension, int zDimension, float xSpacing,
                             float zSpacing, float *heights, float creaseAngle, int solid,
                             int colorPerVertex, float *colours, int normalPerVertex,
                             float *normals);
/* A polygon mesh: coordCount points (x, y, z) and faces given as runs of
 * point indexes each ended by -1 in coordIndex; colours and normals per
 * vertex or per face, each optionally through an index array of its own
 * (per vertex parallel to coordIndex, per face one entry per face). Faces
 * with fewer than three points or other negative indexes are not drawn.
 * Returns the face set (NULL when obj is an object of another kind). */
PEXA_API cObj *IndexedFaceSet(cObj *obj, float *coords, int coordCount, int *coordIndex,
                              int coordIndexCount, float creaseAngle, int solid, int colorPerVertex,
                              float *colours, int colourCount, int *colourIndex,
                              int colourIndexCount, int normalPerVertex, float *normals,
                              int normalCount, int *normalIndex, int normalIndexCount);

/* ------------------------------------------------------------------------
 * Attribute and transform objects   library/objects/win32_attribute_api.cpp
 * Each returns the new or changed object, or NULL (another kind passed, or
 * no memory).
 * ------------------------------------------------------------------------ */

PEXA_API cObj *Color(cObj *obj, float *rgb);
PEXA_API cObj *ColorRGB(cObj *obj, float r, float g, float b);
PEXA_API cObj *Translate(cObj *obj, float x, float y, float z);
/* Rotation by angle degrees about the axis; increment is added after every
 * draw (with Enable(NULL, PEXA_ENABLE_ANIMATION) the objects after it keep
 * turning). */
PEXA_API cObj *Rotate(cObj *obj, float angle, float x, float y, float z,
                      float increment PEXA_DEFAULT(0));
PEXA_API cObj *Scale(cObj *obj, float x, float y, float z);
PEXA_API cObj *PushMatrix(void);
PEXA_API cObj *PopMatrix(void);
/* Window switches, set when the object is drawn: PEXA_ENABLE_... (1
 * lighting, 2 face culling, 3 depth test, 4 colour material, 5 picking on
 * click, 6 continuous redraw, 7 mouse navigation, 8 keyboard navigation,
 * 9 context menu). */
PEXA_API cObj *Enable(cObj *obj, int capability);
PEXA_API cObj *Disable(cObj *obj, int capability);

/* ------------------------------------------------------------------------
 * Text and bitmaps in the 3D scene       library/objects/win32_text_api.cpp
 * A font becomes 256 display lists of the current window, one per character
 * code; the list base it returns is only meaningful in that window. Texts
 * and bitmaps start at the model origin as transformed by the objects
 * before them. The object functions return the new or changed object, or
 * NULL (another kind passed, or no memory).
 * ------------------------------------------------------------------------ */

/* An outline font, returned by CreateFontEXT and read by TextEXT. */
typedef struct OutlineFont {
    int listBase;                   /* first of the font's 256 display lists; 0: none built */
    float extrusion;                /* depth of the glyphs along -z */
    int format;                     /* WGL_FONT_LINES or WGL_FONT_POLYGONS */
    GLYPHMETRICSFLOAT metrics[256]; /* of character codes 0 to 255 */
} OutlineFont;

/* Builds bitmap glyphs of font in the current window (the first font of a
 * window gets 1000, the next 1256, ...); the font stays selected into the
 * window's device context. A font equal to one built before in the window
 * (face, size, style) gets that font's lists again. Returns the list base
 * for TextBMP, or 0 when nothing was built (no font, or a deleted one). */
PEXA_API int CreateFontBMP(HFONT font);
/* Builds outline glyphs of font (extrusion, format WGL_FONT_LINES or
 * WGL_FONT_POLYGONS) in the current window, from the same counter as
 * CreateFontBMP; an equal font with the same extrusion and format gets its
 * lists again. Returns the record with the list base and the metrics;
 * listBase is 0 when nothing was built, and always in pexab16, which has
 * no outline fonts. */
PEXA_API OutlineFont CreateFontEXT(HFONT font, float extrusion, int format);
/* Draws text (copied) with the bitmap glyphs of listBase at the raster
 * position of the origin, in the current colour; listBase 0 draws nothing,
 * and neither does a character whose list is not a glyph of one of the
 * window's fonts. */
PEXA_API cObj *TextBMP(cObj *obj, const char *text, int listBase);
/* Draws text (copied) with the outline glyphs of font along +x in the x-y
 * plane, scaled so that its advances sum to width and its tallest glyph is
 * height (0: natural width; height 0: the width's scale on both axes). A
 * text whose glyphs have no width or height is drawn at scale 1. Leaves the
 * model-view matrix as it was. */
PEXA_API cObj *TextEXT(cObj *obj, const char *text, const OutlineFont *font, float width,
                       float height);
/* Draws the DIB's pixels with glDrawPixels(format, type) zoomed by zoom at
 * the raster position of the origin (24-bit DIBs: GL_BGR_EXT and
 * GL_UNSIGNED_BYTE). The object points into the DIB, which must outlive it
 * without being reallocated; spare is kept and not used. A DIB that is
 * missing or smaller than its size, format and type need is not drawn (a
 * console line says so). */
PEXA_API cObj *Bitmap(cObj *obj, HGLOBAL dib, float zoom, int spare, int format, int type);

/* ------------------------------------------------------------------------
 * 2D overlay                          library/objects/win32_overlay_api.cpp
 * GDI steps drawn over the 3D image in list order on every frame, in client
 * pixels. State steps (pen, brush, font, background colour and mode,
 * foreground mix, MoveTo2D) act on every step after them, into the next
 * frame. While RelToPos2D is on (the default) the coordinates of a drawing
 * step are taken relative to the window's current 2D position at the
 * moment the step is set; the position starts at (0, 0) in every frame.
 * Steps are also drawn at once when set (initDraw2D, on by default).
 * Colours are floats 0 to 1, each becoming (int)(v * 255) & 255. The object
 * functions return the new or changed object, or NULL (another kind passed,
 * or no memory).
 * ------------------------------------------------------------------------ */

/* State steps: select the pen, brush or font (which stay the program's),
 * and make it the window's current one; the current pen's colour is the
 * colour of later Pixel2D, Text2D and TextBlock2D steps. */
PEXA_API cObj *Pen2D(cObj *obj, HPEN pen);
PEXA_API cObj *Brush2D(cObj *obj, HBRUSH brush);
PEXA_API cObj *Font2D(cObj *obj, HFONT font);
/* Background colour and mode (TRANSPARENT, OPAQUE) of texts, hatches and
 * dashes; foreground mix (an R2_ raster operation). */
PEXA_API cObj *BackColor2D(cObj *obj, float red, float green, float blue);
PEXA_API cObj *BackMode2D(cObj *obj, int mode);
PEXA_API cObj *ForeMix2D(cObj *obj, int mix);
/* Moves the current position to (x, y), never relative. */
PEXA_API cObj *MoveTo2D(cObj *obj, int x, int y);

/* Drawing steps. LineTo2D draws to (x, y) and moves the current position
 * there; Line2D leaves it where it was. */
PEXA_API cObj *LineTo2D(cObj *obj, int x, int y);
PEXA_API cObj *Line2D(cObj *obj, int x1, int y1, int x2, int y2);
/* count points (copied) as a polyline, a Bezier curve (3n + 1 points) or a
 * polygon (fillMode ALTERNATE or WINDING); with to, the line or curve starts
 * at the current position and moves it to the last point. A count below 1
 * or no points draw nothing; when the copy cannot be allocated an error box
 * says so and nothing is drawn. */
PEXA_API cObj *PolyLine2D(cObj *obj, POINT *points, int count, int to);
PEXA_API cObj *PolyBezier2D(cObj *obj, POINT *points, int count, int to);
PEXA_API cObj *Polygon2D(cObj *obj, POINT *points, int count, int fillMode);
/* Arc of the circle about (cx, cy) from startAngle through sweepAngle
 * degrees, counter-clockwise with 0 pointing right; 360 is the full
 * circle. */
PEXA_API cObj *Circle2D(cObj *obj, int cx, int cy, int radius, float startAngle, float sweepAngle);
/* GDI's Arc and Pie: the bounding box (x1, y1)-(x2, y2) and the radial end
 * points (x3, y3) and (x4, y4). */
PEXA_API cObj *Arc2D(cObj *obj, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
PEXA_API cObj *Pie2D(cObj *obj, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
/* Framed with the pen and filled with the brush, corners included. */
PEXA_API cObj *Rectangle2D(cObj *obj, int x1, int y1, int x2, int y2);
/* A pixel in the current pen's colour. */
PEXA_API cObj *Pixel2D(cObj *obj, int x, int y);
/* A text (copied; NULL draws nothing) at (x, y) in the current pen's
 * colour. */
PEXA_API cObj *Text2D(cObj *obj, const char *text, int x, int y);
/* A text formatted with DrawTextA's format flags in a rectangle; a right or
 * bottom of 0 or less is the client area's right or bottom edge, wherever
 * the window's size puts it when the text is drawn. */
PEXA_API cObj *TextBlock2D(cObj *obj, const char *text, int left, int top, int right, int bottom,
                           int format);
/* The DIB (converted into a bitmap the object owns) at (x, y): at its
 * natural size, or with stretch width x height, growing and shrinking with
 * the window so that it keeps its distances to the right and bottom edges.
 * A NULL DIB shows DIBtoDDB's error box and draws nothing. */
PEXA_API cObj *Bitmap2D(cObj *obj, HGLOBAL dib, int x, int y, int width, int height, int stretch);

/* Pens, brushes and fonts for the state steps, on the calling thread. The
 * program owns them and deletes them with DeleteCreated2D; a window deletes
 * its current pen, brush and font (when made here and not current in another
 * window) as it is deleted. Return the new handle, or NULL. */
PEXA_API HPEN CreatePen2D(float red, float green, float blue, int width, int style);
PEXA_API HBRUSH CreateBrush2D(float red, float green, float blue, int style, int hatch);
PEXA_API HFONT CreateFont2D(const char *name, int height, int weight, int italic, int underline);
/* Deletes a pen, brush or font; returns nonzero on success (also for one a
 * window has already deleted). */
PEXA_API BOOL DeleteCreated2D(HGDIOBJ handle);
/* Switches relative coordinates of the current window on or off; returns
 * on. */
PEXA_API int RelToPos2D(int on);

/* ------------------------------------------------------------------------
 * Pictures of a scene window          library/runtime/win32_picture_api.cpp
 * ------------------------------------------------------------------------ */

/* A new 24-bit DIB of what the current scene window shows; NULL on failure. */
PEXA_API HGLOBAL DIBfromWind(void);
/* A new 24-bit DIB of width x height pixels (1 to 16384 each) of the
 * window's scene (NULL: the current window) as the window draws it: same
 * camera and lights, the picture's own aspect ratio, the 2D overlay scaled
 * with the picture. Drawn on the library thread through the window's own
 * context in tiles of its client size; works for a hidden window, for any
 * size and whatever covers the window, and leaves the picture on screen as
 * it was. NULL after a console line (bad size, no such window, no memory). */
PEXA_API HGLOBAL DIBfromScene(void *window, int width, int height);

/* ------------------------------------------------------------------------
 * Bitmap toolkit: DIB handles              library/dib/win32_dib_handle.cpp
 * A DIB is a global memory handle holding a packed DIB; every DIB returned
 * is new and freed by the caller with GlobalFree. The toolkit runs on the
 * calling thread.
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
/* A new block with every byte of the DIB's block; NULL after an error box. */
PEXA_API HGLOBAL CopyDIB(HGLOBAL dib);
/* ------------------------------------------------------------------------
 * Bitmap toolkit: display                 library/dib/win32_dib_display.cpp
 * ------------------------------------------------------------------------ */

/* Draw the DIB at (x, y) of dc, through palette when not NULL, unscaled or
 * stretched to width x height. 1 (also for an empty picture, which draws
 * nothing); 0 after an error box, or when GDI draws nothing. */
PEXA_API int DrawDIB(HDC dc, HGLOBAL dib, HPALETTE palette, int x, int y);
PEXA_API int StretchDIB(HDC dc, HGLOBAL dib, HPALETTE palette, int x, int y, int width, int height);
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
PEXA_API HGLOBAL DDBtoDIB(HBITMAP bitmap, HPALETTE palette, WORD bitsPerPixel, DWORD compression);
/* ------------------------------------------------------------------------
 * Bitmap toolkit: BMP files                  library/dib/win32_dib_file.cpp
 * ------------------------------------------------------------------------ */

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
 * Bitmap toolkit: conversions             library/dib/win32_dib_convert.cpp
 * Bit-depth conversions, colour reduction, cropping and RLE decoding. Each
 * function takes a DIB without changing it and returns a new DIB (freed
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
#define PEXA_REDUCE_QUALITY 4   /* best palette and diffusion for photographs; 7 = all three */
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
 * GIF files: reading (pexav16 only)          library/gif/win32_gif_read.cpp
 * GIF87a and GIF89a files to palette DIBs and back, on the calling thread;
 * reads and writes on different threads are independent. Problems are
 * shown in an error box with a German text. pexab16 (built with PEXA_LITE)
 * has none of the GIF functions.
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

/* ------------------------------------------------------------------------
 * GIF files: writing (pexav16 only)         library/gif/win32_gif_write.cpp
 * ------------------------------------------------------------------------ */

/* Writes the DIB as a GIF file (version 87 or 89, interlaced when interlace
 * is non-zero) with one image; DIBs of 16 bits and more are reduced to 256
 * colours (ReduceColors with PEXA_REDUCE_QUALITY, diffusion and median cut). Returns 1, or 0 after
 * an error box (or when the disk fails); on failure an existing file of that name stays as it was.
 */
PEXA_API int WriteGIF(const char *fileName, HGLOBAL dib, int version, int interlace);

/* ------------------------------------------------------------------------
 * GIF files: animations (pexav16 only)       library/gif/win32_gif_anim.cpp
 * GIF89a files of several frames, made in three calls on the calling thread
 * (a recorder used by one thread at a time). The file appears complete at
 * GIFAnimEnd or not at all: an existing file of that name survives any
 * failure.
 * ------------------------------------------------------------------------ */

/* A recorder for fileName, each frame shown delay hundredths of a second, the
 * whole played loops times (0: forever, as ImageMagick's -loop), both 0 to
 * 65535. NULL after an error box (bad arguments, a folder that takes no file). */
PEXA_API void *GIFAnimBegin(const char *fileName, int delay, int loops);
/* Adds a DIB of any depth the toolkit reads, the size of the first frame, as
 * the next frame. 1; 0 after an error box, and the animation goes on. */
PEXA_API int GIFAnimAdd(void *anim, HGLOBAL dib);
/* Writes the file (one palette, local ones where they pay, only the changed
 * part of each frame) and frees the recorder either way. 1; 0 after an error
 * box (or when the disk fails). */
PEXA_API int GIFAnimEnd(void *anim);
#endif

/* ------------------------------------------------------------------------
 * Numeric helpers                     library/runtime/win32_helpers_api.cpp
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
