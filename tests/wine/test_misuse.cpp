// Ordinary mistakes and a second thread must not crash, hang or blank a
// scene: Use cycles, deep nesting, deleted targets, foreign insertion
// positions, concurrent clearing, no current window, huge windows. Faults
// inside the library thread's window procedure are swallowed under Wine, so
// a vectored handler counts them; every case checks that none occurred and
// that the scene still draws.
#include <atomic>
#include <thread>

#include "support/scene_fixture.h"
#include "support/stdout_capture.h"

using namespace pexatest;

namespace {

std::atomic<int> faults{0};

LONG CALLBACK CountFault(EXCEPTION_POINTERS *info) {
    DWORD code = info->ExceptionRecord->ExceptionCode;
    if (code == EXCEPTION_ACCESS_VIOLATION || code == EXCEPTION_STACK_OVERFLOW) ++faults;
    return EXCEPTION_CONTINUE_SEARCH;
}

const uint32_t kRed = Rgb(255, 0, 0);

class Misuse : public SceneTest {
  protected:
    void SetUp() override {
        handler_ = AddVectoredExceptionHandler(1, CountFault);
        faults = 0;
        SceneTest::SetUp();
        Disable(NULL, 1);
        ColorRGB(NULL, 1, 0, 0);
    }
    void TearDown() override {
        EXPECT_EQ(faults.load(), 0) << "faults inside the library";
        RemoveVectoredExceptionHandler(handler_);
    }
    // A red box in the middle of the window, drawn by the next frames.
    cObj *RedBox() { return Box(NULL, -0.5f, -0.5f, -0.5f, 0.5f, 0.5f, 0.5f); }
    bool ShowsRed() { return Near(Centre(Frame()), kRed); }
    void *handler_ = nullptr;
};

TEST_F(Misuse, UseCyclesAndDeepGroupsAreRefusedAndTheSceneDraws) {
    cObj *g, *root, *cycles[3];
    int opened = 0;
    std::string printed;
    {
        StdoutCapture out; // gtest prints to the same stream: expectations come after
        g = GroupBegin();
        cycles[0] = Use(g);
        root = GroupEnd();
        cycles[1] = Use(root); // the root list, as GroupEnd hands it out
        cycles[2] = Use(GroupEnd());
        while (GroupBegin())
            ++opened;
        printed = out.take();
    }
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(cycles[0], nullptr);
    EXPECT_EQ(cycles[1], nullptr);
    EXPECT_EQ(cycles[2], nullptr);
    EXPECT_EQ(SendPexaMsg(1025, WPARAM(root), 0), 0);
    EXPECT_EQ(opened, 1000);
    RedBox();
    for (int i = 0; i < opened; ++i)
        GroupEnd();
    EXPECT_TRUE(ShowsRed());
    EXPECT_NE(printed.find("\n Use: the object to draw contains the Use object itself."),
              std::string::npos);
    EXPECT_NE(printed.find("\n GroupBegin: groups cannot nest deeper than 1000 levels."),
              std::string::npos);
}

TEST_F(Misuse, UseChainsStopAtTheDrawingDepth) {
    std::string printed;
    StdoutCapture out;
    cObj *previous = GroupBegin();
    RedBox();
    GroupEnd();
    for (int i = 0; i < 700; ++i) { // each link is a group holding a Use of the last
        cObj *link = GroupBegin();
        Use(previous);
        GroupEnd();
        previous = link;
    }
    Frame();
    printed = out.take();
    EXPECT_NE(printed.find("\n Drawing stops at 1000 nested groups and Use objects."),
              std::string::npos);
}

TEST_F(Misuse, DeletedTargetsAndForeignPositions) {
    cObj *t = RedBox();
    cObj *use = Use(t);
    ASSERT_NE(use, nullptr);
    DelObj(t);
    Frame(); // the Use object draws nothing now
    cObj *g = GroupBegin();
    cObj *inGroup = RedBox();
    GroupEnd();
    EXPECT_EQ(InsertAfter(inGroup, 1), 0); // in a closed group
    cObj *gone = Point(NULL, 0, 0, 0);
    DelObj(gone);
    EXPECT_EQ(InsertAfter(gone, 1), 0); // deleted
    void *other = CreateWind(" other window", 50, 50);
    cObj *foreign = Point(NULL, 0, 0, 0);
    CurrentWind(wind);
    EXPECT_EQ(InsertAfter(foreign, 1), 0); // in another window
    EXPECT_EQ(InsertAfter(use, 1), 1);
    cObj *held = Point(NULL, 0, 0, 0);
    DelObj(use); // the position goes: insertions continue from its predecessor
    EXPECT_NE(Point(NULL, 0, 0, 0), nullptr);
    DelObj(held);
    DelObj(g);
    Frame(); // the box went with its group
    RedBox();
    EXPECT_TRUE(ShowsRed());
    DeleteWind(other);
}

TEST_F(Misuse, ClearingInsideAGroupAndCompilingWithAGroupOpen) {
    RedBox();
    GroupBegin();
    Point(NULL, 0, 0, 0);
    ClearList(); // empties the group only: the box still shows
    EXPECT_TRUE(ShowsRed());
    UseDisplayList(); // compiles the whole scene, not the open group
    EXPECT_TRUE(ShowsRed());
    GroupEnd();
    ClearList();
    EXPECT_FALSE(ShowsRed());
}

TEST_F(Misuse, BuildingOnTwoThreadsWhileAThirdClears) {
    std::atomic<bool> stop{false};
    auto build = [&] {
        while (!stop) {
            if (GroupBegin()) {
                Sphere(NULL, 0.2f, 6, 6);
                GroupEnd();
            }
            Box(NULL, 0, 0, 0, 0.1f, 0.1f, 0.1f);
        }
    };
    std::thread a(build), b(build), c([&] {
        while (!stop)
            ClearList();
    });
    Sleep(1500);
    stop = true;
    a.join();
    b.join();
    c.join();
    while (GroupEnd() != GroupEnd()) {
    }
    ClearList(); // the set-up's colour and switch went with the clearing
    Disable(NULL, 1);
    ColorRGB(NULL, 1, 0, 0);
    RedBox();
    EXPECT_TRUE(ShowsRed());
}

TEST_F(Misuse, NoCurrentWindow) {
    RedBox();
    EXPECT_EQ(CreateWind(" child without parent", 50, 50, 0, 0, NULL, 0, WS_CHILD), nullptr);
    EXPECT_NE(Point(NULL, 0, 0, 0), nullptr) << "the previous window stays current";
    CurrentWind(NULL);
    EXPECT_EQ(Box(NULL, 0, 0, 0, 1, 1, 1), nullptr);
    EXPECT_EQ(GroupBegin(), nullptr);
    std::atomic<bool> released{false};
    std::thread press([&] { // until the wait has seen one
        while (!released) {
            PostKey(hwnd, VK_ESCAPE);
            Sleep(20);
        }
    });
    EventInfo e = WaitForPexa(KEYHIT, VK_ESCAPE);
    released = true;
    press.join();
    EXPECT_EQ(e.vk, VK_ESCAPE);
    CurrentWind(wind);
    EXPECT_TRUE(ShowsRed());
}

TEST_F(Misuse, HugeWindowsAreClampedToTheDesktop) {
    void *huge = CreateWind(" huge", 40000, 40000, 0, 0, NULL, 0, WS_POPUP);
    ASSERT_NE(huge, nullptr);
    ShowWind(huge);
    RECT r = {};
    GetWindowRect(GetHWND(huge), &r);
    EXPECT_LE(r.right - r.left, GetSystemMetrics(SM_CXMAXTRACK));
    EXPECT_LE(r.bottom - r.top, GetSystemMetrics(SM_CYMAXTRACK));
    DeleteWind(huge);
    CurrentWind(wind);
    RedBox();
    EXPECT_TRUE(ShowsRed());
}

} // namespace
