// Subtractive random generator and vector normalisation (portable).
#include "scene/random.h"

#include <cmath>

namespace pexa {

void SubtractiveRandom::seed_(uint32_t seed) {
    for (int i = 0; i < 54; ++i)
        table_[i] = 0;
    table_[54] = seed;
    uint32_t k = 1, j = seed;
    for (uint32_t i = 0; i < 54; ++i) {
        uint32_t ii = (21 * i) % 55;
        table_[ii] = k;
        uint32_t stored = k;
        k = j - k;
        j = stored;
    }
    for (int pass = 0; pass < 4; ++pass)
        for (int i = 0; i < 55; ++i)
            table_[i] -= table_[(i + 31) % 55];
    index1_ = 0;
    index2_ = 31;
}

uint32_t SubtractiveRandom::next(uint32_t n) {
    index1_ = (index1_ + 1) % 55;
    index2_ = (index2_ + 1) % 55;
    table_[index1_] -= table_[index2_];
    return n ? table_[index1_] % n : 0;
}

void NormalizeVector(float *v) {
    long double length =
        std::sqrt((long double)v[0] * v[0] + (long double)v[1] * v[1] + (long double)v[2] * v[2]);
    if (!(length > 0) || !std::isfinite(length)) return;
    long double r = 1.0L / length;
    v[0] = float(v[0] * r);
    v[1] = float(v[1] * r);
    v[2] = float(v[2] * r);
}

} // namespace pexa
