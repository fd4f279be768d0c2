// Navigation on the library thread: the mouse and key routines hand their
// input to the portable navigation rules, and the requests of the view
// setters (win32_view_api.cpp) reach them too. Every step ends in
// ApplyNavEffects.
#include "runtime/win32_navigation.h"

#include <cstring>

#include "runtime/win32_events.h"
#include "runtime/win32_library.h"
#include "platform/clock.h"
#include "runtime/win32_menu.h"
#include "runtime/win32_routes.h"
#include "runtime/win32_wind.h"
#include "scene/orientation.h"
#include "scene/request_records.h"

namespace pexa {

namespace {

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
     [](const Call &c) { return Apply(c, ResetNav(c.w->view)); }, 0},
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
        std::memset(lib.eventRecord.dir, 0, sizeof lib.eventRecord.dir);
        std::memset(lib.eventRecord.up, 0, sizeof lib.eventRecord.up);
    }
    if (effects & kNavResize)
        w->OnSize(SIZE_RESTORED, MAKELPARAM(w->clientRect.right, w->clientRect.bottom));
    if (effects & kNavDrawFrame) w->Render();
    FinishNavStep(w->view, effects);
}

void NavigateKey(cWind *w, int vk) {
    ApplyNavEffects(w, NavKey(w->view, NavWindowOf(w), vk, lib.controlDown != 0));
}

void NavigateLeftDown(cWind *w, int x, int y) {
    ApplyNavEffects(w, NavLeftDown(w->view, lib.mouseDrag, NavWindowOf(w), x, y));
}

void NavigateLeftUp(cWind *w) {
    ApplyNavEffects(w, NavLeftUp(w->view, lib.mouseDrag, NavWindowOf(w), ClockMilliseconds()));
}

void NavigateMove(cWind *w, int x, int y) {
    ApplyNavEffects(
        w, NavMouseMove(w->view, lib.mouseDrag, NavWindowOf(w), x, y, ClockMilliseconds()));
}

void NavigateReset(cWind *w) {
    ApplyNavEffects(w, ResetNav(w->view));
}

} // namespace pexa
