// The portable scene core: list operations, choosing the picked record, and
// matching input against the wait in progress.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scene/object_list.h"
#include "scene/pick.h"
#include "scene/scene_graph.h"
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
    list.SetPosition(a, 1);
    Add("x");
    Add("y"); // held: each goes directly after a
    list.SetPosition(nullptr, 0); // no change
    Add("z");
    EXPECT_EQ(Order(), "azyxbde");
    EXPECT_FALSE(list.Insert(nullptr));
}

TEST_F(ListCore, DeletionRepairsEndsAndPositionAndEmptyingDestroysInOrder) {
    Named *a = Add("a");
    Named *b = Add("b");
    Named *c = Add("c");
    list.SetPosition(b, 1);
    EXPECT_EQ(list.Delete(b), c); // the position moves to the predecessor
    Add("x");
    EXPECT_EQ(list.Delete(c), nullptr); // the last: its predecessor becomes last
    EXPECT_EQ(Order(), "ax");
    Named outsider("o", &gone);
    EXPECT_EQ(list.Delete(&outsider), nullptr);
    list.Delete(a);
    list.Delete(list.first); // the only object: the list is reset
    EXPECT_TRUE(list.IsEmpty() && !list.position && !list.holdPosition && !list.count);
    Add("p");
    Add("q");
    list.Empty();
    EXPECT_EQ(gone, (std::vector<std::string>{"b", "c", "a", "x", "p", "q"}));
}

// A window's scene as the library builds it: root lists, groups (objects
// that are lists) and Use objects, indexed by a SceneGraph.
struct Group : cObj, ObjectList {
    void Draw() override {}
    void DrawExtra() override {}
};
struct UseOf : cObj {
    explicit UseOf(cObj *t) : target(t) {}
    void Draw() override {}
    void DrawExtra() override {}
    cObj *target;
};
struct Plain : cObj {
    void Draw() override {}
    void DrawExtra() override {}
};

class GraphTest : public ::testing::Test {
  protected:
    using Refusal = pexa::SceneGraph::Refusal;
    void SetUp() override {
        graph.AddRoot(&root, &root);
        graph.OnListDestroyed([this](ObjectList *l) { destroyed.push_back(l); });
    }
    Refusal Insert(ObjectList *list, cObj *obj) {
        pexa::SceneGraph::Kind kind;
        if (auto *g = dynamic_cast<Group *>(obj)) kind.members = g;
        if (auto *u = dynamic_cast<UseOf *>(obj)) kind.targetField = &u->target;
        Refusal r = graph.CanInsert(obj, list, kind);
        if (r == Refusal::None) {
            list->Insert(obj);
            graph.Inserted(obj, list, kind);
        }
        return r;
    }
    // Destroyed in reverse: the root empties itself while the graph and the
    // log it reports to still exist.
    std::vector<ObjectList *> destroyed;
    pexa::SceneGraph graph;
    Group root;
};

TEST_F(GraphTest, UseCyclesAndUnknownTargetsAreRefused) {
    auto *g = new Group;
    ASSERT_EQ(Insert(&root, g), Refusal::None);
    UseOf self(g), ofRoot(&root), outer(g), stranger(nullptr);
    Plain outsider;
    stranger.target = &outsider;
    EXPECT_EQ(Insert(g, &self), Refusal::Cycle);     // g = GroupBegin(); Use(g)
    EXPECT_EQ(Insert(&root, &ofRoot), Refusal::Cycle); // Use(GroupEnd()) at the root
    EXPECT_EQ(Insert(&root, &stranger), Refusal::UnknownTarget);
    EXPECT_EQ(Insert(&root, &root), Refusal::AlreadyInAList);
    auto *inner = new Group;
    ASSERT_EQ(Insert(g, inner), Refusal::None);
    auto *back = new UseOf(g); // g draws inner, which would draw g again
    EXPECT_EQ(Insert(inner, back), Refusal::Cycle);
    auto *sideways = new Group;
    ASSERT_EQ(Insert(&root, sideways), Refusal::None);
    auto *viaUse = new UseOf(sideways); // g -> use -> sideways is fine...
    ASSERT_EQ(Insert(inner, viaUse), Refusal::None);
    UseOf closing(g); // ...but sideways -> g -> use -> sideways is not
    EXPECT_EQ(Insert(sideways, &closing), Refusal::Cycle);
    EXPECT_EQ(Insert(g, viaUse), Refusal::AlreadyInAList);
    delete back;
}

TEST_F(GraphTest, DestroyedTargetsLeaveTheirUsesEmptyAndReportOpenGroups) {
    auto *t = new Plain;
    auto *g = new Group;
    ASSERT_EQ(Insert(&root, t), Refusal::None);
    ASSERT_EQ(Insert(&root, g), Refusal::None);
    auto *inGroup = new Plain;
    ASSERT_EQ(Insert(g, inGroup), Refusal::None);
    auto *u1 = new UseOf(t), *u2 = new UseOf(inGroup);
    ASSERT_EQ(Insert(&root, u1), Refusal::None);
    ASSERT_EQ(Insert(&root, u2), Refusal::None);
    root.Delete(t);
    EXPECT_EQ(u1->target, nullptr);
    EXPECT_EQ(u2->target, inGroup);
    root.Delete(g); // its members go too
    EXPECT_EQ(u2->target, nullptr);
    EXPECT_EQ(destroyed, (std::vector<ObjectList *>{g}));
    EXPECT_FALSE(graph.Contains(inGroup));
    root.Delete(u1); // a Use destroyed before its target is forgotten with it
    EXPECT_EQ(graph.size(), 1u);
}

TEST_F(GraphTest, MembershipAndDepth) {
    auto *a = new Plain, *b = new Plain;
    auto *g = new Group;
    ASSERT_EQ(Insert(&root, a), Refusal::None);
    ASSERT_EQ(Insert(&root, g), Refusal::None);
    ASSERT_EQ(Insert(g, b), Refusal::None);
    EXPECT_TRUE(graph.IsMemberOf(a, &root));
    EXPECT_FALSE(graph.IsMemberOf(b, &root)); // in a group, not in the root itself
    ObjectList *list = g;
    for (int level = 2; level <= pexa::SceneGraph::kMaxDepth; ++level) {
        auto *next = new Group;
        ASSERT_EQ(Insert(list, next), Refusal::None);
        list = next;
    }
    Group tooDeep;
    EXPECT_EQ(Insert(list, &tooDeep), Refusal::TooDeep);
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
