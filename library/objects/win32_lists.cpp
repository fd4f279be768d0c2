// The object lists of a window on the library thread: the requests that
// insert, delete and position objects, open and close a group and compile
// the display list; what the scene graph needs to know of groups and Use
// objects; and, on the calling thread, handing new objects to the insertion
// request. The 3D requests act on the sending thread's list (its innermost
// open group), which the dispatch puts in lists.current3D for them.
#include "objects/win32_lists.h"

#include <new>

#include "objects/win32_create.h"
#include "platform/win32_messages.h"
#include "runtime/win32_library.h"
#include "runtime/win32_routes.h"
#include "runtime/win32_scene_lock.h"
#include "runtime/win32_wind.h"
#include "scene/group.h"

namespace pexa {

namespace {

cObj *ObjectArg(const Call &call) {
    return reinterpret_cast<cObj *>(call.wParam);
}

// What the graph needs to know of a library group or Use object. (The type
// id alone could be a program's own class; the cast is checked.)
SceneGraph::Kind KindOf(cObj *obj) {
    SceneGraph::Kind kind;
    if (!obj) return kind;
    if (cGroup *group = AsOwn<cGroup>(obj, nullptr)) kind.members = group;
    if (cUse3D *use = AsOwn<cUse3D>(obj, nullptr)) kind.targetField = &use->target;
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
    lib.groupsOpened.store(true);
    return reinterpret_cast<LRESULT>(static_cast<cObj *>(group));
}

// Unbalanced calls stop at the root list.
LRESULT EndGroup(const Call &c) {
    SceneLists &l = c.w->lists;
    if (l.current3D != l.list3D && l.current3D->parent) l.current3D = l.current3D->parent;
    return reinterpret_cast<LRESULT>(static_cast<cObj *>(l.current3D));
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
    {kEndGroup, Target::Current, EndGroup, 0},
};
PEXA_ROUTES(kListRequests);

} // namespace

cObj *InsertNew(cObj *created, UINT request) {
    if (SendRequest(request, reinterpret_cast<WPARAM>(created), 0)) return created;
    delete created;
    return nullptr;
}

} // namespace pexa
