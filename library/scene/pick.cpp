// Choosing the picked object (see pick.h).
#include "scene/pick.h"

namespace pexa {

PickChoice ChoosePick(const uint32_t *buffer, size_t size, int hits) {
    PickChoice choice;
    choice.hits = hits;
    if (hits == 0 || !buffer) return choice;
    const size_t records = hits < 0 ? 1 : size_t(hits);
    bool found = false;
    uint32_t bestDepth = 0;
    size_t at = 0;
    for (size_t r = 0; r < records && at + 3 <= size; ++r) {
        // {name count, minimum depth, maximum depth, names...}
        const uint32_t names = buffer[at];
        const uint32_t depth = buffer[at + 1];
        if (names > size - at - 3) break; // truncated record
        if (names > 0 && (!found || depth < bestDepth)) {
            bestDepth = depth;
            choice.name = buffer[at + 3 + names - 1];
            found = true;
        }
        at += 3 + size_t(names);
    }
    return choice;
}

} // namespace pexa
