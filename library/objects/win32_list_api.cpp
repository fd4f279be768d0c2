// The exported functions of pexa.h's "Object lists of the current window"
// section. Their requests are handled in win32_lists.cpp.
#include <new>

#include "objects/win32_create.h"
#include "objects/win32_lists.h"
#include "runtime/win32_library.h"
#include "runtime/win32_wind.h"
#include "scene/group.h"

using namespace pexa;

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
    return reinterpret_cast<cObj *>(SendRequest(kEndGroup));
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
