// The portable scene core: list operations, choosing the picked record, and
// matching input against the wait in progress.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scene/object_list.h"
#include "scene/pick.h"
#include "scene/wait_match.h"

namespace {

using pexa::ObjectList;

// An object that knows its name and logs its destruction.
struct Named : cObj {
    Named(std::string n, std::vector<std::string> *gone) : name(std::move(n)), gone(gone) {}
    ~Named() override { gone->push_back(name); }
    void Draw() override {}
    void DrawExtra() override {}
    std::string name;
    std::vector<std::string> *gone;
};

class ListCore : public ::testing::Test {
  protected:
    Named *Add(const std::string &name) {
        auto *o = new Named(name, &gone);
        EXPECT_TRUE(list.Insert(o));
        return o;
    }
    std::string Order() const {
        std::string s;
        for (const cObj *p = list.first; p; p = p->next)
            s += static_cast<const Named *>(p)->name;
        return s;
    }
    std::vector<std::string> gone;
    ObjectList list;
};

TEST_F(ListCore, InsertionPositionWithAndWithoutHold) {
    Named *a = Add("a");
    Add("d");
    list.SetPosition(a, 0);
    Add("b"); // only the next insertion goes after a
    Add("e");
    EXPECT_EQ(Order(), "abde");
    list.SetPosition(a, 1);
    Add("x");
    Add("y"); // held: each goes directly after a
    EXPECT_EQ(Order(), "ayxbde");
    list.SetPosition(nullptr, 0); // no change
    Add("z");
    EXPECT_EQ(Order(), "azyxbde");
    EXPECT_FALSE(list.Insert(nullptr));
    EXPECT_EQ(list.count, 7);
}

TEST_F(ListCore, DeletionReturnsTheSuccessorAndRepairsEnds) {
    Named *a = Add("a");
    Named *b = Add("b");
    Named *c = Add("c");
    EXPECT_EQ(list.Delete(b), c);
    EXPECT_EQ(list.Delete(c), nullptr); // the last: its predecessor becomes last
    EXPECT_EQ(list.last, a);
    Add("d");
    EXPECT_EQ(Order(), "ad");
    Named outsider("o", &gone);
    EXPECT_EQ(list.Delete(&outsider), nullptr);
    EXPECT_TRUE(list.Contains(a));
    EXPECT_FALSE(list.Contains(&outsider));
    EXPECT_EQ(gone, (std::vector<std::string>{"b", "c"}));
    list.Delete(list.first);
    list.Delete(list.first); // the only object: the list is reset
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.position, nullptr);
    EXPECT_EQ(list.count, 0);
}

TEST_F(ListCore, DeletingThePositionMovesItToThePredecessor) {
    Named *a = Add("a");
    Named *b = Add("b");
    Add("c");
    list.SetPosition(b, 1);
    list.Delete(b);
    EXPECT_EQ(list.position, a);
    Add("x");
    EXPECT_EQ(Order(), "axc");
}

TEST_F(ListCore, EmptyingDestroysEveryObjectInOrder) {
    Add("a");
    Add("b");
    list.Empty();
    EXPECT_EQ(gone, (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.holdPosition, 0);
}

TEST(PickChoice, NearestHitWinsFirstOnTies) {
    // {names, min depth, max depth, name}
    const uint32_t buffer[] = {1, 500, 600, 7, 1, 0x80000000u, 2, 8, 1, 100, 900, 9, 1, 100, 5, 10};
    EXPECT_EQ(pexa::ChoosePick(buffer, 16, 4).name, 9u); // depths compare unsigned
    EXPECT_EQ(pexa::ChoosePick(buffer, 16, 2).name, 7u);
    pexa::PickChoice none = pexa::ChoosePick(buffer, 16, 0);
    EXPECT_EQ(none.hits, 0);
    EXPECT_EQ(none.name, 0u);
}

TEST(PickChoice, OverflowUsesTheFirstRecordAndNeverReadsPastTheBuffer) {
    const uint32_t buffer[] = {1, 900, 900, 3, 1, 100, 100, 4};
    pexa::PickChoice overflow = pexa::ChoosePick(buffer, 8, -1);
    EXPECT_EQ(overflow.hits, -1);
    EXPECT_EQ(overflow.name, 3u);
    EXPECT_EQ(pexa::ChoosePick(buffer, 6, 2).name, 3u); // second record cut off
    const uint32_t deep[] = {3, 10, 10, 1, 2, 6, 1, 5, 5, 7};
    EXPECT_EQ(pexa::ChoosePick(deep, 10, 2).name, 7u); // innermost name of each record
    const uint32_t lying[] = {1000, 1, 1, 1};
    EXPECT_EQ(pexa::ChoosePick(lying, 4, 1).name, 0u);
    const uint32_t compiled[] = {1, 5, 5, 0}; // a display list records name 0
    EXPECT_EQ(pexa::ChoosePick(compiled, 4, 1).name, 0u);
}

TEST(WaitMatch, KeysButtonsAndDrags) {
    using namespace pexa;
    const WaitState esc{KEYHIT, 27}, anyKey{KEYHIT, 0}, mouse{MOUSEHIT | MOUSEDRAG, 0}, none{};
    EXPECT_TRUE(KeyDownIsRecorded(esc, false, false));
    EXPECT_FALSE(KeyDownIsRecorded(esc, true, false));
    EXPECT_FALSE(KeyDownIsRecorded(mouse, false, false));
    EXPECT_TRUE(CharReleases(esc, 27));
    EXPECT_FALSE(CharReleases(esc, 'A'));
    EXPECT_TRUE(CharReleases(anyKey, 'A'));
    EXPECT_FALSE(CharReleases(none, 'A'));
    EXPECT_TRUE(KeyWithoutCharReleases(anyKey, false, false, 0x70));
    EXPECT_FALSE(KeyWithoutCharReleases(anyKey, false, true, 0x70));
    EXPECT_FALSE(KeyWithoutCharReleases(esc, false, false, 0x70));
    EXPECT_TRUE(ButtonReleases(mouse));
    EXPECT_FALSE(ButtonReleases(anyKey));
    EXPECT_TRUE(MoveReleases(mouse, true, true, true));
    EXPECT_FALSE(MoveReleases(mouse, false, true, true));
    EXPECT_FALSE(MoveReleases(mouse, true, false, true));
    EXPECT_FALSE(MoveReleases(mouse, true, true, false));
    EXPECT_FALSE(MoveReleases(anyKey, true, true, true));
}

} // namespace
