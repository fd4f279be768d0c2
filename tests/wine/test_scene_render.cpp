// What the 3D kinds and attribute objects put on screen, read back from the
// window.
#include "support/scene_fixture.h"

using namespace pexatest;

namespace {

float red[3] = {1, 0, 0}, green[3] = {0, 1, 0}, blue[3] = {0, 0, 1};

bool IsBlack(uint32_t c) {
    return Near(c, Rgb(0, 0, 0), 10);
}

TEST_F(SceneTest, LitBoxCoversTheCentreNotTheCorners) {
    Box(NULL, -1, -1, -1, 1, 1, 1);
    Capture c = Frame();
    uint32_t centre = Centre(c);
    EXPECT_FALSE(IsBlack(centre));
    EXPECT_EQ(Red(centre), Green(centre)); // white material under a white light
    EXPECT_GT(Red(centre), 60);
    EXPECT_TRUE(IsBlack(c.at(2, 2)));
    EXPECT_TRUE(IsBlack(c.at(c.width - 3, c.height - 3)));
}

TEST_F(SceneTest, ColourObjectsColourWhatFollowsAndAxisKeepsTheColour) {
    Disable(NULL, 1);
    Color(NULL, red);
    Axis(NULL, 3, 3, 3, 0.2f, 0.05f, 0.1f);
    Box(NULL, -0.5f, -0.5f, -0.5f, 0.5f, 0.5f, 0.5f);
    Frame(); // lighting switches take effect from the next frame
    Capture c = Frame();
    uint32_t centre = Centre(c); // the blue z axis points at the eye
    EXPECT_TRUE(Near(centre, Rgb(0, 0, 255))) << Hex(centre);
    uint32_t box = c.at(c.width / 2 + 15, c.height / 2 + 15);
    EXPECT_TRUE(Near(box, Rgb(255, 0, 0))) << Hex(box);
}

TEST_F(SceneTest, ModifyingInPlaceShowsAtTheNextFrameAndWrongKindsGiveNull) {
    Disable(NULL, 1);
    cObj *colour = ColorRGB(NULL, 0, 1, 0);
    cObj *box = Box(NULL, -1, -1, -1, 1, 1, 1);
    cObj *sphere = Sphere(NULL, 1, 8, 8);
    Frame();
    EXPECT_TRUE(Near(Centre(Frame()), Rgb(0, 255, 0)));
    EXPECT_EQ(Color(colour, blue), colour);
    EXPECT_EQ(Box(sphere, 0, 0, 0, 1, 1, 1), nullptr);
    EXPECT_EQ(Color(box, red), nullptr);
    EXPECT_EQ(Enable(colour, 1), nullptr);
    EXPECT_EQ(Box(box, 1, 1, 1, 0, 0, 0), box);
    EXPECT_TRUE(Near(Centre(Frame()), Rgb(0, 0, 255)));
}

TEST_F(SceneTest, TriangleSwitchesBackFaceCullingOnForWhatFollows) {
    Disable(NULL, 1);
    Disable(NULL, 2);
    // Clockwise seen from the eye: a back face.
    cObj *quad = Tetragon(NULL, -1, -1, 0, -1, 1, 0, 1, 1, 0, 1, -1, 0);
    EXPECT_FALSE(IsBlack(Centre(Frame()))) << "culling is off: the back face shows";
    ClearList();
    Disable(NULL, 1);
    Disable(NULL, 2);
    Triangle(NULL, 5, 5, 0, 6, 5, 0, 5, 6, 0); // off screen; switches culling on
    quad = Tetragon(NULL, -1, -1, 0, -1, 1, 0, 1, 1, 0, 1, -1, 0);
    ASSERT_NE(quad, nullptr);
    EXPECT_TRUE(IsBlack(Centre(Frame())));
}

TEST_F(SceneTest, InsideBoxIsLitFromInside) {
    Box(NULL, -10, -10, -10, 10, 10, 10, GLU_INSIDE);
    Capture c = Frame();
    EXPECT_FALSE(IsBlack(Centre(c)))
        << Hex(Centre(c)) << Hex(c.at(5, 5)) << Hex(c.at(5, c.height / 2));
    ClearList(); // an outside box seen from inside: every face is a back face
    Box(NULL, -10, -10, -10, 10, 10, 10, GLU_OUTSIDE);
    EXPECT_TRUE(IsBlack(Centre(Frame())));
}

TEST_F(SceneTest, BackgroundBeforeAndAfterTheFirst3DObject) {
    Background(0, 0, 1);
    EXPECT_TRUE(Near(Centre(Frame()), Rgb(0, 0, 255))) << "brush of an empty scene";
    Point(NULL, 100, 100, 100); // far off screen, but the scene is 3D now
    EXPECT_TRUE(Near(Frame().at(3, 3), Rgb(0, 0, 255))) << "OpenGL clear colour";
    Background(0, 1, 0);
    EXPECT_TRUE(Near(Frame().at(3, 3), Rgb(0, 255, 0)));
}

TEST_F(SceneTest, QuadricsDrawAroundTheOrigin) {
    Disable(NULL, 1);
    Color(NULL, red);
    cObj *s = Sphere(NULL, 1, 16, 16);
    EXPECT_TRUE(Near(Centre(Frame()), Rgb(255, 0, 0)));
    DelObj(s);
    Color(NULL, green);
    Disk(NULL, 0, 1, 16, 1); // faces +z
    EXPECT_TRUE(Near(Centre(Frame()), Rgb(0, 255, 0)));
    ClearList();
    Disable(NULL, 1);
    Color(NULL, blue);
    Cylinder(NULL, 1, 1, 1, 1, 1, 16, 1); // along +z: the eye looks at its top cap
    EXPECT_TRUE(Near(Centre(Frame()), Rgb(0, 0, 255)));
}

// Each mode of Primitive over the same ring of points.
TEST_F(SceneTest, PrimitiveModesAndShortArrays) {
    float square[4 * 3] = {-1, -1, 0, 1, -1, 0, -1, 1, 0, 1, 1, 0}; // strip order
    float fan[4 * 3] = {-1, -1, 0, 1, -1, 0, 1, 1, 0, -1, 1, 0};    // around
    struct Case {
        int mode;
        float *points;
        int count;
        bool fillsCentre;
    } cases[] = {
        {GL_TRIANGLE_STRIP, square, 4, true},
        {GL_QUADS, square, 4, true},
        {GL_QUAD_STRIP, square, 4, true},
        {GL_TRIANGLE_FAN, fan, 4, true},
        {GL_POLYGON, fan, 4, true},
        {GL_TRIANGLE_STRIP, square, 2, false},
        {GL_QUADS, square, 3, false},
        {GL_POLYGON, fan, 2, false},
        {12, fan, 4, false},
    };
    for (const Case &k : cases) {
        ClearList();
        Disable(NULL, 1);
        Disable(NULL, 2);
        ColorRGB(NULL, 1, 1, 0);
        Primitive(NULL, k.mode, k.points, k.count);
        Capture c = Frame();
        EXPECT_EQ(!IsBlack(Centre(c)), k.fillsCentre) << "mode " << k.mode << " count " << k.count;
    }
    // Triangles draw the lower right half of the square.
    ClearList();
    Disable(NULL, 1);
    Disable(NULL, 2);
    Primitive(NULL, GL_TRIANGLES, fan, 3);
    Capture c = Frame();
    EXPECT_FALSE(IsBlack(c.at(c.width / 2 + 20, c.height / 2 + 20)));
    EXPECT_TRUE(IsBlack(c.at(c.width / 2 - 20, c.height / 2 - 20)));
    // Lines, line strips and loops draw their outline, points their points.
    for (int mode : {GL_LINE_LOOP, GL_LINE_STRIP, GL_LINES, GL_POINTS}) {
        ClearList();
        Disable(NULL, 1);
        Primitive(NULL, mode, fan, 4);
        Capture lines = Frame();
        int lit = 0;
        for (uint32_t p : lines.pixels)
            lit += !IsBlack(p);
        EXPECT_GT(lit, 0) << "mode " << mode;
        EXPECT_TRUE(IsBlack(Centre(lines)));
    }
    // A null array draws nothing.
    ClearList();
    Disable(NULL, 1);
    cObj *none = Primitive(NULL, GL_POLYGON, nullptr, 4);
    EXPECT_NE(none, nullptr);
    EXPECT_TRUE(IsBlack(Centre(Frame())));
}

TEST_F(SceneTest, TransformsMoveWhatFollowsAndPopRestores) {
    Disable(NULL, 1);
    PushMatrix();
    Translate(NULL, 10, 0, 0); // moves the first box out of sight
    Color(NULL, red);
    Box(NULL, -0.5f, -0.5f, -0.5f, 0.5f, 0.5f, 0.5f);
    PopMatrix();
    Scale(NULL, 0.1f, 0.1f, 0.1f);
    Color(NULL, green);
    Box(NULL, -1, -1, -1, 1, 1, 1);
    Capture c = Frame();
    EXPECT_TRUE(Near(Centre(c), Rgb(0, 255, 0)));
    EXPECT_TRUE(IsBlack(c.at(c.width / 2 + 30, c.height / 2))) << "scaled down to 0.2";
}

} // namespace
