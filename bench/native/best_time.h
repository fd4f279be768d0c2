// Timing helper of the native benchmarks: the best of several runs.
#pragma once

#include <chrono>

// Seconds of the fastest of `runs` calls of f.
template <class F> double BestSeconds(int runs, F f) {
    using Clock = std::chrono::steady_clock;
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        const auto t0 = Clock::now();
        f();
        const double s = std::chrono::duration<double>(Clock::now() - t0).count();
        if (s < best) best = s;
    }
    return best;
}
