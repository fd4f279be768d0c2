// A scene window's OpenGL side outside the frame: the setup at WM_CREATE
// (pixel format, context, root lists, first state), the projection on
// resize, compiling the scene into its display list, and the release of
// the context at teardown.
#include <GL/glu.h>

#include <cstring>

#include "scene/group.h"
#include "resources/resource_ids.h"
#include "runtime/win32_library.h"
#include "runtime/win32_menu.h"
#include "runtime/win32_scene_lock.h"
#include "runtime/win32_wind.h"
#include "scene/vector3.h"

namespace pexa {

int cWind::SetupGL(HWND window) {
    os.hwnd = window;
    lib.windowRegistry.append(title, this, os.hwnd);
    sceneListId = ++lib.windowCounter;
    os.hdc = GetDC(os.hwnd);
    GetClientRect(os.hwnd, &clientRect);
    if (clientRect.bottom == 0) clientRect.bottom = 1;

    LoadConfiguration(this);

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

    lists.list2D = lists.current2D = new cGroup(nullptr);
    lists.list3D = lists.current3D = new cGroup(nullptr);
    lists.has2D = lists.has3D = 0;
    graph.AddRoot(lists.list2D, lists.list2D);
    graph.AddRoot(lists.list3D, lists.list3D);
    // A group destroyed while it receives insertions (deleted with its
    // parent, or emptied away by another thread) hands them to the root.
    graph.OnListDestroyed([this](ObjectList *list) {
        if (list == static_cast<ObjectList *>(lists.current3D)) lists.current3D = lists.list3D;
        if (list == static_cast<ObjectList *>(lists.current2D)) lists.current2D = lists.list2D;
    });

    view.rotAngle = view.iniRot;
    Copy3(view.rotAxis, view.iniAxis);
    Copy3(view.eyePos, view.iniPos);
    const float dir[3] = {0, 0, -1}, up[3] = {0, 1, 0}, right[3] = {1, 0, 0};
    Copy3(view.iniDir, dir);
    Copy3(view.iniUp, up);
    Copy3(view.iniRight, right);
    Copy3(view.viewDir, dir);
    Copy3(view.viewUp, up);
    Copy3(view.viewRight, right);
    view.speed = view.pitchRate = view.rollRate = view.yawRate = 0;
    render.fontCellW = render.fontCellH = 16;
    render.nextFontListId = 1000;
    render.depthTest = render.cullFace = render.lighting = render.colorMaterial = 1;
    pick.pickEnabled = render.animate = 0;
    render.mouseNav = render.keyNav = render.menuEnabled = 1;
    render.compiledValid = view.keepAnimating = 0;
    render.renderMode = GL_RENDER;

    if (pick.selectBufSize < 1) pick.selectBufSize = 1;
    pick.selectBuf = new GLuint[pick.selectBufSize]();
    glSelectBuffer(pick.selectBufSize, pick.selectBuf);

    glEnable(GL_NORMALIZE);
    glMateriali(GL_FRONT, GL_SHININESS, 100);
    const GLfloat white[4] = {1, 1, 1, 0};
    glMaterialfv(GL_FRONT, GL_SPECULAR, white);

    lights[0].on = 1;

    glPushMatrix();
    glLoadIdentity();
    glGetFloatv(GL_MODELVIEW_MATRIX, view.rotMatrix);
    glPopMatrix();

    overlay.brush2D = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    overlay.pen2D = static_cast<HPEN>(GetStockObject(WHITE_PEN));
    overlay.font2D = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    // The device context draws with what the window records as current.
    SelectObject(os.hdc, overlay.pen2D);
    SelectObject(os.hdc, overlay.brush2D);
    SelectObject(os.hdc, overlay.font2D);
    os.backBrush = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    std::memcpy(overlay.backColor2D, render.BackColor, sizeof overlay.backColor2D);
    overlay.backMode2D = OPAQUE;
    SetBkColor(os.hdc, RGB(0, 0, 0));
    SetBkMode(os.hdc, OPAQUE);
    MoveToEx(os.hdc, 0, 0, nullptr);
    overlay.pos2D[0] = overlay.pos2D[1] = 0;
    SetROP2(os.hdc, R2_COPYPEN);

    os.cursorRotate = LoadCursorA(lib.hLibModule, MAKEINTRESOURCEA(PEXA_CURSOR_ROTATE));
    os.cursorFly = LoadCursorA(lib.hLibModule, MAKEINTRESOURCEA(PEXA_CURSOR_FLY));
    os.cursorWalk = LoadCursorA(lib.hLibModule, MAKEINTRESOURCEA(PEXA_CURSOR_WALK));
    os.cursorArrow = LoadCursorA(nullptr, IDC_ARROW);
    SetCursor(os.cursorArrow);
    AddInitialViewpoint(this);
    UpdateMenuChecks(this);
    return 1;
}

int cWind::OnSize(WPARAM wParam, LPARAM lParam) {
    if (!os.hglrc) return 0;
    wglMakeCurrent(os.hdc, os.hglrc);
    GetClientRect(os.hwnd, &clientRect);
    if (clientRect.bottom == 0) clientRect.bottom = 1;
    glViewport(0, 0, clientRect.right, clientRect.bottom);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(view.angle, double(clientRect.right) / clientRect.bottom, view.clipnear,
                   view.clipfar);
    glMatrixMode(GL_MODELVIEW);
    Render();
    if (dialogs.hasStatusBar && dialogs.hStatusBar)
        SendMessageA(dialogs.hStatusBar, WM_SIZE, wParam, lParam);
    return 0;
}

int cWind::UseDisplayList(unsigned name) {
    if (!os.hglrc) return 0;
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
