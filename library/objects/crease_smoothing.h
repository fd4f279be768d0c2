// Crease-angle smoothing shared by the elevation grid and the indexed face
// set: the smoothing groups along the faces around one vertex, each group
// getting the normalised sum of its face normals as a normal of its own
// (portable).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pexa::mesh {

// Faces are smooth across their shared edge when the dot product of their
// normals is greater than this cosine of the crease angle (degrees).
float CreaseCosine(float creaseAngle);

// Writes the smoothing groups of one vertex at a time into a normal table.
// The table starts with one face normal per face (entry f is face f's), and
// cornerNormal[c] refers to an entry of it for every corner c; the smoother
// appends one entry per group and points the group's corners at it.
class CreaseSmoother {
  public:
    // cornerFace: the face of each corner, or null when face f owns corners
    // 3f to 3f + 2 (triangles only).
    CreaseSmoother(std::vector<float> &normals, uint32_t *cornerNormal, const uint32_t *cornerFace,
                   float cosine)
        : normals_(normals), cornerNormal_(cornerNormal), cornerFace_(cornerFace), cosine_(cosine),
          firstGroup_(normals.size() / 3) {}

    // list: the count corners at one vertex in face order; order: n of
    // their positions in list, one per face in their order around the vertex;
    // ring: after the last face comes the first again.
    //
    // The walk goes from the first face along the order, growing a group
    // while the next face is smooth with the current one and is not the
    // group's first face. A group of two faces or more gets its normal when
    // it ends: the normalised sum of its face normals, added in face order
    // from zero (as a plain per-corner builder adds them), so that the
    // normal does not depend on where around the vertex the order starts. A
    // later group covering a face again overrides it; a face alone keeps its
    // face normal. An open order ends at its last face. A ring ends where a
    // group comes back to its first face, at the last face, or, when a group
    // runs on past the last face, where that group ends.
    void Smooth(const uint32_t *list, size_t count, const uint32_t *order, size_t n, bool ring);

    // Normalises the normals of the groups written since the last call (or
    // the start); their sums until then.
    void Finish();

  private:
    uint32_t FaceOf(uint32_t corner) const {
        return cornerFace_ ? cornerFace_[corner] : corner / 3;
    }
    // The group of order[first] to order[last] (cyclically).
    void CloseGroup(const uint32_t *list, size_t count, const uint32_t *order, size_t n,
                    size_t first, size_t last);

    std::vector<float> &normals_;
    uint32_t *cornerNormal_;
    const uint32_t *cornerFace_;
    float cosine_;
    size_t firstGroup_;            // the entry of the first group not normalised yet
    std::vector<size_t> normalAt_; // per position of the list: where its face normal is
    std::vector<uint8_t> smooth_;  // per face of a long order: smooth with the next one
    std::vector<uint32_t> group_;  // the positions of a long group, sorted
};

} // namespace pexa::mesh
