// Mesh builders of the elevation grid and the indexed face set: the texts of
// the setting checks in order, the faces around grid points, the crease
// smoothing on grids, closed and open meshes, and attribute lookup.
#include "objects/crease_smoothing.h"
#include "objects/elevation_grid_mesh.h"
#include "objects/face_set_mesh.h"
#include "objects/geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

using namespace pexa::mesh;
using Vec = std::vector<float>;
const double kPi = 3.14159265358979323846;

Vec Normal(const MeshDrawing &d, uint32_t index) {
    const float *n = d.NormalTable() + 3 * size_t(index);
    return {n[0], n[1], n[2]};
}
Vec CornerNormal(const MeshDrawing &d, uint32_t corner) {
    return Normal(d, d.cornerNormal[corner]);
}
Vec FaceNormalOf(const MeshDrawing &d, size_t f) {
    const float *p = d.PositionTable();
    const uint32_t *v = &d.cornerVertex[d.faceFirst[f]];
    Vec n(3);
    pexa::TriangleNormal(p + 3 * v[0], p + 3 * v[1], p + 3 * v[2], n.data());
    return n;
}
Vec Unit(Vec v) {
    const double l = std::sqrt(double(v[0]) * v[0] + double(v[1]) * v[1] + double(v[2]) * v[2]);
    return {float(v[0] / l), float(v[1] / l), float(v[2] / l)};
}
Vec Sum(const std::vector<Vec> &vs) {
    Vec s(3, 0);
    for (const Vec &v : vs)
        for (int i = 0; i < 3; ++i)
            s[i] += v[i];
    return s;
}
void ExpectNear(const Vec &a, const Vec &b, const std::string &what) {
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(a[i], b[i], 1e-5) << what << " component " << i;
}

// A gently curved grid: heights 0.05 (x^2 + z^2) over unit spacing.
GridData CurvedGrid(int x, int z, float crease) {
    Vec h(size_t(x) * z);
    for (int j = 0; j < z; ++j)
        for (int i = 0; i < x; ++i)
            h[size_t(j) * x + i] = 0.05f * float(i * i + j * j);
    GridInput in;
    in.xDimension = x, in.zDimension = z, in.xSpacing = 1, in.zSpacing = 1;
    in.heights = h.data();
    in.creaseAngle = crease;
    GridData data;
    EXPECT_EQ(SetGrid(data, in), GridStatus::kOk);
    return data;
}

TEST(GridMesh, SettingTextsInOrder) {
    float h[16] = {}, c[48] = {};
    struct Case {
        int x, z;
        float xs, zs;
        const float *heights, *colours, *normals;
        int failAt;
        const char *text;
    } cases[] = {
        {2, 2, 1, 1, h, c, c, -1, nullptr},
        {2, 2, 1, 1, nullptr, c, c, -1, "Invalid input parameter(s)"},
        {2, 2, 0, 1, h, c, c, -1, "Invalid input parameter(s)"},
        {2, 2, 1, NAN, h, c, c, -1, "Invalid input parameter(s)"},
        {1, 3, 1, 1, h, c, c, -1, "Invalid input parameter(s)"},
        {-2, -2, 1, 1, h, c, c, -1, "Invalid input parameter(s)"},
        {1, 4, 1, 1, h, c, c, -1, nullptr},
        {100000, 100000, 1, 1, h, c, c, -1, "Allocation of height array failed"},
        {2, 2, 1, 1, h, c, c, 0, "Allocation of height array failed"},
        {2, 2, 1, 1, h, c, c, 1, "Allocation of array col failed"},
        {2, 2, 1, 1, h, c, c, 2, "Allocation of normal array failed"},
        {2, 2, 1, 1, h, nullptr, c, 1, "Allocation of normal array failed"},
    };
    for (const Case &k : cases) {
        GridInput in;
        in.xDimension = k.x, in.zDimension = k.z, in.xSpacing = k.xs, in.zSpacing = k.zs;
        in.heights = k.heights, in.colours = k.colours, in.normals = k.normals;
        GridData data;
        const char *text = GridStatusText(SetGrid(data, in, ArrayCopier(k.failAt)));
        EXPECT_STREQ(text, k.text) << k.x << " x " << k.z << " failAt " << k.failAt;
        EXPECT_EQ(data.heights.empty(), text != nullptr);
    }
}

// The faces around grid points of a 3 x 3 grid (2 x 2 cells): rings inside,
// open lists from the face after the missing ones at the border.
TEST(GridMesh, FacesAroundPointsAreRingsInsideAndOpenListsAtTheBorder) {
    auto A = [](int i, int j) { return 2u * uint32_t(j * 2 + i); };
    auto B = [&](int i, int j) { return A(i, j) + 1; };
    struct Case {
        int i, j;
        std::vector<uint32_t> faces;
        bool ring;
    } cases[] = {
        {1, 1, {A(0, 1), B(0, 1), A(1, 1), B(1, 0), A(1, 0), B(0, 0)}, true},
        {0, 0, {A(0, 0)}, false},
        {0, 2, {B(0, 1), A(0, 1)}, false},
        {0, 1, {A(0, 1), B(0, 0), A(0, 0)}, false},
        {2, 0, {A(1, 0), B(1, 0)}, false},
        {2, 2, {B(1, 1)}, false},
        {2, 1, {B(1, 0), A(1, 1), B(1, 1)}, false},
        {1, 0, {A(0, 0), B(0, 0), A(1, 0)}, false},
        {1, 2, {B(1, 1), A(1, 1), B(0, 1)}, false},
    };
    MeshDrawing d;
    ASSERT_TRUE(BuildGrid(CurvedGrid(3, 3, 90), true, d));
    for (const Case &k : cases) {
        uint32_t corners[6];
        bool ring = !k.ring;
        const int n = GridPointCorners(3, 3, k.i, k.j, corners, &ring);
        std::vector<uint32_t> faces;
        for (int t = 0; t < n; ++t) {
            faces.push_back(corners[t] / 3);
            EXPECT_EQ(d.cornerVertex[corners[t]], uint32_t(3 * k.j + k.i)) << "the point's corner";
        }
        EXPECT_EQ(faces, k.faces) << "point " << k.i << ", " << k.j;
        EXPECT_EQ(ring, k.ring) << "point " << k.i << ", " << k.j;
    }
}

TEST(GridMesh, CreaseZeroKeepsFaceNormalsAndNinetyAveragesTheSixFaces) {
    MeshDrawing flatLooking, smooth;
    ASSERT_TRUE(BuildGrid(CurvedGrid(5, 4, 0), true, flatLooking));
    for (uint32_t c = 0; c < flatLooking.cornerVertex.size(); ++c)
        ExpectNear(CornerNormal(flatLooking, c), FaceNormalOf(flatLooking, c / 3), "crease 0");

    ASSERT_TRUE(BuildGrid(CurvedGrid(5, 4, 90), true, smooth));
    EXPECT_FALSE(smooth.oneBegin);
    EXPECT_EQ(smooth.shadeFirst, ShadeModel::kKeep);
    for (int j = 1; j < 3; ++j) {
        for (int i = 1; i < 4; ++i) {
            uint32_t corners[6];
            bool ring;
            ASSERT_EQ(GridPointCorners(5, 4, i, j, corners, &ring), 6);
            std::vector<Vec> six;
            for (uint32_t c : corners)
                six.push_back(FaceNormalOf(smooth, c / 3));
            for (uint32_t c : corners) {
                EXPECT_EQ(smooth.cornerVertex[c], uint32_t(j * 5 + i));
                ExpectNear(CornerNormal(smooth, c), Unit(Sum(six)), "interior point");
            }
        }
    }
}

// The walk of the smoothing groups: on a ring a group running past the last
// face takes over the first ones; an open list ends at its last face.
TEST(CreaseSmoothing, RingsAgainstOpenLists) {
    // Faces 0 to 5, creases between 1 and 2 and between 4 and 5.
    const float tilt[6] = {0, 0.1f, 1.2f, 1.3f, 1.4f, 0.05f};
    std::vector<float> normals;
    for (float t : tilt)
        normals.insert(normals.end(), {std::sin(t), std::cos(t), 0});
    const uint32_t corners[6] = {0, 3, 6, 9, 12, 15}; // corner 3f of triangle f
    for (bool ring : {true, false}) {
        std::vector<float> table = normals;
        std::vector<uint32_t> cornerNormal(18);
        for (uint32_t c = 0; c < 18; ++c)
            cornerNormal[c] = c / 3;
        CreaseSmoother(table, cornerNormal.data(), nullptr, CreaseCosine(30))
            .Smooth(corners, 6, ring);
        auto at = [&](int f) {
            const float *n = &table[3 * size_t(cornerNormal[3 * f])];
            return Vec{n[0], n[1], n[2]};
        };
        auto face = [&](int f) {
            return Vec{normals[3 * f], normals[3 * f + 1], normals[3 * f + 2]};
        };
        // On the ring the group of 5 runs on over 0 and 1; the open list
        // ends with 5 alone.
        const std::vector<std::vector<int>> groups =
            ring ? std::vector<std::vector<int>>{{2, 3, 4}, {5, 0, 1}}
                 : std::vector<std::vector<int>>{{0, 1}, {2, 3, 4}, {5}};
        for (const std::vector<int> &group : groups) {
            std::vector<Vec> members;
            for (int f : group)
                members.push_back(face(f));
            for (int f : group)
                ExpectNear(at(f), Unit(Sum(members)), ring ? "ring" : "open list");
        }
    }
}

// Per-cell colours and normals are sent once per cell, with its A face.
TEST(GridMesh, FlatAndSuppliedNormalBuilds) {
    float h[6] = {}, cellColours[6] = {1, 0, 0, 0, 1, 0}, cellNormals[6] = {0, 1, 0, 1, 0, 0};
    GridInput in;
    in.xDimension = 3, in.zDimension = 2, in.xSpacing = 1, in.zSpacing = 2;
    in.heights = h, in.colours = cellColours, in.normals = cellNormals;
    GridData data;
    ASSERT_EQ(SetGrid(data, in), GridStatus::kOk);
    MeshDrawing flat, supplied;
    ASSERT_TRUE(BuildGrid(data, false, flat));
    ASSERT_TRUE(BuildGrid(data, true, supplied));
    EXPECT_EQ(flat.faceColour, (std::vector<uint32_t>{0, kNone, 1, kNone}));
    EXPECT_EQ(flat.faceNormal, (std::vector<uint32_t>{0, 1, 2, 3}));
    ExpectNear(Normal(flat, 3), {0, 1, 0}, "flat grids face +y");
    EXPECT_EQ(supplied.faceNormal, (std::vector<uint32_t>{0, kNone, 1, kNone}));
    EXPECT_EQ(supplied.NormalTable(), data.normals.data());
}

// --- Indexed face sets ---

struct FaceSet {
    Vec coords;
    std::vector<int> index;
    FaceSetInput Input() const {
        FaceSetInput in;
        in.coords = coords.data(), in.coordCount = int(coords.size() / 3);
        in.coordIndex = index.data(), in.coordIndexCount = int(index.size());
        return in;
    }
};

// Every copy that fails gives its own text, in the order of the copies
// (the other texts are checked through the DLL).
TEST(FaceSetMesh, AllocationTextsInOrder) {
    FaceSet square{{0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0}, {0, 1, 2, -1, 0, 2, 3, -1}};
    float two[6] = {1, 0, 0, 0, 1, 0};
    int perFace[2] = {0, 1};
    FaceSetInput in = square.Input();
    in.colours = in.normals = two;
    in.colourCount = in.normalCount = 2;
    in.colourIndex = in.normalIndex = perFace;
    in.colourIndexCount = in.normalIndexCount = 2;
    std::vector<std::string> texts;
    for (int failAt = 0; failAt < 7; ++failAt) {
        FaceSetData data;
        const char *text = FaceSetStatusText(SetFaceSet(data, in, ArrayCopier(failAt)));
        texts.push_back(text ? text : "");
        EXPECT_EQ(data.coords.empty(), text != nullptr);
    }
    EXPECT_EQ(texts,
              (std::vector<std::string>{
                  "Allocation of array ver failed", "Allocation of array veri failed",
                  "Allocation of array col failed", "Allocation of array coli failed",
                  "Allocation of normal array failed", "Allocation of array nori failed", ""}));
}

// Attribute lookup: per-face colours through an index, per-vertex colours
// through an index that skips the -1 positions with coordIndex; short faces
// and negative indexes keep their face numbers but are not drawn.
TEST(FaceSetMesh, AttributeLookupAndSkippedFaces) {
    FaceSet set{{0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0},
                {0, 1, 2, -1, 0, 1, -1, 0, -3, 2, -1, 0, 2, 3, -1, 1, 2}};
    float colours[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    int faceIndex[4] = {2, 0, 0, 1};
    int cornerIndex[17] = {0, 1, 2, -1, 0, 0, -1, 0, 0, 0, -1, 2, -5, 1, -1, 0, 0};
    FaceSetInput in = set.Input();
    in.colours = colours, in.colourCount = 3, in.colourIndex = faceIndex, in.colourIndexCount = 4;
    FaceSetData data;
    ASSERT_EQ(SetFaceSet(data, in), FaceSetStatus::kOk);
    EXPECT_EQ(data.faceCount, 4);
    MeshDrawing flat;
    ASSERT_TRUE(BuildFaceSet(data, false, flat));
    EXPECT_EQ(flat.faceFirst, (std::vector<uint32_t>{0, 3, 6}));
    EXPECT_EQ(flat.cornerVertex, (std::vector<uint32_t>{0, 1, 2, 0, 2, 3}));
    EXPECT_EQ(flat.faceColour, (std::vector<uint32_t>{2, 1}));
    EXPECT_TRUE(flat.polygons);
    EXPECT_FALSE(flat.oneBegin);

    in.colorPerVertex = 1, in.colourIndex = cornerIndex, in.colourIndexCount = 17;
    ASSERT_EQ(SetFaceSet(data, in), FaceSetStatus::kOk);
    ASSERT_TRUE(BuildFaceSet(data, true, flat));
    EXPECT_TRUE(flat.faceColour.empty());
    EXPECT_EQ(flat.cornerColour, (std::vector<uint32_t>{0, 1, 2, 2, kNone, 1}));
    in.colourIndex = nullptr;
    EXPECT_EQ(SetFaceSet(data, in), FaceSetStatus::kColourCountVertex);
}

// A twelve-sided prism with its caps, closed: at 60 degrees the sides (30
// degrees apart) shade smoothly, the rims against the caps stay sharp.
TEST(FaceSetMesh, ClosedPrismAtSixtyDegrees) {
    const int N = 12;
    FaceSet prism;
    for (int z = 0; z < 2; ++z)
        for (int i = 0; i < N; ++i) {
            const double a = 2 * kPi * i / N;
            prism.coords.insert(prism.coords.end(),
                                {float(std::cos(a)), float(std::sin(a)), float(z)});
        }
    for (int i = 0; i < N; ++i)
        prism.index.insert(prism.index.end(), {i, (i + 1) % N, N + (i + 1) % N, N + i, -1});
    for (int i = 0; i < N; ++i)
        prism.index.push_back(N + i);
    prism.index.push_back(-1);
    for (int i = N - 1; i >= 0; --i)
        prism.index.push_back(i);
    prism.index.push_back(-1);
    FaceSetInput in = prism.Input();
    in.creaseAngle = 60;
    FaceSetData data;
    ASSERT_EQ(SetFaceSet(data, in), FaceSetStatus::kOk);
    MeshDrawing d;
    ASSERT_TRUE(BuildFaceSet(data, true, d));
    for (uint32_t c = 0; c < d.cornerVertex.size(); ++c) {
        const uint32_t v = d.cornerVertex[c];
        const size_t face = c < 4 * N ? c / 4 : c < 5 * N ? N : N + 1;
        if (face < size_t(N)) {
            const double a = 2 * kPi * (v % N) / N;
            ExpectNear(CornerNormal(d, c), {float(std::cos(a)), float(std::sin(a)), 0}, "side");
        } else {
            ExpectNear(CornerNormal(d, c), {0, 0, face == size_t(N) ? 1.f : -1.f}, "cap");
        }
    }
}

// An open grid of quads with one quad left out: faces that cannot be
// chained around a vertex by shared edges keep their face normals there.
TEST(FaceSetMesh, OpenQuadGridWithAHole) {
    const int P = 5; // points per side, 4 x 4 quads
    FaceSet grid;
    for (int j = 0; j < P; ++j)
        for (int i = 0; i < P; ++i)
            grid.coords.insert(grid.coords.end(), {float(i), 0.05f * (i * i + j * j), float(j)});
    std::vector<std::pair<int, int>> quads;
    for (int j = 0; j + 1 < P; ++j)
        for (int i = 0; i + 1 < P; ++i) {
            if (i == 2 && j == 2) continue;
            const int v = j * P + i;
            grid.index.insert(grid.index.end(), {v, v + P, v + P + 1, v + 1, -1});
            quads.push_back({i, j});
        }
    FaceSetInput in = grid.Input();
    in.creaseAngle = 90;
    FaceSetData data;
    ASSERT_EQ(SetFaceSet(data, in), FaceSetStatus::kOk);
    for (size_t largeFrom : {size_t(24), size_t(1)}) {
        MeshDrawing d;
        ASSERT_TRUE(BuildFaceSet(data, true, d, largeFrom));
        auto corner = [&](int qi, int qj, int v) {
            for (size_t f = 0; f < quads.size(); ++f)
                if (quads[f] == std::make_pair(qi, qj))
                    for (uint32_t c = d.faceFirst[f]; c < d.faceFirst[f + 1]; ++c)
                        if (d.cornerVertex[c] == uint32_t(v)) return std::make_pair(c, f);
            ADD_FAILURE() << "no corner";
            return std::make_pair(0u, size_t(0));
        };
        // Vertex (2, 2): quads (1, 1), (2, 1) chain; (1, 2) touches (2, 1)
        // only at the vertex, so the list ends before it.
        const int v = 2 * P + 2;
        auto [ll, fll] = corner(1, 1, v);
        auto [lr, flr] = corner(2, 1, v);
        auto [ul, ful] = corner(1, 2, v);
        const Vec pair = Unit(Sum({FaceNormalOf(d, fll), FaceNormalOf(d, flr)}));
        ExpectNear(CornerNormal(d, ll), pair, "chained");
        ExpectNear(CornerNormal(d, lr), pair, "chained");
        ExpectNear(CornerNormal(d, ul), FaceNormalOf(d, ful), "not chained");
        // Vertex (1, 1) inside: a ring of four.
        std::vector<Vec> four;
        for (auto q : std::vector<std::pair<int, int>>{{0, 0}, {1, 0}, {0, 1}, {1, 1}})
            four.push_back(FaceNormalOf(d, corner(q.first, q.second, P + 1).second));
        ExpectNear(CornerNormal(d, corner(0, 1, P + 1).first), Unit(Sum(four)), "ring");
    }
}

// Degenerate faces (repeated points, points on a line) and a vertex shared
// by many faces in a scrambled order give finite normals.
TEST(FaceSetMesh, DegenerateFacesAndBusyVerticesGiveFiniteNormals) {
    FaceSet fan;
    fan.coords = {0, 0, 0};
    for (int i = 0; i < 200; ++i)
        fan.coords.insert(fan.coords.end(),
                          {std::cos(i * 0.03f), std::sin(i * 0.03f), 0.1f * (i % 3)});
    for (int t = 0; t < 199; ++t)
        fan.index.insert(fan.index.end(), {0, 1 + t * 37 % 199, 2 + t * 37 % 199, -1});
    fan.index.insert(fan.index.end(), {1, 1, 2, -1, 1, 2, 3, 4, -1, 5, 5, 5, -1, 0, 0, 1, -1});
    FaceSetInput in = fan.Input();
    in.creaseAngle = 180;
    FaceSetData data;
    ASSERT_EQ(SetFaceSet(data, in), FaceSetStatus::kOk);
    MeshDrawing d;
    ASSERT_TRUE(BuildFaceSet(data, true, d));
    for (uint32_t c = 0; c < d.cornerNormal.size(); ++c)
        for (float x : CornerNormal(d, c))
            ASSERT_TRUE(std::isfinite(x));
}

} // namespace
