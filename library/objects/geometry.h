// Small vector geometry shared by the mesh-like objects (portable).
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace pexa {

// Unit normal of the triangle (a, b, c): normalize((a - b) x (b - c)); it
// points to the side from which a, b, c run counter-clockwise. Single
// precision with the square root and reciprocal in double. A degenerate
// triangle (zero area) has no normal; it gets (0, 0, 1) so that nothing
// undefined reaches OpenGL.
void TriangleNormal(const float *a, const float *b, const float *c, float *n);

// The same, but false (and n unchanged) for a degenerate triangle, so that a
// polygon can try its next three points. Inline: the mesh builders call it
// once per face.
inline bool TryTriangleNormal(const float *a, const float *b, const float *c, float *n) {
    const float u[3] = {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
    const float v[3] = {b[0] - c[0], b[1] - c[1], b[2] - c[2]};
    const float x = u[1] * v[2] - u[2] * v[1];
    const float y = u[2] * v[0] - u[0] * v[2];
    const float z = u[0] * v[1] - u[1] * v[0];
    const double length = std::sqrt(double(x) * x + double(y) * y + double(z) * z);
    if (!(length > 0) || !std::isfinite(length)) return false;
    const double r = 1.0 / length;
    n[0] = float(x * r);
    n[1] = float(y * r);
    n[2] = float(z * r);
    return true;
}

// Unit normal of the polygon of the n points positions[3 * vertex[i]] (n at
// least 3) by Newell's method: the direction of its vector area, the sum of
// the cross products of its points taken from the first one, in double. It
// points to the side from which the polygon runs counter-clockwise, whichever
// point the polygon starts at and whether or not it is convex (for a
// triangle it is TriangleNormal, computed the same way). A polygon without
// area gets (0, 0, 1).
void PolygonNormal(const float *positions, const uint32_t *vertex, size_t n, float *normal);

} // namespace pexa
