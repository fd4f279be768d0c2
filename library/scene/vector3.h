// Three-float vectors as the scene keeps them (positions, directions,
// colours): the small copies every part of the library needs.
#pragma once

namespace pexa {

inline void Copy3(float *to, const float *from) {
    to[0] = from[0];
    to[1] = from[1];
    to[2] = from[2];
}

inline void Set3(float *to, float x, float y, float z) {
    to[0] = x;
    to[1] = y;
    to[2] = z;
}

} // namespace pexa
