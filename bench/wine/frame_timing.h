// Timing helpers of the Windows benchmarks: a clock, the time of one frame
// of a scene window, and the median of a run.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

#include "pexa.h"

namespace pexabench {

// Seconds from the performance counter.
inline double Now() {
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) / double(f.QuadPart);
}

// Seconds one frame of the window takes, drawn synchronously.
inline double TimeFrame(void *w) {
    double t0 = Now();
    RefreshWind(w);
    return Now() - t0;
}

inline double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace pexabench
