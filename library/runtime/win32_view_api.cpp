// The exported functions of pexa.h's "View and navigation" section: the
// view setters (their requests are handled in win32_navigation.cpp) and the
// named viewpoints (win32_menu.cpp).
#include <cstdint>

#include "pexa.h"
#include "runtime/win32_library.h"
#include "scene/orientation.h"
#include "scene/request_records.h"

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

PEXA_API int ViewpointAdd(const char *name, ViewpointData *data) {
    if (!name && !data) return 0;
    return int(SendRequest(PEXA_MSG_VIEWPOINT_ADD, reinterpret_cast<WPARAM>(data),
                           reinterpret_cast<LPARAM>(name)));
}

PEXA_API int ViewpointDel(const char *name) {
    return int(SendRequest(PEXA_MSG_VIEWPOINT_DEL, reinterpret_cast<WPARAM>(name), 0));
}

PEXA_API int ViewpointSet(const char *name) {
    if (!name) return 0;
    return int(SendRequest(PEXA_MSG_VIEWPOINT_SET, reinterpret_cast<WPARAM>(name), 0));
}

} // extern "C"
