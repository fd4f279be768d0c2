// Faces around each vertex, ordered by shared edges (portable).
#include "objects/face_order.h"

#include <algorithm>

namespace pexa::mesh {

void VertexCorners::Build(const PolygonView &mesh) {
    start.assign(mesh.vertexCount + 1, 0);
    for (size_t c = 0; c < mesh.cornerCount; ++c)
        ++start[mesh.cornerVertex[c] + 1];
    for (size_t v = 0; v < mesh.vertexCount; ++v)
        start[v + 1] += start[v];
    corners.reset(new uint32_t[mesh.cornerCount ? mesh.cornerCount : 1]);
    // start[v] serves as v's cursor and ends as the start of v + 1.
    for (size_t c = 0; c < mesh.cornerCount; ++c)
        corners[start[mesh.cornerVertex[c]]++] = uint32_t(c);
    for (size_t v = mesh.vertexCount; v > 0; --v)
        start[v] = start[v - 1];
    start[0] = 0;
}

FaceOrderer::FaceOrderer(const PolygonView &mesh, size_t largeFrom, const VertexCorners *around)
    : mesh_(mesh), largeFrom_(largeFrom), around_(around) {
    const size_t faces = mesh.cornerCount ? size_t(FaceOf(uint32_t(mesh.cornerCount - 1))) + 1 : 0;
    for (size_t f = 0; f < faces && sorted_.empty(); ++f) {
        if (mesh.faceFirst[f + 1] - mesh.faceFirst[f] <= kSmallFace) continue;
        sorted_.resize(mesh.cornerCount);
        isSorted_.assign(faces, 0);
    }
}

const uint32_t *FaceOrderer::Sorted(uint32_t face) const {
    const uint32_t b = mesh_.faceFirst[face], e = mesh_.faceFirst[face + 1];
    if (!isSorted_[face]) {
        std::copy(mesh_.cornerVertex + b, mesh_.cornerVertex + e, sorted_.begin() + b);
        std::sort(sorted_.begin() + b, sorted_.begin() + e);
        isSorted_[face] = 1;
    }
    return sorted_.data() + b;
}

bool FaceOrderer::ShareVertex(uint32_t a, uint32_t b, uint32_t v) const {
    const uint32_t *vertex = mesh_.cornerVertex;
    uint32_t ab = mesh_.faceFirst[a], ae = mesh_.faceFirst[a + 1];
    uint32_t bb = mesh_.faceFirst[b], be = mesh_.faceFirst[b + 1];
    if (ae - ab <= kSmallFace && be - bb <= kSmallFace) {
        for (uint32_t i = ab; i < ae; ++i) {
            const uint32_t u = vertex[i];
            if (u == v) continue;
            for (uint32_t j = bb; j < be; ++j)
                if (vertex[j] == u) return true;
        }
        return false;
    }
    // The smaller face's vertices looked up in the larger one: among the
    // faces at the vertex when they are few, else in its sorted copy.
    if (ae - ab > be - bb) std::swap(a, b), std::swap(ab, bb), std::swap(ae, be);
    const uint32_t *sorted = nullptr;
    for (uint32_t i = ab; i < ae; ++i) {
        const uint32_t u = vertex[i];
        if (u == v) continue;
        if (around_ && around_->start[u + 1] - around_->start[u] <= 16) {
            const uint32_t *c = &around_->corners[around_->start[u]];
            const uint32_t *end = &around_->corners[0] + around_->start[u + 1];
            for (; c != end; ++c)
                if (FaceOf(*c) == b) return true;
        } else {
            if (!sorted) sorted = Sorted(b);
            if (std::binary_search(sorted, sorted + (be - bb), u)) return true;
        }
    }
    return false;
}

bool FaceOrderer::HoldsTwice(const uint32_t *corners, size_t k, size_t at) const {
    const uint32_t f = FaceOf(corners[at]);
    return (at > 0 && FaceOf(corners[at - 1]) == f) || (at + 1 < k && FaceOf(corners[at + 1]) == f);
}

// The usual vertex: a few small faces. Their vertices other than v are
// gathered once, and the search of NextBySearch runs over them.
size_t FaceOrderer::OrderSmall(uint32_t v, const uint32_t *corners, size_t k, uint32_t *placed,
                               bool *ring) {
    uint32_t others[kLocal][kSmallFace], face[kLocal];
    uint8_t count[kLocal], twice[kLocal], done[kLocal] = {};
    for (size_t at = 0; at < k; ++at) {
        const uint32_t f = face[at] = FaceOf(corners[at]);
        const uint32_t b = mesh_.faceFirst[f], e = mesh_.faceFirst[f + 1];
        if (e - b > kSmallFace) return kNotSmall;
        uint8_t n = 0;
        for (uint32_t c = b; c < e; ++c)
            if (mesh_.cornerVertex[c] != v) others[at][n++] = mesh_.cornerVertex[c];
        count[at] = n;
        // A face that holds v twice has its two corners next to each other.
        twice[at] = at > 0 && face[at - 1] == f;
        if (twice[at]) twice[at - 1] = 1;
    }
    auto share = [&](size_t a, size_t b) {
        if (twice[a]) return true;
        for (uint8_t i = 0; i < count[a]; ++i)
            for (uint8_t j = 0; j < count[b]; ++j)
                if (others[a][i] == others[b][j]) return true;
        return false;
    };
    done[0] = 1;
    placed[0] = corners[0];
    size_t n = 1, last = 0, start = 1;
    while (n < k) {
        size_t next = k;
        for (size_t t = 0; t + 1 < k; ++t) {
            size_t at = start + t;
            if (at >= k) at -= k - 1;
            if (!done[at] && share(last, at)) {
                next = at;
                break;
            }
        }
        if (next >= k) break;
        done[next] = 1;
        placed[n++] = corners[next];
        last = next;
        start = next + 1 < k ? next + 1 : 1;
    }
    if (n > 2) *ring = share(last, 0);
    return n;
}

size_t FaceOrderer::Order(uint32_t v, const uint32_t *corners, size_t k, uint32_t *placed,
                          bool *ring) {
    *ring = false;
    if (k == 0) return 0;
    if (k <= kLocal && k < largeFrom_) {
        const size_t n = OrderSmall(v, corners, k, placed, ring);
        if (n != kNotSmall) return n;
    }
    placed_.assign(k, 0);
    placed_[0] = 1;
    placed[0] = corners[0];
    size_t n = 1;
    bool large = k >= largeFrom_ && k > 1;
    if (large) { // only for lists of small faces: the index holds all their vertices
        size_t held = 0;
        for (size_t at = 0; at < k && large; ++at) {
            const uint32_t f = FaceOf(corners[at]);
            held += mesh_.faceFirst[f + 1] - mesh_.faceFirst[f];
            large = held <= 16 * k;
        }
    }
    if (large) BuildIndex(v, corners, k);
    // The remaining faces keep their cyclic order over the positions 1 to
    // k - 1; moving the tested ones to the end only moves where the next
    // search starts: after the face just placed.
    size_t last = 0, start = 1;
    while (n < k) {
        const size_t next = large ? NextByIndex(v, corners, k, last, start)
                                  : NextBySearch(v, corners, k, last, start);
        if (next >= k) break;
        placed_[next] = 1;
        placed[n++] = corners[next];
        last = next;
        start = next + 1 < k ? next + 1 : 1;
    }
    if (n > 2)
        *ring = HoldsTwice(corners, k, last) ||
                ShareVertex(FaceOf(corners[last]), FaceOf(corners[0]), v);
    return n;
}

size_t FaceOrderer::NextBySearch(uint32_t v, const uint32_t *corners, size_t k, size_t last,
                                 size_t start) {
    const bool twice = HoldsTwice(corners, k, last);
    const uint32_t lastFace = FaceOf(corners[last]);
    for (size_t t = 0; t + 1 < k; ++t) {
        size_t at = start + t;
        if (at >= k) at -= k - 1;
        if (placed_[at]) continue;
        if (twice || ShareVertex(lastFace, FaceOf(corners[at]), v)) return at;
    }
    return k;
}

void FaceOrderer::BuildIndex(uint32_t v, const uint32_t *corners, size_t k) {
    pairs_.clear();
    for (size_t at = 0; at < k; ++at) {
        const uint32_t f = FaceOf(corners[at]);
        for (uint32_t c = mesh_.faceFirst[f]; c < mesh_.faceFirst[f + 1]; ++c)
            if (mesh_.cornerVertex[c] != v) pairs_.push_back({mesh_.cornerVertex[c], uint32_t(at)});
    }
    std::sort(pairs_.begin(), pairs_.end());
    pairs_.erase(std::unique(pairs_.begin(), pairs_.end()), pairs_.end());
    const size_t count = pairs_.size();
    pairPosition_.resize(count);
    pairSkip_.resize(count);
    groupVertex_.clear();
    groupBegin_.clear();
    for (size_t i = 0; i < count; ++i) {
        pairPosition_[i] = pairs_[i].second;
        pairSkip_[i] = uint32_t(i + 1);
        if (i == 0 || pairs_[i].first != pairs_[i - 1].first) {
            groupVertex_.push_back(pairs_[i].first);
            groupBegin_.push_back(uint32_t(i));
        }
    }
    groupBegin_.push_back(uint32_t(count));
    positions_.resize(k);
    positionSkip_.resize(k);
    for (size_t i = 0; i < k; ++i)
        positions_[i] = uint32_t(i), positionSkip_[i] = uint32_t(i + 1);
}

// The first index from i below end whose position is not placed yet; the
// skip links walked over are pointed past the placed ones.
size_t FaceOrderer::FirstFree(std::vector<uint32_t> &skip, const uint32_t *at, size_t i,
                              size_t end) {
    size_t r = i;
    while (r < end && placed_[at[r]])
        r = skip[r];
    while (i < r) {
        const size_t next = skip[i];
        skip[i] = uint32_t(r);
        i = next;
    }
    return r;
}

size_t FaceOrderer::NextByIndex(uint32_t v, const uint32_t *corners, size_t k, size_t last,
                                size_t start) {
    if (HoldsTwice(corners, k, last)) { // every face shares an edge with it
        size_t r = FirstFree(positionSkip_, positions_.data(), start, k);
        if (r >= k) r = FirstFree(positionSkip_, positions_.data(), 1, k);
        return r;
    }
    size_t best = k, bestKey = ~size_t(0);
    const uint32_t f = FaceOf(corners[last]);
    for (uint32_t c = mesh_.faceFirst[f]; c < mesh_.faceFirst[f + 1] && bestKey > 0; ++c) {
        const uint32_t u = mesh_.cornerVertex[c];
        if (u == v) continue;
        const auto g = std::lower_bound(groupVertex_.begin(), groupVertex_.end(), u);
        if (g == groupVertex_.end() || *g != u) continue;
        const size_t b = groupBegin_[size_t(g - groupVertex_.begin())];
        const size_t e = groupBegin_[size_t(g - groupVertex_.begin()) + 1];
        // The group's positions ascend: the first free one from start on,
        // else (wrapping round) the first free one of the group.
        const size_t from =
            size_t(std::lower_bound(pairPosition_.begin() + b, pairPosition_.begin() + e, start) -
                   pairPosition_.begin());
        size_t r = FirstFree(pairSkip_, pairPosition_.data(), from, e);
        if (r >= e) r = FirstFree(pairSkip_, pairPosition_.data(), b, e);
        if (r >= e) continue;
        const size_t p = pairPosition_[r];
        const size_t key = p >= start ? p - start : p + k;
        if (key < bestKey) best = p, bestKey = key;
    }
    return best;
}

} // namespace pexa::mesh
