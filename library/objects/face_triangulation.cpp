// Convex test and ear clipping of faces (portable).
#include "objects/face_triangulation.h"

#include <cmath>

namespace pexa::mesh {

namespace {

// The face's points in its plane (see the header), relative to its first
// point, in double.
class PlanePoints {
  public:
    PlanePoints(const float *positions, const uint32_t *vertex, const float *normal)
        : positions_(positions), vertex_(vertex) {
        const float x = std::fabs(normal[0]), y = std::fabs(normal[1]), z = std::fabs(normal[2]);
        const int axis = x >= y && x >= z ? 0 : y >= z ? 1 : 2;
        u_ = (axis + 1) % 3, w_ = (axis + 2) % 3;
        // Seen from the normal's side the axes u, w turn counter-clockwise
        // when the normal's component along the dropped axis is positive.
        if (normal[axis] < 0) {
            const int t = u_;
            u_ = w_, w_ = t;
        }
        origin_ = positions + 3 * size_t(vertex[0]);
    }
    // The sum of the magnitudes of the first point's two coordinates.
    double OriginMagnitude() const {
        return std::fabs(double(origin_[u_])) + std::fabs(double(origin_[w_]));
    }
    void At(size_t i, double *p) const {
        const float *q = positions_ + 3 * size_t(vertex_[i]);
        p[0] = double(q[u_]) - origin_[u_];
        p[1] = double(q[w_]) - origin_[w_];
    }

  private:
    const float *positions_;
    const uint32_t *vertex_;
    const float *origin_;
    int u_, w_;
};

// Twice the signed area of the triangle a, b, c: positive when it turns
// counter-clockwise.
double Turn(const double *a, const double *b, const double *c) {
    return (b[0] - a[0]) * (c[1] - b[1]) - (b[1] - a[1]) * (c[0] - b[0]);
}

} // namespace

bool IsConvexFace(const float *positions, const uint32_t *vertex, size_t n, const float *normal) {
    const PlanePoints plane(positions, vertex, normal);
    // The points are floats: each coordinate is off by up to 2^-24 of its
    // magnitude, so turns and steps smaller than that error allows (a dense
    // circle's) count as straight. The magnitudes near a corner are bounded
    // by the first point's and the distances from it.
    const double eps = 4 / 16777216.0, origin = plane.OriginMagnitude();
    // A face turns round once when, besides never turning right, its edges
    // change their direction along u at most twice (and so along w).
    double at[2], next[2];
    plane.At(n - 2, at);
    plane.At(n - 1, next);
    double du = next[0] - at[0], dw = next[1] - at[1]; // the edge into the corner
    double before = std::fabs(du) + std::fabs(dw);
    int changes = 0, lastSign = 0;
    for (size_t i = 0; i < n; ++i) {
        at[0] = next[0], at[1] = next[1];
        plane.At(i, next);
        const double eu = next[0] - at[0], ew = next[1] - at[1]; // the edge out of it
        const double after = std::fabs(eu) + std::fabs(ew);
        const double tolerance =
            eps * (origin + std::fabs(at[0]) + std::fabs(at[1]) + before + after);
        if (du * ew - dw * eu < -tolerance * (before + after)) return false;
        const int sign = eu > tolerance ? 1 : eu < -tolerance ? -1 : 0;
        if (sign != 0) {
            changes += lastSign != 0 && sign != lastSign;
            lastSign = sign;
        }
        du = eu, dw = ew, before = after;
    }
    // Counted along the edges from the last one on, the changes of a face
    // that turns round once are at most two.
    return changes <= 2;
}

void SplitFace(const float *positions, const uint32_t *vertex, size_t n, const float *normal,
               std::vector<uint32_t> &triangles) {
    const PlanePoints plane(positions, vertex, normal);
    std::vector<double> point(2 * n);
    std::vector<uint32_t> prev(n), next(n);
    std::vector<uint8_t> reflex(n);
    for (size_t i = 0; i < n; ++i) {
        plane.At(i, &point[2 * i]);
        prev[i] = uint32_t(i == 0 ? n - 1 : i - 1);
        next[i] = uint32_t(i + 1 == n ? 0 : i + 1);
    }
    auto turn = [&](uint32_t i) {
        return Turn(&point[2 * prev[i]], &point[2 * i], &point[2 * next[i]]);
    };
    // Corners turning right; only they can lie inside an ear. Their list
    // keeps the ones that became convex until half of it is stale.
    std::vector<uint32_t> reflexList;
    size_t stale = 0;
    for (uint32_t i = 0; i < n; ++i)
        if ((reflex[i] = turn(i) < 0)) reflexList.push_back(i);
    auto setReflex = [&](uint32_t i, bool is) {
        if (is && !reflex[i]) reflexList.push_back(i);
        if (!is && reflex[i] && 2 * ++stale > reflexList.size()) {
            reflex[i] = 0;
            size_t kept = 0;
            for (uint32_t j : reflexList)
                if (reflex[j]) reflexList[kept++] = j;
            reflexList.resize(kept);
            stale = 0;
        }
        reflex[i] = is;
    };
    // Whether the corner is an ear: convex, and no corner that turns right
    // lies inside its triangle or on its edges.
    long long budget = (1LL << 22) + 16LL * (long long)n;
    auto isEar = [&](uint32_t i) {
        if (turn(i) <= 0) return false;
        const double *a = &point[2 * prev[i]], *b = &point[2 * i], *c = &point[2 * next[i]];
        for (uint32_t j : reflexList) {
            if (budget <= 0) return true;
            if (!reflex[j] || j == prev[i] || j == next[i]) continue;
            --budget;
            const double *p = &point[2 * j];
            if (Turn(a, b, p) >= 0 && Turn(b, c, p) >= 0 && Turn(c, a, p) >= 0) return false;
        }
        return true;
    };
    uint32_t at = 0;
    for (size_t left = n; left > 3; --left) {
        // Around the remaining polygon once for an ear; failing that (a face
        // crossing itself, or points on top of each other), the first convex
        // corner, else the corner at hand.
        uint32_t ear = at, tried = 0;
        while (tried < left && !isEar(ear))
            ear = next[ear], ++tried;
        if (tried == left) {
            for (tried = 0; tried < left && turn(ear) < 0; ++tried)
                ear = next[ear];
        }
        const uint32_t a = prev[ear], c = next[ear];
        triangles.insert(triangles.end(), {a, ear, c});
        next[a] = c, prev[c] = a;
        setReflex(ear, false);
        setReflex(a, turn(a) < 0);
        setReflex(c, turn(c) < 0);
        at = c;
    }
    triangles.insert(triangles.end(), {prev[at], at, next[at]});
}

} // namespace pexa::mesh
