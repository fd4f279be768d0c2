// The indexed face set's data and its meshes: setting with the checks, in
// their order, and the reasons of the error box; attribute lookup per vertex
// and per face, with and without index arrays; and the flat,
// supplied-normals and crease builds into a MeshDrawing (portable).
//
// Faces are runs of coordinate indexes, each ended by -1, numbered from 0 in
// that order; indexes after the last -1 form no face. A face with fewer than
// three indexes, or with a negative index other than the -1 that ends it,
// keeps its number but is not drawn and takes no part in the smoothing.
#pragma once

#include <vector>

#include "objects/face_order.h"
#include "objects/mesh_drawing.h"

namespace pexa::mesh {

struct FaceSetInput {
    const float *coords = nullptr;
    int coordCount = 0;
    const int *coordIndex = nullptr;
    int coordIndexCount = 0;
    float creaseAngle = 0;
    int solid = 0;
    int colorPerVertex = 0;
    const float *colours = nullptr;
    int colourCount = 0;
    const int *colourIndex = nullptr;
    int colourIndexCount = 0;
    int normalPerVertex = 0;
    const float *normals = nullptr;
    int normalCount = 0;
    const int *normalIndex = nullptr;
    int normalIndexCount = 0;
};

// Empty vectors stand for absent arrays. After a successful setting every
// index is below its array's count (negative ones other than the face ends
// may remain; they are skipped when drawing).
struct FaceSetData {
    std::vector<float> coords;
    int coordCount = 0;
    std::vector<int> coordIndex;
    int faceCount = 0;
    int colorPerVertex = 0;
    std::vector<float> colours;
    int colourCount = 0;
    std::vector<int> colourIndex;
    int normalPerVertex = 0;
    std::vector<float> normals;
    int normalCount = 0;
    std::vector<int> normalIndex;
    float creaseAngle = 0;
    int solid = 0;
};

enum class FaceSetStatus {
    kOk,
    kInvalidInput,
    kNoCoordMemory,
    kNoCoordIndexMemory,
    kCoordIndexRange,
    kNoColourMemory,
    kNoColourIndexMemory,
    kColourIndexCountVertex,
    kColourIndexCountFace,
    kColourIndexRange,
    kColourCountFace,
    kColourCountVertex,
    kNoNormalMemory,
    kNoNormalIndexMemory,
    kNormalIndexCountVertex,
    kNormalIndexCountFace,
    kNormalIndexRange,
    kNormalCountFace,
    kNormalCountVertex,
};

// The reason shown after "Error in IndexedFaceSet:\n"; null for kOk.
const char *FaceSetStatusText(FaceSetStatus status);

// Stores the input into data, copying the arrays and checking them in order
// (coordinates, colours, normals). On failure data holds no arrays. A
// negative count fails as the allocation of its array.
FaceSetStatus SetFaceSet(FaceSetData &data, const FaceSetInput &in,
                         ArrayCopier copier = ArrayCopier());

// The drawing of the face set: smooth false gives the flat build; smooth
// true the supplied-normals build when there are normals, else the crease
// build. False (drawing untouched) when the set holds no coordinates.
// indexedFrom: see FaceOrderer.
bool BuildFaceSet(const FaceSetData &data, bool smooth, MeshDrawing &out,
                  size_t indexedFrom = FaceOrderer::kLocal + 1);

} // namespace pexa::mesh
