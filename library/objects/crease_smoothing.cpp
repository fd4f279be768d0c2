// Smoothing groups around one vertex (portable).
#include "objects/crease_smoothing.h"

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

void CreaseSmoother::Smooth(const uint32_t *corners, size_t count, bool ring) {
    if (count == 0) return;
    size_t at = 0;
    bool open = false;
    bool wrapped = false; // the walk went on from the last face to the first
    size_t first = 0;
    float sum[3] = {0, 0, 0};
    for (;;) {
        const float *n = FaceNormal(corners[at]);
        if (!open) sum[0] = n[0], sum[1] = n[1], sum[2] = n[2];
        const bool hasNext = at + 1 < count || ring;
        const size_t next = at + 1 < count ? at + 1 : 0;
        if (hasNext && next != (open ? first : at)) {
            const float *m = FaceNormal(corners[next]);
            if (n[0] * m[0] + n[1] * m[1] + n[2] * m[2] > cosine_) {
                if (!open) open = true, first = at;
                sum[0] += m[0], sum[1] += m[1], sum[2] += m[2];
                if (next == 0) wrapped = true;
                at = next;
                continue;
            }
        }
        if (open) CloseGroup(corners, count, first, at, sum);
        open = false;
        if (at + 1 >= count || wrapped) return;
        ++at;
    }
}

void CreaseSmoother::CloseGroup(const uint32_t *corners, size_t count, size_t first, size_t last,
                                const float *sum) {
    float n[3] = {sum[0], sum[1], sum[2]};
    Normalize(n);
    // Normals that cancel out (possible only with crease angles beyond 90
    // degrees) have no direction: the faces keep their own normals.
    if (!(n[0] * n[0] + n[1] * n[1] + n[2] * n[2] > 0.5f)) return;
    const uint32_t entry = uint32_t(normals_.size() / 3);
    // The builders reserve about one group per vertex; beyond that the table
    // grows by a quarter at a time rather than doubling.
    if (normals_.size() + 3 > normals_.capacity())
        normals_.reserve(normals_.capacity() + normals_.capacity() / 4 + 3);
    normals_.push_back(n[0]);
    normals_.push_back(n[1]);
    normals_.push_back(n[2]);
    for (size_t i = first;; i = i + 1 < count ? i + 1 : 0) {
        cornerNormal_[corners[i]] = entry;
        if (i == last) break;
    }
}

} // namespace pexa::mesh
