// Viewpoint list and viewpoint <-> view conversions (portable).
#include "scene/viewpoints.h"

#include "scene/navigation.h"
#include "scene/orientation.h"
#include "scene/window_state.h"

#include <cstring>
#include <new>

namespace pexa {

void CopyName(char *to, size_t size, const char *text, size_t textMax) {
    if (size == 0) return;
    size_t n = 0, limit = textMax < size - 1 ? textMax : size - 1;
    while (text && n < limit && text[n])
        ++n;
    if (n) std::memcpy(to, text, n);
    to[n] = 0;
}

int cVPList::takeMenuId() {
    if (nextMenuId_ <= kLastMenuId) return nextMenuId_++;
    for (int id = kFirstMenuId; id <= kLastMenuId; ++id) {
        const cViewpoint *r = first_;
        while (r && r->menuId != id)
            r = r->next;
        if (!r) return id;
    }
    return 0;
}

cViewpoint *cVPList::add(const ViewpointData &data) {
    const int menuId = takeMenuId();
    if (!menuId) return nullptr;
    cViewpoint *record = new (std::nothrow) cViewpoint;
    if (!record) return nullptr;
    CopyName(record->name, sizeof record->name, data.name, sizeof data.name);
    std::memcpy(record->pos, data.pos, sizeof record->pos);
    std::memcpy(record->axis, data.axis, sizeof record->axis);
    record->rot = data.rot;
    record->angle = data.angle;
    record->menuId = menuId;
    record->next = nullptr;
    if (last_)
        last_->next = record;
    else
        first_ = record;
    last_ = current_ = record;
    ++count_;
    return record;
}

cViewpoint *cVPList::find(const char *name) {
    if (!name) return nullptr;
    for (cViewpoint *r = first_; r; r = r->next)
        if (std::strcmp(r->name, name) == 0) return current_ = r;
    return nullptr;
}

cViewpoint *cVPList::findById(int menuId) {
    for (cViewpoint *r = first_; r; r = r->next)
        if (r->menuId == menuId) return current_ = r;
    return nullptr;
}

bool cVPList::remove(cViewpoint *record) {
    cViewpoint *before = nullptr, *r = first_;
    while (r && r != record)
        before = r, r = r->next;
    if (!r) return false;
    if (before)
        before->next = r->next;
    else
        first_ = r->next;
    if (last_ == r) last_ = before;
    current_ = before ? before : first_;
    delete r;
    --count_;
    return true;
}

void cVPList::clear() {
    while (first_) {
        cViewpoint *next = first_->next;
        delete first_;
        first_ = next;
    }
    last_ = current_ = nullptr;
    count_ = 0;
}

ViewpointData InitialViewpoint(const ViewState &view) {
    ViewpointData data = {};
    CopyName(data.name, sizeof data.name, view.iniVPName, sizeof view.iniVPName);
    std::memcpy(data.pos, view.iniPos, sizeof data.pos);
    std::memcpy(data.axis, view.iniAxis, sizeof data.axis);
    data.rot = view.iniRot;
    data.angle = view.angle;
    return data;
}

ViewpointData ViewpointFromView(const ViewState &view, const char *name) {
    ViewpointData data = {};
    CopyName(data.name, sizeof data.name, name, sizeof data.name);
    std::memcpy(data.pos, view.eyePos, sizeof data.pos);
    data.angle = view.angle;
    Orientation o; // another mode has no viewing transform: no rotation
    if (view.action_mode == PEXA_ROTATE)
        o = AxisAngle(view.rotMatrix);
    else if (view.action_mode == PEXA_FLY || view.action_mode == PEXA_WALK)
        o = CameraToOrientation(view.eyePos, view.viewDir, view.viewUp, data.pos);
    data.rot = o.angle;
    std::memcpy(data.axis, o.axis, sizeof data.axis);
    return data;
}

unsigned ApplyViewpoint(ViewState &view, const cViewpoint &record) {
    StopNav(view);
    std::memcpy(view.eyePos, record.pos, sizeof view.eyePos);
    view.angle = ClampViewAngle(record.angle, view.angle);
    if (view.action_mode == PEXA_ROTATE) {
        view.rotAngle = record.rot;
        std::memcpy(view.rotAxis, record.axis, sizeof view.rotAxis);
    } else if (view.action_mode == PEXA_FLY || view.action_mode == PEXA_WALK) {
        OrientationToCamera(view, record.rot, record.axis);
    }
    SetIdentity(view.rotMatrix);
    return kNavDrawFrame | kNavClearRotation;
}

} // namespace pexa
