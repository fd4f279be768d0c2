// The example programs and a program-defined object class, run as a user
// would run them.
#include <cmath>
#include <string>

#include "support/scene_fixture.h"

using namespace pexatest;

namespace {

std::string BinPath(const std::string &name) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string dir(self);
    return dir.substr(0, dir.find_last_of("\\/") + 1) + name;
}

TEST(Examples, ShortestShowsALitCubeAndEndsWithEscape) {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::string cmd = "\"" + BinPath("exShortest.exe") + "\"";
    ASSERT_TRUE(CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                               nullptr, nullptr, &si, &pi));
    HWND hwnd = FindWindowByTitle(" Pexa Window: Shortest Pexa Example", 20000);
    ASSERT_NE(hwnd, nullptr);
    // Wait for the first frames, then read the picture.
    Capture c;
    for (int i = 0; i < 100; ++i) {
        Flush(hwnd);
        c = CaptureClient(hwnd);
        if (!c.empty() && !Near(c.at(c.width / 2, c.height / 2), Rgb(0, 0, 0), 10)) break;
        Sleep(20);
    }
    ASSERT_FALSE(c.empty());
    uint32_t centre = c.at(c.width / 2, c.height / 2);
    EXPECT_GT(Red(centre), 60) << Hex(centre);
    EXPECT_EQ(Red(centre), Blue(centre)) << "grey: a white surface under a white light";
    EXPECT_TRUE(Near(c.at(3, 3), Rgb(0, 0, 0), 10)) << "the corners show the background";
    // ESC ends the program with exit code 0 (the program may start waiting
    // only after its window shows, so the key is sent until it ends).
    DWORD code = STILL_ACTIVE;
    for (int i = 0; i < 100 && code == STILL_ACTIVE; ++i) {
        PostKey(hwnd, VK_ESCAPE);
        WaitForSingleObject(pi.hProcess, 100);
        GetExitCodeProcess(pi.hProcess, &code);
    }
    EXPECT_EQ(code, 0u);
    if (code == STILL_ACTIVE) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

// A program's own object class, as a program writes it against pexa.h.
class cCircle : public cObj {
  public:
    cCircle(float radius, int segments) : cObj(0), radius(radius), segments(segments) {}
    void Draw() override {
        glBegin(GL_LINE_LOOP);
        float s = 2.0f * 3.14159265f / float(segments);
        for (float a = 0; a <= 2.0f * 3.14159265f; a += s)
            glVertex2d(radius * std::sin(a), radius * std::cos(a));
        glEnd();
    }
    void DrawExtra() override {}
    float radius;
    int segments;
};

cObj *Circle(cObj *obj, float radius, int segments) {
    if (obj) {
        if (obj->typeId != 0) return nullptr;
        static_cast<cCircle *>(obj)->radius = radius;
        static_cast<cCircle *>(obj)->segments = segments;
        return obj;
    }
    cCircle *circle = new cCircle(radius, segments);
    SendPexaMsg(1025, reinterpret_cast<WPARAM>(static_cast<cObj *>(circle)), 0);
    return circle;
}

TEST_F(SceneTest, ProgramDefinedCircleDrawsInTheCurrentColour) {
    Disable(NULL, 1);
    cObj *axis = Axis(NULL, 3, 3, 3, 0.2f, 0.05f, 0.1f);
    ColorRGB(NULL, 1, 1, 0);
    cObj *circle = Circle(NULL, 1, 17);
    EXPECT_EQ(Circle(axis, 2, 5), nullptr);
    Capture c = Frame();
    // The circle starts at the top, (0, radius).
    int top = -1;
    for (int y = 0; y < c.height / 2; ++y)
        if (Near(c.at(c.width / 2, y), Rgb(255, 255, 0), 30)) {
            top = y;
            break;
        }
    ASSERT_GE(top, 0);
    EXPECT_EQ(Circle(circle, 0.5f, 17), circle);
    Capture smaller = Frame();
    EXPECT_FALSE(Near(smaller.at(c.width / 2, top), Rgb(255, 255, 0), 30));
}

} // namespace
