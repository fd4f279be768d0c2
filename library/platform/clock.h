// The library's clock: milliseconds of the C runtime's clock, for frame
// times and drag timing.
#pragma once

#include <ctime>

namespace pexa {

inline int ClockMilliseconds() {
    return int(std::clock() * 1000.0 / CLOCKS_PER_SEC);
}

} // namespace pexa
