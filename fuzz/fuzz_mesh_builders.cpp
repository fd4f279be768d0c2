// Fuzzes the mesh builders: the setting checks of ElevationGrid and
// IndexedFaceSet with random counts (negative ones included), indexes,
// coordinates, crease angles and failing allocations, then every build of
// what was accepted. Each drawing must stay inside its tables, split faces
// into triangles of their own corners and carry finite computed normals, and
// the face set's ways of ordering the faces around a vertex must agree.
//
// Input: a mode byte (bit 0: face set, bit 1: colours per vertex, bit 2:
// normals per vertex, bit 3: colours, bit 4: normals, bit 5: index arrays,
// bit 6: raw float coordinates), the copy that fails (0xFF: none), a crease
// angle (4 bytes), then the sizes and the values, taken from the rest and
// repeated as far as needed.
#include "objects/elevation_grid_mesh.h"
#include "objects/face_set_mesh.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

using namespace pexa::mesh;

class Bytes {
  public:
    Bytes(const uint8_t *data, size_t size) : data_(data), size_(size) {}
    uint8_t Byte() { return size_ ? data_[at_++ % size_] : 0; }
    int8_t Small() { return int8_t(Byte()); }
    float Float(bool raw) {
        if (!raw) return Small() / 8.0f; // coarse: many repeated and collinear points
        uint32_t bits = 0;
        for (int i = 0; i < 4; ++i)
            bits = bits << 8 | Byte();
        float f;
        std::memcpy(&f, &bits, 4);
        return f;
    }
    std::vector<float> Floats(int count, bool raw) {
        std::vector<float> v(count > 0 ? size_t(count) : 1);
        for (float &f : v)
            f = Float(raw);
        return v;
    }
    std::vector<int> Ints(int count) {
        std::vector<int> v(count > 0 ? size_t(count) : 1);
        for (int &i : v)
            i = Small() % 12 == 0 ? -1 : Small();
        return v;
    }

  private:
    const uint8_t *data_;
    size_t size_;
    size_t at_ = 0;
};

void Require(bool ok) {
    if (!ok) __builtin_trap();
}

// Every index of the drawing inside its table; computed normals finite.
void Check(const MeshDrawing &d, size_t positions, size_t colours, size_t normals, bool computed) {
    Require(d.faceFirst.size() >= 1 && d.faceFirst[0] == 0);
    Require(d.faceFirst.back() == d.cornerVertex.size());
    for (size_t f = 0; f < d.faceCount(); ++f)
        Require(d.faceFirst[f] < d.faceFirst[f + 1]);
    if (computed) normals = d.ownNormals.size() / 3;
    auto inside = [](const std::vector<uint32_t> &v, size_t limit) {
        for (uint32_t i : v)
            Require(i == kNone || i < limit);
    };
    inside(d.cornerVertex, positions);
    inside(d.faceColour, colours);
    inside(d.cornerColour, colours);
    inside(d.faceNormal, normals);
    inside(d.cornerNormal, normals);
    // Faces split into triangles: ascending, each into n - 2 triangles of
    // its own corners.
    Require(d.splitFirst.size() == d.splitFace.size() + 1 && d.splitFirst[0] == 0);
    Require(d.splitFirst.back() == d.splitCorners.size());
    for (size_t i = 0; i < d.splitFace.size(); ++i) {
        const uint32_t f = d.splitFace[i];
        Require(f < d.faceCount() && (i == 0 || d.splitFace[i - 1] < f));
        const uint32_t b = d.faceFirst[f], e = d.faceFirst[f + 1];
        Require(e - b > 3 && d.splitFirst[i + 1] - d.splitFirst[i] == 3 * (e - b - 2));
        for (uint32_t k = d.splitFirst[i]; k < d.splitFirst[i + 1]; ++k)
            Require(d.splitCorners[k] >= b && d.splitCorners[k] < e);
    }
    if (d.colourByVertex) Require(positions <= colours);
    if (d.normalByVertex) Require(positions <= normals);
    if (computed)
        for (float x : d.ownNormals)
            Require(std::isfinite(x));
}

void FuzzGrid(Bytes &in, uint8_t mode, int failAt, float crease) {
    const int x = in.Small() % 40, z = in.Small() % 40;
    GridInput g;
    g.xDimension = x, g.zDimension = z;
    g.xSpacing = in.Float(mode & 64), g.zSpacing = in.Float(mode & 64);
    const int points = x > 0 && z > 0 ? x * z : 0;
    const std::vector<float> heights = in.Floats(points, mode & 64);
    const std::vector<float> colours = in.Floats(3 * points, false);
    const std::vector<float> normals = in.Floats(3 * points, true);
    g.heights = heights.data();
    g.creaseAngle = crease;
    g.colorPerVertex = mode & 2, g.normalPerVertex = mode & 4;
    if (mode & 8) g.colours = colours.data();
    if (mode & 16) g.normals = normals.data();
    GridData data;
    if (SetGrid(data, g, ArrayCopier(failAt)) != GridStatus::kOk) {
        Require(data.heights.empty());
        return;
    }
    const size_t cells = size_t(x - 1) * size_t(z - 1);
    for (bool smooth : {false, true}) {
        MeshDrawing d;
        Require(BuildGrid(data, smooth, d));
        const bool computed = !smooth || !data.hasNormals;
        Check(d, size_t(points), data.colorPerVertex ? points : cells,
              data.normalPerVertex ? points : cells, computed);
    }
}

void FuzzFaceSet(Bytes &in, uint8_t mode, int failAt, float crease) {
    FaceSetInput s;
    s.coordCount = in.Small();
    s.coordIndexCount = in.Small() * 2;
    s.colourCount = in.Small(), s.colourIndexCount = in.Small() * 2;
    s.normalCount = in.Small(), s.normalIndexCount = in.Small() * 2;
    const std::vector<float> coords = in.Floats(3 * s.coordCount, mode & 64);
    const std::vector<int> index = in.Ints(s.coordIndexCount);
    const std::vector<float> colours = in.Floats(3 * s.colourCount, false);
    const std::vector<int> colourIndex = in.Ints(s.colourIndexCount);
    const std::vector<float> normals = in.Floats(3 * s.normalCount, true);
    const std::vector<int> normalIndex = in.Ints(s.normalIndexCount);
    s.coords = coords.data(), s.coordIndex = index.data();
    s.creaseAngle = crease;
    s.colorPerVertex = mode & 2, s.normalPerVertex = mode & 4;
    if (mode & 8) s.colours = colours.data();
    if (mode & 16) s.normals = normals.data();
    if (mode & 32) s.colourIndex = colourIndex.data(), s.normalIndex = normalIndex.data();
    FaceSetData data;
    if (SetFaceSet(data, s, ArrayCopier(failAt)) != FaceSetStatus::kOk) {
        Require(data.coords.empty() && data.coordIndex.empty());
        return;
    }
    for (bool smooth : {false, true}) {
        MeshDrawing d;
        Require(BuildFaceSet(data, smooth, d));
        const bool computed = !smooth || data.normals.empty();
        Check(d, size_t(data.coordCount), size_t(data.colourCount), size_t(data.normalCount),
              computed);
        if (!smooth || !computed) continue;
        // Ordering every list through the index gives the order of the fast
        // ways (cycles of faces, the table of short lists), and so the very
        // same normals.
        {
            MeshDrawing other;
            BuildFaceSet(data, true, other, 1);
            Require(other.cornerNormal == d.cornerNormal);
            Require(other.ownNormals.size() == d.ownNormals.size());
            Require(std::memcmp(other.ownNormals.data(), d.ownNormals.data(),
                                d.ownNormals.size() * sizeof(float)) == 0);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 6) return 0;
    const uint8_t mode = data[0];
    const int failAt = data[1] == 0xFF ? -1 : data[1] % 8;
    float crease;
    std::memcpy(&crease, data + 2, 4);
    Bytes in(data + 6, size - 6);
    if (mode & 1)
        FuzzFaceSet(in, mode, failAt, crease);
    else
        FuzzGrid(in, mode, failAt, crease);
    return 0;
}
