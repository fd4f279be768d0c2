// Object lists: order of drawing, insertion positions, deletion, groups,
// Use, display lists and clearing, seen through program-defined objects
// that record their draws.
#include "support/scene_fixture.h"

using namespace pexatest;

namespace {

using Log = std::vector<std::string>;

class ListTest : public SceneTest {
  protected:
    Log Draws() {
        log.clear();
        RefreshWind(wind);
        return log;
    }
    cObj *Add(const std::string &name) { return InsertRecorder(&log, name); }
    Log log;
};

TEST_F(ListTest, ObjectsDrawInInsertionOrder) {
    Add("a");
    Add("b");
    Add("c");
    EXPECT_EQ(Draws(), (Log{"a", "b", "c"}));
}

TEST_F(ListTest, InsertAfterWithoutHoldPlacesOnlyTheNextObject) {
    cObj *a = Add("a");
    Add("x");
    InsertAfter(a, 0);
    Add("b");
    Add("c");
    EXPECT_EQ(Draws(), (Log{"a", "b", "x", "c"}));
}

TEST_F(ListTest, InsertAfterWithHoldStacksInReverseOrder) {
    cObj *a = Add("a");
    Add("x");
    InsertAfter(a, 1);
    Add("b");
    Add("c");
    EXPECT_EQ(Draws(), (Log{"a", "c", "b", "x"}));
    InsertAfter(nullptr, 0); // no change: still held after a
    Add("d");
    EXPECT_EQ(Draws(), (Log{"a", "d", "c", "b", "x"}));
}

TEST_F(ListTest, DeletionReturnsTheSuccessorAndRepairsTheList) {
    cObj *a = Add("a");
    cObj *b = Add("b");
    cObj *c = Add("c");
    EXPECT_EQ(DelObj(c), nullptr); // the last: its predecessor becomes last
    cObj *d = Add("d");
    EXPECT_EQ(Draws(), (Log{"a", "b", "d"}));
    EXPECT_EQ(DelObj(b), d);
    EXPECT_EQ(Draws(), (Log{"a", "d"}));
    EXPECT_EQ(DelObj(a), d); // the first: the second becomes first
    EXPECT_EQ(Draws(), (Log{"d"}));
    EXPECT_EQ(DelObj(d), nullptr); // the only one: the list is empty
    EXPECT_EQ(Draws(), (Log{}));
    Add("e");
    EXPECT_EQ(Draws(), (Log{"e"}));
}

TEST_F(ListTest, DeletingAnObjectNotInTheListChangesNothing) {
    Add("a");
    Recorder outsider(nullptr, "o");
    EXPECT_EQ(DelObj(&outsider), nullptr);
    EXPECT_EQ(Draws(), (Log{"a"}));
}

TEST_F(ListTest, GroupsNestAndEndAtTheRoot) {
    cObj *root = GroupEnd(); // no open group: the root list, unchanged
    ASSERT_NE(root, nullptr);
    cObj *g = GroupBegin();
    ASSERT_NE(g, nullptr);
    Add("g1");
    Add("g2");
    EXPECT_EQ(GroupEnd(), root);
    Add("after");
    EXPECT_EQ(Draws(), (Log{"g1", "g2", "after"}));
    Use(g);
    EXPECT_EQ(Draws(), (Log{"g1", "g2", "after", "g1", "g2"}));
    EXPECT_EQ(GroupEnd(), root);
}

TEST_F(ListTest, ClearListInsideAGroupEmptiesOnlyTheGroup) {
    Add("a");
    GroupBegin();
    Add("g1");
    ClearList();
    Add("g2");
    GroupEnd();
    EXPECT_EQ(Draws(), (Log{"a", "g2"}));
}

TEST_F(ListTest, DisplayListFreezesTheSceneUntilCompiledAgain) {
    Disable(NULL, 1);
    ColorRGB(NULL, 1, 0, 0);
    Box(NULL, -0.2f, -0.2f, -0.2f, 0.2f, 0.2f, 0.2f);
    EXPECT_EQ(UseDisplayList(), 0);
    Recorder *r = static_cast<Recorder *>(Add("late"));
    ColorRGB(NULL, 0, 1, 0);
    Box(NULL, 0.5f, 0.5f, 0, 1, 1, 0.5f);
    Capture c = Frame();
    EXPECT_EQ(r->draws.load(), 0);
    EXPECT_TRUE(Near(Centre(c), Rgb(255, 0, 0)));
    EXPECT_TRUE(Near(c.at(c.width * 3 / 4 - 5, c.height / 4 + 5), Rgb(0, 0, 0)));
    UseDisplayList();
    int compiled = r->draws.load();
    EXPECT_EQ(compiled, 1); // drawn once, into the list
    c = Frame();
    EXPECT_EQ(r->draws.load(), compiled);
    EXPECT_TRUE(Near(c.at(c.width * 3 / 4 - 5, c.height / 4 + 5), Rgb(0, 255, 0)));
    ClearList(); // does not undo the compiled state
    Point(NULL, 100, 100, 100);
    EXPECT_TRUE(Near(Centre(Frame()), Rgb(255, 0, 0)));
}

TEST_F(ListTest, ClearListShowsTheBackgroundAgain) {
    Background(0, 0, 1);
    Disable(NULL, 1);
    ColorRGB(NULL, 1, 0, 0);
    Box(NULL, -1, -1, -1, 1, 1, 1);
    EXPECT_TRUE(Near(Centre(Frame()), Rgb(255, 0, 0)));
    ClearList();
    EXPECT_TRUE(Near(Centre(CaptureClient(hwnd)), Rgb(0, 0, 255)));
}

TEST_F(ListTest, WindowDeletionDestroysProgramObjectsThroughTheirDestructor) {
    static int destroyed = 0;
    struct Counted : cObj {
        Counted() : cObj(0) {}
        ~Counted() override { ++destroyed; }
        void Draw() override {}
        void DrawExtra() override {}
    };
    SendPexaMsg(1025, WPARAM(static_cast<cObj *>(new Counted)), 0);
    GroupBegin();
    SendPexaMsg(1025, WPARAM(static_cast<cObj *>(new Counted)), 0);
    GroupEnd();
    DeleteWind(wind);
    EXPECT_EQ(destroyed, 2);
}

} // namespace
