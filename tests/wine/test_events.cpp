// Waiting for keys, clicks and drags, and the per-window event queues, driven
// by input posted to a scene window.
#include <atomic>
#include <functional>
#include <thread>

#include "support/scene_fixture.h"

using namespace pexatest;

namespace {

// Runs WaitForPexa on a thread of its own; the test thread feeds input.
class Waiter {
  public:
    Waiter(int kind, int key) {
        thread_ = std::thread([this, kind, key] {
            result_ = WaitForPexa(kind, key);
            done_ = true;
        });
    }
    ~Waiter() {
        if (thread_.joinable()) thread_.detach();
    }
    bool done() const { return done_; }
    // Feeds input until the wait ends (the waiter may not be waiting yet when
    // the first input arrives): true when it ended within the time.
    bool FeedUntilDone(const std::function<void()> &feed, int attempts = 100) {
        for (int i = 0; i < attempts && !done_; ++i) {
            feed();
            for (int j = 0; j < 10 && !done_; ++j)
                Sleep(2);
        }
        if (done_) thread_.join();
        return done_;
    }
    // Feeds input that must not end the wait; false when it did end.
    bool FeedAndStillWaiting(HWND hwnd, const std::function<void()> &feed) {
        for (int i = 0; i < 5; ++i) {
            feed();
            Flush(hwnd);
            Sleep(5); // give the waiter its chance to run after the input
        }
        return !done_;
    }
    const EventInfo &result() const { return result_; }

  private:
    std::thread thread_;
    std::atomic<bool> done_{false};
    EventInfo result_ = {};
};

class EventTest : public SceneTest {
  protected:
    void CharKey(int vk) { PostKey(hwnd, vk); }
};

TEST_F(EventTest, EscapeWaitIgnoresOtherKeys) {
    Waiter waiter(KEYHIT, VK_ESCAPE);
    EXPECT_TRUE(waiter.FeedAndStillWaiting(hwnd, [&] { CharKey('A'); }));
    EXPECT_TRUE(waiter.FeedAndStillWaiting(hwnd, [&] { PostKey(hwnd, VK_F1); }));
    ASSERT_TRUE(waiter.FeedUntilDone([&] { CharKey(VK_ESCAPE); }));
    EXPECT_EQ(waiter.result().vk, 27);
    EXPECT_EQ(waiter.result().ch, 27);
    EXPECT_EQ(waiter.result().window, wind);
}

TEST_F(EventTest, AnyKeyReportsItsCharacter) {
    Waiter waiter(KEYHIT, 0);
    ASSERT_TRUE(waiter.FeedUntilDone([&] { CharKey('Q'); }));
    EXPECT_EQ(waiter.result().ch, 'q');
    EXPECT_EQ(waiter.result().vk, 'Q');
}

TEST_F(EventTest, KeyArgumentIsTheVirtualKeyWhateverTheCase) {
    Waiter waiter(KEYHIT, 'A');
    EXPECT_TRUE(waiter.FeedAndStillWaiting(hwnd, [&] { CharKey('B'); }));
    ASSERT_TRUE(waiter.FeedUntilDone([&] { CharKey('A'); }));
    EXPECT_EQ(waiter.result().ch, 'a');
}

TEST_F(EventTest, FunctionKeyHasNoCharacterAndNamesTheCurrentWindow) {
    Waiter waiter(KEYHIT, 0);
    ASSERT_TRUE(waiter.FeedUntilDone([&] { PostKey(hwnd, VK_F1); }));
    EXPECT_EQ(waiter.result().ch, 0);
    EXPECT_EQ(waiter.result().vk, VK_F1);
    EXPECT_EQ(waiter.result().window, wind);
}

TEST_F(EventTest, ShiftAndControlAloneNeverSatisfyAKeyWait) {
    Waiter waiter(KEYHIT, 0);
    EXPECT_TRUE(waiter.FeedAndStillWaiting(hwnd, [&] { PostKey(hwnd, VK_SHIFT); }));
    EXPECT_TRUE(waiter.FeedAndStillWaiting(hwnd, [&] { PostKey(hwnd, VK_CONTROL); }));
    // F1 with shift held does not count either.
    EXPECT_TRUE(waiter.FeedAndStillWaiting(hwnd, [&] {
        PostMessageA(hwnd, WM_KEYDOWN, VK_SHIFT, 1);
        PostKey(hwnd, VK_F1);
        PostKeyUp(hwnd, VK_SHIFT);
    }));
    // A character typed with shift held does; its key code is not recorded.
    ASSERT_TRUE(waiter.FeedUntilDone([&] {
        PostMessageA(hwnd, WM_KEYDOWN, VK_SHIFT, 1);
        PostKey(hwnd, 'X');
    }));
    EXPECT_EQ(waiter.result().ch | 0x20, 'x');
    EXPECT_EQ(waiter.result().vk, 0);
    PostKeyUp(hwnd, VK_SHIFT);
}

// After a key, a click's record carries nothing of the key.
TEST_F(EventTest, MouseHitReportsButtonAndPosition) {
    KeyAndWait('K');
    const struct {
        int button;
        int x, y;
    } presses[] = {{1, 10, 20}, {2, 30, 40}, {3, 50, 60}};
    for (auto p : presses) {
        Waiter waiter(MOUSEHIT, 0);
        ASSERT_TRUE(waiter.FeedUntilDone([&] {
            PostButtonDown(hwnd, p.button, p.x, p.y);
            PostButtonUp(hwnd, p.button, p.x, p.y);
        }));
        EXPECT_EQ(waiter.result().button, p.button);
        EXPECT_EQ(waiter.result().x, p.x);
        EXPECT_EQ(waiter.result().y, p.y);
        EXPECT_EQ(waiter.result().hits, 0);
        EXPECT_EQ(waiter.result().window, wind);
        EXPECT_EQ(waiter.result().vk + waiter.result().ch, 0);
    }
}

TEST_F(EventTest, DragOnlyWhileTheLeftButtonDragsANonEmptyScene) {
    Waiter waiter(MOUSEDRAG, 0);
    // Empty scene: even a drag does not count.
    EXPECT_TRUE(waiter.FeedAndStillWaiting(hwnd, [&] {
        PostButtonDown(hwnd, 1, 50, 50);
        PostMouseMove(hwnd, 60, 60, MK_LBUTTON);
        PostButtonUp(hwnd, 1, 60, 60);
    }));
    Box(NULL, -1, -1, -1, 1, 1, 1);
    // Plain moves do not count.
    EXPECT_TRUE(waiter.FeedAndStillWaiting(hwnd, [&] { PostMouseMove(hwnd, 70, 70); }));
    ASSERT_TRUE(waiter.FeedUntilDone([&] {
        PostButtonDown(hwnd, 1, 50, 50);
        PostMouseMove(hwnd, 80, 90, MK_LBUTTON);
    }));
    EXPECT_EQ(waiter.result().x, 80);
    EXPECT_EQ(waiter.result().y, 90);
    PostButtonUp(hwnd, 1, 80, 90);
}

TEST_F(EventTest, KeyOrMouseWhicheverComesFirst) {
    Waiter waiter(KEYHIT | MOUSEHIT, 0);
    ASSERT_TRUE(waiter.FeedUntilDone([&] { PostButtonDown(hwnd, 3, 5, 6); }));
    EXPECT_EQ(waiter.result().button, 3);
}

TEST_F(EventTest, QueueKeepsTheTwentyNewestAndTakesByKind) {
    for (int i = 0; i < 12; ++i) { // 24 queued: each key and its character
        PostKey(hwnd, 'A' + i);
        Flush(hwnd);
    }
    PostButtonDown(hwnd, 1, 7, 8); // the 25th
    PostMouseMove(hwnd, 9, 9);     // never queued
    Flush(hwnd);
    EXPECT_EQ(EventExists(512), 0);
    EXPECT_EQ(EventExists(513), 1);
    unsigned *e = GetEvent(256); // skips the newer click and character
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e[0], 256u);
    EXPECT_EQ(e[1], unsigned('A' + 11));
    e = GetEvent(0);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e[0], 513u);
    EXPECT_EQ(e[2], unsigned(MAKELPARAM(7, 8)));
    int left = 0;
    unsigned oldest = 0;
    while ((e = GetEvent(0))) {
        ++left;
        oldest = e[1];
    }
    EXPECT_EQ(left, 18); // 20 kept, two taken
    EXPECT_EQ(oldest, unsigned('a' + 2)) << "the five oldest were dropped";
}

TEST_F(EventTest, ClearingTheQueue) {
    PostKey(hwnd, 'A');
    PostButtonDown(hwnd, 3, 1, 1);
    Flush(hwnd);
    EXPECT_EQ(EventExists(0), 1);
    EXPECT_EQ(GetEvent(771), nullptr);
    EXPECT_EQ(EventExists(0), 0);
    EXPECT_EQ(GetEvent(0), nullptr);
}

} // namespace
