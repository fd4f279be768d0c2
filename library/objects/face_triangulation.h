// Faces of the indexed face set that one GL_POLYGON cannot draw: the test
// for convex faces, and the split of the others into triangles by ear
// clipping (portable).
//
// A face is judged in the plane across the axis of its normal's largest
// component, seen from where its normal points, so that it runs
// counter-clockwise there. OpenGL fills a polygon correctly only when it is
// convex; a concave one (a chevron) would fill its notch. Ear clipping is
// done here rather than by the system's GLU tessellator so that the split
// is plain data in the drawing, the same on every platform and testable
// and fuzzable without a window, and convex faces (nearly all) pay only the
// test.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pexa::mesh {

// Whether the face of the n points positions[3 * vertex[i]] (n at least 3)
// with the given unit normal is convex: no turn to the right (points on a
// line allowed, and turns within the rounding of the points' floats, as a
// dense circle's) and one turn round in all. Faces without area count as
// convex: there is nothing to draw wrong.
bool IsConvexFace(const float *positions, const uint32_t *vertex, size_t n, const float *normal);

// Appends n - 2 triangles covering the face, three positions in the face
// (0 to n - 1) each, every triangle turning the way the face does. A simple
// polygon is split without overlaps; a face that crosses itself is still
// covered by n - 2 triangles, as well as its shape allows. Work is bounded:
// past about 2^22 point tests (far beyond any sensible face) the rest of the
// face is cut at its convex corners without them.
void SplitFace(const float *positions, const uint32_t *vertex, size_t n, const float *normal,
               std::vector<uint32_t> &triangles);

} // namespace pexa::mesh
