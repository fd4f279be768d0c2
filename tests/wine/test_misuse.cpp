// Ordinary mistakes and a second thread must not crash, hang or blank a
// scene: Use cycles, deep nesting, deleted targets, foreign insertion
// positions, concurrent clearing, threads with their own groups, no current
// window, huge windows, fonts made again and again, the longest texts and
// point arrays, requests from outside. A vectored handler counts faults;
// every case checks that none occurred and that the scene still draws. A
// fault that does happen on the library thread ends the program with a line
// (a child program shows it).
#include <windows.h>

#include <psapi.h>

#include <atomic>
#include <cmath>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

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

TEST(FaultOnTheLibraryThread, EndsTheProgramWithALine) {
    const std::string log = TempPath("fault.txt");
    const DWORD start = GetTickCount();
    const int code = RunProgram("fault_in_draw.exe", 20000, log);
    const DWORD took = GetTickCount() - start;
    std::stringstream printed;
    printed << std::ifstream(log).rdbuf();
    DeleteFileA(log.c_str());
    EXPECT_EQ(unsigned(code), 0xC0000005u);
    EXPECT_LT(took, 5000u);
    // The frame runs in a request or a window message, as it comes.
    for (const char *part :
         {"Fault C0000005 (access violation) on the library thread: in the "
          "Draw of an object of type 0, in a frame of window \" faulty object\",",
          "The program ends.\n"})
        EXPECT_NE(printed.str().find(part), std::string::npos) << printed.str();
}

// The system's pointer probes catch their own fault on the library thread
// too: a Draw that asks IsBadReadPtr about a bad pointer draws on.
TEST_F(Misuse, ASystemProbeOfABadPointerInDrawIsNoFault) {
    struct Probing : cObj {
        Probing() : cObj(0) {}
        void Draw() override { answer = IsBadReadPtr(reinterpret_cast<void *>(16), 4); }
        void DrawExtra() override {}
        BOOL answer = FALSE;
    };
    auto *probe = new Probing;
    SendPexaMsg(PEXA_MSG_INSERT_3D, reinterpret_cast<WPARAM>(static_cast<cObj *>(probe)), 0);
    RedBox();
    EXPECT_TRUE(ShowsRed());
    EXPECT_TRUE(probe->answer);
    DelObj(probe);
    faults = 0; // the probes' own, caught where they happened
}

// Each thread's objects go into its own open group: none is freed with
// another thread's group, and each GroupEnd hands back the root list.
TEST_F(Misuse, ThreeThreadsBuildingGroups) {
    cObj *root = GroupEnd();
    std::atomic<bool> stop{false};
    std::atomic<int> lost{0}, strays{0}, built{0};
    auto build = [&] {
        std::vector<std::pair<cObj *, cObj *>> mine; // a group and its point
        while (!stop) {
            cObj *g = GroupBegin();
            Box(NULL, 0, 0, 0, 1, 1, 1);
            ClearList(); // empties the thread's own group only
            cObj *p = Point(NULL, 0, 0, 0);
            if (GroupEnd() != root) ++strays;
            mine.push_back({g, p});
            for (auto &m : mine)
                if (!Point(m.second, 0.1f, 0, 0)) ++lost; // freed under its thread
            if (mine.size() > 8) DelObj(mine.front().first), mine.erase(mine.begin());
            ++built;
        }
    };
    Enable(NULL, 6); // frames draw the groups meanwhile
    std::thread a(build), b(build), c(build);
    Sleep(3000);
    stop = true;
    a.join(), b.join(), c.join();
    EXPECT_GT(built.load(), 30);
    EXPECT_EQ(lost.load(), 0);
    EXPECT_EQ(strays.load(), 0);
    RedBox();
    EXPECT_TRUE(ShowsRed());
}

TEST_F(Misuse, FontsMadeAgainAndAgainKeepTheirLists) {
    auto workingSet = [] {
        PROCESS_MEMORY_COUNTERS m = {};
        m.cb = sizeof m;
        K32GetProcessMemoryInfo(GetCurrentProcess(), &m, sizeof m);
        return double(m.WorkingSetSize) / (1 << 20);
    };
    double before = 0;
    for (int i = 0; i < 1000; ++i) {
        if (i == 20) before = workingSet();
        HFONT font = CreateFont2D("Tahoma", 24, FW_NORMAL, 0, 0);
        OutlineFont outline = CreateFontEXT(font, 0.1f, WGL_FONT_POLYGONS);
        DelObj(TextBMP(NULL, "Hello", CreateFontBMP(font)));
        DelObj(TextEXT(NULL, "Hello", &outline, 1, 0));
        DeleteCreated2D(font);
        if (i == 999) {
            EXPECT_EQ(CreateFontBMP(font), 0) << "a deleted font";
            EXPECT_EQ(CreateFontEXT(font, 0.1f, WGL_FONT_POLYGONS).listBase, 0);
        }
    }
    EXPECT_LT(workingSet() - before, 8.0) << "MB after 1000 fonts";
}

// Beyond Wine's X request limits the texts and point arrays are drawn in
// pieces; the picture is that of a short text or a few points.
TEST_F(Misuse, LongestTextsAndPointArraysDraw) {
    ClearList();
    auto picture = [&](auto draw) {
        draw();
        Capture c = Frame();
        ClearList2D();
        return c.pixels;
    };
    const std::string ls(30000, 'l'); // the piece boundary at 4096 shows on screen
    HDC measure = CreateCompatibleDC(NULL);
    SelectObject(measure, GetStockObject(SYSTEM_FONT));
    SIZE before = {};
    GetTextExtentPoint32A(measure, ls.c_str(), 4090, &before);
    DeleteDC(measure);
    EXPECT_EQ(picture([&] { Text2D(NULL, ls.c_str(), -before.cx, 20); }),
              picture([&] { Text2D(NULL, ls.substr(0, 100).c_str(), 0, 20); }));
    const int n = 1 << 24; // the most points a 2D kind takes
    std::vector<POINT> p(n);
    for (int i = 0; i < n; ++i) // along a line and back; the edges of a square
        p[i] = {20 + LONG(int64_t(150) * (i < n / 2 ? i : n - 1 - i) / (n / 2)), 100};
    const POINT line[3] = {{20, 100}, {169, 100}, {20, 100}};
    EXPECT_EQ(picture([&] { PolyLine2D(NULL, p.data(), n, 0); }),
              picture([&] { PolyLine2D(NULL, const_cast<POINT *>(line), 3, 0); }));
    POINT square[4] = {{40, 40}, {180, 40}, {180, 180}, {40, 180}};
    for (int i = 0; i < n; ++i) {
        const POINT &a = square[i / (n / 4)], &b = square[(i / (n / 4) + 1) % 4];
        const int64_t t = i % (n / 4);
        p[i] = {LONG(a.x + (b.x - a.x) * t / (n / 4)), LONG(a.y + (b.y - a.y) * t / (n / 4))};
    }
    EXPECT_EQ(picture([&] { Polygon2D(NULL, p.data(), n, ALTERNATE); }),
              picture([&] { Polygon2D(NULL, square, 4, ALTERNATE); }));
}

TEST_F(Misuse, TextIntoTheScenesOwnListIsSkipped) {
    RedBox();
    TextBMP(NULL, "AAAA", 1 - 'A'); // 'A' would call list 1, the compiled scene
    UseDisplayList();
    EXPECT_TRUE(ShowsRed());
}

TEST_F(Misuse, RequestsFromOutside) {
    RedBox();
    static char junk[256];
    for (UINT m : {UINT(WM_CLOSE), UINT(WM_CREATE), UINT(WM_DESTROY), UINT(WM_USER - 1),
                   UINT(PEXA_MSG_LAST + 1), UINT(WM_APP + 0x50)})
        EXPECT_EQ(SendPexaMsg(m, 0, 0), 0) << m;
    EXPECT_EQ(SendPexaMsg(PEXA_MSG_CREATE_WIND, WPARAM(wind), 0), 0);
    EXPECT_EQ(SendPexaMsg(PEXA_MSG_USE_DISPLAY_LIST, 0, 0), 0);
    EXPECT_EQ(SendPexaMsg(PEXA_MSG_GET_HWND, WPARAM(junk), 0), 0);
    EXPECT_EQ(GetHWND(reinterpret_cast<void *>(0x1234)), nullptr);
    DeleteWind(junk);
    ShowWind(junk);
    EXPECT_TRUE(ShowsRed()) << "the scene is not blanked";
    CurrentWind(junk);
    EXPECT_EQ(Box(NULL, 0, 0, 0, 1, 1, 1), nullptr) << "no window is current";
    void *other = CreateWind(" after the system messages", 60, 60);
    ASSERT_NE(other, nullptr);
    DeleteWind(other);
    CurrentWind(wind);
    EXPECT_TRUE(ShowsRed());
}

} // namespace
