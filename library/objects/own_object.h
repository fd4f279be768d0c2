// Tells the library's own objects from those of a program's classes without
// reading a program object's type information. A program may derive classes
// from cObj with any type id, the library's included, and build them with
// Microsoft's C++ ABI, whose type information GCC's dynamic_cast and typeid
// cannot read (they fault). The vtable pointer, the first word of a cObj in
// both ABIs, is compared instead: only objects made as T carry T's table.
#pragma once

#include <cstring>
#include <new>

#include "scene/pexa_core.h"

namespace pexa {

inline const void *VtableOf(const cObj *obj) {
    const void *vtable;
    std::memcpy(&vtable, static_cast<const void *>(obj), sizeof vtable);
    return vtable;
}

// The vtable pointer of every object made as T, read once from a probe
// constructed with args and destroyed at once.
template <class T, class... Args> const void *VtableOf(Args... args) {
    static const void *const vtable = [&] {
        alignas(T) unsigned char storage[sizeof(T)];
        T *probe = new (storage) T(args...);
        const void *v = VtableOf(probe);
        probe->~T();
        return v;
    }();
    return vtable;
}

// obj as a T when the library made it as one (T's type id and T's table),
// else null. args: constructor arguments of a probe T, when T has no
// default constructor.
template <class T, class... Args> T *AsOwn(cObj *obj, Args... args) {
    if (!obj || obj->typeId != T::kTypeId || VtableOf(obj) != VtableOf<T>(args...)) return nullptr;
    return static_cast<T *>(obj);
}

// Whether obj is one of the library's own objects of T's kind.
template <class T> bool IsKind(cObj *obj) {
    return AsOwn<T>(obj) != nullptr;
}

} // namespace pexa
