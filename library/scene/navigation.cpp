// Mouse and keyboard navigation, the per-frame motion and the view setters
// (portable).
#include "scene/navigation.h"

#include "scene/orientation.h"
#include "scene/trackball.h"
#include "scene/vector3.h"
#include "scene/window_state.h"

#include <cmath>
#include <cstring>

namespace pexa {

namespace {

bool IsFlyOrWalk(int mode) {
    return mode == PEXA_FLY || mode == PEXA_WALK;
}

// Turns viewDir, viewUp and viewRight together, each from its value before
// the turn, by one matrix built from the axis as it was before the turn.
void TurnCamera(ViewState &view, float degrees, const float axis[3]) {
    float m[16];
    RotationMatrix(degrees, axis, m);
    RotateVector(m, view.viewDir, view.viewDir);
    RotateVector(m, view.viewUp, view.viewUp);
    RotateVector(m, view.viewRight, view.viewRight);
}

// Numeric-pad turns: the key, the sign of rotate_drot, and the axis.
struct NumpadTurn {
    int key;
    float sign;
    float axis[3];
};
const NumpadTurn kNumpadTurns[] = {
    {kKeyNumpad0 + 1, 1, {0, 0, 1}},  {kKeyNumpad0 + 2, 1, {1, 0, 0}},
    {kKeyNumpad0 + 3, -1, {0, 0, 1}}, {kKeyNumpad0 + 4, -1, {0, 1, 0}},
    {kKeyNumpad0 + 6, 1, {0, 1, 0}},  {kKeyNumpad0 + 8, -1, {1, 0, 0}},
};

// The arrow keys: ROTATE moves the eye, FLY changes speed (Up and Down
// only), WALK takes one step or turn. Other modes ignore the arrows.
void ArrowKey(ViewState &view, int key) {
    const int mode = view.action_mode;
    if (mode == PEXA_ROTATE) {
        const float d = view.rotate_dpos;
        if (key == kKeyLeft) view.eyePos[0] += d;
        if (key == kKeyRight) view.eyePos[0] -= d;
        if (key == kKeyUp) view.eyePos[2] += d;
        if (key == kKeyDown) view.eyePos[2] -= d;
        view.rotAngle = 0;
    } else if (mode == PEXA_FLY) {
        if (key == kKeyUp) view.speed += view.fly_dspeed;
        if (key == kKeyDown) view.speed -= view.fly_dspeed;
    } else if (mode == PEXA_WALK) {
        if (key == kKeyLeft || key == kKeyRight) {
            view.yawRate = key == kKeyLeft ? view.walk_drot : -view.walk_drot;
            view.dYaw = 0;
        }
        if (key == kKeyUp) view.speed = view.walk_dpos;
        if (key == kKeyDown) view.speed = -view.walk_dpos;
    }
}

} // namespace

NavCursor CursorFor(int action_mode, int has3D) {
    if (!has3D) return NavCursor::Arrow;
    switch (action_mode) {
    case PEXA_ROTATE:
        return NavCursor::Rotate;
    case PEXA_FLY:
        return NavCursor::Fly;
    case PEXA_WALK:
        return NavCursor::Walk;
    default:
        return NavCursor::Keep;
    }
}

unsigned NavLeftDown(ViewState &view, MouseDrag &drag, const NavWindow &window, int x, int y) {
    if (!window.mouseNav) return kNavNone;
    drag.dragging = 1;
    view.dragStart = 1;
    if (view.action_mode == PEXA_ROTATE) {
        view.rotAngle = 0;
        view.keepAnimating = 0;
        TrackballPoint(view, x, y, window.width, window.height, view.trackLast);
    }
    return kNavNone;
}

unsigned NavMouseMove(ViewState &view, MouseDrag &drag, const NavWindow &window, int x, int y,
                      int nowMs) {
    if (!window.mouseNav || !drag.dragging || !window.has3D) return kNavNone;
    const int mode = view.action_mode;
    if (mode == PEXA_ROTATE) {
        float p[3];
        TrackballPoint(view, x, y, window.width, window.height, p);
        const float *q = view.trackLast;
        double dx = q[0] - p[0], dy = q[1] - p[1], dz = q[2] - p[2];
        view.rotAngle = float(std::sqrt(dx * dx + dy * dy + dz * dz) * view.sensib_rotate * 90.0);
        view.turnOnce = 0; // the increment stays: a quick release spins by it
        Set3(view.rotAxis, q[1] * p[2] - q[2] * p[1], q[2] * p[0] - q[0] * p[2],
             q[0] * p[1] - q[1] * p[0]);
        Copy3(view.trackLast, p);
        view.lastMoveTime = nowMs;
        return kNavDrawFrame;
    }
    if (!IsFlyOrWalk(mode)) return kNavNone;
    if (view.dragStart) {
        drag.lastMouse[0] = x, drag.lastMouse[1] = y;
        view.dragStart = 0;
    }
    // Differences in double: positions are any int the system reports.
    const double left = double(drag.lastMouse[0]) - x, down = double(y) - drag.lastMouse[1];
    if (mode == PEXA_FLY) {
        view.dYaw = float(left * view.sensib_x_fly * 0.01);
        view.dPitch = float(down * view.sensib_y_fly * 0.01);
    } else {
        view.dYaw = float(left * view.sensib_x_walk * 0.01);
        view.speed = float(view.speed - down * view.sensib_y_walk * 0.0005); // up speeds up
    }
    drag.lastMouse[0] = x, drag.lastMouse[1] = y;
    return kNavDrawFrame;
}

unsigned NavLeftUp(ViewState &view, MouseDrag &drag, const NavWindow &window, int nowMs) {
    if (!window.mouseNav) return kNavNone;
    drag.dragging = 0;
    switch (view.action_mode) {
    case PEXA_ROTATE: {
        // The difference wraps as the millisecond clock does; the sum is
        // 64-bit because auto_delay comes from the file.
        int32_t sinceMove = int32_t(uint32_t(nowMs) - uint32_t(view.lastMoveTime));
        if (sinceMove < (long long)view.auto_delay + window.frameTime) {
            view.keepAnimating = 1; // rotAngle still holds the last increment
            return kNavDrawFrame;
        }
        view.rotAngle = 0;
        view.keepAnimating = 0;
        return kNavNone;
    }
    case PEXA_FLY:
        view.dYaw = view.dPitch = 0;
        return kNavNone;
    case PEXA_WALK:
        view.dYaw = view.dPitch = 0;
        view.pitchRate = view.rollRate = view.yawRate = 0;
        view.speed = 0;
        return kNavNone;
    default:
        return kNavNone;
    }
}

unsigned NavKey(ViewState &view, const NavWindow &window, int key, bool controlHeld) {
    if (!window.keyNav) return kNavNone;
    unsigned effects = kNavNone;
    switch (key) {
    case kKeyPageUp:
        view.eyePos[1] -= view.rotate_dpos;
        view.rotAngle = 0;
        break;
    case kKeyPageDown:
        view.eyePos[1] += view.rotate_dpos;
        view.rotAngle = 0;
        break;
    case kKeyEnd:
    case kKeyNumpad0 + 5:
        StopNav(view);
        break;
    case kKeyHome:
    case kKeyNumpad0:
        effects |= ResetNav(view);
        break;
    case kKeyLeft:
    case kKeyUp:
    case kKeyRight:
    case kKeyDown:
        ArrowKey(view, key);
        break;
    case kKeyAdd:
    case kKeySubtract:
        view.angle = ClampViewAngle(view.angle + (key == kKeyAdd ? 1.0 : -1.0), view.angle);
        effects |= kNavResize;
        break;
    default:
        view.rotAngle = 0; // any other key
        for (const NumpadTurn &turn : kNumpadTurns)
            if (turn.key == key) {
                // One turn, by the frame this key draws or (control held)
                // by the next frame drawn.
                view.rotAngle = turn.sign * view.rotate_drot;
                view.turnOnce = 1;
                Copy3(view.rotAxis, turn.axis);
            }
    }
    if (!controlHeld) effects |= kNavDrawFrame;
    if (view.action_mode == PEXA_WALK) effects |= kNavEndWalkStep; // one frame's worth per press
    return effects;
}

void FinishNavStep(ViewState &view, unsigned effects) {
    if (effects & kNavClearRotation) view.rotAngle = 0;
    if (effects & kNavEndWalkStep) {
        view.yawRate = 0;
        view.speed = 0;
    }
}

float AdvanceRotate(ViewState &view) {
    const float applied = view.rotAngle;
    float m[16];
    RotationMatrix(applied, view.rotAxis, m);
    MultiplyMatrix(m, view.rotMatrix, view.rotMatrix);
    if (view.turnOnce) view.rotAngle = 0;
    view.turnOnce = 0;
    return applied;
}

void AdvanceFlyWalk(ViewState &view) {
    const int mode = view.action_mode;
    if (!IsFlyOrWalk(mode)) return;
    view.pitchRate += view.dPitch;
    if (mode == PEXA_FLY) {
        const float r = view.yaw_roll_ratio;
        view.rollRate -= r * view.dYaw;
        view.yawRate += (1 - r) * view.dYaw;
    } else {
        view.yawRate += view.dYaw;
    }
    float axis[3];
    if (view.pitchRate != 0) {
        Copy3(axis, view.viewRight);
        TurnCamera(view, view.pitchRate, axis);
    }
    if (view.yawRate != 0) {
        if (mode == PEXA_FLY && view.yaw_around_y == 1)
            Set3(axis, 0, 1, 0);
        else
            Copy3(axis, view.viewUp);
        TurnCamera(view, view.yawRate, axis);
    }
    if (view.rollRate != 0) {
        Copy3(axis, view.viewDir);
        TurnCamera(view, view.rollRate, axis);
    }
    for (int i = 0; i < 3; ++i)
        view.eyePos[i] += view.speed * view.viewDir[i];
    view.dYaw = view.dPitch = 0;
}

void StopNav(ViewState &view) {
    view.keepAnimating = 0;
    view.rotAngle = 0;
    view.turnOnce = 0;
    view.dYaw = view.dPitch = 0;
    view.pitchRate = view.rollRate = view.yawRate = 0;
    view.speed = 0;
}

unsigned ResetNav(ViewState &view) {
    StopNav(view);
    // The next ROTATE frame (the reset's own) applies the initial turn once.
    view.rotAngle = view.iniRot;
    view.turnOnce = 1;
    Copy3(view.rotAxis, view.iniAxis);
    Copy3(view.eyePos, view.iniPos);
    Copy3(view.viewDir, view.iniDir);
    Copy3(view.viewUp, view.iniUp);
    Copy3(view.viewRight, view.iniRight);
    SetIdentity(view.rotMatrix);
    return kNavDrawFrame;
}

double ClampViewAngle(double angle, double fallback) {
    if (!(angle == angle)) return fallback;
    return angle < kMinViewAngle ? kMinViewAngle : angle > kMaxViewAngle ? kMaxViewAngle : angle;
}

unsigned SetActionMode(ViewState &view, int mode) {
    view.dYaw = view.dPitch = 0;
    view.pitchRate = view.rollRate = view.yawRate = 0;
    view.speed = 0;
    unsigned effects = kNavCheckMarks | kNavDrawFrame | kNavClearRotation;
    const int from = view.action_mode;
    if (from == PEXA_ROTATE && IsFlyOrWalk(mode)) {
        Orientation o = AxisAngle(view.rotMatrix);
        OrientationToCamera(view, o.angle, o.axis);
    } else if (IsFlyOrWalk(from) && mode == PEXA_ROTATE) {
        Orientation o = CameraToOrientation(view.eyePos, view.viewDir, view.viewUp, view.eyePos);
        view.rotAngle = o.angle;
        Copy3(view.rotAxis, o.axis);
        Set3(view.viewDir, 0, 0, 0);
        Set3(view.viewUp, 0, 0, 0);
        Set3(view.viewRight, 0, 0, 0);
        effects |= kNavClearEventView;
    }
    view.action_mode = mode;
    SetIdentity(view.rotMatrix); // in ROTATE the frame rebuilds it from rotAngle
    return effects;
}

unsigned SetRotation(ViewState &view, float angle, const float axis[3]) {
    StopNav(view);
    view.rotAngle = angle;
    Copy3(view.rotAxis, axis);
    if (IsFlyOrWalk(view.action_mode)) OrientationToCamera(view, angle, axis);
    return kNavDrawFrame | kNavClearRotation;
}

unsigned SetLookAt(ViewState &view, const float eye[3], const float dir[3], const float up[3]) {
    StopNav(view);
    Copy3(view.eyePos, eye);
    Copy3(view.viewDir, dir);
    Copy3(view.viewUp, up);
    if (view.action_mode == PEXA_ROTATE) {
        Orientation o = CameraToOrientation(view.eyePos, view.viewDir, view.viewUp, view.eyePos);
        view.rotAngle = o.angle;
        Copy3(view.rotAxis, o.axis);
    }
    SetIdentity(view.rotMatrix);
    return kNavDrawFrame | kNavClearRotation;
}

unsigned SetProjectionMode(ViewState &view, int mode, double angle, double clipnear,
                           double clipfar) {
    if (mode != PEXA_PERSPECTIVE && mode != PEXA_ORTHOGONAL) return kNavNone;
    view.project_mode = mode;
    view.angle = ClampViewAngle(angle, view.angle);
    view.clipnear = clipnear;
    view.clipfar = clipfar;
    return kNavCheckMarks;
}

unsigned SetShadeMode(RenderState &render, int mode) {
    if (mode < PEXA_SMOOTH || mode > PEXA_SHADE_NONE) return kNavNone;
    render.shade_mode = mode;
    return kNavCheckMarks;
}

unsigned SetDrawMode(RenderState &render, int mode) {
    if (mode < PEXA_POINT || mode > PEXA_FILL) return kNavNone;
    render.draw_mode = mode;
    return kNavCheckMarks;
}

int32_t AngleToHundredths(float angle) {
    // The float product (as the sender computes it), exact in double and
    // rounded once, whatever precision the compiler keeps floats in.
    float scaled = float(double(angle) * 100.0);
    if (!(scaled == scaled)) return 0;
    if (scaled >= 2147483647.0f) return INT32_MAX;
    if (scaled <= -2147483648.0f) return INT32_MIN;
    return int32_t(scaled);
}

float HundredthsToAngle(int32_t hundredths) {
    return float(hundredths * 0.01);
}

} // namespace pexa
