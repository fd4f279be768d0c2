// The exported functions of pexa.h's "Meshes" section: ElevationGrid and
// IndexedFaceSet. The input is checked and copied on the calling thread
// before the scene lock is taken; a failure is shown in the error box
// (before the object changes or is inserted, so frames go on while the box
// is open) and leaves the object empty, still returned and inserted.
#include <string>
#include <utility>

#include "objects/gl_meshes.h"
#include "platform/win32_messages.h"

using namespace pexa;

namespace {

void MeshErrorBox(const char *function, const char *reason) {
    ErrorBox((std::string("Error in ") + function + ":\n" + reason).c_str());
}

// Swaps the checked data in under the scene lock; the old arrays leave with
// data after the lock is released.
template <class T, class Data> cObj *Store(cObj *obj, Data &data) {
    auto set = [&](T *o) {
        std::swap(o->data, data);
        o->list.Invalidate();
    };
    return CreateOrModify<T>(obj, set);
}

} // namespace

extern "C" {

PEXA_API cObj *ElevationGrid(cObj *obj, int xDimension, int zDimension, float xSpacing,
                             float zSpacing, float *heights, float creaseAngle, int solid,
                             int colorPerVertex, float *colours, int normalPerVertex,
                             float *normals) {
    if (obj && !IsKind<cElevationGrid3D>(obj)) return nullptr;
    mesh::GridInput in;
    in.xDimension = xDimension;
    in.zDimension = zDimension;
    in.xSpacing = xSpacing;
    in.zSpacing = zSpacing;
    in.heights = heights;
    in.creaseAngle = creaseAngle;
    in.solid = solid;
    in.colorPerVertex = colorPerVertex;
    in.colours = colours;
    in.normalPerVertex = normalPerVertex;
    in.normals = normals;
    mesh::GridData data;
    const mesh::GridStatus status = mesh::SetGrid(data, in);
    if (status != mesh::GridStatus::kOk)
        MeshErrorBox("ElevationGrid", mesh::GridStatusText(status));
    return Store<cElevationGrid3D>(obj, data);
}

PEXA_API cObj *IndexedFaceSet(cObj *obj, float *coords, int coordCount, int *coordIndex,
                              int coordIndexCount, float creaseAngle, int solid, int colorPerVertex,
                              float *colours, int colourCount, int *colourIndex,
                              int colourIndexCount, int normalPerVertex, float *normals,
                              int normalCount, int *normalIndex, int normalIndexCount) {
    if (obj && !IsKind<cIndexedFaceSet3D>(obj)) return nullptr;
    mesh::FaceSetInput in;
    in.coords = coords;
    in.coordCount = coordCount;
    in.coordIndex = coordIndex;
    in.coordIndexCount = coordIndexCount;
    in.creaseAngle = creaseAngle;
    in.solid = solid;
    in.colorPerVertex = colorPerVertex;
    in.colours = colours;
    in.colourCount = colourCount;
    in.colourIndex = colourIndex;
    in.colourIndexCount = colourIndexCount;
    in.normalPerVertex = normalPerVertex;
    in.normals = normals;
    in.normalCount = normalCount;
    in.normalIndex = normalIndex;
    in.normalIndexCount = normalIndexCount;
    mesh::FaceSetData data;
    const mesh::FaceSetStatus status = mesh::SetFaceSet(data, in);
    if (status != mesh::FaceSetStatus::kOk)
        MeshErrorBox("IndexedFaceSet", mesh::FaceSetStatusText(status));
    return Store<cIndexedFaceSet3D>(obj, data);
}

} // extern "C"
