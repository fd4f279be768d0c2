// Scene benchmarks, each against a baseline measured in the same process:
//  - insertion: 100 000 Point insertions vs 100 000 bare cross-thread
//    SendMessageA round trips to a window of another thread;
//  - frame: 10 000 boxes drawn by the list traversal vs the same OpenGL calls
//    from one hand-written loop, and vs the compiled display list;
//  - pick: a click that picks in the 10 000 boxes vs a key press that draws
//    one normal frame of them, each from the input to the released wait.
// Prints the times and ratios.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "pexa.h"
#include "frame_timing.h"

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

} // namespace

int main(int argc, char **argv) {
    // Under Wine a cross-thread SendMessageA costs close to a millisecond, so
    // the insertion count can be lowered: bench_scene [insertions] [frames].
    const int kInsertions = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int kFrames = argc > 2 ? std::atoi(argv[2]) : 31;
    void *w = CreateWind(" bench", 400, 300, 10, 10);
    ShowWind(w);

    HWND echo = StartEchoThread();
    double t0 = Now();
    for (int i = 0; i < kInsertions; ++i)
        SendMessageA(echo, WM_USER, 0, 0);
    double sendTime = Now() - t0;
    t0 = Now();
    for (int i = 0; i < kInsertions; ++i)
        Point(NULL, 0, 0, 0);
    double insertTime = Now() - t0;
    std::printf("insertion: %d Point %.3f s, %d SendMessageA %.3f s, ratio %.2f (target <= 1.3)\n",
                kInsertions, insertTime, kInsertions, sendTime, insertTime / sendTime);

    // Three windows, drawn in turn frame by frame, so that load on the
    // machine hits all alike; the median frame time of each is compared.
    void *listed = w;
    ClearList();
    AddBoxes();
    void *hand = CreateWind(" bench hand", 400, 300, 420, 10);
    ShowWind(hand);
    SendPexaMsg(1025, WPARAM(static_cast<cObj *>(new HandBoxes)), 0);
    void *compiledWind = CreateWind(" bench compiled", 400, 300, 830, 10);
    ShowWind(compiledWind);
    AddBoxes();
    UseDisplayList();
    std::vector<double> listTimes, handTimes, compiledTimes;
    for (int i = 0; i < kFrames + 2; ++i) {
        double a = TimeFrame(listed), b = TimeFrame(hand), c = TimeFrame(compiledWind);
        if (i < 2) continue; // warm-up
        listTimes.push_back(a);
        handTimes.push_back(b);
        compiledTimes.push_back(c);
    }
    double traversal = Median(listTimes), handWritten = Median(handTimes);
    double compiled = Median(compiledTimes);
    std::printf("frame of 10000 boxes: traversal %.1f ms, hand-written %.1f ms, ratio %.3f "
                "(target <= 1.10); display list %.1f ms, ratio %.3f\n",
                traversal * 1e3, handWritten * 1e3, traversal / handWritten, compiled * 1e3,
                compiled / handWritten);

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
    std::vector<double> picks, frames;
    for (int i = 0; i < kFrames + 2; ++i) {
        double p = RoundTrip(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 150), released);
        double f = RoundTrip(hwnd, WM_KEYDOWN, VK_F5, 1, released);
        if (i < 2) continue;
        picks.push_back(p);
        frames.push_back(f);
    }
    double pick = Median(picks), frame = Median(frames);
    std::printf("pick in 10000 boxes: %.1f ms, normal frame %.1f ms, ratio %.3f\n", pick * 1e3,
                frame * 1e3, pick / frame);
    return 0;
}
