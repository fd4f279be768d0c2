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

void CreaseSmoother::Finish() {
    for (size_t i = 3 * firstGroup_; i < normals_.size(); i += 3)
        Normalize(&normals_[i]);
    firstGroup_ = normals_.size() / 3;
}

float CreaseCosine(float creaseAngle) {
    return float(std::cos(double(creaseAngle) * 0.01745329251994));
}

void CreaseSmoother::Smooth(const uint32_t *list, size_t count, const uint32_t *order, size_t n,
                            bool ring) {
    if (n < 2) return;
    // The face normal at each position of the list, and whether each face
    // is smooth with the next one in the order: bits of a word for the
    // usual vertex, else bytes.
    if (normalAt_.size() < count) normalAt_.resize(count);
    for (size_t p = 0; p < count; ++p)
        normalAt_[p] = 3 * size_t(FaceOf(list[p]));
    const float *table = normals_.data();
    const bool bits = n <= 64;
    uint64_t smoothBits = 0;
    if (!bits) smooth_.resize(n);
    bool all = true;
    const float *m = table + normalAt_[order[0]];
    for (size_t t = 0, edges = ring ? n : n - 1; t < edges; ++t) {
        const float *a = m;
        m = table + normalAt_[order[t + 1 < n ? t + 1 : 0]];
        const bool smooth = a[0] * m[0] + a[1] * m[1] + a[2] * m[2] > cosine_;
        all &= smooth;
        if (bits)
            smoothBits |= uint64_t(smooth) << t;
        else
            smooth_[t] = smooth;
    }
    if (all) { // one group of all faces, whether the order is a ring or not
        CloseGroup(list, count, order, n, 0, n - 1);
        return;
    }
    size_t at = 0, first = 0;
    bool open = false;
    bool wrapped = false; // the walk went on from the last face to the first
    for (;;) {
        const size_t next = at + 1 < n ? at + 1 : 0;
        if ((at + 1 < n || ring) && next != (open ? first : at) &&
            (bits ? smoothBits >> at & 1 : smooth_[at])) {
            if (!open) open = true, first = at;
            if (next == 0) wrapped = true;
            at = next;
            continue;
        }
        if (open) CloseGroup(list, count, order, n, first, at);
        open = false;
        if (at + 1 >= n || wrapped) return;
        ++at;
    }
}

void CreaseSmoother::CloseGroup(const uint32_t *list, size_t count, const uint32_t *order, size_t n,
                                size_t first, size_t last) {
    // The group's faces in face order, that is by their positions in the
    // list: all of them, the bits of a word for the usual vertex, or sorted.
    const size_t size = (last >= first ? last - first : last + n - first) + 1;
    uint64_t members = 0;
    if (size == count) {
    } else if (count <= 64) {
        for (size_t i = 0, at = first; i < size; ++i, at = at + 1 < n ? at + 1 : 0)
            members |= uint64_t(1) << order[at];
    } else {
        group_.resize(size);
        for (size_t i = 0, at = first; i < size; ++i, at = at + 1 < n ? at + 1 : 0)
            group_[i] = order[at];
        if (!std::is_sorted(group_.begin(), group_.end())) std::sort(group_.begin(), group_.end());
    }
    auto each = [&](auto f) { // f(position)
        if (size == count)
            for (uint32_t p = 0; p < count; ++p)
                f(p);
        else if (count <= 64)
            for (uint64_t rest = members; rest; rest &= rest - 1)
                f(uint32_t(__builtin_ctzll(rest)));
        else
            for (uint32_t p : group_)
                f(p);
    };
    float sum[3] = {0, 0, 0};
    const float *table = normals_.data();
    each([&](uint32_t p) {
        const float *m = table + normalAt_[p];
        sum[0] += m[0], sum[1] += m[1], sum[2] += m[2];
    });
    // Normals that cancel out (possible only with crease angles beyond 90
    // degrees) have no direction: the faces keep their own normals. The sum
    // is normalised by Finish, in one pass over all groups, where the square
    // roots and divisions of many groups overlap instead of each stalling
    // its vertex.
    const double square =
        double(sum[0]) * sum[0] + double(sum[1]) * sum[1] + double(sum[2]) * sum[2];
    if (!(square > 0) || !std::isfinite(square)) return;
    const size_t at = normals_.size();
    // The builders reserve about one group per vertex; beyond that the table
    // grows by a quarter at a time rather than doubling.
    if (at + 3 > normals_.capacity()) normals_.reserve(at + at / 4 + 3);
    normals_.resize(at + 3);
    normals_[at] = sum[0], normals_[at + 1] = sum[1], normals_[at + 2] = sum[2];
    const uint32_t entry = uint32_t(at / 3);
    each([&](uint32_t p) { cornerNormal_[list[p]] = entry; });
}

} // namespace pexa::mesh
