// 2D overlay benchmark: a frame of 10 000 2D objects (5 000 Line2D and
// 5 000 Rectangle2D) drawn by the list traversal, against the same GDI calls
// from one hand-written loop in a second window of the same process. The
// two windows are drawn in turn frame by frame, so that load on the machine
// hits both alike; a round is one frame of each (see rounds.h).
//   tools/wine-run.sh build/x64/bin/bench_overlay.exe [frames]   (at least 7)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "../rounds.h"
#include "frame_timing.h"
#include "pexa.h"

using namespace pexabench;

namespace {

constexpr int kPairs = 5000;

void Place(int i, int *x, int *y) {
    *x = (i % 70) * 5;
    *y = (i / 70) * 4 % 280;
}

// The GDI calls of the 10 000 objects, written by hand in one 2D Draw: a
// line moves to its start, draws, and moves back to the current position
// (0, 0); a rectangle includes its corners.
struct HandOverlay : cObj {
    explicit HandOverlay(HDC dc) : cObj(3999), dc(dc) {}
    void Draw() override {
        for (int i = 0; i < kPairs; ++i) {
            int x, y;
            Place(i, &x, &y);
            MoveToEx(dc, x, y, nullptr);
            LineTo(dc, x + 8, y + 8);
            MoveToEx(dc, 0, 0, nullptr);
            Rectangle(dc, x, y, x + 6 + 1, y + 6 + 1);
        }
    }
    void DrawExtra() override {}
    HDC dc;
};

} // namespace

int main(int argc, char **argv) {
    const int kFrames = std::max(7, argc > 1 ? std::atoi(argv[1]) : 31);
    void *listed = CreateWind(" bench overlay", 400, 300, 10, 10);
    ShowWind(listed);
    for (int i = 0; i < kPairs; ++i) {
        int x, y;
        Place(i, &x, &y);
        Line2D(NULL, x, y, x + 8, y + 8);
        Rectangle2D(NULL, x, y, x + 6, y + 6);
    }
    void *hand = CreateWind(" bench overlay hand", 400, 300, 420, 10);
    ShowWind(hand);
    SendPexaMsg(PEXA_MSG_INSERT_2D, WPARAM(static_cast<cObj *>(new HandOverlay(GetHDC(hand)))), 0);

    char job[64];
    std::snprintf(job, sizeof job, "frame of %d 2D objects: traversal vs hand", 2 * kPairs);
    bench::Print(job, "hand",
                 bench::Interleave([&] { return TimeFrame(listed); },
                                   [&] { return TimeFrame(hand); }, kFrames));
    return 0;
}
