// Picking with a left click: which object the event record names, and how
// many hits it counts, for the cases a program meets.
#include "support/scene_fixture.h"

using namespace pexatest;

namespace {

// A 2D object covering the whole client area, drawn with GDI.
class Cover2D : public cObj {
  public:
    explicit Cover2D(HDC dc) : cObj(3500), dc_(dc) {}
    void Draw() override {
        RECT r = {0, 0, 1000, 1000};
        FillRect(dc_, &r, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    }
    void DrawExtra() override {}

  private:
    HDC dc_;
};

class Picking : public SceneTest {
  protected:
    void SetUp() override {
        SceneTest::SetUp();
        Enable(NULL, PEXA_ENABLE_PICKING);
    }
    cObj *CentreBox(float z) { return Box(NULL, -0.3f, -0.3f, z, 0.3f, 0.3f, z + 0.2f); }
};

TEST_F(Picking, NearestMemberOfAGroupOrUseAndNothingForAttributes) {
    ColorRGB(NULL, 1, 0, 0);
    Translate(NULL, 0, 0, 0);
    cObj *group = GroupBegin();
    cObj *member = CentreBox(-2);
    GroupEnd();
    Frame();
    EventInfo e = ClickAndWait();
    EXPECT_EQ(e.hits, 1) << "attribute and transform objects draw nothing to hit";
    EXPECT_EQ(e.name, reinterpret_cast<INT_PTR>(member)) << "the member, not its group";
    Translate(NULL, 0, 0, 1.5f); // an instance of the group nearer the eye
    cObj *use = Use(group);
    Frame();
    e = ClickAndWait();
    EXPECT_EQ(e.hits, 2) << "the one behind is hit too: no depth test while picking";
    EXPECT_EQ(e.name, reinterpret_cast<INT_PTR>(member)) << "a Use of a group names the member";
    EXPECT_NE(e.name, reinterpret_cast<INT_PTR>(use));
}

TEST_F(Picking, BackgroundAndTwoDimensionalObjectsGiveNoHit) {
    Box(NULL, 0.8f, 0.8f, 0, 1, 1, 0.2f); // far from the centre
    SendPexaMsg(PEXA_MSG_INSERT_2D, WPARAM(static_cast<cObj *>(new Cover2D(GetHDC(wind)))), 0);
    Frame();
    EventInfo e = ClickAndWait();
    EXPECT_EQ(e.hits, 0);
    EXPECT_EQ(e.name, 0);
}

TEST_F(Picking, OverflowReportsMinusOneAndTheFirstRecord) {
    cObj *first = nullptr;
    for (int i = 0; i < 20; ++i) { // 16 records fit the default buffer of 64
        cObj *box = CentreBox(-3.0f + 0.1f * i);
        if (!first) first = box;
    }
    Frame();
    EventInfo e = ClickAndWait();
    EXPECT_EQ(e.hits, -1);
    EXPECT_EQ(e.name, reinterpret_cast<INT_PTR>(first));
}

// A compiled scene with a quadric: the pick names nothing, and the frames
// after it are drawn (selection inside the display list would hang them).
TEST_F(Picking, ACompiledSceneNamesNothing) {
    ColorRGB(NULL, 1, 0, 0);
    Sphere(NULL, 0.5f, 16, 16);
    UseDisplayList();
    EventInfo e = ClickAndWait();
    EXPECT_GE(e.hits, 1);
    EXPECT_EQ(e.name, 0);
    const uint32_t centre = Centre(Frame());
    EXPECT_GT(Red(centre), 60) << Hex(centre);
}

// A click while the window has no 3D object reports no hit, and the next
// real frame after a box arrives shows the box (it does not become a pick).
TEST_F(Picking, AClickOnAnEmptySceneLeavesTheNextFrameAlone) {
    Frame(); // picking is on from here, also after the list is emptied
    ClearList();
    EventInfo e = ClickAndWait();
    EXPECT_EQ(e.hits, 0);
    ColorRGB(NULL, 1, 0, 0);
    CentreBox(0);
    RefreshWind(wind); // one frame: it must be shown, not spent on a pick
    const uint32_t centre = Centre(CaptureClient(hwnd));
    EXPECT_GT(Red(centre), 60) << Hex(centre);
    EXPECT_LT(Green(centre), 30) << Hex(centre);
}

} // namespace
