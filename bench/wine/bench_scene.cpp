// Scene benchmarks, each against a baseline measured in the same process, in
// interleaved rounds (median and minimum of the per-round ratios, see
// rounds.h):
//  - insertion: Point insertions vs as many bare cross-thread SendMessageA
//    round trips to a window of another thread;
//  - frame: 10 000 boxes drawn by the list traversal vs the same OpenGL calls
//    from one hand-written loop, and vs the compiled display list. Every
//    window culls all faces (an object first in each list turns culling of
//    front and back faces on), so no pixel is rasterised and the library's
//    own work is not drowned by the renderer's;
//  - pick: a click that picks in the 10 000 boxes vs a key press that draws
//    one normal frame of them, each from the input to the released wait;
//  - mesh: a capped cylinder of 40 000 side quads and two 40 000-gon caps
//    made with a crease angle and drawn once, vs the same made flat and
//    drawn once (the whole path a program sees, from the call to the
//    picture).
//   tools/wine-run.sh build/x64/bin/bench_scene.exe [insertions] [frames]
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "../capped_cylinder.h"
#include "../rounds.h"
#include "frame_timing.h"
#include "pexa.h"

using namespace pexabench;

namespace {

// Baseline: a window on a thread of its own with a plain message loop.
HWND StartEchoThread() {
    static HWND echo = nullptr;
    HANDLE ready = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    std::thread([ready] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "BenchEcho";
        RegisterClassA(&wc);
        echo = CreateWindowExA(0, "BenchEcho", "echo", 0, 0, 0, 10, 10, nullptr, nullptr,
                               wc.hInstance, nullptr);
        SetEvent(ready);
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0)
            DispatchMessageA(&msg);
    }).detach();
    WaitForSingleObject(ready, INFINITE);
    return echo;
}

// The same OpenGL calls as 10 000 boxes, written by hand in one Draw.
struct HandBoxes : cObj {
    HandBoxes() : cObj(0) {}
    void Draw() override {
        static const float n[6][3] = {{0, -1, 0}, {0, 1, 0},  {0, 0, 1},
                                      {1, 0, 0},  {0, 0, -1}, {-1, 0, 0}};
        static const int f[6][4] = {{0, 3, 2, 1}, {4, 5, 6, 7}, {4, 0, 1, 5},
                                    {5, 1, 2, 6}, {6, 2, 3, 7}, {7, 3, 0, 4}};
        for (int i = 0; i < 10000; ++i) {
            float x = float(i % 100) * 0.03f - 1.5f, y = float(i / 100) * 0.03f - 1.5f;
            float k[8][3] = {{x, y, 0.01f},
                             {x + 0.01f, y, 0.01f},
                             {x + 0.01f, y, 0},
                             {x, y, 0},
                             {x, y + 0.01f, 0.01f},
                             {x + 0.01f, y + 0.01f, 0.01f},
                             {x + 0.01f, y + 0.01f, 0},
                             {x, y + 0.01f, 0}};
            glBegin(GL_QUADS);
            for (int s = 0; s < 6; ++s) {
                glNormal3fv(n[s]);
                for (int c : f[s])
                    glVertex3fv(k[c]);
            }
            glEnd();
        }
    }
    void DrawExtra() override {}
};

// First in a list: every face is culled from here on, so a frame costs the
// traversal and the OpenGL calls but no rasterisation.
struct CullEverything : cObj {
    CullEverything() : cObj(0) {}
    void Draw() override {
        glEnable(GL_CULL_FACE);
        glCullFace(GL_FRONT_AND_BACK);
    }
    void DrawExtra() override {}
};

void AddCulling() {
    SendPexaMsg(1025, WPARAM(static_cast<cObj *>(new CullEverything)), 0);
}

void AddBoxes() {
    for (int i = 0; i < 10000; ++i) {
        float x = float(i % 100) * 0.03f - 1.5f, y = float(i / 100) * 0.03f - 1.5f;
        Box(NULL, x, y, 0, x + 0.01f, y + 0.01f, 0.01f);
    }
}

// From posting the input to the end of the wait it releases (a frame is
// drawn on the way); samples whose input came before the wait are dropped.
double RoundTrip(HWND hwnd, UINT down, WPARAM wParam, LPARAM lParam, HANDLE released) {
    for (;;) {
        Sleep(2); // let the waiter wait again
        ResetEvent(released);
        double t0 = Now();
        PostMessageA(hwnd, down, wParam, lParam);
        PostMessageA(hwnd, down == WM_LBUTTONDOWN ? WM_LBUTTONUP : WM_KEYUP, wParam, lParam);
        if (WaitForSingleObject(released, 2000) == WAIT_OBJECT_0) return Now() - t0;
    }
}

// The capped cylinder, made in the current window and drawn once.
struct CappedCylinder : bench::CappedCylinder {
    using bench::CappedCylinder::CappedCylinder;
    // Seconds to make the face set in the current window and draw it once.
    double MakeAndDraw(void *w, float creaseAngle, int shading) {
        ShadeMode(shading);
        const double t0 = Now();
        cObj *set = IndexedFaceSet(NULL, coords.data(), int(coords.size() / 3), index.data(),
                                   int(index.size()), creaseAngle, 0, 0, NULL, 0, NULL, 0, 0, NULL,
                                   0, NULL, 0);
        RefreshWind(w);
        const double t = Now() - t0;
        ClearList();
        DelObj(set);
        return t;
    }
};

} // namespace

int main(int argc, char **argv) {
    // Under Wine a cross-thread SendMessageA costs close to a millisecond, so
    // the insertion count can be lowered: bench_scene [insertions] [frames]
    // (frames: rounds of the frame and pick comparisons, at least 7).
    const int kInsertions = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int kFrames = std::max(7, argc > 2 ? std::atoi(argv[2]) : 31);
    void *w = CreateWind(" bench", 400, 300, 10, 10);
    ShowWind(w);

    HWND echo = StartEchoThread();
    const int perRound = kInsertions / bench::kRounds + 1;
    bench::Print("insertion: Point vs SendMessageA", "send",
                 bench::InterleaveCalls(
                     [&] {
                         for (int i = 0; i < perRound; ++i)
                             Point(NULL, 0, 0, 0);
                     },
                     [&] {
                         for (int i = 0; i < perRound; ++i)
                             SendMessageA(echo, WM_USER, 0, 0);
                     }));

    // Three windows, drawn in turn frame by frame, so that load on the
    // machine hits all alike; a round is one frame of each.
    void *listed = w;
    ClearList();
    AddCulling();
    AddBoxes();
    void *hand = CreateWind(" bench hand", 400, 300, 420, 10);
    ShowWind(hand);
    AddCulling();
    SendPexaMsg(1025, WPARAM(static_cast<cObj *>(new HandBoxes)), 0);
    void *compiledWind = CreateWind(" bench compiled", 400, 300, 830, 10);
    ShowWind(compiledWind);
    AddCulling();
    AddBoxes();
    UseDisplayList();
    bench::Print("frame of 10000 culled boxes: traversal vs hand", "hand",
                 bench::Interleave([&] { return TimeFrame(listed); },
                                   [&] { return TimeFrame(hand); }, kFrames));
    bench::Print("frame of 10000 culled boxes: list vs hand", "hand",
                 bench::Interleave([&] { return TimeFrame(compiledWind); },
                                   [&] { return TimeFrame(hand); }, kFrames));
    // Picking draws for real: culling would leave nothing to pick.
    for (void *win : {listed, hand, compiledWind}) {
        CurrentWind(win);
        ClearList();
    }
    CurrentWind(listed);
    AddBoxes();

    CurrentWind(listed);
    Enable(NULL, PEXA_ENABLE_PICKING);
    Disable(NULL, PEXA_ENABLE_MOUSE_NAV); // the click only picks
    RefreshWind(listed);
    HANDLE released = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread([released] {
        for (;;) {
            WaitForPexa(KEYHIT | MOUSEHIT, 0);
            SetEvent(released);
        }
    }).detach();
    HWND hwnd = GetHWND(listed);
    bench::Print("pick in 10000 boxes vs a normal frame", "frame",
                 bench::Interleave(
                     [&] {
                         return RoundTrip(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 150),
                                          released);
                     },
                     [&] { return RoundTrip(hwnd, WM_KEYDOWN, VK_F5, 1, released); }, kFrames));

    Disable(NULL, PEXA_ENABLE_PICKING);
    ClearList();
    CappedCylinder cylinder(40000);
    bench::Print("capped cylinder n = 40 000, made and drawn: smooth vs flat", "flat",
                 bench::Interleave([&] { return cylinder.MakeAndDraw(listed, 60, PEXA_SMOOTH); },
                                   [&] { return cylinder.MakeAndDraw(listed, 60, PEXA_FLAT); },
                                   kFrames));
    return 0;
}
