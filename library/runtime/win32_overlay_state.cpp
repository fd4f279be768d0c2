// The 2D overlay's GDI state outside the objects: the pens, brushes and fonts
// that CreatePen2D, CreateBrush2D and CreateFont2D made (so that a window
// deletes only those, and nothing twice), and the release of a window's
// current pen, brush and font at its teardown.
#include "runtime/win32_overlay_state.h"

#include <mutex>
#include <unordered_map>

#include "runtime/win32_library.h"
#include "runtime/win32_scene_lock.h"
#include "runtime/win32_wind.h"

namespace pexa {

namespace {

// Handles made by CreatePen2D, CreateBrush2D and CreateFont2D, so that a
// window deletes only what the helpers made and nothing twice: a handle the
// program deleted is forgotten, one a window deleted is remembered as gone
// until the program's own DeleteCreated2D.
class CreatedHandles {
  public:
    HGDIOBJ Add(HGDIOBJ h) {
        if (h) {
            std::lock_guard<std::mutex> lock(mutex_);
            alive_[h] = true;
        }
        return h;
    }
    // DeleteCreated2D: the result of DeleteObject, or 1 for a handle a
    // window has already deleted.
    BOOL DeleteForProgram(HGDIOBJ h) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            auto it = alive_.find(h);
            if (it != alive_.end()) {
                bool gone = !it->second;
                alive_.erase(it);
                if (gone) return TRUE;
            }
        }
        return DeleteObject(h);
    }
    // Window teardown: deletes h when a helper made it and it is alive.
    void DeleteForWindow(HGDIOBJ h) {
        std::lock_guard<std::mutex> lock(mutex_);
        auto it = alive_.find(h);
        if (it == alive_.end() || !it->second) return;
        it->second = false;
        DeleteObject(h);
    }

  private:
    std::mutex mutex_;
    std::unordered_map<HGDIOBJ, bool> alive_;
};

// Never destroyed: windows torn down late in the exit still look it up.
CreatedHandles &Created() {
    static CreatedHandles *handles = new CreatedHandles;
    return *handles;
}

} // namespace

HGDIOBJ RememberCreated(HGDIOBJ handle) {
    return Created().Add(handle);
}

BOOL DeleteCreatedForProgram(HGDIOBJ handle) {
    return Created().DeleteForProgram(handle);
}

void ReleaseOverlayObjects(cWind *w) {
    SceneWriteGuard lock;
    OverlayState &o = w->overlay;
    if (w->hdc()) {
        SelectObject(w->hdc(), GetStockObject(WHITE_PEN));
        SelectObject(w->hdc(), GetStockObject(BLACK_BRUSH));
        SelectObject(w->hdc(), GetStockObject(SYSTEM_FONT));
    }
    const HGDIOBJ current[3] = {o.pen2D, o.brush2D, o.font2D};
    o.pen2D = nullptr;
    o.brush2D = nullptr;
    o.font2D = nullptr;
    for (HGDIOBJ h : current) {
        if (!h) continue;
        bool shared = false;
        for (cWPWH *e = lib.windowRegistry.first(); e && !shared; e = e->next) {
            const OverlayState &other = e->wind->overlay;
            shared = e->wind != w && !e->wind->tornDown &&
                     (h == other.pen2D || h == other.brush2D || h == other.font2D);
        }
        if (!shared) Created().DeleteForWindow(h);
    }
}

} // namespace pexa
