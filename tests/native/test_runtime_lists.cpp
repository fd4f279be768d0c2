// The runtime's small pieces: the bounded event queue, the window registry
// and the console settings that ResetConsole records.
#include "scene/console_settings.h"
#include "scene/event_queue.h"
#include "scene/window_registry.h"

#include <gtest/gtest.h>

namespace {

using pexa::cEventList;
using pexa::cWPWHList;

TEST(EventQueue, KeepsTheTwentyNewestNewestFirst) {
    cEventList q;
    for (uint32_t i = 0; i < 25; ++i)
        q.append(256, i, 0);
    EXPECT_EQ(q.count(), 20);
    for (uint32_t expect = 24; expect >= 5; --expect) {
        auto *e = q.take(0);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->wParam, expect);
    }
    EXPECT_EQ(q.take(0), nullptr);
    EXPECT_EQ(q.count(), 0);
}

TEST(EventQueue, TakeByKindSkipsNewerEventsOfOtherKinds) {
    cEventList q;
    q.append(256, 'A', 1);        // key down
    q.append(258, 'a', 1);        // its character
    q.append(513, 0, 0x00050004); // left button
    auto *taken = q.take(256);
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(taken->message, 256u);
    EXPECT_EQ(taken->wParam, uint32_t('A'));
    EXPECT_EQ(taken, &q.taken());
    EXPECT_EQ(q.count(), 2);
    EXPECT_FALSE(q.exists(256));
    EXPECT_TRUE(q.exists(258));
    EXPECT_TRUE(q.exists(0));
    EXPECT_FALSE(q.exists(512)); // mouse moves are never queued
    EXPECT_EQ(q.take(0)->message, 513u);
}

TEST(EventQueue, ClearKindEmptiesAndReturnsNull) {
    cEventList q;
    q.append(256, 1, 0);
    q.append(273, 2, 0);
    EXPECT_EQ(q.take(cEventList::kClearAll), nullptr);
    EXPECT_EQ(q.count(), 0);
    EXPECT_FALSE(q.exists(0));
    EXPECT_EQ(q.take(0), nullptr);
}

TEST(WindowRegistry, RemoveRepairsLinks) {
    cWPWHList list;
    int a, b, c;
    list.append("a", nullptr, &a);
    list.append("b", nullptr, &b);
    list.append("c", nullptr, &c);
    ASSERT_TRUE(list.find(&c));
    list.remove(); // the last entry: last moves to its predecessor
    EXPECT_EQ(list.last()->hwnd, &b);
    EXPECT_EQ(list.found()->hwnd, &b);
    ASSERT_TRUE(list.find(&a));
    list.remove(); // the first entry: found names the new first
    EXPECT_EQ(list.first()->hwnd, &b);
    EXPECT_EQ(list.found()->hwnd, &b);
    EXPECT_FALSE(list.find(&a));
    list.remove(); // after a failed lookup nothing is removed
    EXPECT_EQ(list.first()->hwnd, &b);
    ASSERT_TRUE(list.find(&b));
    list.remove();
    EXPECT_EQ(list.first(), nullptr);
    EXPECT_EQ(list.last(), nullptr);
}

TEST(WindowRegistry, TitlesAreCutTo63Characters) {
    cWPWHList list;
    std::string longTitle(80, 'x');
    int h;
    list.append(longTitle.c_str(), nullptr, &h);
    EXPECT_EQ(std::string(list.first()->title), std::string(63, 'x'));
}

TEST(ConsoleSettings, BufferAtLeastTheWindowAndTheKeyOfTheStartupTitle) {
    auto g = pexa::ConsoleGeometryFor(4, 4, 61, 17, 0, 0);
    EXPECT_EQ(g.bufferWidth, 61);
    EXPECT_EQ(g.bufferHeight, 17);
    g = pexa::ConsoleGeometryFor(4, 4, 61, 17, 3, 3);
    EXPECT_EQ(g.bufferWidth, 61);
    g = pexa::ConsoleGeometryFor(4, 4, 61, 17, 80, 300);
    EXPECT_EQ(g.bufferWidth, 80);
    EXPECT_EQ(g.bufferHeight, 300);
    EXPECT_EQ(pexa::ConsoleKeyName("C:\\bin\\demo.exe"), "CONSOLE\\C:_bin_demo.exe");
    EXPECT_EQ(pexa::ConsoleKeyName(nullptr), "CONSOLE\\");
    EXPECT_EQ(pexa::PackConsoleValue(61, 17), (17u << 16) + 61);
}

} // namespace
