// A scene window's OpenGL side outside the frame: the setup at WM_CREATE
// (pixel format, context, root lists, first state), the projection on
// resize, compiling the scene into its display list, and the release of
// the context at teardown.
#include <GL/glu.h>

#include <cstring>

#include "scene/group.h"
#include "resources/resource_ids.h"
#include "runtime/win32_frame_pacing.h"
#include "runtime/win32_input.h"
#include "runtime/win32_library.h"
#include "runtime/win32_menu.h"
#include "runtime/win32_scene_lock.h"
#include "runtime/win32_wind.h"
#include "scene/vector3.h"

namespace pexa {

// WM_CREATE of a scene window: everything a frame needs, in order.
int cWind::SetupGL(HWND window) {
    os.hwnd = window;
    lib.windowRegistry.append(title, this, os.hwnd);
    sceneListId = ++lib.windowCounter;
    os.hdc = GetDC(os.hwnd);
    MeasureSceneArea();
    LoadConfiguration(this);
    CreateContext();
    StartPacing(this);
    CreateRootLists();
    StartView();
    lights[0].on = 1; // the headlight
    StartOpenGLState();
    StartOverlayState();
    LoadCursors();
    AddInitialViewpoint(this);
    UpdateMenuChecks(this);
    return 1;
}

// The pixel format the configuration asks for, and the window's OpenGL
// context, made current. A window without them cannot draw: the process
// ends after saying so.
void cWind::CreateContext() {
    PIXELFORMATDESCRIPTOR pfd = {};
    pfd.nSize = sizeof pfd;
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = BYTE(render.colorbits & 0xFF);
    pfd.cDepthBits = BYTE(render.depthbits & 0xFF);
    pfd.iLayerType = PFD_MAIN_PLANE;
    int format = ChoosePixelFormat(os.hdc, &pfd);
    if (format == 0) {
        MessageBoxA(nullptr, "ChoosePixelFormat failed", "Error", MB_OK);
        MessageBoxA(nullptr, title, "Error", MB_OK);
        ExitProcess(1);
    }
    if (!SetPixelFormat(os.hdc, format, &pfd)) {
        MessageBoxA(nullptr, "SetPixelFormat failed", "Error", MB_OK);
        ExitProcess(1);
    }
    os.hglrc = wglCreateContext(os.hdc);
    wglMakeCurrent(os.hdc, os.hglrc);
}

// The two empty root lists, which receive insertions, and their index.
void cWind::CreateRootLists() {
    lists.list2D = lists.current2D = new cGroup(nullptr);
    lists.list3D = lists.current3D = new cGroup(nullptr);
    lists.has2D = lists.has3D = 0;
    graph.AddRoot(lists.list2D, lists.list2D);
    graph.AddRoot(lists.list3D, lists.list3D);
    // A group destroyed while it receives insertions (deleted with its
    // parent, or emptied away by another thread) hands them to the root.
    graph.OnListDestroyed([this](ObjectList *list) {
        lists.openGroups.Forget(list);
        if (list == static_cast<ObjectList *>(lists.current3D)) lists.current3D = lists.list3D;
        if (list == static_cast<ObjectList *>(lists.current2D)) lists.current2D = lists.list2D;
    });
}

// The view starts at the initial view of the configuration (the first
// frame turns the model once by the initial rotation); everything else
// keeps the defaults of window_state.h.
void cWind::StartView() {
    view.rotAngle = view.iniRot;
    view.turnOnce = 1;
    Copy3(view.rotAxis, view.iniAxis);
    Copy3(view.eyePos, view.iniPos);
}

// The context's own state: the selection buffer of pick frames,
// normalisation, the front material, and an identity rotation.
void cWind::StartOpenGLState() {
    if (pick.selectBufSize < 1) pick.selectBufSize = 1;
    pick.selectBuf = new GLuint[pick.selectBufSize]();
    glSelectBuffer(pick.selectBufSize, pick.selectBuf);

    glEnable(GL_NORMALIZE);
    glMateriali(GL_FRONT, GL_SHININESS, 100);
    const GLfloat white[4] = {1, 1, 1, 0};
    glMaterialfv(GL_FRONT, GL_SPECULAR, white);

    glPushMatrix();
    glLoadIdentity();
    glGetFloatv(GL_MODELVIEW_MATRIX, view.rotMatrix);
    glPopMatrix();
}

// The 2D pass starts with the stock white pen, black brush and system font,
// selected into the device context, which draws with what the window
// records as current.
void cWind::StartOverlayState() {
    overlay.brush2D = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    overlay.pen2D = static_cast<HPEN>(GetStockObject(WHITE_PEN));
    overlay.font2D = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    SelectObject(os.hdc, overlay.pen2D);
    SelectObject(os.hdc, overlay.brush2D);
    SelectObject(os.hdc, overlay.font2D);
    os.backBrush = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    std::memcpy(overlay.backColor2D, render.BackColor, sizeof overlay.backColor2D);
    SetBkColor(os.hdc, RGB(0, 0, 0));
    SetBkMode(os.hdc, OPAQUE);
    MoveToEx(os.hdc, 0, 0, nullptr);
    SetROP2(os.hdc, R2_COPYPEN);
}

// The cursors of the three action modes, and the arrow of an empty scene.
void cWind::LoadCursors() {
    os.cursorRotate = LoadCursorA(lib.hLibModule, MAKEINTRESOURCEA(PEXA_CURSOR_ROTATE));
    os.cursorFly = LoadCursorA(lib.hLibModule, MAKEINTRESOURCEA(PEXA_CURSOR_FLY));
    os.cursorWalk = LoadCursorA(lib.hLibModule, MAKEINTRESOURCEA(PEXA_CURSOR_WALK));
    os.cursorArrow = LoadCursorA(nullptr, IDC_ARROW);
    SetCursor(os.cursorArrow);
}

void cWind::MeasureSceneArea() {
    GetClientRect(os.hwnd, &clientRect);
    clientRect.bottom -= StatusBarHeight(this);
    if (clientRect.bottom <= 0) clientRect.bottom = 1;
}

cWind::Viewport cWind::SceneViewport() const {
    return {0, StatusBarHeight(this), int(clientRect.right), int(clientRect.bottom)};
}

// The status bar is laid out first: the scene takes what is left above it.
int cWind::OnSize(WPARAM wParam, LPARAM lParam) {
    if (!os.hglrc) return 0;
    if (dialogs.hasStatusBar && dialogs.hStatusBar)
        SendMessageA(dialogs.hStatusBar, WM_SIZE, wParam, lParam);
    wglMakeCurrent(os.hdc, os.hglrc);
    MeasureSceneArea();
    const Viewport vp = SceneViewport();
    glViewport(vp.x, vp.y, vp.width, vp.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(view.angle, double(vp.width) / vp.height, view.clipnear, view.clipfar);
    glMatrixMode(GL_MODELVIEW);
    Render();
    return 0;
}

// Only into the window's own scene list: another name (0, a font's glyph)
// would blank the scene or overwrite what that list holds.
int cWind::UseDisplayList(unsigned name) {
    if (!os.hglrc || name != sceneListId) return 0;
    wglMakeCurrent(os.hdc, os.hglrc);
    {
        // Calling threads change objects in place under this lock; the
        // recording must not freeze a half-written one into every frame.
        SceneWriteGuard sceneLock;
        lib.handledWind = this;
        glDeleteLists(name, 1);
        glNewList(name, GL_COMPILE);
        unsigned mode = render.renderMode;
        render.renderMode = GL_RENDER; // no pick names are recorded
        // The whole scene, also while a group is open: frames call this list
        // instead of the root list.
        lists.list3D->Draw();
        render.renderMode = mode;
        glEndList();
        render.compiledValid = 1;
    }
    Render();
    return 0;
}

void cWind::ReleaseGL() {
    // Objects may free OpenGL resources of this context as they go.
    if (os.hglrc) wglMakeCurrent(os.hdc, os.hglrc);
    {
        SceneWriteGuard lock;
        delete lists.list2D;
        delete lists.list3D;
        lists = SceneLists{};
    }
    // The display list goes first, while its context is still current.
    if (os.hglrc) {
        glDeleteLists(sceneListId, 1);
        wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(os.hglrc);
    }
    if (os.hdc) ReleaseDC(os.hwnd, os.hdc);
    os.hglrc = nullptr;
    os.hdc = nullptr;
}

} // namespace pexa
