// Wait matching (see wait_match.h).
#include "scene/wait_match.h"

#include "scene/pexa_core.h"

namespace pexa {

namespace {
bool KeyMatches(const WaitState &wait, int recordedVk) {
    return wait.key == 0 || wait.key == recordedVk;
}
} // namespace

bool KeyDownIsRecorded(const WaitState &wait, bool shiftDown, bool controlDown) {
    return (wait.kinds & KEYHIT) && !shiftDown && !controlDown;
}

bool CharReleases(const WaitState &wait, int recordedVk) {
    return (wait.kinds & KEYHIT) && KeyMatches(wait, recordedVk);
}

bool KeyWithoutCharReleases(const WaitState &wait, bool shiftDown, bool controlDown,
                            int recordedVk) {
    return KeyDownIsRecorded(wait, shiftDown, controlDown) && KeyMatches(wait, recordedVk);
}

bool ButtonReleases(const WaitState &wait) {
    return (wait.kinds & MOUSEHIT) != 0;
}

bool MoveReleases(const WaitState &wait, bool dragging, bool mouseNav, bool sceneHas3D) {
    return (wait.kinds & MOUSEDRAG) && dragging && mouseNav && sceneHas3D;
}

} // namespace pexa
