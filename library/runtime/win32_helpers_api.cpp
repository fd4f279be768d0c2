// Exported numeric helpers: the process-wide random generator, seeded when the
// library is loaded, and Normalize.
#include "pexa.h"
#include "scene/random.h"

namespace {
// Constructed during the library's static initialisation, i.e. at load time,
// with the default seed. One instance, no lock: callers serialise their calls.
pexa::SubtractiveRandom generator;
} // namespace

extern "C" {

PEXA_API unsigned int randstd(unsigned int n) {
    return generator.next(n);
}

PEXA_API void srandstd(unsigned int seed) {
    generator.seed(seed);
}

PEXA_API void Normalize(float *v) {
    if (v) pexa::NormalizeVector(v);
}

} // extern "C"
