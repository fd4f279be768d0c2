// Navigation: trackball points, view-keeping mode changes, the FLY and WALK
// motion, the key table, the viewpoint list and the angle wire format.
#include "scene/context_menu.h"
#include "scene/navigation.h"
#include "scene/orientation.h"
#include "scene/trackball.h"
#include "scene/viewpoints.h"
#include "scene/window_state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

namespace {

using namespace pexa;

constexpr unsigned D = kNavDrawFrame, E = kNavEndWalkStep, Z = kNavResize;
const NavWindow kWindow{200, 200, 1, 1, 1, 1};

void ExpectVec(const float *v, float x, float y, float z, float tolerance = 1e-5f) {
    EXPECT_NEAR(v[0], x, tolerance);
    EXPECT_NEAR(v[1], y, tolerance);
    EXPECT_NEAR(v[2], z, tolerance);
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

void ExpectSameView(const ViewState &a, const ViewState &b) {
    const float points[][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 2, 3}};
    for (const auto &p : points) {
        float pa[3], pb[3];
        Place(a, p, pa);
        Place(b, p, pb);
        ExpectVec(pb, pa[0], pa[1], pa[2], 1e-4f);
    }
}

TEST(Trackball, Points) {
    struct Case {
        int x, y, w, h;
        float eye[3];
        float expect[3];
    } cases[] = {
        {100, 100, 200, 200, {0, 0, 5}, {0, 0, 1}},
        {150, 100, 200, 200, {0, 0, 5}, {0.577350f, 0, 0.816497f}},
        {100, 0, 200, 200, {0, 0, 5}, {0, 1, 0}},
        {400, 100, 200, 200, {0, 0, 5}, {1, 0, 0}},
        {100, 100, 200, 200, {1, 0, 5}, {0.553831f, 0, 0.832629f}},
        {60, 20, 320, 200, {0.5f, -0.5f, 4}, {-0.523607f, 0.597799f, 0.607018f}},
        {150, 100, 200, 200, {7, -3, 0}, {0.577350f, 0, 0.816497f}}, // eye at z = 0: centred
    };
    for (const Case &c : cases) {
        ViewState v;
        std::memcpy(v.eyePos, c.eye, sizeof c.eye);
        float p[3];
        TrackballPoint(v, c.x, c.y, c.w, c.h, p);
        ExpectVec(p, c.expect[0], c.expect[1], c.expect[2]);
    }
    // Degenerate views still give unit vectors.
    ViewState v;
    v.eyePos[2] = 1e-30f, v.eyePos[0] = 3e38f, v.angle = 180;
    float p[3];
    TrackballPoint(v, -5, 1 << 30, 0, 0, p);
    EXPECT_NEAR(std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]), 1.0, 1e-6);
}

TEST(Navigation, RotateDragSpinsOnQuickRelease) {
    for (int late : {0, 1}) {
        ViewState v;
        MouseDrag drag;
        EXPECT_EQ(NavLeftDown(v, drag, kWindow, 100, 100), kNavNone);
        EXPECT_EQ(NavMouseMove(v, drag, kWindow, 150, 100, 1000), D);
        EXPECT_NEAR(v.rotAngle, 54.52298f, 1e-3f);
        ExpectVec(v.rotAxis, 0, 0.577350f, 0);
        // auto_delay 50 + frameTime 1: released 50 ms after the move spins.
        EXPECT_EQ(NavLeftUp(v, drag, kWindow, 1050 + late), late ? kNavNone : D);
        EXPECT_EQ(v.keepAnimating, 1 - late);
        EXPECT_NEAR(v.rotAngle, late ? 0 : 54.52298f, 1e-3f);
    }
    // Frames add the spin to the accumulated rotation; a new press stops it.
    ViewState v;
    v.lastMoveTime = INT32_MAX - 10; // the clock wraps between move and release
    MouseDrag drag;
    EXPECT_EQ(NavLeftUp(v, drag, kWindow, INT32_MIN + 20), D);
    v.rotAngle = 30, v.rotAxis[1] = 2;
    AdvanceRotate(v);
    AdvanceRotate(v);
    float x[3] = {1, 0, 0}, turned[3];
    RotateVector(v.rotMatrix, x, turned);
    ExpectVec(turned, 0.5f, 0, -0.866025f);
    NavLeftDown(v, drag, kWindow, 0, 0);
    EXPECT_EQ(v.rotAngle, 0);
    // No 3D object, or no mouse navigation: moves do nothing.
    NavWindow empty = kWindow;
    empty.has3D = 0;
    EXPECT_EQ(NavMouseMove(v, drag, empty, 9, 9, 0), kNavNone);
    NavWindow still = kWindow;
    still.mouseNav = 0;
    drag.dragging = 0;
    NavLeftDown(v, drag, still, 0, 0);
    EXPECT_EQ(drag.dragging, 0);
    EXPECT_EQ(CursorFor(PEXA_FLY, 1), NavCursor::Fly);
    EXPECT_EQ(CursorFor(PEXA_FLY, 0), NavCursor::Arrow);
    EXPECT_EQ(CursorFor(7, 1), NavCursor::Keep);
}

TEST(Navigation, ModeChangesKeepTheView) {
    const float axes[][4] = {
        {40, 1, 2, 3}, {0, 0, 0, 0}, {179.99f, 0, 1, 0}, {180, 1, 1, 0}, {-75, 0.2f, -1, 0.4f}};
    for (const auto &a : axes) {
        ViewState rotate;
        rotate.eyePos[0] = 0.3f, rotate.eyePos[1] = -0.2f, rotate.eyePos[2] = 6;
        RotationMatrix(a[0], a + 1, rotate.rotMatrix);
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
    }
    // A camera looking along +x sees a point on the x axis straight ahead.
    ViewState ahead;
    ahead.action_mode = PEXA_FLY, ahead.eyePos[2] = 0, ahead.viewDir[0] = 1, ahead.viewDir[2] = 0;
    float point[3] = {5, 0, 0}, seen[3];
    Place(ahead, point, seen);
    ExpectVec(seen, 0, 0, -5);
    // Choosing ROTATE again drops the accumulated rotation.
    ViewState v;
    v.rotMatrix[0] = -1;
    Frame(v, SetActionMode(v, PEXA_ROTATE));
    EXPECT_EQ(v.rotMatrix[0], 1);
}

TEST(Navigation, SettersNeverYieldNaN) {
    const float zero[3] = {0, 0, 0}, up[3] = {0, 1, 0}, eye[3] = {1, 2, 3};
    for (int mode : {PEXA_ROTATE, PEXA_FLY}) {
        ViewState v;
        v.action_mode = mode;
        Frame(v, SetRotation(v, 90, zero));
        Frame(v, SetLookAt(v, eye, zero, up));
        Frame(v, SetLookAt(v, eye, up, up)); // looking along up
        for (float f : {v.eyePos[0], v.rotAxis[1], v.viewDir[2], v.viewUp[0], v.rotMatrix[5]})
            EXPECT_TRUE(std::isfinite(f));
    }
    float nan[16];
    std::fill(nan, nan + 16, NAN);
    EXPECT_EQ(AxisAngle(nan).angle, 0);
}

TEST(Navigation, FlyTurnsAndKeepsTurning) {
    for (float ratio : {0.0f, 1.0f}) {
        ViewState v;
        v.action_mode = PEXA_FLY, v.yaw_roll_ratio = ratio;
        MouseDrag drag;
        NavLeftDown(v, drag, kWindow, 100, 100);
        NavMouseMove(v, drag, kWindow, 100, 100, 0); // the first move only takes the position
        EXPECT_EQ(v.dYaw, 0);
        Frame(v, NavMouseMove(v, drag, kWindow, 90, 100, 0));
        EXPECT_EQ(v.dYaw, 0);
        const float s = std::sin(0.1f * 3.14159265f / 180), c = std::cos(0.1f * 3.14159265f / 180);
        if (ratio == 0) { // pure yaw
            EXPECT_NEAR(v.yawRate, 0.1f, 1e-6f);
            EXPECT_EQ(v.rollRate, 0);
            ExpectVec(v.viewDir, -s, 0, -c);
            ExpectVec(v.viewUp, 0, 1, 0);
        } else { // pure roll
            EXPECT_EQ(v.yawRate, 0);
            EXPECT_NEAR(v.rollRate, -0.1f, 1e-6f);
            ExpectVec(v.viewDir, 0, 0, -1);
            ExpectVec(v.viewUp, -s, c, 0);
        }
        NavLeftUp(v, drag, kWindow, 0);
        Frame(v, D); // the rates stay after the release
        if (ratio == 0) ExpectVec(v.viewDir, -2 * s * c, 0, -(c * c - s * s));
    }
    ViewState v;
    v.action_mode = PEXA_FLY;
    Frame(v, NavKey(v, kWindow, kKeyUp, false));
    Frame(v, D);
    ExpectVec(v.eyePos, 0, 0, 5 - 2 * 0.005f); // the speed persists
}

TEST(Navigation, WalkStepsAndStops) {
    ViewState v;
    v.action_mode = PEXA_WALK;
    Frame(v, NavKey(v, kWindow, kKeyUp, false));
    EXPECT_EQ(v.eyePos[2], 5.0f - v.walk_dpos);
    EXPECT_EQ(v.speed, 0);
    Frame(v, NavKey(v, kWindow, kKeyLeft, false));
    ExpectVec(v.viewDir, -std::sin(5 * 3.14159265f / 180), 0, -std::cos(5 * 3.14159265f / 180));
    EXPECT_EQ(v.yawRate, 0);
    Frame(v, D);
    EXPECT_EQ(v.eyePos[2], 5.0f - v.walk_dpos); // nothing moves on its own
    // A drag upwards speeds up; the release stops the walker.
    MouseDrag drag;
    NavLeftDown(v, drag, kWindow, 100, 100);
    NavMouseMove(v, drag, kWindow, 100, 100, 0);
    NavMouseMove(v, drag, kWindow, 100, 80, 0);
    EXPECT_NEAR(v.speed, 0.01f, 1e-7f);
    NavLeftUp(v, drag, kWindow, 0);
    EXPECT_EQ(v.speed, 0);
    EXPECT_EQ(drag.dragging, 0);
}

TEST(Navigation, KeyTable) {
    struct Row {
        int mode, key;
        bool control;
        unsigned effects;
        float eye[3], rotAngle, axis[3], speed, yawRate;
        double angle;
    } rows[] = {
        {0, 33, 0, D, {1, 1.9f, 3}, 0, {9, 9, 9}, .5f, .25f, 45},
        {0, 34, 0, D, {1, 2.1f, 3}, 0, {9, 9, 9}, .5f, .25f, 45},
        {0, 35, 0, D, {1, 2, 3}, 0, {9, 9, 9}, 0, 0, 45},
        {0, 101, 0, D, {1, 2, 3}, 0, {9, 9, 9}, 0, 0, 45},
        {0, 36, 0, D, {0, 0, 5}, 0, {0, 0, 0}, 0, 0, 45},
        {0, 96, 0, D, {0, 0, 5}, 0, {0, 0, 0}, 0, 0, 45},
        {0, 37, 0, D, {1.1f, 2, 3}, 0, {9, 9, 9}, .5f, .25f, 45},
        {0, 38, 0, D, {1, 2, 3.1f}, 0, {9, 9, 9}, .5f, .25f, 45},
        {0, 39, 0, D, {0.9f, 2, 3}, 0, {9, 9, 9}, .5f, .25f, 45},
        {0, 40, 0, D, {1, 2, 2.9f}, 0, {9, 9, 9}, .5f, .25f, 45},
        {0, 97, 0, D, {1, 2, 3}, 15, {0, 0, 1}, .5f, .25f, 45},
        {0, 98, 0, D, {1, 2, 3}, 15, {1, 0, 0}, .5f, .25f, 45},
        {0, 99, 0, D, {1, 2, 3}, -15, {0, 0, 1}, .5f, .25f, 45},
        {0, 100, 0, D, {1, 2, 3}, -15, {0, 1, 0}, .5f, .25f, 45},
        {0, 102, 0, D, {1, 2, 3}, 15, {0, 1, 0}, .5f, .25f, 45},
        {0, 104, 0, D, {1, 2, 3}, -15, {1, 0, 0}, .5f, .25f, 45},
        {0, 103, 0, D, {1, 2, 3}, 0, {9, 9, 9}, .5f, .25f, 45},
        {0, 107, 0, Z | D, {1, 2, 3}, 7, {9, 9, 9}, .5f, .25f, 46},
        {0, 109, 0, Z | D, {1, 2, 3}, 7, {9, 9, 9}, .5f, .25f, 44},
        {0, 'A', 0, D, {1, 2, 3}, 0, {9, 9, 9}, .5f, .25f, 45},
        {0, 37, 1, 0, {1.1f, 2, 3}, 0, {9, 9, 9}, .5f, .25f, 45},
        {0, 17, 1, 0, {1, 2, 3}, 0, {9, 9, 9}, .5f, .25f, 45},
        {1, 37, 0, D, {1, 2, 3}, 7, {9, 9, 9}, .5f, .25f, 45},
        {1, 38, 0, D, {1, 2, 3}, 7, {9, 9, 9}, .505f, .25f, 45},
        {1, 40, 0, D, {1, 2, 3}, 7, {9, 9, 9}, .495f, .25f, 45},
        {1, 33, 0, D, {1, 1.9f, 3}, 0, {9, 9, 9}, .5f, .25f, 45},
        {1, 98, 0, D, {1, 2, 3}, 15, {1, 0, 0}, .5f, .25f, 45},
        {1, 35, 0, D, {1, 2, 3}, 0, {9, 9, 9}, 0, 0, 45},
        {2, 37, 0, D | E, {1, 2, 3}, 7, {9, 9, 9}, .5f, 5, 45},
        {2, 39, 0, D | E, {1, 2, 3}, 7, {9, 9, 9}, .5f, -5, 45},
        {2, 38, 0, D | E, {1, 2, 3}, 7, {9, 9, 9}, .1f, .25f, 45},
        {2, 40, 0, D | E, {1, 2, 3}, 7, {9, 9, 9}, -.1f, .25f, 45},
        {2, 38, 1, E, {1, 2, 3}, 7, {9, 9, 9}, .1f, .25f, 45},
        {2, 36, 0, D | E, {0, 0, 5}, 0, {0, 0, 0}, 0, 0, 45},
    };
    for (const Row &r : rows) {
        ViewState v;
        v.action_mode = r.mode;
        v.eyePos[0] = 1, v.eyePos[1] = 2, v.eyePos[2] = 3;
        v.rotAngle = 7, v.rotAxis[0] = v.rotAxis[1] = v.rotAxis[2] = 9;
        v.speed = .5f, v.yawRate = .25f;
        SCOPED_TRACE("mode " + std::to_string(r.mode) + " key " + std::to_string(r.key));
        EXPECT_EQ(NavKey(v, kWindow, r.key, r.control), r.effects);
        ExpectVec(v.eyePos, r.eye[0], r.eye[1], r.eye[2]);
        EXPECT_EQ(v.rotAngle, r.rotAngle);
        ExpectVec(v.rotAxis, r.axis[0], r.axis[1], r.axis[2]);
        EXPECT_NEAR(v.speed, r.speed, 1e-6f);
        EXPECT_EQ(v.yawRate, r.yawRate);
        EXPECT_EQ(v.angle, r.angle);
    }
    ViewState v;
    NavWindow off = kWindow;
    off.keyNav = 0;
    EXPECT_EQ(NavKey(v, off, kKeyLeft, false), kNavNone);
    EXPECT_EQ(v.eyePos[0], 0);
}

TEST(Viewpoints, IdsAfterDeleteAndAdd) {
    cVPList list;
    ViewpointData data = {};
    for (const char *name : {"one", "two", "three"}) {
        std::strcpy(data.name, name);
        data.rot = float(list.count());
        list.add(data);
    }
    EXPECT_EQ(list.last()->menuId, 60002);
    ASSERT_TRUE(list.remove(list.find("two")));
    EXPECT_STREQ(list.current()->name, "one");
    std::strcpy(data.name, "four");
    EXPECT_EQ(list.add(data)->menuId, 60002); // the old third keeps 60002 too
    EXPECT_STREQ(list.findById(60002)->name, "three");
    EXPECT_EQ(list.find("Four"), nullptr); // exact names only
    EXPECT_STREQ(list.current()->name, "three");
    // Deleting the first makes the new first current; deleting the last moves last.
    list.remove(list.first());
    EXPECT_STREQ(list.current()->name, "three");
    list.remove(list.last());
    EXPECT_STREQ(list.last()->name, "three");
    EXPECT_FALSE(list.remove(nullptr));
    EXPECT_EQ(list.count(), 1);
    // Names are cut to the record.
    std::memset(data.name, 'n', sizeof data.name); // not even terminated
    EXPECT_EQ(std::string(list.add(data)->name), std::string(63, 'n'));
}

TEST(Viewpoints, ViewInEveryMode) {
    ViewState rotate;
    rotate.eyePos[1] = 1, rotate.angle = 30;
    const float axis[3] = {1, 1, 0};
    RotationMatrix(50, axis, rotate.rotMatrix);
    ViewState fly = rotate;
    Frame(fly, SetActionMode(fly, PEXA_FLY));
    cVPList list;
    ViewpointData a = ViewpointFromView(rotate, "a"), b = ViewpointFromView(fly, "b");
    EXPECT_NEAR(a.rot, 50, 1e-3);
    EXPECT_NEAR(b.rot, 50, 1e-3);
    ExpectVec(b.pos, a.pos[0], a.pos[1], a.pos[2]);
    // Applied anywhere, a viewpoint shows the view it was taken from.
    for (const ViewpointData &data : {a, b})
        for (int mode : {PEXA_ROTATE, PEXA_FLY, PEXA_WALK}) {
            ViewState v;
            v.action_mode = mode, v.speed = 1;
            Frame(v, ApplyViewpoint(v, *list.add(data)));
            EXPECT_EQ(v.speed, 0);
            EXPECT_EQ(v.angle, 30);
            ExpectSameView(rotate, v);
        }
    ViewState fresh;
    EXPECT_STREQ(InitialViewpoint(fresh).name, "Default");
}

TEST(Navigation, AngleWireFormat) {
    EXPECT_EQ(AngleToHundredths(1.5f), 150);
    EXPECT_EQ(AngleToHundredths(-0.29f), -29);
    EXPECT_EQ(AngleToHundredths(33.333f), 3333);
    EXPECT_EQ(AngleToHundredths(1e30f), INT32_MAX);
    EXPECT_EQ(AngleToHundredths(-1e30f), INT32_MIN);
    EXPECT_EQ(AngleToHundredths(NAN), 0);
    EXPECT_EQ(HundredthsToAngle(-4550), -45.5f);
}

TEST(ContextMenu, ChecksFollowTheModes) {
    ViewState view;
    RenderState render;
    unsigned effects = 0;
    for (int command : {51689, 51705, 51686, 51710}) // Flat, Lines, Fly, Orthogonal
        ASSERT_TRUE(RunMenuModeCommand(command, view, render, effects));
    EXPECT_FALSE(RunMenuModeCommand(40010, view, render, effects));
    EXPECT_EQ(view.action_mode, PEXA_FLY);
    EXPECT_EQ(view.angle, 45); // Orthogonal keeps the view angle
    MenuCheck checks[kMenuCheckCount];
    std::string marked;
    view.action_mode = 7; // no action item is marked
    MenuChecks(view, render, checks);
    for (const MenuCheck &c : checks)
        if (c.checked) marked += std::to_string(c.command) + " ";
    EXPECT_EQ(marked, "51689 51705 51710 ");
}

TEST(ContextMenu, BitmapFileNames) {
    const char *cases[][2] = {{"scene", "scene.bmp"},
                              {"scene.bmp", "scene.bmp"},
                              {"scene.BMP", "scene.BMP.bmp"},
                              {"a.bmpx", "a.bmpx.bmp"}};
    for (const auto &c : cases) {
        char name[260];
        std::strcpy(name, c[0]);
        EXPECT_TRUE(BitmapFileName(name, sizeof name));
        EXPECT_STREQ(name, c[1]);
    }
    char full[8] = "abcdef"; // no room for the extension
    EXPECT_FALSE(BitmapFileName(full, sizeof full));
    EXPECT_STREQ(full, "abcdef");
}

} // namespace
