// The order of the faces around each vertex against the rule written out
// plainly (every remaining face tested against the last placed one by its
// vertex lists), on random meshes of triangles, quads, huge polygons and
// faces that hold a vertex twice, by both of the orderer's ways.
#include "objects/face_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace pexa::mesh;

// The rule: the first face first; then the first remaining face (cyclic,
// from behind the last placed one) that shares an edge with the last placed
// one; a ring when more than two are placed and the last shares with the
// first.
std::vector<uint32_t> Plain(const PolygonView &m, uint32_t v, const uint32_t *corners, size_t k,
                            bool *ring) {
    auto face = [&](size_t at) { return m.cornerFace[corners[at]]; };
    auto twice = [&](size_t at) {
        return (at > 0 && face(at - 1) == face(at)) || (at + 1 < k && face(at + 1) == face(at));
    };
    auto shares = [&](size_t a, size_t b) {
        if (twice(a)) return true;
        for (uint32_t i = m.faceFirst[face(a)]; i < m.faceFirst[face(a) + 1]; ++i)
            for (uint32_t j = m.faceFirst[face(b)]; j < m.faceFirst[face(b) + 1]; ++j)
                if (m.cornerVertex[i] != v && m.cornerVertex[i] == m.cornerVertex[j]) return true;
        return false;
    };
    std::vector<uint32_t> placed{corners[0]};
    std::vector<bool> done(k);
    done[0] = true;
    size_t last = 0, start = 1;
    for (bool found = k > 1; found;) {
        found = false;
        for (size_t t = 0; t + 1 < k && !found; ++t) {
            const size_t at = start + t >= k ? start + t - (k - 1) : start + t;
            if (done[at] || !shares(last, at)) continue;
            done[at] = found = true;
            placed.push_back(corners[at]);
            last = at;
            start = at + 1 < k ? at + 1 : 1;
        }
    }
    *ring = placed.size() > 2 && shares(last, 0);
    return placed;
}

// Every vertex of the mesh ordered by both ways, against the rule; a mesh of
// triangles also without its corner-face table.
void ExpectTheRule(const std::vector<uint32_t> &first, const std::vector<uint32_t> &vertex,
                   uint32_t vertices, const std::string &what) {
    std::vector<uint32_t> faceOf;
    for (uint32_t f = 0; f + 1 < first.size(); ++f)
        faceOf.insert(faceOf.end(), first[f + 1] - first[f], f);
    const PolygonView mesh{first.data(), vertex.data(), faceOf.data(), vertex.size(), vertices};
    VertexCorners around;
    around.Build(mesh);
    PolygonView triangles = mesh;
    triangles.cornerFace = nullptr;
    const bool allTriangles = vertex.size() == 3 * (first.size() - 1);
    for (const PolygonView &m : {mesh, triangles}) {
        if (!m.cornerFace && !allTriangles) continue;
        for (size_t indexedFrom : {size_t(1), FaceOrderer::kLocal + 1}) {
            FaceOrderer orderer(m, around, indexedFrom);
            for (uint32_t v = 0; v < vertices; ++v) {
                const uint32_t *corners = &around.corners[around.start[v]];
                const size_t k = around.start[v + 1] - around.start[v];
                if (k == 0) continue;
                std::vector<uint32_t> placed(k);
                bool ring = false, plainRing = false;
                placed.resize(orderer.Order(v, corners, k, placed.data(), &ring));
                for (uint32_t &p : placed)
                    p = corners[p];
                ASSERT_EQ(placed, Plain(mesh, v, corners, k, &plainRing))
                    << what << " " << v << " from " << indexedFrom << " tri " << !m.cornerFace;
                ASSERT_EQ(ring, plainRing) << what << " " << v;
            }
        }
    }
}

TEST(FaceOrderer, FollowsTheRuleOnRandomMeshes) {
    std::mt19937 rng(25);
    for (int round = 0; round < 40; ++round) {
        const uint32_t vertices = 6 + rng() % 30;
        std::vector<uint32_t> first{0}, vertex;
        for (int f = 0, faces = 5 + int(rng() % 60); f < faces; ++f) {
            const uint32_t size = rng() % 5 == 0 ? 9 + rng() % 30 : 3 + rng() % 2;
            for (uint32_t i = 0; i < size; ++i) {
                const bool again = i > 0 && rng() % 9 == 0; // a vertex twice
                vertex.push_back(again ? vertex.back() : uint32_t(rng() % vertices));
            }
            first.push_back(uint32_t(vertex.size()));
        }
        ExpectTheRule(first, vertex, vertices, "random " + std::to_string(round));
    }
}

// Closed triangle surfaces (a torus of w x h quads) in shuffled face order,
// with faults: faces turned over, twice, left out, or holding a vertex twice.
TEST(FaceOrderer, FollowsTheRuleOnTriangleSurfaces) {
    std::mt19937 rng(22);
    for (int round = 0; round < 40; ++round) {
        const uint32_t w = 3 + rng() % 5, h = 3 + rng() % 5;
        std::vector<std::vector<uint32_t>> faces;
        for (uint32_t j = 0; j < h; ++j)
            for (uint32_t i = 0; i < w; ++i) {
                const uint32_t a = j * w + i, b = j * w + (i + 1) % w;
                const uint32_t c = (j + 1) % h * w + i, d = (j + 1) % h * w + (i + 1) % w;
                for (std::vector<uint32_t> t : {std::vector<uint32_t>{a, b, d}, {a, d, c}}) {
                    const uint32_t fault = round < 10 ? 99 : rng() % 24;
                    if (fault == 0) continue;
                    if (fault == 1) std::swap(t[1], t[2]);
                    if (fault == 2) t[2] = t[0];
                    faces.push_back(t);
                    if (fault == 3) faces.push_back(t);
                }
            }
        std::shuffle(faces.begin(), faces.end(), rng);
        std::vector<uint32_t> first{0}, vertex;
        for (const std::vector<uint32_t> &t : faces) {
            vertex.insert(vertex.end(), t.begin(), t.end());
            first.push_back(uint32_t(vertex.size()));
        }
        ExpectTheRule(first, vertex, w * h, "surface " + std::to_string(round));
    }
}

} // namespace
