// ElevationGrid and IndexedFaceSet on screen: colours per cell and per
// vertex, smooth against flat pictures, the shade-mode switch, concave
// faces, the culling frame, frozen scenes, deletion, and every text of their
// error boxes.
#include "support/scene_fixture.h"

#include <cmath>

using namespace pexatest;

namespace {

float zero[81] = {};
float red[3] = {1, 0, 0};

// A grid (not solid) facing the eye over x, y in [-1, 1]: point (i, j) shows
// at (i * spacing - 1, 1 - j * spacing), row j = 0 at the top.
cObj *FacingGrid(int points, float crease, int perVertex, float *colours, float *heights = zero) {
    Translate(NULL, -1, 1, 0);
    Rotate(NULL, 90, 1, 0, 0);
    const float spacing = 2.0f / float(points - 1);
    return ElevationGrid(NULL, points, points, spacing, spacing, heights, crease, 0, perVertex,
                         colours, 1, NULL);
}

int Differing(const Capture &a, const Capture &b) {
    int n = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i)
        n += !Near(a.pixels[i], b.pixels[i], 12);
    return n;
}

TEST_F(SceneTest, GridColoursPerCellAndPerPoint) {
    Disable(NULL, 1);
    float cells[12] = {1, 0, 0, 0, 1, 0, 0, 0, 1, 1, 1, 0};
    FacingGrid(3, 0, 0, cells);
    Capture c = Frame();
    const uint32_t expect[4] = {Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(0, 0, 255), Rgb(255, 255, 0)};
    for (int cell = 0; cell < 4; ++cell)
        for (double d : {0.2, 0.8}) { // in its A and in its B triangle
            const uint32_t p = At(c, cell % 2 - 1.0 + d, 1.0 - cell / 2 - d);
            EXPECT_TRUE(Near(p, expect[cell])) << cell << " " << Hex(p);
        }
    ClearList();
    Disable(NULL, 1);
    float points[12] = {1, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 1}; // red left, blue right
    FacingGrid(2, 0, 1, points);
    c = Frame();
    const uint32_t centre = At(c, 0, 0), left = At(c, -0.85, 0), right = At(c, 0.85, 0);
    EXPECT_TRUE(Red(centre) > 90 && Red(centre) < 170 && Blue(centre) > 90 && Blue(centre) < 170)
        << Hex(centre);
    EXPECT_TRUE(Red(left) > 200 && Blue(right) > 200) << Hex(left) << Hex(right);
}

// A lit bump: smooth with crease 90, faceted with crease 0 or in flat
// shading; switching the window's shade mode records the list again.
TEST_F(SceneTest, SmoothAndFlatPicturesAndTheShadeModeSwitch) {
    float bump[81];
    for (int j = 0; j < 9; ++j)
        for (int i = 0; i < 9; ++i)
            bump[j * 9 + i] = 0.6f * std::exp(-((i - 4) * (i - 4) + (j - 4) * (j - 4)) / 8.0f);
    cObj *grid = FacingGrid(9, 90, 1, NULL, bump);
    const Capture smooth = Frame();
    ASSERT_EQ(ElevationGrid(grid, 9, 9, 0.25f, 0.25f, bump, 0, 0, 1, NULL, 1, NULL), grid);
    const Capture faceted = Frame();
    EXPECT_GT(Differing(smooth, faceted), 500);
    ASSERT_EQ(ElevationGrid(grid, 9, 9, 0.25f, 0.25f, bump, 90, 0, 1, NULL, 1, NULL), grid);
    ASSERT_EQ(SendPexaMsg(1233, PEXA_FLAT, 0), 1);
    EXPECT_LT(Differing(faceted, Frame()), 50) << "flat shading records face normals";
    ASSERT_EQ(SendPexaMsg(1233, PEXA_SMOOTH, 0), 1);
    EXPECT_LT(Differing(smooth, Frame()), 50) << "and smooth shading the crease normals again";
}

// Two lit chevrons (their notch at the top, the reflex corner at (0, 0) of
// the shape): the left listed from a convex corner, the right from the
// corner before the reflex one, so that its first three points turn the
// other way. The notch shows the background, the arms and bodies are drawn,
// and both face the eye, equally lit.
TEST_F(SceneTest, ConcaveFacesKeepTheirNotchAndFaceTheEye) {
    const float shape[12] = {-2, 0, 0, -2, 2, 0, 2, 2, 0, 0, -2, 2}, scale = 0.45f;
    int index[7] = {0, 1, 2, 3, 4, 5, -1};
    float coords[2][18];
    for (int side = 0; side < 2; ++side) {
        for (int i = 0; i < 6; ++i) {
            const int k = (i + 3 * side) % 6;
            coords[side][3 * i] = (side ? 1 : -1) + scale * shape[2 * k];
            coords[side][3 * i + 1] = scale * shape[2 * k + 1];
            coords[side][3 * i + 2] = 0;
        }
        IndexedFaceSet(NULL, coords[side], 6, index, 7, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, 0, NULL,
                       0);
    }
    const Capture c = Frame();
    const uint32_t background = At(c, 0, 1.8);
    uint32_t body[2];
    for (int side = 0; side < 2; ++side) {
        const double x = side ? 1 : -1;
        body[side] = At(c, x, -scale);
        const uint32_t notch = At(c, x, 0.5 * scale), arm = At(c, x + 1.5 * scale, scale);
        EXPECT_TRUE(Near(notch, background)) << "side " << side << Hex(notch);
        EXPECT_FALSE(Near(body[side], background)) << "side " << side;
        EXPECT_TRUE(Near(arm, body[side])) << "side " << side << Hex(arm) << Hex(body[side]);
    }
    EXPECT_TRUE(Near(body[0], body[1], 4)) << Hex(body[0]) << Hex(body[1]);
    EXPECT_GT(Red(body[1]), 100) << "lit from the front";
}

// solid switches culling on for the mesh only, and a mesh that is not solid
// switches it off: either way culling is back as it was after the mesh.
TEST_F(SceneTest, SolidCullingIsRestoredAfterTheMesh) {
    float coords[12] = {-1, -1, 0, -1, 1, 0, 1, 1, 0, 1, -1, 0}; // clockwise: a back face
    int index[5] = {0, 1, 2, 3, -1};
    for (int solid : {1, 0}) {
        ClearList();
        Disable(NULL, 1);
        solid ? Disable(NULL, 2) : Enable(NULL, 2);
        ColorRGB(NULL, 1, 0, 0);
        IndexedFaceSet(NULL, coords, 4, index, 5, 0, solid, 0, NULL, 0, NULL, 0, 0, NULL, 0, NULL,
                       0);
        ColorRGB(NULL, 0, 1, 0);
        Tetragon(NULL, -2, -2, 0, -2, -1.5f, 0, -1.5f, -1.5f, 0, -1.5f, -2, 0); // back face too
        Capture c = Frame();
        EXPECT_EQ(Near(At(c, 0, 0), Rgb(255, 0, 0)), !solid) << "solid " << solid;
        EXPECT_EQ(Near(At(c, -1.75, -1.75), Rgb(0, 255, 0)), bool(solid)) << "solid " << solid;
    }
}

// A frozen scene holds the mesh itself, whether or not the mesh had to be
// recorded afresh while the scene was compiled (stale): it stays after the
// mesh is deleted, and so does what follows the mesh. A failed modification
// leaves the picture recorded before.
class FrozenMesh : public SceneTest, public ::testing::WithParamInterface<bool> {};

TEST_P(FrozenMesh, KeepsTheMeshAndWhatFollowsIt) {
    Disable(NULL, 1);
    PushMatrix();
    cObj *grid = FacingGrid(2, 0, 0, red);
    PopMatrix();
    ColorRGB(NULL, 0, 1, 0);
    Tetragon(NULL, -2, -2, 0, -1.5f, -2, 0, -1.5f, -1.5f, 0, -2, -1.5f, 0);
    EXPECT_TRUE(Near(At(Frame(), 0, 0), Rgb(255, 0, 0)));
    MessageBoxCatcher catcher;
    EXPECT_EQ(ElevationGrid(grid, 1, 3, 1, 1, zero, 0, 0, 0, NULL, 0, NULL), grid);
    EXPECT_EQ(
        IndexedFaceSet(grid, NULL, 0, NULL, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, 0, NULL, 0),
        nullptr);
    EXPECT_EQ(catcher.texts().size(), 1u);
    EXPECT_TRUE(Near(At(Frame(), 0, 0), Rgb(255, 0, 0))) << "the list recorded before is drawn";
    ASSERT_EQ(ElevationGrid(grid, 2, 2, 2, 2, zero, 0, 0, 0, red, 0, NULL), grid);
    if (!GetParam()) Frame();
    UseDisplayList();
    DelObj(grid);
    Capture c = Frame();
    EXPECT_TRUE(Near(At(c, 0, 0), Rgb(255, 0, 0)));
    EXPECT_TRUE(Near(At(c, -1.75, -1.75), Rgb(0, 255, 0)));
}

// Stale or not: the mesh recorded while the scene is compiled, or before.
INSTANTIATE_TEST_SUITE_P(Stale, FrozenMesh, ::testing::Bool(), ::testing::PrintToStringParamName());

// A mesh deleted while another window's context is current leaves its list
// in no context: the first mesh of a process records under name 2^30, which
// this thread looks up in the window's context while the library thread
// holds the other one.
TEST_F(SceneTest, DeletingAMeshFreesItsListInItsOwnContext) {
    Disable(NULL, 1);
    cObj *mine = FacingGrid(2, 0, 0, red);
    Frame();
    void *other = CreateWind(" other", 220, 220, 260, 20);
    ShowWind(other);
    Disable(NULL, 1);
    FacingGrid(2, 0, 0, red);
    RefreshWind(other); // the library thread now holds the other context
    auto listed = [&] {
        EXPECT_TRUE(wglMakeCurrent(GetHDC(wind), GetHGLRC(wind)));
        const bool is = glIsList(1u << 30) == GL_TRUE;
        wglMakeCurrent(NULL, NULL);
        return is;
    };
    EXPECT_TRUE(listed());
    CurrentWind(wind);
    DelObj(mine);
    EXPECT_FALSE(listed());
    EXPECT_FALSE(Near(At(Frame(), 0, 0), Rgb(255, 0, 0)));
    RefreshWind(other);
    EXPECT_TRUE(Near(At(CaptureClient(GetHWND(other)), 0, 0), Rgb(255, 0, 0)));
}

TEST(MeshTexts, EveryTextInOrder) {
    ASSERT_NE(CreateWind(" mesh texts"), nullptr);
    float c[12] = {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0}, v[6] = {}, many[15] = {};
    int quads[8] = {0, 1, 2, -1, 0, 2, 3, -1}, two[2] = {0, 1};
    int high[8] = {0, 1, 2, -1, 0, 1, 1, -1};
    // Colours or normals (the same checks in turn), per vertex or per face.
    struct Attribute {
        float *values;
        int count, *index, indexCount;
    };
    struct SetCase {
        int coords, indexes, perVertex, normals;
        Attribute a;
        const char *text;
    } sets[] = {
        {0, 8, 0, 0, {NULL, 0, NULL, 0}, "Invalid input parameter"},
        {-1, 8, 0, 0, {NULL, 0, NULL, 0}, "Allocation of array ver failed"},
        {4, -8, 0, 0, {NULL, 0, NULL, 0}, "Allocation of array veri failed"},
        {3, 8, 0, 0, {NULL, 0, NULL, 0}, "Coord index > number of coords"},
        {4, 8, 0, 0, {v, -2, NULL, 0}, "Allocation of array col failed"},
        {4, 8, 0, 0, {v, 2, two, -2}, "Allocation of array coli failed"},
        {4, 8, 1, 0, {v, 2, two, 2}, "NO. of color indexes <> NO. of coord. indexes"},
        {4, 8, 0, 0, {v, 2, two, 1}, "NO. of colors <> NO. of faces"},
        {4, 8, 1, 0, {v, 2, high, 8}, "Color index > NO. of colors"},
        {4, 8, 0, 0, {v, 1, NULL, 0}, "Number of colors <> number of faces"},
        {4, 8, 1, 0, {v, 2, NULL, 0}, "Number of colors <> number of vertices"},
        {4, 8, 0, 1, {v, -2, NULL, 0}, "Allocation of normal array failed"},
        {4, 8, 0, 1, {v, 2, two, -2}, "Allocation of array nori failed"},
        {4, 8, 1, 1, {many, 5, two, 2}, "NO. of normal indexes <> NO. of coord. indexes"},
        {4, 8, 0, 1, {v, 2, two, 1}, "NO. of normals <> NO. of faces"},
        {4, 8, 1, 1, {v, 2, high, 8}, "Normal index > number of normals"},
        {4, 8, 0, 1, {v, 1, NULL, 0}, "Number of normals <> number of faces"},
        {4, 8, 1, 1, {v, 2, NULL, 0}, "Number of normals <> number of vertices"},
        {4, 8, 1, 1, {many, 5, NULL, 0}, NULL}, // more normals than points
    };
    MessageBoxCatcher catcher;
    // The empty object is still made and inserted.
    EXPECT_NE(ElevationGrid(NULL, 2, 2, 1, 1, NULL, 0, 0, 0, NULL, 0, NULL), nullptr);
    EXPECT_NE(ElevationGrid(NULL, 2, 2, INFINITY, 1, c, 0, 0, 0, NULL, 0, NULL), nullptr);
    std::vector<std::string> expected(2, "Error in ElevationGrid:\nInvalid input parameter(s)");
    for (const SetCase &k : sets) {
        const Attribute none = {}, &col = k.normals ? none : k.a, &nor = k.normals ? k.a : none;
        EXPECT_NE(IndexedFaceSet(NULL, c, k.coords, quads, k.indexes, 0, 0, k.perVertex, col.values,
                                 col.count, col.index, col.indexCount, k.perVertex, nor.values,
                                 nor.count, nor.index, nor.indexCount),
                  nullptr);
        if (k.text) expected.push_back(std::string("Error in IndexedFaceSet:\n") + k.text);
    }
    EXPECT_EQ(catcher.texts(), expected);
    for (const CaughtBox &box : catcher.boxes()) {
        EXPECT_EQ(box.caption, "Error Message");
        EXPECT_FALSE(box.hasOwner);
    }
}

} // namespace
