// The object lists of the current window: the exported list functions
// (clearing, deletion, insertion position, groups, Use, display list) and
// the requests that insert, delete and position objects on the library
// thread.
#include <new>

#include "objects/group.h"
#include "runtime/win32_library.h"
#include "runtime/win32_routes.h"
#include "runtime/win32_scene_lock.h"
#include "runtime/win32_wind.h"

using namespace pexa;

namespace {

cObj *ObjectArg(const Call &call) {
    return reinterpret_cast<cObj *>(call.wParam);
}

// The first object entering an empty list marks the window as having 3D or
// 2D objects: frames then draw that pass.
LRESULT Insert(cWind *w, cGroup *list, cObj *obj) {
    SceneWriteGuard lock;
    const bool wasEmpty = list->IsEmpty();
    if (!list->Insert(obj)) return 0;
    if (wasEmpty) {
        if (Is3DType(obj->typeId)) w->lists.has3D = 1;
        if (Is2DType(obj->typeId)) w->lists.has2D = 1;
    }
    return 1;
}

LRESULT Insert2D(const Call &c) {
    return Insert(c.w, c.w->lists.current2D, ObjectArg(c));
}
LRESULT Insert3D(const Call &c) {
    return Insert(c.w, c.w->lists.current3D, ObjectArg(c));
}

LRESULT Delete(cGroup *list, cObj *obj) {
    SceneWriteGuard lock;
    return reinterpret_cast<LRESULT>(list->Delete(obj));
}
LRESULT Delete2D(const Call &c) {
    return Delete(c.w->lists.current2D, ObjectArg(c));
}
LRESULT Delete3D(const Call &c) {
    return Delete(c.w->lists.current3D, ObjectArg(c));
}

LRESULT Position(cGroup *list, cObj *obj, LPARAM hold) {
    SceneWriteGuard lock;
    list->SetPosition(obj, int(hold));
    return 1;
}
LRESULT Position2D(const Call &c) {
    return Position(c.w->lists.current2D, ObjectArg(c), c.lParam);
}
LRESULT Position3D(const Call &c) {
    return Position(c.w->lists.current3D, ObjectArg(c), c.lParam);
}

const Route kListRequests[] = {
    {PEXA_MSG_INSERT_2D, Target::Current, Insert2D, 0},
    {PEXA_MSG_INSERT_3D, Target::Current, Insert3D, 0},
    {PEXA_MSG_DELETE_2D, Target::Current, Delete2D, 0},
    {PEXA_MSG_DELETE_3D, Target::Current, Delete3D, 0},
    {PEXA_MSG_INSERT_AFTER_2D, Target::Current, Position2D, 0},
    {PEXA_MSG_INSERT_AFTER_3D, Target::Current, Position3D, 0},
    {PEXA_MSG_USE_DISPLAY_LIST, Target::Current,
     [](const Call &c) -> LRESULT { return c.w->UseDisplayList(unsigned(c.wParam)); }, 0},
    {PEXA_MSG_CLEAR_LIST_2D, Target::Current,
     [](const Call &c) -> LRESULT { return c.w->ClearList2D(); }, 0},
    {PEXA_MSG_CLEAR_LIST, Target::Current,
     [](const Call &c) -> LRESULT { return c.w->ClearList(); }, 0},
};
PEXA_ROUTES(kListRequests);

cObj *SendInsert(cObj *obj) {
    SendRequest(PEXA_MSG_INSERT_3D, reinterpret_cast<WPARAM>(obj), 0);
    return obj;
}

} // namespace

extern "C" {

PEXA_API int ClearList(void) {
    SendRequest(PEXA_MSG_CLEAR_LIST);
    return 1;
}

PEXA_API int ClearList2D(void) {
    SendRequest(PEXA_MSG_CLEAR_LIST_2D);
    return 1;
}

PEXA_API cObj *DelObj(cObj *obj) {
    return reinterpret_cast<cObj *>(
        SendRequest(PEXA_MSG_DELETE_3D, reinterpret_cast<WPARAM>(obj), 0));
}

PEXA_API cObj *DelObj2D(cObj *obj) {
    return reinterpret_cast<cObj *>(
        SendRequest(PEXA_MSG_DELETE_2D, reinterpret_cast<WPARAM>(obj), 0));
}

PEXA_API int InsertAfter(cObj *obj, int hold) {
    SendRequest(PEXA_MSG_INSERT_AFTER_3D, reinterpret_cast<WPARAM>(obj), hold);
    return 1;
}

PEXA_API int InsertAfter2D(cObj *obj, int hold) {
    SendRequest(PEXA_MSG_INSERT_AFTER_2D, reinterpret_cast<WPARAM>(obj), hold);
    return 1;
}

PEXA_API cObj *GroupBegin(void) {
    cWind *w = CurrentWindow();
    if (!w || w->tornDown || !w->lists.current3D) return nullptr;
    cGroup *group = new (std::nothrow) cGroup(w->lists.current3D);
    if (!group) return nullptr;
    SendInsert(group);
    SceneWriteGuard lock;
    w->lists.current3D = group;
    return group;
}

PEXA_API cObj *GroupEnd(void) {
    cWind *w = CurrentWindow();
    if (!w || w->tornDown || !w->lists.current3D) return nullptr;
    SceneWriteGuard lock;
    if (w->lists.current3D != w->lists.list3D && w->lists.current3D->parent)
        w->lists.current3D = w->lists.current3D->parent;
    return w->lists.current3D;
}

PEXA_API cObj *Use(cObj *target) {
    return SendInsert(new (std::nothrow) cUse3D(target));
}

PEXA_API int UseDisplayList(void) {
    cWind *w = CurrentWindow();
    if (!w || w->tornDown) return 0;
    SendRequest(PEXA_MSG_USE_DISPLAY_LIST, w->sceneListId, 0);
    return 0;
}

} // extern "C"
