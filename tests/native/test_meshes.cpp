// Mesh builders of the elevation grid and the indexed face set: the texts of
// the setting checks in order, the faces around grid points, the crease
// smoothing on grids, closed and open meshes, supplied normals and attribute
// lookup. What they look like on screen is the Wine mesh test's.
#include "objects/crease_smoothing.h"
#include "objects/elevation_grid_mesh.h"
#include "objects/face_set_mesh.h"
#include "objects/geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

using namespace pexa::mesh;
using Vec = std::vector<float>;
const double kPi = 3.14159265358979323846;

Vec Entry(const float *table, uint32_t index) {
    const float *n = table + 3 * size_t(index);
    return {n[0], n[1], n[2]};
}
Vec CornerNormal(const MeshDrawing &d, uint32_t corner) {
    return Entry(d.NormalTable(), d.cornerNormal[corner]);
}
Vec FaceNormalOf(const MeshDrawing &d, size_t f) {
    Vec n(3);
    pexa::PolygonNormal(d.PositionTable(), &d.cornerVertex[d.faceFirst[f]],
                        d.faceFirst[f + 1] - d.faceFirst[f], n.data());
    return n;
}
// The normalised sum of the vectors.
Vec UnitSum(const std::vector<Vec> &vs) {
    double s[3] = {0, 0, 0};
    for (const Vec &v : vs)
        for (int i = 0; i < 3; ++i)
            s[i] += v[i];
    const double l = std::sqrt(s[0] * s[0] + s[1] * s[1] + s[2] * s[2]);
    return {float(s[0] / l), float(s[1] / l), float(s[2] / l)};
}
void ExpectNear(const Vec &a, const Vec &b, const std::string &what) {
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(a[i], b[i], 1e-5) << what << " component " << i;
}

// An x by z grid of unit spacing.
GridInput Grid(int x, int z, const float *heights, float crease = 0) {
    GridInput in;
    in.xDimension = x, in.zDimension = z, in.xSpacing = 1, in.zSpacing = 1;
    in.heights = heights, in.creaseAngle = crease;
    return in;
}

// A gently curved grid: heights 0.05 (x^2 + z^2).
GridData CurvedGrid(int x, int z, float crease) {
    Vec h(size_t(x) * z);
    for (int j = 0; j < z; ++j)
        for (int i = 0; i < x; ++i)
            h[size_t(j) * x + i] = 0.05f * float(i * i + j * j);
    GridData data;
    EXPECT_EQ(SetGrid(data, Grid(x, z, h.data(), crease)), GridStatus::kOk);
    return data;
}

// One case per check: spacing that is NaN, dimensions whose product is
// positive, fewer than four points, four in a row (enough), too many points,
// then each copy failing in turn (the colours' copy is not made when there
// are none).
TEST(GridMesh, SettingTextsInOrder) {
    float h[16] = {}, c[48] = {};
    const char *kInvalid = "Invalid input parameter(s)",
               *kHeights = "Allocation of height array failed";
    const struct {
        int x, z;
        float zs;
        const float *colours;
        int failAt;
        const char *text;
    } cases[] = {
        {2, 2, NAN, c, -1, kInvalid},
        {-2, -2, 1, c, -1, kInvalid},
        {1, 3, 1, c, -1, kInvalid},
        {1, 4, 1, c, -1, nullptr},
        {100000, 100000, 1, c, -1, kHeights},
        {2, 2, 1, c, 0, kHeights},
        {2, 2, 1, c, 1, "Allocation of array col failed"},
        {2, 2, 1, c, 2, "Allocation of normal array failed"},
        {2, 2, 1, nullptr, 1, "Allocation of normal array failed"},
    };
    for (const auto &k : cases) {
        GridInput in = Grid(k.x, k.z, h);
        in.zSpacing = k.zs, in.colours = k.colours, in.normals = c;
        GridData data;
        const char *text = GridStatusText(SetGrid(data, in, ArrayCopier(k.failAt)));
        EXPECT_STREQ(text, k.text) << k.x << " x " << k.z << " failAt " << k.failAt;
        EXPECT_EQ(data.heights.empty(), text != nullptr);
    }
}

// The faces around points of a 4 x 3 grid (3 x 2 cells, faces A and B per
// cell): rings inside, open lists at the border starting from the face after
// the missing ones. Crease 0 keeps every face normal; at 90 degrees each
// point of this gentle grid gets the normalised sum of its faces' normals
// (inside: the six).
TEST(GridMesh, FacesAroundPointsAndCreaseZeroAndNinety) {
    auto A = [](int i, int j) { return 2u * uint32_t(j * 3 + i); };
    auto B = [&](int i, int j) { return A(i, j) + 1; };
    const struct {
        int i, j;
        std::vector<uint32_t> faces;
    } cases[] = {
        {1, 1, {A(0, 1), B(0, 1), A(1, 1), B(1, 0), A(1, 0), B(0, 0)}},
        {0, 0, {A(0, 0)}},
        {3, 2, {B(2, 1)}},
        {0, 1, {A(0, 1), B(0, 0), A(0, 0)}},
        {3, 1, {B(2, 0), A(2, 1), B(2, 1)}},
        {1, 0, {A(0, 0), B(0, 0), A(1, 0)}},
        {2, 2, {B(2, 1), A(2, 1), B(1, 1)}},
    };
    MeshDrawing sharp, smooth;
    ASSERT_TRUE(BuildGrid(CurvedGrid(4, 3, 0), true, sharp));
    for (uint32_t c = 0; c < sharp.cornerVertex.size(); ++c)
        ExpectNear(CornerNormal(sharp, c), FaceNormalOf(sharp, c / 3), "crease 0");
    ASSERT_TRUE(BuildGrid(CurvedGrid(4, 3, 90), true, smooth));
    for (const auto &k : cases) {
        SCOPED_TRACE("point " + std::to_string(k.i) + ", " + std::to_string(k.j));
        uint32_t corners[6];
        const bool inside = k.faces.size() == 6;
        bool ring = !inside;
        const int n = GridPointCorners(4, 3, k.i, k.j, corners, &ring);
        EXPECT_EQ(ring, inside);
        std::vector<uint32_t> faces;
        std::vector<Vec> normals;
        for (int t = 0; t < n; ++t) {
            faces.push_back(corners[t] / 3);
            normals.push_back(FaceNormalOf(smooth, corners[t] / 3));
            EXPECT_EQ(smooth.cornerVertex[corners[t]], uint32_t(4 * k.j + k.i));
        }
        EXPECT_EQ(faces, k.faces);
        for (int t = 0; t < n; ++t)
            ExpectNear(CornerNormal(smooth, corners[t]), UnitSum(normals), "crease 90");
    }
}

// Faces 0 to 5 around one point with creases between 1 and 2 and between 4
// and 5: on a ring the group of 5 runs on over 0 and 1; an open list ends
// with 5 alone. (The three groups' normals differ, so a walk that does not
// wrap shows.)
TEST(CreaseSmoothing, RingsAgainstOpenLists) {
    std::vector<Vec> face;
    std::vector<float> normals;
    for (float t : {0.f, 0.1f, 1.2f, 1.3f, 1.4f, -0.3f}) {
        face.push_back({std::sin(t), std::cos(t), 0});
        normals.insert(normals.end(), face.back().begin(), face.back().end());
    }
    const uint32_t corners[6] = {0, 3, 6, 9, 12, 15}; // corner 3f of triangle f
    const uint32_t order[6] = {0, 1, 2, 3, 4, 5};
    for (bool ring : {true, false}) {
        std::vector<float> table = normals;
        std::vector<uint32_t> cornerNormal(18);
        for (uint32_t c = 0; c < 18; ++c)
            cornerNormal[c] = c / 3;
        CreaseSmoother smoother(table, cornerNormal.data(), nullptr, CreaseCosine(30));
        smoother.Smooth(corners, 6, order, 6, ring);
        smoother.Finish();
        const std::vector<std::vector<int>> groups =
            ring ? std::vector<std::vector<int>>{{2, 3, 4}, {5, 0, 1}}
                 : std::vector<std::vector<int>>{{0, 1}, {2, 3, 4}, {5}};
        for (const std::vector<int> &group : groups) {
            std::vector<Vec> members;
            for (int f : group)
                members.push_back(face[f]);
            for (int f : group)
                ExpectNear(Entry(table.data(), cornerNormal[3 * f]), UnitSum(members),
                           ring ? "ring" : "open list");
        }
    }
}

// Supplied per-cell normals are sent once per cell, with its A face. (Per-cell
// colours and the flat build: the Wine test's pictures.)
TEST(GridMesh, SuppliedCellNormals) {
    float h[6] = {}, cellNormals[6] = {0, 1, 0, 1, 0, 0};
    GridInput in = Grid(3, 2, h);
    in.normals = cellNormals;
    GridData data;
    ASSERT_EQ(SetGrid(data, in), GridStatus::kOk);
    MeshDrawing supplied;
    ASSERT_TRUE(BuildGrid(data, true, supplied));
    EXPECT_EQ(supplied.faceNormal, (std::vector<uint32_t>{0, kNone, 1, kNone}));
    ExpectNear(Entry(supplied.NormalTable(), 1), {1, 0, 0}, "the second cell's own normal");
}

// --- Indexed face sets ---

struct FaceSet {
    Vec coords;
    std::vector<int> index;
    FaceSetInput Input(float crease = 0) const {
        FaceSetInput in;
        in.coords = coords.data(), in.coordCount = int(coords.size() / 3);
        in.coordIndex = index.data(), in.coordIndexCount = int(index.size());
        in.creaseAngle = crease;
        return in;
    }
    FaceSetData data; // what a build's drawing points into
    // The smooth build, which the setting must accept.
    MeshDrawing Smooth(float crease) {
        EXPECT_EQ(SetFaceSet(data, Input(crease)), FaceSetStatus::kOk);
        MeshDrawing d;
        EXPECT_TRUE(BuildFaceSet(data, true, d));
        return d;
    }
};

// Attribute lookup: per-face colours through an index, per-vertex colours
// through an index that skips the -1 positions with coordIndex; short faces
// and negative indexes keep their face numbers but are not drawn.
TEST(FaceSetMesh, AttributeLookupAndSkippedFaces) {
    FaceSet set{{0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0},
                {0, 1, 2, -1, 0, 1, -1, 0, -3, 2, -1, 0, 2, 3, -1, 1, 2},
                {}};
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
    in.colorPerVertex = 1, in.colourIndex = cornerIndex, in.colourIndexCount = 17;
    ASSERT_EQ(SetFaceSet(data, in), FaceSetStatus::kOk);
    ASSERT_TRUE(BuildFaceSet(data, true, flat));
    EXPECT_TRUE(flat.faceColour.empty());
    EXPECT_EQ(flat.cornerColour, (std::vector<uint32_t>{0, 1, 2, 2, kNone, 1}));
}

// A twelve-sided prism with its caps, closed: at 60 degrees the sides (30
// degrees apart) shade smoothly, the rims against the caps stay sharp.
TEST(FaceSetMesh, ClosedPrismAtSixtyDegrees) {
    const int N = 12;
    FaceSet prism;
    for (int i = 0; i < 2 * N; ++i) {
        const double a = 2 * kPi * (i % N) / N;
        prism.coords.insert(prism.coords.end(),
                            {float(std::cos(a)), float(std::sin(a)), float(i / N)});
    }
    for (int i = 0; i < N; ++i)
        prism.index.insert(prism.index.end(), {i, (i + 1) % N, N + (i + 1) % N, N + i, -1});
    for (int i = 0; i < N; ++i) // the top cap
        prism.index.push_back(N + i);
    prism.index.push_back(-1);
    for (int i = N - 1; i >= 0; --i) // the bottom cap, facing down
        prism.index.push_back(i);
    prism.index.push_back(-1);
    const MeshDrawing d = prism.Smooth(60);
    for (uint32_t c = 0; c < d.cornerVertex.size(); ++c) {
        const double a = 2 * kPi * (d.cornerVertex[c] % N) / N;
        const Vec expect = c < 4 * N   ? Vec{float(std::cos(a)), float(std::sin(a)), 0}
                           : c < 5 * N ? Vec{0, 0, 1}
                                       : Vec{0, 0, -1};
        ExpectNear(CornerNormal(d, c), expect, "corner " + std::to_string(c));
    }
}

// An open 4 x 4 grid of quads with quad (2, 2) left out: faces that cannot
// be chained around a vertex by shared edges keep their face normals there.
// (That both ways of ordering the faces agree is checked by the mesh fuzzer
// on every mesh it builds.)
TEST(FaceSetMesh, OpenQuadGridWithAHole) {
    const int P = 5; // points per side
    FaceSet grid;
    std::vector<std::pair<int, int>> quads;
    for (int j = 0; j < P; ++j)
        for (int i = 0; i < P; ++i) {
            grid.coords.insert(grid.coords.end(), {float(i), 0.05f * (i * i + j * j), float(j)});
            if (i + 1 == P || j + 1 == P || (i == 2 && j == 2)) continue;
            const int v = j * P + i;
            grid.index.insert(grid.index.end(), {v, v + P, v + P + 1, v + 1, -1});
            quads.push_back({i, j});
        }
    const MeshDrawing d = grid.Smooth(90);
    ASSERT_EQ(d.faceCount(), quads.size());
    // The corner of quad (qi, qj) at vertex v, and the quad's normal.
    auto at = [&](int qi, int qj, int v) {
        const size_t f =
            std::find(quads.begin(), quads.end(), std::make_pair(qi, qj)) - quads.begin();
        for (uint32_t c = d.faceFirst[f]; c < d.faceFirst[f + 1]; ++c)
            if (d.cornerVertex[c] == uint32_t(v)) return std::make_pair(c, FaceNormalOf(d, f));
        ADD_FAILURE() << "no corner";
        return std::make_pair(0u, Vec(3));
    };
    // Vertex (2, 2): quads (1, 1), (2, 1) chain; (1, 2) touches (2, 1)
    // only at the vertex, so the list ends before it.
    const int v = 2 * P + 2;
    const auto ll = at(1, 1, v), lr = at(2, 1, v), ul = at(1, 2, v);
    const Vec pair = UnitSum({ll.second, lr.second});
    ExpectNear(CornerNormal(d, ll.first), pair, "chained");
    ExpectNear(CornerNormal(d, lr.first), pair, "chained");
    ExpectNear(CornerNormal(d, ul.first), ul.second, "not chained");
}

// Faces in the plane z = 0, each listed from every one of its corners: the
// face normal is +z whatever the start, convex faces (a square, a dense
// circle) stay one polygon, and the others (a dart with its notch at the
// top, a chevron) are split into n - 2 triangles that turn as the face does
// and cover its area, the notch (0, 1) outside all of them.
TEST(FaceSetMesh, ConcaveFacesSplitAndFaceOneWayFromEveryStart) {
    Vec circle;
    for (int i = 0; i < 400; ++i)
        circle.insert(circle.end(),
                      {std::cos(i * float(kPi) / 200), std::sin(i * float(kPi) / 200)});
    const struct {
        Vec xy;
        bool convex;
        double area;
    } faces[] = {
        {{-1, -1, 1, -1, 1, 1, -1, 1}, true, 4},
        {circle, true, 0},
        {{0, -2, 2, 2, 0, 0, -2, 2}, false, 4},
        {{-2, 0, 0, -2, 2, 0, 2, 2, 0, 0, -2, 2}, false, 8},
    };
    auto area = [](const float *a, const float *b, const float *c) {
        return ((b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0])) / 2.0;
    };
    for (const auto &face : faces) {
        const int n = int(face.xy.size() / 2);
        for (int start = 0; start < n; start += 1 + n / 8) {
            SCOPED_TRACE(std::to_string(n) + " points from " + std::to_string(start));
            FaceSet set;
            for (int i = 0; i < n; ++i) {
                const int k = (start + i) % n;
                set.coords.insert(set.coords.end(), {face.xy[2 * k], face.xy[2 * k + 1], 0});
                set.index.push_back(i);
            }
            set.index.push_back(-1);
            ASSERT_EQ(SetFaceSet(set.data, set.Input()), FaceSetStatus::kOk);
            MeshDrawing d;
            ASSERT_TRUE(BuildFaceSet(set.data, false, d));
            ExpectNear(Entry(d.NormalTable(), d.faceNormal[0]), {0, 0, 1}, "face normal");
            if (face.convex) {
                EXPECT_TRUE(d.splitFace.empty());
                continue;
            }
            ASSERT_EQ(d.splitFace, std::vector<uint32_t>{0});
            ASSERT_EQ(d.splitCorners.size(), size_t(3 * (n - 2)));
            double sum = 0;
            const float notch[2] = {0, 1};
            for (size_t t = 0; t < d.splitCorners.size(); t += 3) {
                const float *p[3];
                for (int i = 0; i < 3; ++i)
                    p[i] = d.PositionTable() + 3 * d.cornerVertex[d.splitCorners[t + i]];
                EXPECT_GT(area(p[0], p[1], p[2]), 0) << "triangle " << t / 3;
                sum += area(p[0], p[1], p[2]);
                EXPECT_FALSE(area(p[0], p[1], notch) > 0 && area(p[1], p[2], notch) > 0 &&
                             area(p[2], p[0], notch) > 0)
                    << "triangle " << t / 3 << " covers the notch";
            }
            EXPECT_NEAR(sum, face.area, 1e-5);
        }
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
    const MeshDrawing d = fan.Smooth(180);
    ASSERT_FALSE(d.cornerNormal.empty());
    for (uint32_t c = 0; c < d.cornerNormal.size(); ++c)
        for (float x : CornerNormal(d, c))
            ASSERT_TRUE(std::isfinite(x));
}

} // namespace
