// Smoothing groups around one vertex (portable).
#include "objects/crease_smoothing.h"

#include <algorithm>
#include <cmath>

namespace pexa::mesh {

namespace {

// The group's normal: the sum scaled to length 1 in double precision (the
// squares of floats and their sum are exact or nearly so in double, and a
// float result needs no more); a sum of length 0 or not finite stays.
void Normalize(float *v) {
    const double length =
        std::sqrt(double(v[0]) * v[0] + double(v[1]) * v[1] + double(v[2]) * v[2]);
    if (!(length > 0) || !std::isfinite(length)) return;
    const double r = 1.0 / length;
    v[0] = float(v[0] * r);
    v[1] = float(v[1] * r);
    v[2] = float(v[2] * r);
}

} // namespace

float CreaseCosine(float creaseAngle) {
    return float(std::cos(double(creaseAngle) * 0.01745329251994));
}

void CreaseSmoother::Smooth(const uint32_t *corners, size_t count, bool ring,
                            const uint32_t *inFaceOrder) {
    if (count < 2) return;
    inFaceOrder_ = inFaceOrder;
    // Whether each face is smooth with the next one in the list.
    smooth_.resize(count);
    const float *table = normals_.data();
    bool all = true;
    for (size_t t = 0; t + 1 < count || (ring && t + 1 == count); ++t) {
        const float *n = table + 3 * size_t(FaceOf(corners[t]));
        const float *m = table + 3 * size_t(FaceOf(corners[t + 1 < count ? t + 1 : 0]));
        all &= smooth_[t] = n[0] * m[0] + n[1] * m[1] + n[2] * m[2] > cosine_;
    }
    if (all) { // one group of all faces, whether the list is a ring or not
        CloseGroup(corners, count, 0, count - 1);
        return;
    }
    size_t at = 0, first = 0;
    bool open = false;
    bool wrapped = false; // the walk went on from the last face to the first
    for (;;) {
        const size_t next = at + 1 < count ? at + 1 : 0;
        if ((at + 1 < count || ring) && next != (open ? first : at) && smooth_[at]) {
            if (!open) open = true, first = at;
            if (next == 0) wrapped = true;
            at = next;
            continue;
        }
        if (open) CloseGroup(corners, count, first, at);
        open = false;
        if (at + 1 >= count || wrapped) return;
        ++at;
    }
}

void CreaseSmoother::CloseGroup(const uint32_t *corners, size_t count, size_t first, size_t last) {
    // The group's corners in face order (corner order is face order), so
    // that the sum does not depend on where around the vertex the faces are
    // listed from.
    const size_t size = (last >= first ? last - first : last + count - first) + 1;
    const uint32_t *group = inFaceOrder_;
    if (size < count || !group) {
        group_.resize(size);
        for (size_t i = 0, at = first; i < size; ++i, at = at + 1 < count ? at + 1 : 0)
            group_[i] = corners[at];
        std::sort(group_.begin(), group_.end());
        group = group_.data();
    }
    const float *table = normals_.data();
    float n[3] = {0, 0, 0};
    for (size_t i = 0; i < size; ++i) {
        const float *m = table + 3 * size_t(FaceOf(group[i]));
        n[0] += m[0], n[1] += m[1], n[2] += m[2];
    }
    Normalize(n);
    // Normals that cancel out (possible only with crease angles beyond 90
    // degrees) have no direction: the faces keep their own normals.
    if (!(n[0] * n[0] + n[1] * n[1] + n[2] * n[2] > 0.5f)) return;
    const uint32_t entry = uint32_t(normals_.size() / 3);
    // The builders reserve about one group per vertex; beyond that the table
    // grows by a quarter at a time rather than doubling.
    if (normals_.size() + 3 > normals_.capacity())
        normals_.reserve(normals_.capacity() + normals_.capacity() / 4 + 3);
    normals_.insert(normals_.end(), n, n + 3);
    for (size_t i = 0; i < size; ++i)
        cornerNormal_[group[i]] = entry;
}

} // namespace pexa::mesh
