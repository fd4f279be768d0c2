// The library's pseudo-random generator: a subtractive (lagged Fibonacci)
// generator of 55 unsigned 32-bit words with lags 55 and 24, in wrapping
// arithmetic, so every platform and run gives the same sequence.
#pragma once

#include <cstdint>

namespace pexa {

class SubtractiveRandom {
  public:
    static constexpr uint32_t kDefaultSeed = 161803398u;

    explicit SubtractiveRandom(uint32_t seed = kDefaultSeed) { seed_(seed); }
    void seed(uint32_t seed) { seed_(seed); }
    // Advances one step and returns the new word modulo n. n = 0 is a misuse
    // (no value lies in [0, n)); it still advances and returns 0.
    uint32_t next(uint32_t n);

  private:
    void seed_(uint32_t seed);
    uint32_t table_[55];
    uint32_t index1_ = 0;
    uint32_t index2_ = 31;
};

// Scales v[3] to unit length. The length of a zero vector has no reciprocal;
// such a vector (and one whose length is not finite and positive) is left
// unchanged instead of being filled with NaNs.
void NormalizeVector(float *v);

} // namespace pexa
