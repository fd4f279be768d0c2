// Navigation: trackball points, view-keeping mode changes and viewpoints, the
// FLY and WALK motion, the key table, the viewpoint list, the conversions and
// the context menu's portable part.
#include "scene/context_menu.h"
#include "scene/navigation.h"
#include "scene/orientation.h"
#include "scene/trackball.h"
#include "scene/viewpoints.h"
#include "scene/window_state.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

namespace {

using namespace pexa;

constexpr unsigned D = kNavDrawFrame, E = kNavEndWalkStep, Z = kNavResize;
const NavWindow kWindow{200, 200, 1, 1, 1, 1};
const float kDeg = 3.14159265f / 180;

void ExpectVec(const float *v, float x, float y, float z, float tolerance = 1e-5f) {
    const float e[3] = {x, y, z};
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(v[i], e[i], tolerance) << "component " << i;
}

ViewState View(int mode) {
    ViewState v;
    v.action_mode = mode;
    return v;
}

// What the window does with a step's effects (the frame's viewing step).
void Frame(ViewState &v, unsigned effects) {
    if (effects & D) {
        if (v.action_mode == PEXA_ROTATE) AdvanceRotate(v);
        AdvanceFlyWalk(v);
    }
    FinishNavStep(v, effects);
}

// Where the view puts a model point: translate(-eye) * rotMatrix in
// ROTATE, gluLookAt from the eye in FLY and WALK.
void Place(const ViewState &v, const float p[3], float out[3]) {
    if (v.action_mode == PEXA_ROTATE) {
        RotateVector(v.rotMatrix, p, out);
        for (int i = 0; i < 3; ++i)
            out[i] -= v.eyePos[i];
    } else {
        float m[16], d[3] = {p[0] - v.eyePos[0], p[1] - v.eyePos[1], p[2] - v.eyePos[2]};
        LookAtRotation(v.viewDir, v.viewUp, m);
        RotateVector(m, d, out);
    }
}

// A left-button drag from (x0, y0) to (x1, y1) at clock time 0, its frame
// drawn; the first move only takes the position.
void DragTo(ViewState &v, MouseDrag &drag, int x0, int y0, int x1, int y1) {
    NavLeftDown(v, drag, kWindow, x0, y0);
    NavMouseMove(v, drag, kWindow, x0, y0, 0);
    Frame(v, NavMouseMove(v, drag, kWindow, x1, y1, 0));
}

void ExpectSameView(const ViewState &a, const ViewState &b) {
    for (const auto &p : {std::array<float, 3>{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 2, 3}}) {
        float pa[3], pb[3];
        Place(a, p.data(), pa);
        Place(b, p.data(), pb);
        ExpectVec(pb, pa[0], pa[1], pa[2], 1e-4f);
    }
}

// Off centre with the eye at z = 0 (centred), beyond the rim, the eye off the
// axis in a wide window; a view that breaks the arithmetic still gives a
// unit. (The rotate drag below takes the same off-centre point from an eye
// at z = 5.)
TEST(Trackball, Points) {
    const struct {
        int x, y, w, h;
        float eye[3], expect[3];
    } cases[] = {
        {400, 100, 200, 200, {0, 0, 5}, {1, 0, 0}},
        {60, 20, 320, 200, {0.5f, -0.5f, 4}, {-0.523607f, 0.597799f, 0.607018f}},
        {150, 100, 200, 200, {7, -3, 0}, {0.577350f, 0, 0.816497f}},
    };
    float p[3];
    for (const auto &c : cases) {
        ViewState v;
        std::memcpy(v.eyePos, c.eye, sizeof c.eye);
        TrackballPoint(v, c.x, c.y, c.w, c.h, p);
        ExpectVec(p, c.expect[0], c.expect[1], c.expect[2]);
    }
    ViewState v;
    v.eyePos[2] = 1e-30f, v.eyePos[0] = 3e38f, v.angle = 180;
    TrackballPoint(v, -5, 1 << 30, 0, 0, p);
    EXPECT_NEAR(std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]), 1.0, 1e-6);
}

// A drag released within auto_delay + frameTime (50 + 1 ms) of its last
// move, even across the clock's wrap, keeps spinning: frames add the spin to
// the accumulated rotation until a new press; a slower one stops.
TEST(Navigation, RotateDragSpinsOnQuickRelease) {
    ViewState v;
    MouseDrag drag;
    EXPECT_EQ(NavLeftDown(v, drag, kWindow, 100, 100), kNavNone);
    EXPECT_EQ(NavMouseMove(v, drag, kWindow, 150, 100, INT32_MAX - 10), D);
    EXPECT_NEAR(v.rotAngle, 54.52298f, 1e-3f);
    ExpectVec(v.rotAxis, 0, 0.577350f, 0);
    EXPECT_EQ(NavLeftUp(v, drag, kWindow, INT32_MIN + 39), D);
    EXPECT_EQ(v.keepAnimating, 1);
    v.rotAngle = 30, v.rotAxis[1] = 2;
    AdvanceRotate(v);
    AdvanceRotate(v);
    float x[3] = {1, 0, 0}, turned[3];
    RotateVector(v.rotMatrix, x, turned);
    ExpectVec(turned, 0.5f, 0, -0.866025f);
    NavLeftDown(v, drag, kWindow, 0, 0);
    EXPECT_EQ(v.rotAngle, 0);
    NavMouseMove(v, drag, kWindow, 50, 0, 1000);
    EXPECT_EQ(NavLeftUp(v, drag, kWindow, 1051), kNavNone); // a slow release stops
    EXPECT_EQ(v.keepAnimating, 0);
    // No 3D object, or no mouse navigation: the mouse does nothing.
    NavWindow empty = kWindow, still = kWindow;
    empty.has3D = 0, still.mouseNav = 0, drag.dragging = 0;
    EXPECT_EQ(NavMouseMove(v, drag, empty, 9, 9, 0), kNavNone);
    NavLeftDown(v, drag, still, 0, 0);
    EXPECT_EQ(drag.dragging, 0);
    EXPECT_EQ(CursorFor(PEXA_FLY, 0), NavCursor::Arrow);
    EXPECT_EQ(CursorFor(7, 1), NavCursor::Keep);
}

// ROTATE -> FLY -> ROTATE shows one picture throughout, for a general turn,
// none and a half turn; a viewpoint taken in ROTATE or FLY and applied in
// any mode shows it too, with its view angle and all motion stopped.
TEST(Navigation, ModeChangesAndViewpointsKeepTheView) {
    cVPList list;
    for (const auto &a : {std::array<float, 4>{40, 1, 2, 3}, {0, 0, 0, 0}, {180, 1, 1, 0}}) {
        ViewState rotate;
        rotate.eyePos[0] = 0.3f, rotate.eyePos[1] = -0.2f, rotate.eyePos[2] = 6, rotate.angle = 30;
        RotationMatrix(a[0], a.data() + 1, rotate.rotMatrix);
        ViewState fly = rotate;
        EXPECT_EQ(SetActionMode(fly, PEXA_FLY), kNavCheckMarks | D | kNavClearRotation);
        ExpectSameView(rotate, fly);
        ViewState back = fly;
        unsigned effects = SetActionMode(back, PEXA_ROTATE);
        EXPECT_TRUE(effects & kNavClearEventView);
        ExpectVec(back.viewDir, 0, 0, 0);
        Frame(back, effects);
        EXPECT_EQ(back.rotAngle, 0);
        ExpectSameView(rotate, back);
        for (const ViewState &from : {rotate, fly})
            for (int mode : {PEXA_ROTATE, PEXA_FLY, PEXA_WALK}) {
                ViewState v = View(mode);
                v.speed = 1;
                Frame(v, ApplyViewpoint(v, *list.add(ViewpointFromView(from, "v"))));
                EXPECT_EQ(v.speed, 0);
                EXPECT_EQ(v.angle, 30);
                ExpectSameView(rotate, v);
            }
    }
    // Choosing ROTATE again drops the accumulated rotation.
    ViewState v;
    v.rotMatrix[0] = -1;
    Frame(v, SetActionMode(v, PEXA_ROTATE));
    EXPECT_EQ(v.rotMatrix[0], 1);
}

// A zero axis, a zero direction, a direction along up and a NaN matrix give
// no NaN; angles travel in hundredths, truncated, saturated, NaN as 0.
TEST(Navigation, ConversionsNeverFault) {
    const float zero[3] = {0, 0, 0}, up[3] = {0, 1, 0}, eye[3] = {1, 2, 3};
    for (int mode : {PEXA_ROTATE, PEXA_FLY}) {
        ViewState v = View(mode);
        Frame(v, SetRotation(v, 90, zero));
        Frame(v, SetLookAt(v, eye, zero, up));
        Frame(v, SetLookAt(v, eye, up, up));
        for (float f : {v.eyePos[0], v.rotAxis[1], v.viewDir[2], v.viewUp[0], v.rotMatrix[5]})
            EXPECT_TRUE(std::isfinite(f));
    }
    float nan[16];
    for (float &f : nan)
        f = NAN;
    EXPECT_EQ(AxisAngle(nan).angle, 0);
    EXPECT_EQ(AngleToHundredths(-0.29f), -29);
    EXPECT_EQ(AngleToHundredths(1e30f), INT32_MAX);
    EXPECT_EQ(AngleToHundredths(NAN), 0);
    EXPECT_EQ(HundredthsToAngle(-4550), -45.5f);
}

// A FLY drag 10 pixels left: pure yaw at ratio 0, pure roll at 1; the rates
// stay after the release. A WALK drag upwards speeds up and the release stops
// the walker. (Keys: the key table, whose FLY rows end no step, and the Wine
// test's single WALK step along the view.)
TEST(Navigation, FlyAndWalkDrags) {
    const float s = std::sin(0.1f * kDeg), c = std::cos(0.1f * kDeg);
    for (float ratio : {0.0f, 1.0f}) {
        ViewState v = View(PEXA_FLY);
        v.yaw_roll_ratio = ratio;
        MouseDrag drag;
        DragTo(v, drag, 100, 100, 90, 100);
        EXPECT_EQ(v.dYaw, 0);
        EXPECT_NEAR(v.yawRate, ratio ? 0 : 0.1f, 1e-6f);
        EXPECT_NEAR(v.rollRate, ratio ? -0.1f : 0, 1e-6f);
        ExpectVec(v.viewDir, ratio ? 0 : -s, 0, ratio ? -1 : -c);
        ExpectVec(v.viewUp, ratio ? -s : 0, ratio ? c : 1, 0);
        NavLeftUp(v, drag, kWindow, 0);
        Frame(v, D);
        if (ratio == 0) ExpectVec(v.viewDir, -2 * s * c, 0, -(c * c - s * s));
    }
    ViewState walk = View(PEXA_WALK);
    MouseDrag drag;
    DragTo(walk, drag, 100, 100, 100, 80);
    EXPECT_NEAR(walk.speed, 0.01f, 1e-7f);
    NavLeftUp(walk, drag, kWindow, 0);
    EXPECT_EQ(walk.speed, 0);
    EXPECT_EQ(drag.dragging, 0);
}

// One or two keys of each kind of action, from eye (1, 2, 3), a turn of 7
// about (9, 9, 9), speed 0.5 and yawRate 0.25.
TEST(Navigation, KeyTable) {
    const struct {
        int mode, key;
        bool control;
        unsigned effects;
        const char *state; // eye, turn, axis, speed, yawRate, angle
    } rows[] = {
        {0, kKeyEnd, 0, D, "1 2 3 0 9 9 9 0 0 45"},
        {0, kKeyPageUp, 0, D, "1 1.9 3 0 9 9 9 0.5 0.25 45"},
        {0, kKeyHome, 0, D, "0 0 5 0 0 0 0 0 0 45"},
        {0, kKeyLeft, 0, D, "1.1 2 3 0 9 9 9 0.5 0.25 45"},
        {0, 97, 0, D, "1 2 3 15 0 0 1 0.5 0.25 45"},
        {0, kKeyAdd, 0, Z | D, "1 2 3 7 9 9 9 0.5 0.25 46"},
        {0, 'A', 0, D, "1 2 3 0 9 9 9 0.5 0.25 45"},
        {0, kKeyLeft, 1, 0, "1.1 2 3 0 9 9 9 0.5 0.25 45"}, // moves without a frame
        {1, kKeyLeft, 0, D, "1 2 3 7 9 9 9 0.5 0.25 45"},
        {1, kKeyUp, 0, D, "1 2 3 7 9 9 9 0.505 0.25 45"},
        {2, kKeyLeft, 0, D | E, "1 2 3 7 9 9 9 0.5 5 45"},
        {2, kKeyUp, 0, D | E, "1 2 3 7 9 9 9 0.1 0.25 45"},
        {2, kKeyUp, 1, E, "1 2 3 7 9 9 9 0.1 0.25 45"},
    };
    for (const auto &r : rows) {
        ViewState v = View(r.mode);
        v.eyePos[0] = 1, v.eyePos[1] = 2, v.eyePos[2] = 3;
        v.rotAngle = 7, v.rotAxis[0] = v.rotAxis[1] = v.rotAxis[2] = 9;
        v.speed = .5f, v.yawRate = .25f;
        EXPECT_EQ(NavKey(v, kWindow, r.key, r.control), r.effects) << r.key;
        char state[200];
        std::snprintf(state, sizeof state, "%g %g %g %g %g %g %g %g %g %g", v.eyePos[0],
                      v.eyePos[1], v.eyePos[2], v.rotAngle, v.rotAxis[0], v.rotAxis[1],
                      v.rotAxis[2], v.speed, v.yawRate, v.angle);
        EXPECT_STREQ(state, r.state) << "mode " << r.mode << " key " << r.key;
    }
    ViewState v;
    NavWindow off = kWindow;
    off.keyNav = 0;
    EXPECT_EQ(NavKey(v, off, kKeyLeft, false), kNavNone);
    EXPECT_EQ(v.eyePos[0], 0);
}

// A numeric-pad turn (also one drawn later, control held) and the reset's
// initial rotation turn the model once, however many frames follow. (A
// spin turns every frame: RotateDragSpinsOnQuickRelease.) The view angle
// stays within 1 to 179 degrees, from the keys and the setter.
TEST(Navigation, TurnsOnceAndViewAngleLimits) {
    for (int way : {0, 1, 2}) {
        ViewState v;
        v.iniRot = 15, v.iniAxis[1] = 1;
        Frame(v, way < 2 ? NavKey(v, kWindow, kKeyNumpad0 + 6, way == 1) : ResetNav(v));
        Frame(v, D), Frame(v, D);
        EXPECT_NEAR(AxisAngle(v.rotMatrix).angle, 15, 1e-3) << way;
    }
    ViewState v;
    v.angle = 178.5;
    NavKey(v, kWindow, kKeyAdd, false), NavKey(v, kWindow, kKeyAdd, false);
    EXPECT_EQ(v.angle, 179);
    for (auto [given, kept] : {std::pair{200.0, 179.0}, {NAN, 179}, {-30, 1}})
        EXPECT_EQ((SetProjectionMode(v, 1, given, 1, 2), v.angle), kept) << given;
}

// Ids only grow: a new record never takes a deleted one's id (until the
// range is used up, then the lowest free one); names are exact; deleting a
// record makes its predecessor current (the new first when the first goes);
// a name not even terminated is cut to the record. (Adding, setting and
// deleting by name and by menu id, and the menu: the Wine navigation test.)
TEST(Viewpoints, IdsDeletionAndUnterminatedNames) {
    cVPList list;
    ViewpointData data = InitialViewpoint(ViewState());
    for (const char *name : {"one", "two", "three"}) {
        std::strcpy(data.name, name);
        list.add(data);
    }
    ASSERT_TRUE(list.remove(list.find("two")));
    EXPECT_STREQ(list.current()->name, "one");
    std::strcpy(data.name, "four");
    EXPECT_EQ(list.add(data)->menuId, 60003);
    EXPECT_STREQ(list.findById(60002)->name, "three");
    EXPECT_EQ(list.findById(60001), nullptr);
    for (int id = 60004; id <= cVPList::kLastMenuId; ++id)
        list.remove(list.add(data));
    EXPECT_EQ(list.add(data)->menuId, 60001); // the range used up: the lowest free
    list.remove(list.last());
    EXPECT_EQ(list.find("Four"), nullptr);
    list.remove(list.first());
    EXPECT_STREQ(list.current()->name, "three");
    list.remove(list.last());
    EXPECT_STREQ(list.last()->name, "three");
    EXPECT_FALSE(list.remove(nullptr));
    std::memset(data.name, 'n', sizeof data.name);
    EXPECT_EQ(std::string(list.add(data)->name), std::string(63, 'n'));
}

// Mode commands set the marks (Orthogonal keeping the angle; a mode outside
// a group marks nothing there); ".bmp" is added unless the name ends in
// exactly that, and a full buffer is left alone. (The marks in the real menu
// and "scene.bmp" saved: the Wine navigation test.)
TEST(ContextMenu, ChecksAndBitmapFileNames) {
    ViewState view;
    RenderState render;
    unsigned effects = 0;
    for (int command : {51689, 51705, 51686, 51710}) // Flat, Lines, Fly, Orthogonal
        ASSERT_TRUE(RunMenuModeCommand(command, view, render, effects));
    EXPECT_FALSE(RunMenuModeCommand(40010, view, render, effects));
    EXPECT_EQ(view.action_mode, PEXA_FLY);
    EXPECT_EQ(view.angle, 45);
    MenuCheck checks[kMenuCheckCount];
    std::string marked;
    view.action_mode = 7;
    MenuChecks(view, render, checks);
    for (const MenuCheck &c : checks)
        if (c.checked) marked += std::to_string(c.command) + " ";
    EXPECT_EQ(marked, "51689 51705 51710 ");
    auto named = [](const char *name, size_t size) {
        char buffer[260];
        std::strcpy(buffer, name);
        const bool ok = BitmapFileName(buffer, size);
        return (ok ? "" : "refused: ") + std::string(buffer);
    };
    EXPECT_EQ(named("scene.bmp", 260), "scene.bmp");
    EXPECT_EQ(named("scene.BMP", 260), "scene.BMP.bmp");
    EXPECT_EQ(named("abcdef", 8), "refused: abcdef");
}

} // namespace
