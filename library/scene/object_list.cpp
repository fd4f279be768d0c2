// The ordered object list (see object_list.h).
#include "scene/object_list.h"

#include "scene/scene_graph.h"

namespace pexa {

bool ObjectList::Insert(cObj *obj) {
    if (!obj) return false;
    if (!first) {
        first = last = position = obj;
    } else if (position == last) {
        last->next = obj;
        position = last = obj;
    } else {
        obj->next = position->next;
        position->next = obj;
    }
    if (!holdPosition) position = last;
    ++count;
    return true;
}

cObj *ObjectList::Delete(cObj *obj) {
    if (!first || !obj) return nullptr;
    if (obj == first) {
        first = obj->next;
        if (!first) {
            last = position = nullptr;
            holdPosition = 0;
            count = 0;
        } else if (position == obj) {
            position = first;
        }
        cObj *successor = obj->next;
        Destroy(obj);
        return successor;
    }
    cObj *p = first;
    while (p->next && p->next != obj)
        p = p->next;
    if (p->next != obj) return nullptr;
    if (obj == last) last = p;
    if (obj == position) position = p;
    p->next = obj->next;
    Destroy(obj);
    return p->next;
}

void ObjectList::SetPosition(cObj *obj, int hold) {
    if (!obj) return;
    position = obj;
    holdPosition = hold;
}

void ObjectList::Empty() {
    cursor = first;
    while (cursor) {
        cObj *next = cursor->next;
        Destroy(cursor);
        cursor = next;
    }
    count = 0;
    first = last = position = nullptr;
    holdPosition = 0;
}

void ObjectList::Destroy(cObj *obj) {
    if (graph) graph->Destroying(obj);
    delete obj;
}

bool ObjectList::Contains(const cObj *obj) const {
    for (const cObj *p = first; p; p = p->next)
        if (p == obj) return true;
    return false;
}

} // namespace pexa
