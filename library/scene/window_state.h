// The state of one scene window, grouped by concern into value structs:
// view and navigation, render switches and modes, the 2D overlay, picking,
// dialogs and status bar, and the system and OpenGL handles. The window
// record (cWind) holds one of each; navigation, configuration, menu and
// dialog code work on the struct they need. Field names and defaults are
// those of the window record; "INI" marks a value the configuration file
// sets.
//
// Portable: the handle types are the system's own opaque structs, declared
// here without windows.h (they match its STRICT handle typedefs).
#pragma once

#include <cstdint>
#include <vector>

#include "scene/font_lists.h"
#include "scene/light.h"
#include "scene/open_groups.h"
#include "scene/pexa_core.h"

struct HWND__;
struct HDC__;
struct HGLRC__;
struct HMENU__;
struct HICON__;
struct HPEN__;
struct HBRUSH__;
struct HFONT__;

namespace pexa {

// OpenGL render modes (GL_RENDER, GL_SELECT) without the GL header.
enum : unsigned { kGLRender = 0x1C00, kGLSelect = 0x1C02 };

// Where the eye is, how the model is turned, how the user moves, and the
// initial view that reset returns to.
struct ViewState {
    int action_mode = PEXA_ROTATE;       // INI
    int project_mode = PEXA_PERSPECTIVE; // INI
    float eyePos[3] = {0, 0, 5};
    // ROTATE: degrees the next frame adds to rotMatrix about rotAxis; while
    // turnOnce is set only that frame adds them (a key's turn, the reset),
    // otherwise every frame does (a spin).
    float rotAngle = 0;
    int turnOnce = 0;
    float rotAxis[3] = {0, 0, 0};
    float rotMatrix[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}; // column-major
    float trackLast[3] = {0, 0, 0};                                         // last trackball point
    // FLY and WALK.
    float viewDir[3] = {0, 0, -1};
    float viewUp[3] = {0, 1, 0};
    float viewRight[3] = {1, 0, 0};
    float pitchRate = 0, rollRate = 0, yawRate = 0; // degrees per frame
    float speed = 0;                                // distance along viewDir per frame
    float dYaw = 0, dPitch = 0;                     // mouse increments for the next frame
    int dragStart = 0;                              // a left press not yet followed by a move
    int lastMoveTime = 0;        // clock milliseconds of the last ROTATE drag move
    int keepAnimating = 0;       // a released drag keeps spinning
    float yaw_roll_ratio = 0.0f; // INI
    int yaw_around_y = 1;        // INI
    float sensib_rotate = 1.0f, sensib_x_fly = 1.0f, sensib_y_fly = 1.0f; // INI
    float sensib_x_walk = 1.0f, sensib_y_walk = 1.0f;                     // INI
    int auto_delay = 50;                                                  // INI, milliseconds
    float steardelay = 1.2f;         // INI; kept and saved, not otherwise used
    char iniVPName[100] = "Default"; // INI: name of the first viewpoint
    float iniPos[3] = {0, 0, 5};     // INI
    float iniRot = 0;                // INI
    float iniAxis[3] = {0, 0, 0};    // INI
    float iniDir[3] = {0, 0, -1};
    float iniUp[3] = {0, 1, 0};
    float iniRight[3] = {1, 0, 0};
    float rotate_drot = 15.0f, rotate_dpos = 0.1f, fly_dspeed = 0.005f; // INI
    float walk_drot = 5.0f, walk_dpos = 0.1f;                           // INI
    double angle = 45.0;             // INI: vertical view angle, degrees
    double clipnear = double(0.01f); // INI; read as a float, so the default is one
    double clipfar = 1000.0;         // INI
};

// How frames are drawn: the modes, the switches of Enable and Disable, the
// background and light model, the pixel format, and the frame's own state.
struct RenderState {
    int draw_mode = PEXA_FILL;    // INI
    int shade_mode = PEXA_SMOOTH; // INI
    unsigned renderMode = kGLRender;
    int depthTest = 1;              // capability 3
    int cullFace = 1;               // capability 2
    int lighting = 1;               // capability 1
    int colorMaterial = 1;          // capability 4
    int animate = 0;                // capability 6: every frame asks for the next
    int mouseNav = 1;               // capability 7
    int keyNav = 1;                 // capability 8
    int menuEnabled = 1;            // capability 9
    int compiledValid = 0;          // frames call the compiled display list
    int idle = 0;                   // the last frame found no motion
    int frameTime = 1;              // milliseconds of the last 3D list drawing, at least 1
    int framePeriod = 16;           // milliseconds from frame to frame while moving
    int swapInterval = 0;           // swaps wait for the display (set while moving)
    int paceTimer = 0;              // the timer of the next frame is armed
    int still = 0;                  // a picture is drawn (DIBfromScene): rotations do not advance
    float BackColor[3] = {0, 0, 0}; // INI: the OpenGL clear colour
    float lightModelAmbient[4] = {0.2f, 0.2f, 0.2f, 1.0f}; // INI (r, g, b)
    int colorbits = 24;                                    // INI: pixel format
    int depthbits = 16;                                    // INI
    int fontCellW = 16, fontCellH = 16;
    int nextFontListId = 1000; // first display-list name of the next font
    FontLists fonts;           // the fonts built so far
};

// The 2D overlay pass: GDI objects and state that the 2D objects select.
struct OverlayState {
    int initDraw2D = 1; // INI
    HPEN__ *pen2D = nullptr;
    HBRUSH__ *brush2D = nullptr;
    HFONT__ *font2D = nullptr;
    float backColor2D[3] = {0, 0, 0};
    int backMode2D = 2; // OPAQUE
    int foreMix2D = 13; // R2_COPYPEN
    int pos2D[2] = {0, 0};
    int relToPos2D = 1; // INI
};

// Picking on click: the switch, the click and the selection buffer.
struct PickState {
    int pickEnabled = 0;        // capability 5
    int mouseX = 0, mouseY = 0; // the last left-button press, client pixels
    int selectBufSize = 64;     // INI, GLuint entries
    uint32_t *selectBuf = nullptr;
    int pickvolume = 2; // INI; kept and saved, the pick region is always 2 x 2
    // Objects named in the pick frame being drawn: name i + 1 is objects[i].
    // (Object addresses do not fit a 32-bit GL name on 64-bit Windows.)
    std::vector<cObj *> objects;
};

// The modeless dialogs and the status bar.
struct DialogState {
    HWND__ *hLightDlg = nullptr;
    HWND__ *hViewDlg = nullptr;
    // The light dialog's light being edited and the lights as they were when
    // it opened (restored by Cancel). Kept per window: two windows' light
    // dialogs open at once must not restore each other's lights.
    int lightIndex = 0;
    cLight lightBackup[8];
    ViewState viewBackup; // the view as the view dialog found it (restored by Cancel)
    int hasStatusBar = 0;
    HWND__ *hStatusBar = nullptr;
    char statusText[256] = {};
};

// The window's system and OpenGL handles.
struct SystemHandles {
    HWND__ *hwnd = nullptr;
    HDC__ *hdc = nullptr;
    HGLRC__ *hglrc = nullptr;
    HMENU__ *hMenu = nullptr;
    HICON__ *cursorRotate = nullptr, *cursorFly = nullptr, *cursorWalk = nullptr;
    HICON__ *cursorArrow = nullptr;
    HBRUSH__ *backBrush = nullptr; // fills the client area while there is no 3D object
    HDC__ *overlayDC = nullptr;    // where the 2D pass draws: the window, or a picture
};

// The two root lists and the lists receiving insertions. current3D is the
// list of the thread whose request is being handled (its innermost open
// group, else the root list); between requests it is the root list.
struct SceneLists {
    cGroup *list2D = nullptr;
    cGroup *current2D = nullptr;
    int has2D = 0; // the root 2D list holds an object
    cGroup *list3D = nullptr;
    cGroup *current3D = nullptr;
    int has3D = 0;         // the root 3D list holds an object
    OpenGroups openGroups; // per calling thread
};

} // namespace pexa
