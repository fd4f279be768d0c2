// cWind: one scene window. Its state is grouped by concern in the portable
// structs of scene/window_state.h; this record adds the window's identity
// and geometry, its lights, viewpoints and event queue, and the operations
// the library thread runs on it: OpenGL setup (gl_context.cpp), the frame
// (gl_frame.cpp), and construction, move, size, background and teardown
// (win32_wind.cpp).
#pragma once

#include <windows.h>

#include "pexa.h"
#include "scene/event_queue.h"
#include "scene/light.h"
#include "scene/scene_graph.h"
#include "scene/viewpoints.h"
#include "scene/window_state.h"

namespace pexa {

class cWind {
  public:
    cWind(const char *title, int width, int height, int x, int y, void *reserved, int statusBar,
          DWORD style);
    // Teardown, on the library thread: lists, contexts, GDI objects, menu,
    // window and queue. The object itself stays allocated (and answers
    // requests with 0) because the program may still hold it, and DeleteWind
    // leaves it current: a stale current window must not be freed memory.
    void TearDown();
    cWind(const cWind &) = delete;
    cWind &operator=(const cWind &) = delete;

    int SetupGL(HWND window); // WM_CREATE
    int Render();             // one frame
    int OnMove();
    int OnSize(WPARAM wParam, LPARAM lParam);
    void Background(float r, float g, float b);
    int UseDisplayList(unsigned name);
    int ClearList();
    int ClearList2D();
    // The root lists holding an object decide whether frames draw each pass.
    void UpdatePasses();
    // Cursor for the action mode (the arrow while the scene is empty).
    void SetModeCursor();
    // Draws the 3D scene as the window shows it into a width × height
    // picture, tile by tile through the window's context, without touching
    // what is on screen (gl_picture.cpp). bits: 24-bit rows from the bottom,
    // stride bytes apart. False when the window has no area or its context
    // cannot be made current.
    bool DrawPicture(unsigned char *bits, int width, int height, size_t stride);
    // The 2D pass into dc: the window's own, or a picture's memory context.
    void DrawOverlay(HDC dc);

    // The OS's typed handles over the portable handle fields.
    HWND hwnd() const { return os.hwnd; }
    HDC hdc() const { return os.hdc; }

    char title[64] = {};
    unsigned sceneListId = 0; // also the name of the compiled display list
    RECT windowRect = {};
    // The scene's part of the client area, all of it or what lies above the
    // status bar: right, bottom give the viewport's size (a bottom of 0
    // becomes 1), which navigation, picking and the overlay use too.
    RECT clientRect = {};
    int visible = 0;
    DWORD style = 0;
    void *reserved = nullptr; // CreateWind's sixth argument, never read

    SystemHandles os;
    DialogState dialogs;
    SceneLists lists;
    SceneGraph graph; // what each list holds; refuses what would break the scene
    OverlayState overlay;
    RenderState render;
    ViewState view;
    PickState pick;
    cLight lights[8];
    cVPList viewpoints; // named views, the "Viewpoints" menu
    cEventList events;
    int tornDown = 0;

  private:
    // The steps of SetupGL (gl_context.cpp).
    void CreateContext();
    void CreateRootLists();
    void StartView();
    void StartOpenGLState();
    void StartOverlayState();
    void LoadCursors();
    void ReleaseGL(); // display list, context and device context
    // The window's area in OpenGL's terms: origin at the bottom left.
    struct Viewport {
        int x, y, width, height;
    };
    Viewport SceneViewport() const;
    void MeasureSceneArea(); // clientRect from the window and its status bar
    // The steps of a frame (gl_frame.cpp).
    void DrawScene();
    void SetFrameState();
    void SetProjection(const Viewport &viewport, bool picking);
    void ContinueMotion(int frameStart);
    void SetupLights();
    void PlaceModelLights();
    void ApplyViewingTransform();
    void ApplyStillViewingTransform(); // the view as last drawn, nothing advanced
    void DrawSceneList(bool picking);
    void FinishPick(GLint hits);
};

} // namespace pexa
