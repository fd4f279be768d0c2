// The portable scene core: list operations, the scene graph's refusals and
// its bookkeeping when objects go, choosing the picked record, and the input
// rules of a wait that the Wine tests cannot reach.
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

TEST(ListCore, InsertionPositionDeletionAndEmptying) {
    std::vector<std::string> gone;
    ObjectList list;
    auto add = [&](const char *name) {
        auto *o = new Named(name, &gone);
        EXPECT_TRUE(list.Insert(o));
        return o;
    };
    auto order = [&] {
        std::string s;
        for (const cObj *p = list.first; p; p = p->next)
            s += static_cast<const Named *>(p)->name;
        return s;
    };
    Named *a = add("a");
    add("d");
    list.SetPosition(a, 0);
    add("b"); // only the next insertion goes after a
    add("e");
    list.SetPosition(a, 1);
    add("x");
    add("y");                     // held: each goes directly after a
    list.SetPosition(nullptr, 0); // no change
    add("z");
    EXPECT_EQ(order(), "azyxbde");
    EXPECT_FALSE(list.Insert(nullptr));

    list.Empty(); // destroys in list order and resets the position
    EXPECT_EQ(gone, (std::vector<std::string>{"a", "z", "y", "x", "b", "d", "e"}));
    gone.clear();

    a = add("a");
    Named *b = add("b");
    Named *c = add("c");
    list.SetPosition(b, 1);
    EXPECT_EQ(list.Delete(b), c); // the position moves to the predecessor
    add("x");
    EXPECT_EQ(list.Delete(c), nullptr); // the last: its predecessor becomes last
    EXPECT_EQ(order(), "ax");
    Named outsider("o", &gone);
    EXPECT_EQ(list.Delete(&outsider), nullptr);
    list.Delete(a);
    list.Delete(list.first); // the only object: the list is reset
    EXPECT_TRUE(list.IsEmpty() && !list.position && !list.holdPosition && !list.count);
    EXPECT_EQ(gone, (std::vector<std::string>{"b", "c", "a", "x"}));
}

// A window's scene as the library builds it: root lists, groups (objects
// that are lists) and Use objects, indexed by a SceneGraph.
struct Plain : cObj {
    void Draw() override {}
    void DrawExtra() override {}
};
struct Group : Plain, ObjectList {};
struct UseOf : Plain {
    explicit UseOf(cObj *t) : target(t) {}
    cObj *target;
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

TEST_F(GraphTest, CyclesUnknownTargetsDoublesAndDepthAreRefused) {
    auto *g = new Group;
    ASSERT_EQ(Insert(&root, g), Refusal::None);
    UseOf self(g), ofRoot(&root), stranger(nullptr);
    Plain outsider;
    stranger.target = &outsider;
    EXPECT_EQ(Insert(g, &self), Refusal::Cycle);       // g = GroupBegin(); Use(g)
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
    ObjectList *list = &root; // groups nest no deeper than the limit
    for (int level = 1; level <= pexa::SceneGraph::kMaxDepth; ++level) {
        auto *next = new Group;
        ASSERT_EQ(Insert(list, next), Refusal::None);
        list = next;
    }
    Group tooDeep;
    EXPECT_EQ(Insert(list, &tooDeep), Refusal::TooDeep);
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

// Records are {name count, minimum depth, maximum depth, names}.
TEST(PickChoice, NearestRecordAndTheBufferBounds) {
    using Buffer = std::vector<uint32_t>;
    const Buffer four = {1, 500, 600, 7, 1, 0x80000000u, 2, 8, 1, 100, 900, 9, 1, 100, 5, 10};
    const Buffer two = {1, 900, 900, 3, 1, 100, 100, 4};
    const struct {
        Buffer buffer;
        size_t size;
        int hits;
        uint32_t name;
    } cases[] = {
        {four, 16, 4, 9},                             // depths unsigned, the first on ties
        {four, 16, 2, 7},                             // only the records reported
        {four, 16, 0, 0},                             // no hit
        {two, 8, -1, 3},                              // overflow: the first record only
        {two, 6, 2, 3},                               // the second record cut off
        {{3, 10, 10, 1, 2, 6, 1, 5, 5, 7}, 10, 2, 7}, // the innermost name of each record
        {{1000, 1, 1, 1}, 4, 1, 0},                   // a name count past the buffer
    };
    for (const auto &c : cases) {
        const pexa::PickChoice got = pexa::ChoosePick(c.buffer.data(), c.size, c.hits);
        EXPECT_EQ(got.hits, c.hits) << "case " << &c - cases;
        EXPECT_EQ(got.name, c.name) << "case " << &c - cases;
    }
}

// The key, click and drag waits themselves are driven in the Wine tests;
// here what they cannot reach: a key down while the wait is for the mouse,
// nobody waiting, a click during a key wait, a window without mouse
// navigation.
TEST(WaitMatch, RulesBesideThoseTheWineTestsDrive) {
    using namespace pexa;
    const WaitState anyKey{KEYHIT, 0}, mouse{MOUSEHIT | MOUSEDRAG, 0}, none{};
    EXPECT_FALSE(KeyDownIsRecorded(mouse, false, false));
    EXPECT_FALSE(CharReleases(none, 'A'));
    EXPECT_FALSE(ButtonReleases(anyKey));
    EXPECT_FALSE(MoveReleases(mouse, true, false, true));
    EXPECT_FALSE(MoveReleases(anyKey, true, true, true));
}

} // namespace
