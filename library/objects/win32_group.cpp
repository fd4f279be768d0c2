// Object lists: insertion at a movable position, deletion, emptying, and the
// traversal that every frame, display-list compilation and pick frame runs.
#include "objects/win32_group.h"

#include <GL/gl.h>

#include "runtime/win32_frame.h"
#include "runtime/win32_library.h"
#include "runtime/win32_wind.h"

using pexa::cWind;

cGroup::cGroup(cGroup *parent) : cObj(kTypeGroup), parent(parent) {}

cGroup::~cGroup() {
    Empty();
}

int cGroup::Insert(cObj *obj) {
    if (!obj) return 0;
    if (!first) {
        first = last = position = obj;
        if (cWind *w = pexa::CurrentWindow()) {
            if (obj->typeId < kType2DFirst) w->has3D = 1;
            if (obj->typeId > kType2DFirst) w->has2D = 1;
        }
    } else if (position == last) {
        last->next = obj;
        position = last = obj;
    } else {
        obj->next = position->next;
        position->next = obj;
    }
    if (!holdPosition) position = last;
    ++count;
    return 1;
}

cObj *cGroup::Delete(cObj *obj) {
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
        delete obj;
        return successor;
    }
    cObj *p = first;
    while (p->next && p->next != obj)
        p = p->next;
    if (p->next != obj) return nullptr;
    if (obj == last) last = p;
    if (obj == position) position = p;
    p->next = obj->next;
    delete obj;
    return p->next;
}

void cGroup::SetPosition(cObj *obj, int hold) {
    if (!obj) return;
    position = obj;
    holdPosition = hold;
}

void cGroup::Empty() {
    cursor = first;
    while (cursor) {
        cObj *next = cursor->next;
        delete cursor;
        cursor = next;
    }
    count = 0;
    first = last = position = nullptr;
    holdPosition = 0;
}

void cGroup::Draw() {
    cWind *w = pexa::handledWind;
    bool picking = w && w->renderMode == GL_SELECT;
    for (cursor = first; cursor; cursor = cursor->next) {
        if (picking && cursor->typeId < kType2DFirst) glLoadName(pexa::PickNameFor(cursor));
        cursor->Draw();
    }
}

void cUse3D::Draw() {
    if (target) target->Draw();
}
