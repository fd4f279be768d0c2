// The scene test fixture's input helpers.
#include "support/scene_fixture.h"

#include <thread>

namespace pexatest {

EventInfo SceneTest::ClickAndWait(int x, int y) {
    RECT rc = {};
    GetClientRect(hwnd, &rc);
    if (x < 0) x = rc.right / 2;
    if (y < 0) y = rc.bottom / 2;
    std::atomic<bool> done{false};
    EventInfo info = {};
    std::thread waiter([&] {
        info = WaitForPexa(MOUSEHIT, 0);
        done = true;
    });
    // The waiter may not wait yet when the first click arrives: click until
    // it has seen one.
    for (int i = 0; i < 500 && !done; ++i) {
        PostButtonDown(hwnd, 1, x, y);
        PostButtonUp(hwnd, 1, x, y);
        for (int j = 0; j < 5 && !done; ++j)
            Sleep(2);
    }
    waiter.join();
    return info;
}

} // namespace pexatest
