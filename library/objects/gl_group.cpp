// The list traversal that every frame, display-list compilation and pick
// frame runs: each object draws in list order; in a pick frame each 3D
// object first loads its selection name.
#include <GL/gl.h>

#include "scene/group.h"
#include "runtime/gl_frame.h"
#include "runtime/win32_library.h"
#include "platform/win32_messages.h"
#include "runtime/win32_wind.h"

using pexa::cWind;

namespace {

// Groups and Use objects can still chain deeper than the library thread's
// stack should go (each Use of a group that itself uses another): drawing
// stops following them at this depth. Frames run on the library thread
// only, so plain counters serve.
int drawDepth = 0;
bool depthReported = false;

class DepthScope {
  public:
    // The root list is level 0, as for nesting groups.
    DepthScope() : within_(++drawDepth <= pexa::SceneGraph::kMaxDepth + 1) {
        if (!within_ && !depthReported) {
            depthReported = true;
            pexa::ConsoleMessage("\n Drawing stops at 1000 nested groups and Use objects.");
        }
    }
    ~DepthScope() { --drawDepth; }
    DepthScope(const DepthScope &) = delete;
    DepthScope &operator=(const DepthScope &) = delete;
    bool within() const { return within_; }

  private:
    bool within_;
};

} // namespace

void cGroup::Draw() {
    DepthScope depth;
    if (!depth.within()) return;
    cWind *w = pexa::lib.handledWind;
    // A compiled scene is picked without names, as its display list holds none.
    bool picking = w && w->render.renderMode == GL_SELECT && !w->render.compiledValid;
    // Which kind of object draws, for the report of a fault in its Draw.
    pexa::Library::Activity &activity = pexa::lib.activity;
    const pexa::Library::Activity outer = activity;
    activity.drawing = true;
    // A local cursor: a group drawn again through a Use object must not move
    // the traversal of its outer drawing.
    for (cObj *obj = first; obj; obj = obj->next) {
        cursor = obj;
        activity.drawingType = obj->typeId;
        if (picking && pexa::Is3DType(obj->typeId)) glLoadName(pexa::PickNameFor(w, obj));
        obj->Draw();
    }
    activity.drawing = outer.drawing;
    activity.drawingType = outer.drawingType;
}

void cUse3D::Draw() {
    DepthScope depth;
    if (depth.within() && target) target->Draw();
}
