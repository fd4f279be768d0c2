// The list traversal that every frame, display-list compilation and pick
// frame runs: each object draws in list order; in a pick frame each 3D
// object first loads its selection name.
#include <GL/gl.h>

#include "objects/group.h"
#include "runtime/gl_frame.h"
#include "runtime/win32_library.h"
#include "runtime/win32_wind.h"

using pexa::cWind;

void cGroup::Draw() {
    cWind *w = pexa::handledWind;
    bool picking = w && w->render.renderMode == GL_SELECT;
    for (cursor = first; cursor; cursor = cursor->next) {
        if (picking && pexa::Is3DType(cursor->typeId)) glLoadName(pexa::PickNameFor(w, cursor));
        cursor->Draw();
    }
}

void cUse3D::Draw() {
    if (target) target->Draw();
}
