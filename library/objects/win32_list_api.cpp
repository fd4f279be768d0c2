// The object lists of the current window: the exported list functions
// (clearing, deletion, insertion position, groups, Use, display list) and
// the requests that insert, delete and position objects on the library
// thread.
#include <new>

#include "objects/group.h"
#include "objects/own_object.h"
#include "objects/win32_create.h"
#include "runtime/win32_library.h"
#include "runtime/win32_messages.h"
#include "runtime/win32_routes.h"
#include "runtime/win32_scene_lock.h"
#include "runtime/win32_wind.h"

using namespace pexa;

namespace {

// Private to the library (outside the request range): GroupBegin's
// insertion and the switch to the new group in one step on the library
// thread, so that no other thread can free the group in between.
constexpr UINT kBeginGroup = WM_APP + 0x51;

cObj *ObjectArg(const Call &call) {
    return reinterpret_cast<cObj *>(call.wParam);
}

// What the graph needs to know of a library group or Use object. (The type
// id alone could be a program's own class.)
SceneGraph::Kind KindOf(cObj *obj) {
    SceneGraph::Kind kind;
    if (cGroup *group = AsOwn<cGroup>(obj, kTypeGroup, nullptr)) kind.members = group;
    if (cUse3D *use = AsOwn<cUse3D>(obj, kTypeUse, nullptr)) kind.targetField = &use->target;
    return kind;
}

void ReportRefusal(SceneGraph::Refusal refusal) {
    switch (refusal) {
    case SceneGraph::Refusal::AlreadyInAList:
        ConsoleMessage("\n The object is already in a list; it was not inserted again.");
        break;
    case SceneGraph::Refusal::UnknownTarget:
        ConsoleMessage("\n Use: the object to draw is not in this window's scene.");
        break;
    case SceneGraph::Refusal::Cycle:
        ConsoleMessage("\n Use: the object to draw contains the Use object itself.");
        break;
    case SceneGraph::Refusal::TooDeep:
        ConsoleMessage("\n GroupBegin: groups cannot nest deeper than 1000 levels.");
        break;
    default:
        break;
    }
}

// Inserts obj into list of w when the scene allows it; 1 when inserted.
LRESULT Insert(cWind *w, cGroup *list, cObj *obj) {
    SceneWriteGuard lock;
    const SceneGraph::Kind kind = KindOf(obj);
    const SceneGraph::Refusal refusal = w->graph.CanInsert(obj, list, kind);
    if (refusal != SceneGraph::Refusal::None) {
        ReportRefusal(refusal);
        return 0;
    }
    list->Insert(obj);
    w->graph.Inserted(obj, list, kind);
    w->UpdatePasses();
    return 1;
}

LRESULT Insert2D(const Call &c) {
    return Insert(c.w, c.w->lists.current2D, ObjectArg(c));
}
LRESULT Insert3D(const Call &c) {
    return Insert(c.w, c.w->lists.current3D, ObjectArg(c));
}

LRESULT BeginGroup(const Call &c) {
    SceneWriteGuard lock;
    cGroup *group = new (std::nothrow) cGroup(c.w->lists.current3D);
    if (!group) return 0;
    if (!Insert(c.w, c.w->lists.current3D, group)) {
        delete group;
        return 0;
    }
    c.w->lists.current3D = group;
    return reinterpret_cast<LRESULT>(static_cast<cObj *>(group));
}

LRESULT Delete(cWind *w, cGroup *list, cObj *obj) {
    SceneWriteGuard lock;
    cObj *successor = list->Delete(obj);
    w->UpdatePasses();
    return reinterpret_cast<LRESULT>(successor);
}
LRESULT Delete2D(const Call &c) {
    return Delete(c.w, c.w->lists.current2D, ObjectArg(c));
}
LRESULT Delete3D(const Call &c) {
    return Delete(c.w, c.w->lists.current3D, ObjectArg(c));
}

// Only an object of the list itself can be its insertion position.
LRESULT Position(cWind *w, cGroup *list, cObj *obj, LPARAM hold) {
    SceneWriteGuard lock;
    if (!w->graph.IsMemberOf(obj, list)) return 0;
    list->SetPosition(obj, int(hold));
    return 1;
}
LRESULT Position2D(const Call &c) {
    return Position(c.w, c.w->lists.current2D, ObjectArg(c), c.lParam);
}
LRESULT Position3D(const Call &c) {
    return Position(c.w, c.w->lists.current3D, ObjectArg(c), c.lParam);
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
    {kBeginGroup, Target::Current, BeginGroup, 0},
};
PEXA_ROUTES(kListRequests);

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
    return int(SendRequest(PEXA_MSG_INSERT_AFTER_3D, reinterpret_cast<WPARAM>(obj), hold));
}

PEXA_API int InsertAfter2D(cObj *obj, int hold) {
    return int(SendRequest(PEXA_MSG_INSERT_AFTER_2D, reinterpret_cast<WPARAM>(obj), hold));
}

PEXA_API cObj *GroupBegin(void) {
    return reinterpret_cast<cObj *>(SendRequest(kBeginGroup));
}

PEXA_API cObj *GroupEnd(void) {
    cWind *w = CurrentWindow();
    if (!w || w->tornDown) return nullptr;
    SceneWriteGuard lock;
    if (!w->lists.current3D) return nullptr;
    if (w->lists.current3D != w->lists.list3D && w->lists.current3D->parent)
        w->lists.current3D = w->lists.current3D->parent;
    return w->lists.current3D;
}

PEXA_API cObj *Use(cObj *target) {
    return InsertNew(new (std::nothrow) cUse3D(target));
}

PEXA_API int UseDisplayList(void) {
    cWind *w = CurrentWindow();
    if (!w || w->tornDown) return 0;
    SendRequest(PEXA_MSG_USE_DISPLAY_LIST, w->sceneListId, 0);
    return 0;
}

} // extern "C"
