// The faces around each vertex of a polygon mesh: the lists in face order,
// built in one pass over the corners, and their order around the vertex by
// shared edges, closed into a ring where the last face meets the first
// (portable).
//
// Two faces share an edge when at least two of the first face's coordinate
// indexes occur in the second. Around a vertex v both faces hold v, so the
// second shares an edge with the first when the first holds v twice or when
// the two have another vertex in common. That test looks at the two faces
// only: small faces compare their vertices pairwise, and a face of more
// than kSmallFace corners is searched in a sorted copy of its vertices, so
// a test costs about the smaller face's size, whatever the other's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace pexa::mesh {

// A polygon mesh as corner arrays: face f has the corners faceFirst[f] ..
// faceFirst[f + 1] - 1; every vertex number is below vertexCount.
struct PolygonView {
    const uint32_t *faceFirst = nullptr;
    const uint32_t *cornerVertex = nullptr;
    const uint32_t *cornerFace = nullptr; // null: all triangles, corner c in face c / 3
    size_t cornerCount = 0;
    size_t vertexCount = 0;
};

// For every vertex its corners in face order (a face that holds the vertex
// twice is listed twice): vertex v has corners[start[v] .. start[v + 1] - 1].
struct VertexCorners {
    std::vector<uint32_t> start;
    std::unique_ptr<uint32_t[]> corners; // every entry written by Build: no zeroing first
    void Build(const PolygonView &mesh); // counts, then places: two linear passes
};

class FaceOrderer {
  public:
    static constexpr uint32_t kSmallFace = 8;

    // Lists of largeFrom faces or more whose faces are small on average are
    // ordered through an index of the vertices they hold instead of by
    // scanning, so that a vertex shared by many faces costs about linear
    // time; both ways give the same order. A list of huge faces is scanned:
    // building its index would cost their whole size at every vertex.
    // around: the faces at each vertex (optional): with it, a small face
    // meeting a large one is looked up among the few faces at its own
    // vertices instead of in the large face's sorted copy.
    explicit FaceOrderer(const PolygonView &mesh, size_t largeFrom = 24,
                         const VertexCorners *around = nullptr);

    // Orders the k corners (in face order) of vertex v around it: the first
    // stays first; then, as long as faces remain, the first of the remaining
    // faces (in their current order) that shares an edge with the last one
    // placed comes next, and the ones tested before it move, in order, to the
    // end of the remaining sequence. The list ends when none shares an edge.
    // Writes the placed corners to placed (room for k) and returns their
    // number; *ring: more than two placed and the last shares an edge with
    // the first. Faces not placed keep their face normals at v.
    size_t Order(uint32_t v, const uint32_t *corners, size_t k, uint32_t *placed, bool *ring);

  private:
    static constexpr size_t kLocal = 32;            // longest list OrderSmall takes
    static constexpr size_t kNotSmall = ~size_t(0); // OrderSmall: a face is too large
    uint32_t FaceOf(uint32_t corner) const {
        return mesh_.cornerFace ? mesh_.cornerFace[corner] : corner / 3;
    }
    size_t OrderSmall(uint32_t v, const uint32_t *corners, size_t k, uint32_t *placed, bool *ring);
    // Whether two faces around v have a vertex other than v in common.
    bool ShareVertex(uint32_t a, uint32_t b, uint32_t v) const;
    // Whether the face of corners[at] holds v twice: such corners are
    // neighbours in a face-ordered list.
    bool HoldsTwice(const uint32_t *corners, size_t k, size_t at) const;
    size_t NextBySearch(uint32_t v, const uint32_t *corners, size_t k, size_t last, size_t start);
    void BuildIndex(uint32_t v, const uint32_t *corners, size_t k);
    size_t NextByIndex(uint32_t v, const uint32_t *corners, size_t k, size_t last, size_t start);
    size_t FirstFree(std::vector<uint32_t> &skip, const uint32_t *at, size_t i, size_t end);

    PolygonView mesh_;
    size_t largeFrom_;
    const VertexCorners *around_;
    // Per corner of the faces above kSmallFace corners: the face's vertices
    // sorted, made on a face's first lookup (empty when there are none).
    const uint32_t *Sorted(uint32_t face) const;
    mutable std::vector<uint32_t> sorted_;
    mutable std::vector<uint8_t> isSorted_; // per face
    std::vector<uint8_t> placed_;           // per position of the list being ordered
    // The index of a large list: (vertex, position) pairs sorted, with lazy
    // skip links past placed positions, per vertex and over all positions.
    std::vector<std::pair<uint32_t, uint32_t>> pairs_;
    std::vector<uint32_t> pairPosition_;
    std::vector<uint32_t> pairSkip_;
    std::vector<uint32_t> groupVertex_;
    std::vector<uint32_t> groupBegin_;
    std::vector<uint32_t> positions_;
    std::vector<uint32_t> positionSkip_;
};

} // namespace pexa::mesh
