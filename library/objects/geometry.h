// Small vector geometry shared by the mesh-like objects (portable).
#pragma once

namespace pexa {

// Unit normal of the triangle (a, b, c): normalize((a - b) x (b - c)); it
// points to the side from which a, b, c run counter-clockwise. Single
// precision with the square root and reciprocal in double. A degenerate
// triangle (zero area) has no normal; it gets (0, 0, 1) so that nothing
// undefined reaches OpenGL.
void TriangleNormal(const float *a, const float *b, const float *c, float *n);
// The same, but false (and n unchanged) for a degenerate triangle, so that a
// polygon can try its next three points.
bool TryTriangleNormal(const float *a, const float *b, const float *c, float *n);

} // namespace pexa
