// The exported functions of pexa.h's "Lights, dialogs and help" section:
// the three light setters, which write the current window's light records
// on the calling thread (under the scene lock, so a frame never sees half a
// light), the requests that open the light and view dialogs
// (win32_dialog_common.cpp), and the help pages (win32_help.cpp).
#include "pexa.h"
#include "runtime/win32_library.h"
#include "runtime/win32_help.h"
#include "runtime/win32_scene_lock.h"
#include "runtime/win32_wind.h"
#include "scene/light_setters.h"

using namespace pexa;

namespace {

// Light 0..7 of the current window, or null.
template <class Change> void WithLight(int light, Change change) {
    if (light < 0 || light > 7) return;
    SceneWriteGuard lock;
    cWind *w = CurrentWindow();
    if (!w || w->tornDown) return;
    change(w->lights[light]);
}

} // namespace

extern "C" {

PEXA_API void LightDirection(int light, int on, int worldPos, float *dir) {
    WithLight(light, [&](cLight &l) { SetLightDirection(l, on, worldPos, dir); });
}

PEXA_API void LightColor(int light, float *ambient, float *diffuse, float *specular) {
    WithLight(light, [&](cLight &l) { SetLightColor(l, ambient, diffuse, specular); });
}

PEXA_API void LightSpot(int light, float *dir, float cutoff, float exponent) {
    WithLight(light, [&](cLight &l) { SetLightSpot(l, dir, cutoff, exponent); });
}

PEXA_API int LightDialog(void *wind) {
    return int(SendRequest(PEXA_MSG_LIGHT_DIALOG, reinterpret_cast<WPARAM>(wind), 0));
}

PEXA_API int ViewDialog(void *wind) {
    return int(SendRequest(PEXA_MSG_VIEW_DIALOG, reinterpret_cast<WPARAM>(wind), 0));
}

PEXA_API void OpenDocu(const char *file) {
    OpenHelpPage(file);
}

} // extern "C"
