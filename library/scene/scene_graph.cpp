// The index of a window's scene (see scene_graph.h).
#include "scene/scene_graph.h"

#include <algorithm>
#include <unordered_set>

#include "scene/object_list.h"

namespace pexa {

void SceneGraph::AddRoot(ObjectList *root, const cObj *asObject) {
    lists_[root] = ListInfo{nullptr, 0};
    roots_.push_back(asObject);
    root->graph = this;
}

SceneGraph::Refusal SceneGraph::CanInsert(const cObj *obj, const ObjectList *list,
                                          const Kind &kind) const {
    if (!obj) return Refusal::NullObject;
    if (nodes_.count(obj) || std::find(roots_.begin(), roots_.end(), obj) != roots_.end())
        return Refusal::AlreadyInAList;
    if (kind.members && DepthOf(list) >= kMaxDepth) return Refusal::TooDeep;
    if (kind.targetField && *kind.targetField) {
        const cObj *target = *kind.targetField;
        // Every list lies inside a root list, so a Use of a root draws itself.
        if (std::find(roots_.begin(), roots_.end(), target) != roots_.end()) return Refusal::Cycle;
        if (!nodes_.count(target)) return Refusal::UnknownTarget;
        if (Reaches(target, list)) return Refusal::Cycle;
    }
    return Refusal::None;
}

void SceneGraph::Inserted(cObj *obj, ObjectList *list, const Kind &kind) {
    nodes_[obj] = Node{list, kind.members, kind.targetField};
    if (kind.members) {
        lists_[kind.members] = ListInfo{obj, DepthOf(list) + 1};
        kind.members->graph = this;
    }
    if (kind.targetField && *kind.targetField) usesOf_.emplace(*kind.targetField, obj);
}

void SceneGraph::Destroying(cObj *obj) {
    auto it = nodes_.find(obj);
    if (it == nodes_.end()) return;
    const Node node = it->second;
    nodes_.erase(it);
    if (node.targetField && *node.targetField) {
        auto range = usesOf_.equal_range(*node.targetField);
        for (auto u = range.first; u != range.second; ++u)
            if (u->second == obj) {
                usesOf_.erase(u);
                break;
            }
    }
    if (!usesOf_.empty()) {
        auto range = usesOf_.equal_range(obj);
        for (auto u = range.first; u != range.second; ++u) {
            auto use = nodes_.find(u->second);
            if (use != nodes_.end() && use->second.targetField) *use->second.targetField = nullptr;
        }
        usesOf_.erase(range.first, range.second);
    }
    if (node.members) {
        if (listDestroyed_) listDestroyed_(node.members);
        lists_.erase(node.members);
    }
}

bool SceneGraph::IsMemberOf(const cObj *obj, const ObjectList *list) const {
    auto it = nodes_.find(obj);
    return it != nodes_.end() && it->second.owner == list;
}

int SceneGraph::DepthOf(const ObjectList *list) const {
    auto it = lists_.find(list);
    return it == lists_.end() ? -1 : it->second.depth;
}

bool SceneGraph::Reaches(const cObj *from, const ObjectList *list) const {
    // The groups whose drawing draws list: its own group and every group
    // around it.
    std::unordered_set<const cObj *> around;
    for (const ObjectList *l = list;;) {
        auto info = lists_.find(l);
        if (info == lists_.end() || !info->second.group) break;
        around.insert(info->second.group);
        auto holder = nodes_.find(info->second.group);
        if (holder == nodes_.end()) break;
        l = holder->second.owner;
    }
    std::unordered_set<const cObj *> seen;
    std::vector<const cObj *> pending{from};
    while (!pending.empty()) {
        const cObj *obj = pending.back();
        pending.pop_back();
        if (!obj || !seen.insert(obj).second) continue;
        if (around.count(obj)) return true;
        auto node = nodes_.find(obj);
        if (node == nodes_.end()) continue;
        if (node->second.members)
            for (const cObj *m = node->second.members->first; m; m = m->next)
                pending.push_back(m);
        if (node->second.targetField) pending.push_back(*node->second.targetField);
    }
    return false;
}

} // namespace pexa
