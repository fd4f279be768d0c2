// Colour components, relative coordinates and arc end points of the 2D
// overlay kinds (portable).
#include "objects/overlay_geometry.h"

#include <climits>
#include <cmath>

namespace pexa {

namespace {

int Clamp(int64_t v) {
    return v < INT_MIN ? INT_MIN : v > INT_MAX ? INT_MAX : int(v);
}

// t(): truncation toward zero, held inside the int range.
int Truncate(double v) {
    if (!std::isfinite(v)) return 0;
    double t = std::trunc(v);
    return t <= double(INT_MIN) ? INT_MIN : t >= double(INT_MAX) ? INT_MAX : int(t);
}

} // namespace

uint8_t ColorComponent(float v) {
    // The product is a float, as in the RGB(v * 255, ...) it stands for.
    float product = v * 255.0f;
    if (!std::isfinite(product)) return 0;
    double t = std::fmod(std::trunc(double(product)), 256.0);
    if (t < 0) t += 256.0;
    return uint8_t(t);
}

uint32_t ColorRef(float r, float g, float b) {
    return uint32_t(ColorComponent(r)) | uint32_t(ColorComponent(g)) << 8 |
           uint32_t(ColorComponent(b)) << 16;
}

int AddClamped(int a, int b) {
    return Clamp(int64_t(a) + b);
}

int SubClamped(int a, int b) {
    return Clamp(int64_t(a) - b);
}

ArcArgs CircleArc(int cx, int cy, int r, float startAngle, float sweepAngle) {
    const double kRadians = 0.01745329251994;
    const double a0 = double(startAngle) * kRadians;
    const double a1 = double(startAngle + sweepAngle) * kRadians;
    ArcArgs arc;
    arc.left = Clamp(int64_t(cx) - r);
    arc.top = Clamp(int64_t(cy) - r);
    arc.right = Clamp(int64_t(cx) + r);
    arc.bottom = Clamp(int64_t(cy) + r);
    // Screen y grows downward: angles grow upward, so the sines are taken off.
    arc.xStart = Clamp(int64_t(cx) + Truncate(r * std::cos(a0)));
    arc.yStart = Clamp(int64_t(cy) - Truncate(r * std::sin(a0)));
    arc.xEnd = Clamp(int64_t(cx) + Truncate(r * std::cos(a1)));
    arc.yEnd = Clamp(int64_t(cy) - Truncate(r * std::sin(a1)));
    return arc;
}

Rect2D TextBlockRect(int left, int top, int right, int bottom, int clientWidth, int clientHeight,
                     int dx, int dy) {
    Rect2D r;
    r.left = AddClamped(left, dx);
    r.top = AddClamped(top, dy);
    r.right = right > 0 ? AddClamped(right, dx) : clientWidth;
    r.bottom = bottom > 0 ? AddClamped(bottom, dy) : clientHeight;
    return r;
}

} // namespace pexa
