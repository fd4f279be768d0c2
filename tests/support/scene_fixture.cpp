// The scene test fixture's input helpers.
#include "support/scene_fixture.h"

#include <functional>
#include <thread>

namespace pexatest {

namespace {
// Runs WaitForPexa(kind, key) on a thread of its own and feeds input until
// the wait has seen it: the waiter may not wait yet when the first arrives.
EventInfo FeedUntilSeen(int kind, int key, const std::function<void()> &feed) {
    std::atomic<bool> done{false};
    EventInfo info = {};
    std::thread waiter([&] {
        info = WaitForPexa(kind, key);
        done = true;
    });
    for (int i = 0; i < 500 && !done; ++i) {
        feed();
        for (int j = 0; j < 5 && !done; ++j)
            Sleep(2);
    }
    waiter.join();
    return info;
}
} // namespace

EventInfo SceneTest::ClickAndWait(int x, int y) {
    RECT rc = {};
    GetClientRect(hwnd, &rc);
    if (x < 0) x = rc.right / 2;
    if (y < 0) y = rc.bottom / 2;
    return FeedUntilSeen(MOUSEHIT, 0, [&] {
        PostButtonDown(hwnd, 1, x, y);
        PostButtonUp(hwnd, 1, x, y);
    });
}

EventInfo SceneTest::KeyAndWait(int virtualKey) {
    return FeedUntilSeen(KEYHIT, virtualKey, [&] { PostKey(hwnd, virtualKey); });
}

} // namespace pexatest
