// Timing of the benchmarks: ours against a peer in interleaved rounds. Each
// round times both once, in alternating order, so that a slow spell of the
// machine (other jobs, frequency changes) hits both sides of one round
// alike; the per-round ratio ours / peer is then summed up by its median and
// its minimum. Header-only and portable, shared by bench/native and
// bench/wine.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace bench {

constexpr int kRounds = 9; // at least 7, odd for a plain median

inline double Now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

template <class F> double Seconds(F &&f) {
    const double t0 = Now();
    f();
    return Now() - t0;
}

inline double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

inline double Min(const std::vector<double> &v) {
    return v.empty() ? 0 : *std::min_element(v.begin(), v.end());
}

// Seconds of each side per round, and the ratio of each round.
struct Rounds {
    std::vector<double> ours, peer, ratio;
    double MedianRatio() const { return Median(ratio); }
    double MinRatio() const { return Min(ratio); }
    double MedianOurs() const { return Median(ours); }
    double MedianPeer() const { return Median(peer); }
};

// Runs `rounds` rounds of ours() and peer() (each returning its seconds, so
// that a side can subtract a baseline of its own, as a process start),
// after one untimed warm-up call of each.
template <class Ours, class Peer> Rounds Interleave(Ours ours, Peer peer, int rounds = kRounds) {
    ours();
    peer();
    Rounds r;
    for (int i = 0; i < rounds; ++i) {
        double a, b;
        if (i % 2 == 0) {
            a = ours();
            b = peer();
        } else {
            b = peer();
            a = ours();
        }
        r.ours.push_back(a);
        r.peer.push_back(b);
        r.ratio.push_back(b > 0 ? a / b : 0);
    }
    return r;
}

// Ours and the peer as plain calls, each timed whole.
template <class Ours, class Peer>
Rounds InterleaveCalls(Ours ours, Peer peer, int rounds = kRounds) {
    return Interleave([&] { return Seconds(ours); }, [&] { return Seconds(peer); }, rounds);
}

// One line: the job, both median times and the ratio's median and minimum.
inline void Print(const std::string &job, const char *peerName, const Rounds &r) {
    std::printf("  %-44s ours %9.2f ms  %-10s %9.2f ms  ratio median %.3f  min %.3f\n", job.c_str(),
                r.MedianOurs() * 1e3, peerName, r.MedianPeer() * 1e3, r.MedianRatio(),
                r.MinRatio());
    std::fflush(stdout);
}

} // namespace bench
