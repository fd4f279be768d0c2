// cWind: construction, OpenGL setup at WM_CREATE, the small operations that
// end in a frame (background, display list, clearing, move, resize) and the
// teardown.
#include "runtime/win32_wind.h"

#include <GL/glu.h>

#include <cstdlib>
#include <cstring>

#include "objects/win32_group.h"
#include "resources/resource_ids.h"
#include "runtime/win32_library.h"
#include "runtime/win32_messages.h"

namespace pexa {

cWind::cWind(const char *title_, int width, int height, int x, int y, void *reserved_,
             int statusBar, DWORD style_) {
    if (title_) {
        // A longer title is cut to the 63 characters the field holds.
        std::strncpy(title, title_, sizeof title - 1);
        title[sizeof title - 1] = 0;
    }
    windowRect = {x, y, x + width, y + height};
    style = style_;
    hasStatusBar = statusBar != 0;
    reserved = reserved_;
    hMenu = LoadMenuA(hLibModule, MAKEINTRESOURCEA(1));
}

int cWind::SetupGL(HWND window) {
    hwnd = window;
    windowRegistry.append(title, this, hwnd);
    sceneListId = ++windowCounter;
    hdc = GetDC(hwnd);
    GetClientRect(hwnd, &clientRect);
    if (clientRect.bottom == 0) clientRect.bottom = 1;

    // Configuration: the built-in defaults are the member initialisers.

    PIXELFORMATDESCRIPTOR pfd = {};
    pfd.nSize = sizeof pfd;
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = BYTE(colorbits & 0xFF);
    pfd.cDepthBits = BYTE(depthbits & 0xFF);
    pfd.iLayerType = PFD_MAIN_PLANE;
    int format = ChoosePixelFormat(hdc, &pfd);
    if (format == 0) {
        MessageBoxA(nullptr, "ChoosePixelFormat failed", "Error", MB_OK);
        MessageBoxA(nullptr, title, "Error", MB_OK);
        ExitProcess(1);
    }
    if (!SetPixelFormat(hdc, format, &pfd)) {
        MessageBoxA(nullptr, "SetPixelFormat failed", "Error", MB_OK);
        ExitProcess(1);
    }
    hglrc = wglCreateContext(hdc);
    wglMakeCurrent(hdc, hglrc);

    list2D = current2D = new cGroup(nullptr);
    list3D = current3D = new cGroup(nullptr);
    has2D = has3D = 0;

    rotAngle = iniRot;
    std::memcpy(rotAxis, iniAxis, sizeof rotAxis);
    std::memcpy(eyePos, iniPos, sizeof eyePos);
    const float dir[3] = {0, 0, -1}, up[3] = {0, 1, 0}, right[3] = {1, 0, 0};
    std::memcpy(iniDir, dir, sizeof dir);
    std::memcpy(iniUp, up, sizeof up);
    std::memcpy(iniRight, right, sizeof right);
    std::memcpy(viewDir, dir, sizeof dir);
    std::memcpy(viewUp, up, sizeof up);
    std::memcpy(viewRight, right, sizeof right);
    speed = pitchRate = rollRate = yawRate = 0;
    fontCellW = fontCellH = 16;
    nextFontListId = 1000;
    depthTest = cullFace = lighting = colorMaterial = 1;
    pickEnabled = animate = 0;
    mouseNav = keyNav = menuEnabled = 1;
    compiledValid = keepAnimating = 0;
    renderMode = GL_RENDER;

    if (selectBufSize < 1) selectBufSize = 1;
    selectBuf = new GLuint[selectBufSize]();
    glSelectBuffer(selectBufSize, selectBuf);

    glEnable(GL_NORMALIZE);
    glMateriali(GL_FRONT, GL_SHININESS, 100);
    const GLfloat white[4] = {1, 1, 1, 0};
    glMaterialfv(GL_FRONT, GL_SPECULAR, white);

    lights[0].on = 1;

    glPushMatrix();
    glLoadIdentity();
    glGetFloatv(GL_MODELVIEW_MATRIX, rotMatrix);
    glPopMatrix();

    brush2D = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    pen2D = static_cast<HPEN>(GetStockObject(WHITE_PEN));
    font2D = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    backBrush = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    std::memcpy(backColor2D, BackColor, sizeof backColor2D);
    backMode2D = OPAQUE;
    SetBkColor(hdc, RGB(0, 0, 0));
    SetBkMode(hdc, OPAQUE);
    MoveToEx(hdc, 0, 0, nullptr);
    pos2D[0] = pos2D[1] = 0;
    SetROP2(hdc, R2_COPYPEN);

    cursorRotate = LoadCursorA(hLibModule, MAKEINTRESOURCEA(PEXA_CURSOR_ROTATE));
    cursorFly = LoadCursorA(hLibModule, MAKEINTRESOURCEA(PEXA_CURSOR_FLY));
    cursorWalk = LoadCursorA(hLibModule, MAKEINTRESOURCEA(PEXA_CURSOR_WALK));
    cursorArrow = LoadCursorA(nullptr, IDC_ARROW);
    SetCursor(cursorArrow);
    return 1;
}

void cWind::TearDown() {
    if (tornDown) return;
    tornDown = 1;
    if (hwnd) ShowWindow(hwnd, SW_HIDE);
    if (hglrc) wglMakeCurrent(hdc, hglrc);
    delete list2D;
    delete list3D;
    list2D = current2D = list3D = current3D = nullptr;
    // The display list goes first, while its context is still current.
    if (hglrc) glDeleteLists(sceneListId, 1);
    if (hglrc) {
        wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(hglrc);
    }
    if (hdc) ReleaseDC(hwnd, hdc);
    hglrc = nullptr;
    hdc = nullptr;
    // Stock objects ignore DeleteObject; brushes made by Background are freed.
    if (brush2D) DeleteObject(brush2D);
    if (backBrush) DeleteObject(backBrush);
    if (pen2D) DeleteObject(pen2D);
    if (font2D) DeleteObject(font2D);
    brush2D = nullptr;
    backBrush = nullptr;
    pen2D = nullptr;
    font2D = nullptr;
    if (hMenu) DestroyMenu(hMenu);
    hMenu = nullptr;
    if (hwnd && IsWindow(hwnd)) DestroyWindow(hwnd);
    events.clear();
    delete[] selectBuf;
    selectBuf = nullptr;
}

void cWind::Background(float r, float g, float b) {
    BackColor[0] = r;
    BackColor[1] = g;
    BackColor[2] = b;
    auto byte = [](float c) { return BYTE(long(c * 255.0f) & 0xFF); };
    if (backBrush) DeleteObject(backBrush);
    backBrush = CreateSolidBrush(RGB(byte(r), byte(g), byte(b)));
}

int cWind::UseDisplayList(unsigned name) {
    if (!hglrc) return 0;
    wglMakeCurrent(hdc, hglrc);
    handledWind = this;
    glDeleteLists(name, 1);
    glNewList(name, GL_COMPILE);
    GLenum mode = renderMode;
    renderMode = GL_RENDER; // no pick names are recorded
    current3D->Draw();
    renderMode = mode;
    glEndList();
    compiledValid = 1;
    Render();
    return 0;
}

void cWind::SetModeCursor() {
    HCURSOR cursor = cursorArrow;
    if (has3D) {
        if (action_mode == kActionRotate && cursorRotate) cursor = cursorRotate;
        if (action_mode == kActionFly && cursorFly) cursor = cursorFly;
        if (action_mode == kActionWalk && cursorWalk) cursor = cursorWalk;
    }
    SetCursor(cursor);
}

int cWind::ClearList() {
    current3D->Empty();
    has3D = 0;
    SetModeCursor();
    Render();
    return 1;
}

int cWind::ClearList2D() {
    current2D->Empty();
    MoveToEx(hdc, 0, 0, nullptr);
    has2D = 0;
    Render();
    return 1;
}

int cWind::OnMove() {
    GetWindowRect(hwnd, &windowRect);
    Render();
    return 0;
}

int cWind::OnSize(WPARAM wParam, LPARAM lParam) {
    if (!hglrc) return 0;
    wglMakeCurrent(hdc, hglrc);
    GetClientRect(hwnd, &clientRect);
    if (clientRect.bottom == 0) clientRect.bottom = 1;
    glViewport(0, 0, clientRect.right, clientRect.bottom);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(angle, double(clientRect.right) / clientRect.bottom, clipnear, clipfar);
    glMatrixMode(GL_MODELVIEW);
    Render();
    if (hasStatusBar && hStatusBar) SendMessageA(hStatusBar, WM_SIZE, wParam, lParam);
    return 0;
}

} // namespace pexa
