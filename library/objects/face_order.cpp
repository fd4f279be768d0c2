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

FaceOrderer::FaceOrderer(const PolygonView &mesh, const VertexCorners &around, size_t indexedFrom)
    : mesh_(mesh), around_(around), indexedFrom_(indexedFrom) {}

const uint32_t *FaceOrderer::Sorted(uint32_t face) const {
    const uint32_t b = mesh_.faceFirst[face], e = mesh_.faceFirst[face + 1];
    if (!sorted_) {
        sorted_.reset(new uint32_t[mesh_.cornerCount]);
        isSorted_.assign(size_t(FaceOf(uint32_t(mesh_.cornerCount - 1))) + 1, 0);
    }
    if (!isSorted_[face]) {
        std::copy(mesh_.cornerVertex + b, mesh_.cornerVertex + e, sorted_.get() + b);
        std::sort(sorted_.get() + b, sorted_.get() + e);
        isSorted_[face] = 1;
    }
    return sorted_.get() + b;
}

inline uint32_t FaceOrderer::Keys(uint32_t v, uint32_t corner, uint32_t *keys) const {
    const uint32_t *vertex = mesh_.cornerVertex;
    const uint32_t f = FaceOf(corner), b = mesh_.faceFirst[f], e = mesh_.faceFirst[f + 1];
    uint32_t n = 0;
    if (e - b <= kSmallFace) {
        for (uint32_t c = b; c < e; ++c)
            if (vertex[c] != v) keys[n++] = vertex[c];
        return n;
    }
    const uint32_t prev = vertex[corner == b ? e - 1 : corner - 1];
    const uint32_t next = vertex[corner + 1 == e ? b : corner + 1];
    if (prev != v) keys[n++] = prev;
    if (next != v && next != prev) keys[n++] = next;
    return n;
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
        if (around_.start[u + 1] - around_.start[u] <= 16) {
            const uint32_t *c = &around_.corners[around_.start[u]];
            const uint32_t *end = &around_.corners[0] + around_.start[u + 1];
            for (; c != end; ++c)
                if (FaceOf(*c) == b) return true;
        } else {
            if (!sorted) sorted = Sorted(b);
            if (std::binary_search(sorted, sorted + (be - bb), u)) return true;
        }
    }
    return false;
}

size_t FaceOrderer::Order(uint32_t v, const uint32_t *corners, size_t k, uint32_t *placed,
                          bool *ring) {
    *ring = false;
    if (k == 0) return 0;
    if (k > kLocal || k >= indexedFrom_) return OrderIndexed(v, corners, k, placed, ring);
    const size_t n = OrderCycle(v, corners, k, placed, ring);
    return n ? n : OrderLocal(v, corners, k, placed, ring);
}

// The usual vertex: with a the vertex after v in face p and b the one
// before it, the faces meet edge to edge in cycles or runs when every a is
// the b of at most one other face and no two faces have the same a or the
// same b. If no face holds v twice and none holds another face's key beyond
// these (triangles hold no others; three faces in one cycle are all
// neighbours anyway), a face shares edges exactly with its neighbours along
// its cycle or run, and the rule walks from the first face towards the
// neighbour that comes first in the list: each later step has one remaining
// neighbour only, and the walk ends back at the first face (a ring) or at
// the end of the run. Returns 0 for any other vertex.
size_t FaceOrderer::OrderCycle(uint32_t v, const uint32_t *corners, size_t k, uint32_t *placed,
                               bool *ring) {
    constexpr uint32_t kNone = ~0u;
    const uint32_t *vertex = mesh_.cornerVertex;
    uint32_t a[kLocal], b[kLocal], succ[kLocal], pred[kLocal];
    uint32_t polygons = 0;
    if (!mesh_.cornerFace) { // triangles: one holding v twice has v as a or b
        static constexpr uint8_t kAfter[3] = {1, 2, 0}, kBefore[3] = {2, 0, 1};
        for (size_t p = 0; p < k; ++p) {
            const uint32_t c = corners[p], r = c % 3, base = c - r;
            a[p] = vertex[base + kAfter[r]];
            b[p] = vertex[base + kBefore[r]];
            if (a[p] == v || b[p] == v) return 0;
            pred[p] = kNone;
        }
    } else {
        for (size_t p = 0; p < k; ++p) {
            const uint32_t c = corners[p], f = mesh_.cornerFace[c];
            if (p > 0 && mesh_.cornerFace[corners[p - 1]] == f) return 0; // holds v twice
            const uint32_t base = mesh_.faceFirst[f], size = mesh_.faceFirst[f + 1] - base;
            const uint32_t r = c - base;
            a[p] = vertex[base + (r + 1 == size ? 0 : r + 1)];
            b[p] = vertex[base + (r == 0 ? size - 1 : r - 1)];
            if (a[p] == v || b[p] == v) return 0;
            if (size > 3) polygons |= 1u << p;
            pred[p] = kNone;
        }
    }
    uint32_t hit = 0, ends = 0;
    for (uint32_t p = 0; p < k; ++p) {
        uint32_t q = 0;
        while (q < k && b[q] != a[p])
            ++q;
        succ[p] = q < k ? q : kNone;
        if (q == k) {
            ++ends;
            continue;
        }
        if (q == p || (hit >> q & 1)) return 0;
        hit |= 1u << q;
        pred[q] = p;
    }
    // Each face with an a but no match ends a run; with as many runs
    // starting (a b matched by no a), no key is held by two faces unless
    // they are neighbours: no two a (or two b) are the same.
    for (uint32_t p = 0; p < k && ends; ++p)
        for (uint32_t q = p + 1; q < k; ++q)
            if (a[p] == a[q] || b[p] == b[q]) return 0;
    if (polygons && (k > 3 || ends) && !OnlyCycleKeys(v, corners, k, a, b, polygons)) return 0;
    const uint32_t *step =
        succ[0] != kNone && (pred[0] == kNone || succ[0] < pred[0]) ? succ : pred;
    placed[0] = 0;
    size_t n = 1;
    uint32_t p = step[0];
    for (; p != kNone && p != 0; p = step[p])
        placed[n++] = p;
    *ring = p == 0 && n > 2;
    return n;
}

// Whether the faces other than triangles (bits of polygons) hold no vertex
// of another face beyond their keys a and b: their other vertices are
// neither v nor a key of any other face. Large faces are not looked into.
bool FaceOrderer::OnlyCycleKeys(uint32_t v, const uint32_t *corners, size_t k, const uint32_t *a,
                                const uint32_t *b, uint32_t polygons) const {
    uint32_t inner[kLocal * kSmallFace], owner[kLocal * kSmallFace], count = 0;
    for (uint32_t rest = polygons; rest; rest &= rest - 1) {
        const uint32_t p = uint32_t(__builtin_ctz(rest));
        const uint32_t f = FaceOf(corners[p]);
        const uint32_t fb = mesh_.faceFirst[f], fe = mesh_.faceFirst[f + 1];
        if (fe - fb > kSmallFace) return false;
        for (uint32_t c = fb; c < fe; ++c) {
            const uint32_t u = mesh_.cornerVertex[c];
            if (c == corners[p] || u == a[p] || u == b[p]) continue;
            if (u == v) return false;
            inner[count] = u, owner[count++] = p;
        }
    }
    for (uint32_t i = 0; i < count; ++i) {
        for (uint32_t q = 0; q < k; ++q)
            if (q != owner[i] && (a[q] == inner[i] || b[q] == inner[i])) return false;
        for (uint32_t j = i + 1; j < count; ++j)
            if (owner[j] != owner[i] && inner[j] == inner[i]) return false;
    }
    return true;
}

// The table of shared edges: bit q of share[p] tells whether face q shares
// an edge with face p (every face does with one that holds v twice). Faces
// with a key in common are found through a small open hash of the keys,
// each slot holding the faces with its key as bits; its slots are valid for
// one list only (stamped). The next face is then the lowest remaining bit
// from the search's start on, else the lowest remaining one.
size_t FaceOrderer::OrderLocal(uint32_t v, const uint32_t *corners, size_t k, uint32_t *placed,
                               bool *ring) {
    if (++stamp_ == 0) { // after 2^32 lists: no slot may look current
        for (KeySlot &slot : slots_)
            slot.stamp = 0;
        stamp_ = 1;
    }
    uint32_t face[kLocal], share[kLocal], slotOf[kLocal][kSmallFace], count[kLocal];
    uint32_t large = 0, twice = 0;
    for (size_t p = 0; p < k; ++p) {
        const uint32_t f = face[p] = FaceOf(corners[p]);
        uint32_t keys[kSmallFace];
        const uint32_t n = count[p] = Keys(v, corners[p], keys);
        for (uint32_t i = 0; i < n; ++i) {
            uint32_t s = (keys[i] * 0x9E3779B1u) >> (32 - kSlotBits);
            while (slots_[s].stamp == stamp_ && slots_[s].key != keys[i])
                s = (s + 1) & (kSlots - 1);
            if (slots_[s].stamp != stamp_) slots_[s] = {keys[i], stamp_, 0};
            slots_[s].faces |= 1u << p;
            slotOf[p][i] = s;
        }
        if (!Small(f)) large |= 1u << p;
        if (p > 0 && face[p - 1] == f) twice |= 3u << (p - 1);
    }
    for (size_t p = 0; p < k; ++p) {
        uint32_t m = 0;
        for (uint32_t i = 0; i < count[p]; ++i)
            m |= slots_[slotOf[p][i]].faces;
        share[p] = m;
    }
    // A large face may share a vertex that is not a key of both.
    for (uint32_t rest = large; rest; rest &= rest - 1) {
        const uint32_t p = uint32_t(__builtin_ctz(rest));
        for (uint32_t q = 0; q < k; ++q) {
            if (q == p || (share[p] >> q & 1) || ((large >> q & 1) && q < p)) continue;
            if (ShareVertex(face[p], face[q], v)) share[p] |= 1u << q, share[q] |= 1u << p;
        }
    }
    const uint32_t all = k == 32 ? ~0u : (1u << k) - 1;
    for (uint32_t rest = twice; rest; rest &= rest - 1)
        share[__builtin_ctz(rest)] = all;
    uint32_t done = 1, last = 0, start = 1;
    placed[0] = 0;
    size_t n = 1;
    while (n < k) {
        const uint32_t candidates = share[last] & ~done & all;
        if (!candidates) break;
        const uint32_t later = candidates & (~0u << start);
        const uint32_t next = uint32_t(__builtin_ctz(later ? later : candidates));
        done |= 1u << next;
        placed[n++] = uint32_t(next);
        last = next;
        start = next + 1 < k ? next + 1 : 1;
    }
    if (n > 2) *ring = share[last] & 1;
    return n;
}

inline bool FaceOrderer::ShareListed(uint32_t v, size_t a, size_t b) const {
    for (uint32_t i = keyFirst_[a]; i < keyFirst_[a + 1]; ++i)
        for (uint32_t j = keyFirst_[b]; j < keyFirst_[b + 1]; ++j)
            if (keys_[i] == keys_[j]) return true;
    return ((flags_[a] | flags_[b]) & kLarge) && ShareVertex(face_[a], face_[b], v);
}

size_t FaceOrderer::OrderIndexed(uint32_t v, const uint32_t *corners, size_t k, uint32_t *placed,
                                 bool *ring) {
    // Per position: its face, whether it is large or holds v twice, and its
    // keys (room for kSmallFace more at the end).
    face_.resize(k);
    flags_.resize(k);
    keyFirst_.resize(k + 1);
    keys_.resize(2 * k + kSmallFace);
    uint32_t held = 0;
    for (size_t p = 0; p < k; ++p) {
        const uint32_t f = face_[p] = FaceOf(corners[p]);
        flags_[p] = Small(f) ? 0 : kLarge;
        if (p > 0 && face_[p - 1] == f) flags_[p - 1] |= kTwice, flags_[p] |= kTwice;
        if (keys_.size() < held + kSmallFace) keys_.resize(2 * keys_.size());
        keyFirst_[p] = held;
        held += Keys(v, corners[p], &keys_[held]);
    }
    keyFirst_[k] = held;
    // Most often each face shares an edge with the next one in the list, and
    // the faces are placed in their list order as far as that goes.
    placed[0] = 0;
    size_t n = 1;
    while (n < k && ((flags_[n - 1] & kTwice) || ShareListed(v, n - 1, n)))
        placed[n] = uint32_t(n), ++n;
    if (n < k) {
        placed_.assign(k, 0);
        positionSkip_.resize(k);
        largePositions_.clear();
        for (size_t p = 0; p < k; ++p) {
            placed_[p] = p < n;
            positionSkip_[p] = uint32_t(p + 1);
            if (flags_[p] & kLarge) largePositions_.push_back(uint32_t(p));
        }
        largeSkip_.resize(largePositions_.size());
        for (size_t i = 0; i < largeSkip_.size(); ++i)
            largeSkip_[i] = uint32_t(i + 1);
        indexed_ = false;
        // The remaining faces keep their cyclic order over the positions 1
        // to k - 1; moving the tested ones to the end only moves where the
        // next search starts: after the face just placed.
        size_t last = n - 1, start = n;
        while (n < k) {
            const size_t next = NextIndexed(v, k, last, start);
            if (next >= k) break;
            placed_[next] = 1;
            placed[n++] = uint32_t(next);
            last = next;
            start = next + 1 < k ? next + 1 : 1;
        }
    }
    const size_t last = placed[n - 1];
    if (n > 2) *ring = (flags_[last] & kTwice) || ShareListed(v, last, 0);
    return n;
}

void FaceOrderer::BuildIndex(size_t k) {
    indexed_ = true;
    // Keys into groups through an open hash of at least twice their number.
    const size_t pairs = keyFirst_[k];
    uint32_t bits = 4;
    while ((size_t(1) << bits) < 2 * pairs)
        ++bits;
    hashShift_ = 32 - bits;
    const uint32_t mask = (1u << bits) - 1;
    slotKey_.assign(size_t(1) << bits, kNoGroup);
    slotGroup_.resize(size_t(1) << bits);
    pairGroup_.resize(pairs);
    groupBegin_.clear();
    for (size_t i = 0; i < pairs; ++i) {
        const uint32_t key = keys_[i];
        uint32_t s = (key * 0x9E3779B1u) >> hashShift_;
        while (slotKey_[s] != kNoGroup && slotKey_[s] != key)
            s = (s + 1) & mask;
        if (slotKey_[s] == kNoGroup) {
            slotKey_[s] = key;
            slotGroup_[s] = uint32_t(groupBegin_.size());
            groupBegin_.push_back(0);
        }
        pairGroup_[i] = slotGroup_[s];
        ++groupBegin_[slotGroup_[s]];
    }
    // Counts into starts; the positions placed in their (ascending) order.
    uint32_t sum = 0;
    for (uint32_t &g : groupBegin_) {
        const uint32_t c = g;
        g = sum;
        sum += c;
    }
    groupBegin_.push_back(sum);
    pairPosition_.resize(pairs);
    for (size_t p = 0; p < k; ++p)
        for (uint32_t i = keyFirst_[p]; i < keyFirst_[p + 1]; ++i)
            pairPosition_[groupBegin_[pairGroup_[i]]++] = uint32_t(p);
    for (size_t g = groupBegin_.size() - 1; g > 0; --g)
        groupBegin_[g] = groupBegin_[g - 1];
    groupBegin_[0] = 0;
    pairSkip_.resize(pairs);
    for (size_t i = 0; i < pairs; ++i)
        pairSkip_[i] = uint32_t(i + 1);
}

uint32_t FaceOrderer::Group(uint32_t key) const {
    const uint32_t mask = uint32_t(slotKey_.size() - 1);
    for (uint32_t s = (key * 0x9E3779B1u) >> hashShift_;; s = (s + 1) & mask) {
        if (slotKey_[s] == key) return slotGroup_[s];
        if (slotKey_[s] == kNoGroup) return kNoGroup;
    }
}

// The first index from i below end whose position is not placed yet; the
// skip links walked over are pointed past the placed ones.
size_t FaceOrderer::FirstFree(std::vector<uint32_t> &skip, const uint32_t *at, size_t i,
                              size_t end) {
    size_t r = i;
    while (r < end && placed_[at ? at[r] : r])
        r = skip[r];
    while (i < r) {
        const size_t next = skip[i];
        skip[i] = uint32_t(r);
        i = next;
    }
    return r;
}

size_t FaceOrderer::NextIndexed(uint32_t v, size_t k, size_t last, size_t start) {
    if (flags_[last] & kTwice) { // every face shares an edge with it
        size_t r = FirstFree(positionSkip_, nullptr, start, k);
        if (r >= k) r = FirstFree(positionSkip_, nullptr, 1, k);
        return r;
    }
    // Around most vertices the faces come in their order around it.
    if (!placed_[start] && ShareListed(v, last, start)) return start;
    if (!indexed_) BuildIndex(k);
    // The first face from start on (cyclically) that holds a key of the last
    // one.
    size_t best = k, bestKey = ~size_t(0);
    for (uint32_t i = keyFirst_[last]; i < keyFirst_[last + 1] && bestKey > 0; ++i) {
        const uint32_t g = Group(keys_[i]);
        if (g == kNoGroup) continue;
        const size_t b = groupBegin_[g], e = groupBegin_[g + 1];
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
    // A face before it may still share a vertex that is not a key of both:
    // then one of the two is large. After a small face only the large faces
    // in between are compared, after a large one all.
    const bool lastLarge = flags_[last] & kLarge;
    if (!lastLarge && largePositions_.empty()) return best;
    std::vector<uint32_t> &skip = lastLarge ? positionSkip_ : largeSkip_;
    const uint32_t *at = lastLarge ? nullptr : largePositions_.data(); // null: all positions
    const size_t end = lastLarge ? k : largePositions_.size();
    const size_t from =
        lastLarge ? start : size_t(std::lower_bound(at, at + end, uint32_t(start)) - at);
    for (int pass = 0; pass < 2; ++pass) { // from start on, then from the list's start
        const size_t stop = pass ? from : end;
        for (size_t r = FirstFree(skip, at, pass ? 0 : from, stop); r < stop;
             r = FirstFree(skip, at, r + 1, stop)) {
            const size_t p = at ? at[r] : r;
            if ((p >= start ? p - start : p + k) >= bestKey) return best;
            if (ShareListed(v, last, p)) return p;
        }
    }
    return best;
}

} // namespace pexa::mesh
