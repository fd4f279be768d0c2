// Triangle and polygon normals (portable).
#include "objects/geometry.h"

namespace pexa {

void TriangleNormal(const float *a, const float *b, const float *c, float *n) {
    if (TryTriangleNormal(a, b, c, n)) return;
    n[0] = 0;
    n[1] = 0;
    n[2] = 1;
}

void PolygonNormal(const float *positions, const uint32_t *vertex, size_t n, float *normal) {
    const float *p0 = positions + 3 * size_t(vertex[0]);
    if (n == 3) {
        TriangleNormal(p0, positions + 3 * size_t(vertex[1]), positions + 3 * size_t(vertex[2]),
                       normal);
        return;
    }
    double sum[3] = {0, 0, 0}, q[3] = {0, 0, 0}; // q: the previous point less the first
    for (size_t i = 1; i < n; ++i) {
        const float *p = positions + 3 * size_t(vertex[i]);
        const double r[3] = {double(p[0]) - p0[0], double(p[1]) - p0[1], double(p[2]) - p0[2]};
        sum[0] += q[1] * r[2] - q[2] * r[1];
        sum[1] += q[2] * r[0] - q[0] * r[2];
        sum[2] += q[0] * r[1] - q[1] * r[0];
        q[0] = r[0], q[1] = r[1], q[2] = r[2];
    }
    const double length = std::sqrt(sum[0] * sum[0] + sum[1] * sum[1] + sum[2] * sum[2]);
    if (!(length > 0) || !std::isfinite(length)) {
        normal[0] = 0, normal[1] = 0, normal[2] = 1;
        return;
    }
    normal[0] = float(sum[0] / length);
    normal[1] = float(sum[1] / length);
    normal[2] = float(sum[2] / length);
}

} // namespace pexa
