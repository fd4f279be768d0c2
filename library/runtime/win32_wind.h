// cWind: one scene window, with every field of its state, its OpenGL setup,
// its frame and its teardown. Created on the calling thread by CreateWind,
// set up and drawn on the library thread.
#pragma once

#include <windows.h>
#include <GL/gl.h>

#include "pexa.h"
#include "runtime/event_queue.h"
#include "runtime/light.h"

class cGroup;

namespace pexa {

// Mode values shared by the configuration file, menu, dialogs and setters.
enum : int {
    kActionRotate = 0,
    kActionFly = 1,
    kActionWalk = 2,
    kShadeSmooth = 100000,
    kShadeFlat = 100001,
    kShadeNone = 100002,
    kDrawPoint = 100010,
    kDrawLine = 100011,
    kDrawFill = 100012,
    kProjectPerspective = 0,
    kProjectOrthogonal = 1,
};

class cVPList; // named viewpoints; arrive with the context menu

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
    // Cursor for the action mode (the arrow while the scene is empty).
    void SetModeCursor();

    char title[64] = {};
    unsigned sceneListId = 0;
    RECT windowRect = {};
    RECT clientRect = {};
    int visible = 0;
    DWORD style = 0;
    int hasStatusBar = 0;
    void *reserved = nullptr;
    HWND hwnd = nullptr;
    HWND hLightDlg = nullptr;
    HWND hViewDlg = nullptr;
    HWND hStatusBar = nullptr;
    char statusText[256] = {};
    HDC hdc = nullptr;
    HGLRC hglrc = nullptr;
    HMENU hMenu = nullptr;
    HCURSOR cursorRotate = nullptr, cursorFly = nullptr, cursorWalk = nullptr;
    HCURSOR cursorArrow = nullptr;
    cGroup *list2D = nullptr;
    cGroup *current2D = nullptr;
    int has2D = 0;
    cGroup *list3D = nullptr;
    cGroup *current3D = nullptr;
    int has3D = 0;
    int idle = 0;
    int initDraw2D = 1;
    HPEN pen2D = nullptr;
    HBRUSH brush2D = nullptr;
    HBRUSH backBrush = nullptr;
    HFONT font2D = nullptr;
    float BackColor[3] = {0, 0, 0};
    float backColor2D[3] = {0, 0, 0};
    int backMode2D = OPAQUE;
    int foreMix2D = R2_COPYPEN;
    int pos2D[2] = {0, 0};
    int relToPos2D = 1;
    int compiledValid = 0;
    int keepAnimating = 0;
    int draw_mode = kDrawFill;
    int shade_mode = kShadeSmooth;
    int action_mode = kActionRotate;
    int project_mode = kProjectPerspective;
    GLenum renderMode = GL_RENDER;
    float eyePos[3] = {0, 0, 5};
    float rotAngle = 0;
    float rotAxis[3] = {0, 0, 0};
    float rotMatrix[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    float trackLast[3] = {0, 0, 0};
    float viewDir[3] = {0, 0, -1};
    float viewUp[3] = {0, 1, 0};
    float viewRight[3] = {1, 0, 0};
    float pitchRate = 0, rollRate = 0, yawRate = 0;
    float yaw_roll_ratio = 0.0f;
    int yaw_around_y = 1;
    float speed = 0;
    float sensib_rotate = 1.0f, sensib_x_fly = 1.0f, sensib_y_fly = 1.0f;
    float sensib_x_walk = 1.0f, sensib_y_walk = 1.0f;
    int auto_delay = 50;
    float steardelay = 1.2f;
    int dragStart = 0;
    int lastMoveTime = 0;
    int frameTime = 1;
    int mouseX = 0, mouseY = 0;
    float dYaw = 0, dPitch = 0;
    char iniVPName[100] = "Default";
    float iniPos[3] = {0, 0, 5};
    float iniRot = 0;
    float iniAxis[3] = {0, 0, 0};
    float iniDir[3] = {0, 0, -1};
    float iniUp[3] = {0, 1, 0};
    float iniRight[3] = {1, 0, 0};
    float rotate_drot = 15.0f, rotate_dpos = 0.1f, fly_dspeed = 0.005f;
    float walk_drot = 5.0f, walk_dpos = 0.1f;
    double angle = 45.0;
    double clipnear = 0.01;
    double clipfar = 1000.0;
    int fontCellW = 16, fontCellH = 16;
    int nextFontListId = 1000;
    int selectBufSize = 64;
    GLuint *selectBuf = nullptr;
    int colorbits = 24;
    int depthbits = 16;
    int depthTest = 1;
    int cullFace = 1;
    int lighting = 1;
    int colorMaterial = 1;
    int pickEnabled = 0;
    int animate = 0;
    int mouseNav = 1;
    int keyNav = 1;
    int menuEnabled = 1;
    float lightModelAmbient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    cLight lights[8];
    int pickvolume = 2;
    cVPList *viewpoints = nullptr;
    cEventList events;
    int tornDown = 0;

  private:
    void SetupLights();
    void PlaceModelLights();
    void ApplyViewingTransform();
    void AdvanceFlight();
    void RefreshViewDialog();
    void FinishPick(GLint hits);
};

} // namespace pexa
