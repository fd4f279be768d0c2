// Triangle normals (portable).
#include "objects/geometry.h"

#include <cmath>

namespace pexa {

void TriangleNormal(const float *a, const float *b, const float *c, float *n) {
    if (TryTriangleNormal(a, b, c, n)) return;
    n[0] = 0;
    n[1] = 0;
    n[2] = 1;
}

bool TryTriangleNormal(const float *a, const float *b, const float *c, float *n) {
    float u[3] = {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
    float v[3] = {b[0] - c[0], b[1] - c[1], b[2] - c[2]};
    float x = u[1] * v[2] - u[2] * v[1];
    float y = u[2] * v[0] - u[0] * v[2];
    float z = u[0] * v[1] - u[1] * v[0];
    double length = std::sqrt(double(x) * x + double(y) * y + double(z) * z);
    if (!(length > 0) || !std::isfinite(length)) return false;
    double r = 1.0 / length;
    n[0] = float(x * r);
    n[1] = float(y * r);
    n[2] = float(z * r);
    return true;
}

} // namespace pexa
