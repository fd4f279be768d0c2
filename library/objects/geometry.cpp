// Triangle normals (portable).
#include "objects/geometry.h"

namespace pexa {

void TriangleNormal(const float *a, const float *b, const float *c, float *n) {
    if (TryTriangleNormal(a, b, c, n)) return;
    n[0] = 0;
    n[1] = 0;
    n[2] = 1;
}

} // namespace pexa
