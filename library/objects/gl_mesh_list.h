// The display list of a mesh object (elevation grid, indexed face set): its
// name, its recording when the data or the window's shade mode changed, the
// culling frame around the recorded drawing, and its deletion with the
// object. The drawing itself comes from the portable builders.
#pragma once

#include <windows.h>
#include <GL/gl.h>

#include <exception>

#include "objects/mesh_drawing.h"

namespace pexa {

// The shade mode of the window being drawn (smooth while none is): the one
// place where meshes read window state.
int DrawnWindowShadeMode();

// Records the drawing between the culling frame: solid culls back faces
// while the mesh is drawn; afterwards culling is as it was when recorded.
void RecordMesh(const mesh::MeshDrawing &drawing, int solid);

class MeshList {
  public:
    MeshList() = default;
    // Deletes the list in the context it was recorded in, switching to it
    // and back when another window's context is current.
    ~MeshList();
    MeshList(const MeshList &) = delete;
    MeshList &operator=(const MeshList &) = delete;

    // The data changed: the next draw records the list again.
    void Invalidate() { builtShadeMode_ = 0; }

    // Records the list when the data or the shade mode changed (or another
    // window's context draws the mesh), then calls it. build(smooth,
    // drawing) fills the drawing; false when there is nothing to record, and
    // a list recorded before is drawn on.
    template <class Build> void Draw(int solid, Build &&build) {
        const int shade = DrawnWindowShadeMode();
        if (InsideOtherList()) {
            // UseDisplayList is compiling the scene: the mesh goes into the
            // scene's list itself, which then needs no list of the mesh (a
            // list cannot be recorded inside another one).
            mesh::MeshDrawing drawing;
            if (Built(build, IsSmooth(shade), drawing))
                RecordMesh(drawing, solid);
            else
                CallIfRecorded();
            return;
        }
        if (NeedsRecording(shade)) {
            mesh::MeshDrawing drawing;
            if (Built(build, IsSmooth(shade), drawing)) Record(drawing, solid);
            builtShadeMode_ = shade;
        }
        CallIfRecorded();
    }

  private:
    // A mesh too large for the memory left records nothing (the frame, in a
    // window procedure, must not see the exception).
    template <class Build>
    static bool Built(Build &build, bool smooth, mesh::MeshDrawing &drawing) {
        try {
            return build(smooth, drawing);
        } catch (const std::exception &) {
            return false; // the caller drops the drawing
        }
    }
    static bool IsSmooth(int shadeMode);
    static bool InsideOtherList();
    bool NeedsRecording(int shadeMode) const;
    void Record(const mesh::MeshDrawing &drawing, int solid);
    void CallIfRecorded() const;

    GLuint name_ = 0; // taken at the first recording
    int builtShadeMode_ = 0;
    HGLRC builtContext_ = nullptr;
    HDC builtDC_ = nullptr;
};

} // namespace pexa
