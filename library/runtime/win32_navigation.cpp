// Navigation on the library thread: the mouse and key routines hand their
// input to the portable navigation rules, and the exported view setters
// reach them through their requests. Every step ends in ApplyNavEffects.
#include "runtime/win32_navigation.h"

#include <cstring>
#include <ctime>

#include "runtime/win32_events.h"
#include "runtime/win32_library.h"
#include "runtime/win32_menu.h"
#include "runtime/win32_routes.h"
#include "runtime/win32_wind.h"
#include "scene/orientation.h"

namespace pexa {

MouseDrag mouseDrag;

namespace {

struct ProjectionRecord {
    double angle, clipnear, clipfar;
};

LRESULT Apply(const Call &c, unsigned effects) {
    ApplyNavEffects(c.w, effects);
    return 1;
}

const float *Floats(LPARAM record) {
    return reinterpret_cast<const float *>(record);
}

LRESULT Translate(const Call &c) {
    if (!c.wParam) return 0;
    std::memcpy(c.w->view.eyePos, Floats(LPARAM(c.wParam)), sizeof c.w->view.eyePos);
    return Apply(c, kNavDrawFrame);
}

LRESULT Rotate(const Call &c) {
    static const float kNoAxis[3] = {0, 0, 0};
    const float *axis = c.lParam ? Floats(c.lParam) : kNoAxis;
    return Apply(c, SetRotation(c.w->view, HundredthsToAngle(int32_t(c.wParam)), axis));
}

LRESULT Look(const Call &c) {
    if (!c.wParam) return 0;
    const float *v = Floats(LPARAM(c.wParam)); // eye, direction, up
    return Apply(c, SetLookAt(c.w->view, v, v + 3, v + 6));
}

LRESULT Project(const Call &c) {
    const ProjectionRecord *p = reinterpret_cast<const ProjectionRecord *>(c.lParam);
    if (!p) return 1;
    return Apply(c, SetProjectionMode(c.w->view, int(c.wParam), p->angle, p->clipnear, p->clipfar));
}

const Route kNavigationRequests[] = {
    {PEXA_MSG_RESET_ROTATION, Target::Current,
     [](const Call &c) -> LRESULT { return SetIdentity(c.w->view.rotMatrix), 1; }, 0},
    {PEXA_MSG_RESET_POS, Target::Current,
     [](const Call &c) -> LRESULT { return ResetNav(c.w->view), 1; }, 0},
    {PEXA_MSG_STOP_MOTION, Target::Current,
     [](const Call &c) -> LRESULT { return StopNav(c.w->view), 1; }, 0},
    {PEXA_MSG_DRAW_MODE, Target::Current,
     [](const Call &c) { return Apply(c, SetDrawMode(c.w->render, int(c.wParam))); }, 0},
    {PEXA_MSG_SHADE_MODE, Target::Current,
     [](const Call &c) { return Apply(c, SetShadeMode(c.w->render, int(c.wParam))); }, 0},
    {PEXA_MSG_PROJECTION_MODE, Target::Current, Project, 0},
    {PEXA_MSG_ACTION_MODE, Target::Current,
     [](const Call &c) { return Apply(c, SetActionMode(c.w->view, int(c.wParam))); }, 0},
    {PEXA_MSG_TRANSLATION, Target::Current, Translate, 0},
    {PEXA_MSG_ROTATION, Target::Current, Rotate, 0},
    {PEXA_MSG_LOOK_AT, Target::Current, Look, 0},
};
PEXA_ROUTES(kNavigationRequests);

} // namespace

NavWindow NavWindowOf(const cWind *w) {
    NavWindow n;
    n.width = w->clientRect.right;
    n.height = w->clientRect.bottom;
    n.has3D = w->lists.has3D;
    n.mouseNav = w->render.mouseNav;
    n.keyNav = w->render.keyNav;
    n.frameTime = w->render.frameTime;
    return n;
}

void ApplyNavEffects(cWind *w, unsigned effects) {
    if (effects & kNavCheckMarks) UpdateMenuChecks(w);
    if (effects & kNavClearEventView) {
        std::memset(eventRecord.dir, 0, sizeof eventRecord.dir);
        std::memset(eventRecord.up, 0, sizeof eventRecord.up);
    }
    if (effects & kNavResize)
        w->OnSize(SIZE_RESTORED, MAKELPARAM(w->clientRect.right, w->clientRect.bottom));
    if (effects & kNavDrawFrame) w->Render();
    FinishNavStep(w->view, effects);
}

void NavigateKey(cWind *w, int vk) {
    ApplyNavEffects(w, NavKey(w->view, NavWindowOf(w), vk, controlDown != 0));
}

void NavigateLeftDown(cWind *w, int x, int y) {
    ApplyNavEffects(w, NavLeftDown(w->view, mouseDrag, NavWindowOf(w), x, y));
}

void NavigateLeftUp(cWind *w) {
    ApplyNavEffects(w, NavLeftUp(w->view, mouseDrag, NavWindowOf(w), ClockMilliseconds()));
}

void NavigateMove(cWind *w, int x, int y) {
    ApplyNavEffects(w, NavMouseMove(w->view, mouseDrag, NavWindowOf(w), x, y, ClockMilliseconds()));
}

void NavigateReset(cWind *w) {
    ResetNav(w->view);
}

} // namespace pexa

using namespace pexa;

extern "C" {

PEXA_API int ResetPos(void) {
    SendRequest(PEXA_MSG_RESET_POS);
    return 1;
}

PEXA_API int StopMotion(void) {
    SendRequest(PEXA_MSG_STOP_MOTION);
    return 1;
}

PEXA_API int ActionMode(int mode) {
    SendRequest(PEXA_MSG_ACTION_MODE, WPARAM(mode), 0);
    return 1;
}

PEXA_API int Translation(float x, float y, float z) {
    const float v[3] = {x, y, z};
    SendRequest(PEXA_MSG_TRANSLATION, reinterpret_cast<WPARAM>(v), 0);
    return 1;
}

PEXA_API int Rotation(float angle, float x, float y, float z) {
    const float axis[3] = {x, y, z};
    SendRequest(PEXA_MSG_ROTATION, WPARAM(uint32_t(AngleToHundredths(angle))),
                reinterpret_cast<LPARAM>(axis));
    return 1;
}

PEXA_API int LookAt(float eyeX, float eyeY, float eyeZ, float dirX, float dirY, float dirZ,
                    float upX, float upY, float upZ) {
    const float v[9] = {eyeX, eyeY, eyeZ, dirX, dirY, dirZ, upX, upY, upZ};
    SendRequest(PEXA_MSG_LOOK_AT, reinterpret_cast<WPARAM>(v), 0);
    return 1;
}

PEXA_API int ProjectionMode(int mode, double angle, double clipnear, double clipfar) {
    ProjectionRecord p = {angle, clipnear, clipfar};
    SendRequest(PEXA_MSG_PROJECTION_MODE, WPARAM(mode), reinterpret_cast<LPARAM>(&p));
    return 1;
}

PEXA_API int ShadeMode(int mode) {
    SendRequest(PEXA_MSG_SHADE_MODE, WPARAM(mode), 0);
    return 1;
}

PEXA_API int DrawMode(int mode) {
    SendRequest(PEXA_MSG_DRAW_MODE, WPARAM(mode), 0);
    return 1;
}

} // extern "C"
