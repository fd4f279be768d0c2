// Trackball point of a client position (portable).
#include "scene/trackball.h"

#include "scene/window_state.h"

#include <cmath>

namespace pexa {

namespace {

constexpr double kPi = 3.14159265358979323846;

// 2 * eye / extent: where the origin appears, in half-views from the centre.
// The extent (view size at the origin's depth) is 0 with the eye at z = 0,
// and not finite with a view angle of 180 degrees; the origin then has no
// place on the screen and the centre stands in for it.
double OriginOffset(double eye, double extent) {
    double offset = 2.0 * eye / extent;
    return std::isfinite(offset) ? offset : 0.0;
}

} // namespace

void TrackballPoint(const ViewState &view, int x, int y, int width, int height, float out[3]) {
    double w = width > 0 ? width : 1, h = height > 0 ? height : 1;
    double t = std::tan(view.angle * kPi / 360.0);
    double viewH = 2.0 * t * view.eyePos[2]; // height of the view at the origin's depth
    double viewW = (w / h) * viewH;
    // px = 2 (x - (W/2 - eye.x) w/W) / w, py = 2 ((eye.y + H/2) h/H - y) / h,
    // with the divisions by W and H gathered into one guarded term each.
    double p[3];
    p[0] = (2.0 * x - w) / w + OriginOffset(view.eyePos[0], viewW);
    p[1] = (h - 2.0 * y) / h + OriginOffset(view.eyePos[1], viewH);
    double d = std::hypot(p[0], p[1]);
    p[2] = std::cos(std::fmin(d, 1.0) * 1.5707963);
    double length = std::hypot(p[0], p[1], p[2]); // no overflow for a far-off origin
    if (!(length > 0) || !std::isfinite(length)) {
        out[0] = 0, out[1] = 0, out[2] = 1;
        return;
    }
    for (int i = 0; i < 3; ++i)
        out[i] = float(p[i] / length);
}

} // namespace pexa
