// Interactive navigation of a scene window: the mouse rules of ROTATE
// (trackball drag, spin on a quick release), FLY and WALK, the keyboard
// table, the per-frame motion, stop and reset, the action-mode change with
// its view-keeping conversion, and the view and mode setters.
//
// Every function changes the window's value structs and returns NavEffect
// flags telling the window what to do next (draw a frame, run the resize,
// update the menu check marks, ...); none draws, reads a clock or touches
// the system. The window runs the effects in this order: check marks, event
// record, resize, frame, then FinishNavStep for what follows the frame.
#pragma once

#include <cstdint>

namespace pexa {

struct ViewState;
struct RenderState;

enum NavEffect : unsigned {
    kNavNone = 0,
    kNavCheckMarks = 1u << 0,     // update the context menu's check marks
    kNavClearEventView = 1u << 1, // zero the direction and up copies of the event record
    kNavResize = 1u << 2,         // run the resize routine (projection and one frame)
    kNavDrawFrame = 1u << 3,      // draw one frame
    kNavClearRotation = 1u << 4,  // after the frame: rotAngle = 0
    kNavEndWalkStep = 1u << 5,    // after the frame: WALK key steps end (yawRate, speed = 0)
};

// Virtual-key codes of the navigation keys.
enum NavKeyCode : int {
    kKeyPageUp = 33,
    kKeyPageDown = 34,
    kKeyEnd = 35,
    kKeyHome = 36,
    kKeyLeft = 37,
    kKeyUp = 38,
    kKeyRight = 39,
    kKeyDown = 40,
    kKeyNumpad0 = 96, // numeric pad 1 to 9 follow as 97 to 105
    kKeyAdd = 107,
    kKeySubtract = 109,
};

// Mouse state shared by every window (a drag begun in one window and
// released in another ends in the second).
struct MouseDrag {
    int dragging = 0;          // left button down in a window with mouse navigation
    int lastMouse[2] = {0, 0}; // last position used by FLY and WALK
};

// What navigation needs to know of the window beside its view.
struct NavWindow {
    int width = 1, height = 1; // client size (clientRect right and bottom)
    int has3D = 0;
    int mouseNav = 1;
    int keyNav = 1;
    int frameTime = 1; // milliseconds the last frame spent on the 3D list
};

enum class NavCursor { Keep, Arrow, Rotate, Fly, Walk };
// The cursor a mouse move shows: by action mode while there is a 3D object,
// the arrow otherwise; an unknown mode keeps the cursor.
NavCursor CursorFor(int action_mode, int has3D);

// Left button down at (x, y): starts a drag; in ROTATE stops a spin and
// takes the trackball point.
unsigned NavLeftDown(ViewState &view, MouseDrag &drag, const NavWindow &window, int x, int y);
// Mouse move to (x, y) at clock time nowMs: a drag turns (ROTATE), steers
// (FLY) or steers and speeds up (WALK).
unsigned NavMouseMove(ViewState &view, MouseDrag &drag, const NavWindow &window, int x, int y,
                      int nowMs);
// Left button up at clock time nowMs: a ROTATE drag released quickly keeps
// spinning; FLY keeps its rates; WALK stops.
unsigned NavLeftUp(ViewState &view, MouseDrag &drag, const NavWindow &window, int nowMs);
// Key down (virtual-key code) with the control key held or not: the key
// table. With control held no frame is drawn.
unsigned NavKey(ViewState &view, const NavWindow &window, int key, bool controlHeld);
// What follows the frame a navigation step asked for.
void FinishNavStep(ViewState &view, unsigned effects);

// The frame's viewing step. ROTATE: rotMatrix = rotation(rotAngle about
// rotAxis) * rotMatrix; returns the angle applied, and clears rotAngle when
// it was a single turn (turnOnce: a numeric-pad key, the reset), so that
// later frames do not turn again. FLY/WALK: the rates take the mouse
// increments, the vectors turn, the eye moves by speed; the window then
// looks from eyePos along viewDir with viewUp.
float AdvanceRotate(ViewState &view);
void AdvanceFlyWalk(ViewState &view);

// StopMotion, the End key, numeric-pad 5 and "Stop Motion": still.
void StopNav(ViewState &view);
// ResetPos, Home, numeric-pad 0 and the middle button: the initial view,
// turned once by the initial rotation; every one of them draws its frame.
unsigned ResetNav(ViewState &view);

// The view angle stays within [1, 179] degrees wherever it is set (setter,
// keys, dialog, viewpoint, configuration file): a value beyond is clamped to
// the nearest limit. At 180 the perspective has no extent and the picture is
// empty; beyond it, or at 0 and below, the picture turns upside down. The
// limits are whole degrees, the steps of the numeric-pad keys and the
// dialog's slider. NaN keeps the fallback.
constexpr double kMinViewAngle = 1.0, kMaxViewAngle = 179.0;
double ClampViewAngle(double angle, double fallback);

// The exported setters.
unsigned SetActionMode(ViewState &view, int mode);
unsigned SetRotation(ViewState &view, float angle, const float axis[3]);
unsigned SetLookAt(ViewState &view, const float eye[3], const float dir[3], const float up[3]);
unsigned SetProjectionMode(ViewState &view, int mode, double angle, double clipnear,
                           double clipfar);
unsigned SetShadeMode(RenderState &render, int mode);
unsigned SetDrawMode(RenderState &render, int mode);

// Rotation angles travel between threads as signed hundredths of a degree,
// truncated toward zero; angles beyond the 32-bit range saturate and NaN
// travels as 0 (a plain conversion would be undefined).
int32_t AngleToHundredths(float angle);
float HundredthsToAngle(int32_t hundredths);

} // namespace pexa
