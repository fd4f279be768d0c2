// What a mesh object records into its display list, as plain arrays: the
// portable builders of the elevation grid and the indexed face set fill a
// MeshDrawing, and the OpenGL side records it with one loop over the faces.
// Also the copying of the caller's arrays that both objects share, with
// allocation failure as a result instead of an exception (portable).
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <new>
#include <stdexcept>
#include <vector>

namespace pexa::mesh {

// An absent per-face or per-corner attribute: nothing is sent for it, so the
// one sent before stays in effect.
constexpr uint32_t kNone = 0xFFFFFFFFu;

// Shade model commands recorded before and after the faces.
enum class ShadeModel { kKeep, kSmooth, kFlat };

struct MeshDrawing {
    // One glBegin/glEnd around all faces (triangles only), or one per face.
    bool oneBegin = false;
    // Faces are GL_POLYGON (face sets) rather than GL_TRIANGLES (grids).
    bool polygons = false;
    ShadeModel shadeFirst = ShadeModel::kKeep;
    ShadeModel shadeLast = ShadeModel::kKeep;

    // Tables the indexes below point into (3 floats per entry): the object's
    // own arrays, or when null what the build computed (own*).
    const float *positions = nullptr;
    const float *normals = nullptr;
    const float *colours = nullptr;
    std::vector<float> ownPositions;
    std::vector<float> ownNormals;
    const float *PositionTable() const { return positions ? positions : ownPositions.data(); }
    const float *NormalTable() const { return normals ? normals : ownNormals.data(); }

    // Face f has the corners faceFirst[f] .. faceFirst[f + 1] - 1.
    std::vector<uint32_t> faceFirst{0};
    std::vector<uint32_t> cornerVertex;
    // Empty vectors: the attribute is not sent at all.
    std::vector<uint32_t> faceColour; // sent right after the face's glBegin
    std::vector<uint32_t> faceNormal; // after the face colour
    std::vector<uint32_t> cornerColour;
    std::vector<uint32_t> cornerNormal;
    // The corner's vertex number is also its colour (normal) number; the
    // vector above then stays empty.
    bool colourByVertex = false;
    bool normalByVertex = false;
    // Faces drawn as triangles rather than as one polygon (those that are
    // not convex), ascending: face splitFace[i] is drawn as the triangles of
    // the corners splitCorners[splitFirst[i] .. splitFirst[i + 1] - 1],
    // three at a time, with the attributes of those corners.
    std::vector<uint32_t> splitFace;
    std::vector<uint32_t> splitFirst{0};
    std::vector<uint32_t> splitCorners;

    size_t faceCount() const { return faceFirst.size() - 1; }
};

// Copies of the caller's arrays. A count that is negative, does not fit the
// address space, or cannot be allocated is an allocation failure, which is
// how such a request fails anyway. failAt lets tests and the fuzzer make the
// n-th copy (counted from 0) fail as if memory had run out.
class ArrayCopier {
  public:
    explicit ArrayCopier(int failAt = -1) : failAt_(failAt) {}

    // Sizes to the count (uninitialised use is the caller's to avoid).
    template <class T> bool Allocate(std::vector<T> &to, long long count) {
        to.clear();
        if (made_++ == failAt_ || count < 0) return false;
        if (uint64_t(count) > std::numeric_limits<size_t>::max() / sizeof(T) / 2) return false;
        try {
            to.resize(size_t(count));
        } catch (const std::bad_alloc &) {
            return false;
        } catch (const std::length_error &) {
            return false;
        }
        return true;
    }
    template <class T> bool Copy(std::vector<T> &to, const T *from, long long count) {
        if (!Allocate(to, count)) return false;
        std::copy(from, from + to.size(), to.begin());
        return true;
    }

  private:
    int failAt_;
    int made_ = 0;
};

} // namespace pexa::mesh
