// The faces around each vertex of a polygon mesh: the lists in face order,
// built in one pass over the corners, and their order around the vertex by
// shared edges, closed into a ring where the last face meets the first
// (portable).
//
// Two faces share an edge when at least two of the first face's coordinate
// indexes occur in the second. Around a vertex v both faces hold v, so the
// second shares an edge with the first when the first holds v twice or when
// the two have another vertex in common.
//
// Each face at v is known by its keys: all its vertices other than v when
// it has at most kSmallFace corners, else only its two neighbours of v (the
// ends of its edges at v). Faces with a key in common share an edge. Two
// small faces without one share nothing; where a large face takes part, the
// two faces themselves are compared (a sorted copy of the large face, made
// on first use, or the few faces at a vertex of the small one), which the
// keys spare in nearly every mesh: neighbours around a vertex meet at an
// edge.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
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
    static constexpr size_t kLocal = 32; // longest list ordered through a table of shared edges

    // Lists of up to kLocal faces are ordered through a table of which of
    // them share edges, longer ones (and, for tests, all from indexedFrom
    // faces on) through an index from keys to the faces holding them, built
    // only when the face after the last placed one does not share an edge
    // with it. Both ways give the same order, in about linear time.
    FaceOrderer(const PolygonView &mesh, const VertexCorners &around,
                size_t indexedFrom = kLocal + 1);

    // Orders the k corners (in face order) of vertex v around it: the first
    // stays first; then, as long as faces remain, the first of the remaining
    // faces (in their current order) that shares an edge with the last one
    // placed comes next, and the ones tested before it move, in order, to the
    // end of the remaining sequence. The list ends when none shares an edge.
    // Writes the positions in corners of the placed ones to placed (room for
    // k) and returns their number; *ring: more than two placed and the last shares an edge with
    // the first. Faces not placed keep their face normals at v.
    size_t Order(uint32_t v, const uint32_t *corners, size_t k, uint32_t *placed, bool *ring);

  private:
    uint32_t FaceOf(uint32_t corner) const {
        return mesh_.cornerFace ? mesh_.cornerFace[corner] : corner / 3;
    }
    bool Small(uint32_t face) const {
        return mesh_.faceFirst[face + 1] - mesh_.faceFirst[face] <= kSmallFace;
    }
    // The keys of the face of corner (at v) into keys (room for kSmallFace);
    // returns their number.
    uint32_t Keys(uint32_t v, uint32_t corner, uint32_t *keys) const;
    // Whether two faces around v have a vertex other than v in common.
    bool ShareVertex(uint32_t a, uint32_t b, uint32_t v) const;
    size_t OrderCycle(uint32_t v, const uint32_t *corners, size_t k, uint32_t *placed, bool *ring);
    bool OnlyCycleKeys(uint32_t v, const uint32_t *corners, size_t k, const uint32_t *a,
                       const uint32_t *b, uint32_t polygons) const;
    size_t OrderLocal(uint32_t v, const uint32_t *corners, size_t k, uint32_t *placed, bool *ring);
    size_t OrderIndexed(uint32_t v, const uint32_t *corners, size_t k, uint32_t *placed,
                        bool *ring);
    size_t NextIndexed(uint32_t v, size_t k, size_t last, size_t start);
    // Whether the faces at two positions of the list being ordered share an
    // edge (the first's holding v twice aside).
    bool ShareListed(uint32_t v, size_t a, size_t b) const;
    void BuildIndex(size_t k);
    uint32_t Group(uint32_t key) const; // kNoGroup when no face holds the key
    // at: the positions the skip links run over (null: all).
    size_t FirstFree(std::vector<uint32_t> &skip, const uint32_t *at, size_t i, size_t end);

    PolygonView mesh_;
    const VertexCorners &around_;
    size_t indexedFrom_;
    // Per corner of the faces above kSmallFace corners: the face's vertices
    // sorted, made on a face's first lookup.
    const uint32_t *Sorted(uint32_t face) const;
    mutable std::unique_ptr<uint32_t[]> sorted_;
    mutable std::vector<uint8_t> isSorted_; // per face

    // The key hash of OrderLocal: room for kLocal faces of kSmallFace keys.
    static constexpr uint32_t kSlotBits = 9, kSlots = 1u << kSlotBits;
    struct KeySlot {
        uint32_t key, stamp, faces;
    };
    KeySlot slots_[kSlots] = {};
    uint32_t stamp_ = 0;

    // The list being ordered by the index: per position its face, flags and
    // keys; which positions are placed, skip links past placed positions
    // over all positions and over those of large faces, and the index
    // itself: per key (found through an open hash) the positions of the
    // faces holding it, ascending, with skip links of their own.
    static constexpr uint32_t kNoGroup = ~0u;
    static constexpr uint8_t kLarge = 1, kTwice = 2;
    std::vector<uint32_t> face_, keyFirst_, keys_;
    std::vector<uint8_t> flags_;
    std::vector<uint8_t> placed_;
    std::vector<uint32_t> positionSkip_;
    std::vector<uint32_t> largePositions_, largeSkip_;
    bool indexed_ = false;
    std::vector<uint32_t> pairPosition_, pairGroup_, pairSkip_;
    std::vector<uint32_t> slotKey_, slotGroup_, groupBegin_;
    uint32_t hashShift_ = 0;
};

} // namespace pexa::mesh
