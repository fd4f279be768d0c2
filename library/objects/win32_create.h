// The pattern every object function follows: a NULL object creates a new one
// and inserts it into the current window; an object of the function's kind
// is changed in place under the scene lock; any other object gives NULL.
#pragma once

#include <new>

#include "scene/group.h"
#include "objects/own_object.h"
#include "pexa.h"
#include "runtime/win32_library.h"
#include "runtime/win32_scene_lock.h"
#include "scene/vector3.h"

namespace pexa {

// Inserts a new object into the current window and returns it. An object
// that could not be inserted (no current window, or the scene refused it) is
// destroyed and null returned: nobody else would ever free it. A null
// object is sent too (the insertion ignores it) and null returned.
// (win32_lists.cpp)
cObj *InsertNew(cObj *created, UINT request = PEXA_MSG_INSERT_3D);

// obj null: a new T (constructed by make) is inserted into the current
// window and returned (null when it could not be). obj of T's kind:
// modify(obj) under the scene lock, then obj. Any other obj: null.
template <class T, class Make, class Modify>
cObj *CreateOrModify(cObj *obj, Make make, Modify modify) {
    if (obj) {
        if (!IsKind<T>(obj)) return nullptr;
        SceneWriteGuard lock;
        modify(static_cast<T *>(obj));
        return obj;
    }
    return InsertNew(make(), Is3DType(T::kTypeId) ? PEXA_MSG_INSERT_3D : PEXA_MSG_INSERT_2D);
}

// Sets the fields of a fresh object; the object is not yet shared.
template <class T, class Modify> T *MakeWith(Modify modify) {
    T *created = new (std::nothrow) T();
    if (created) modify(created);
    return created;
}

// The common case: a new T gets the same settings as a changed one.
template <class T, class Modify> cObj *CreateOrModify(cObj *obj, Modify modify) {
    return CreateOrModify<T>(
        obj, [&] { return MakeWith<T>(modify); }, modify);
}

} // namespace pexa
