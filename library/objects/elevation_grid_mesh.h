// The elevation grid's data and its meshes: setting with the checks and
// reasons of the error box, the triangulation and face numbering, the faces
// around each grid point, and the flat, supplied-normals and crease builds
// into a MeshDrawing (portable).
//
// Grid point (i, j) is (i * xSpacing, heights[j * xDimension + i],
// j * zSpacing). Cell (i, j) is split into A = (i, j), (i, j+1), (i+1, j)
// and B = (i, j+1), (i+1, j+1), (i+1, j); face 2 * (j * (xDimension - 1) + i)
// is A and the next number is B. Flat grids face +y.
#pragma once

#include <cstdint>
#include <vector>

#include "objects/mesh_drawing.h"

namespace pexa::mesh {

struct GridInput {
    int xDimension = 0, zDimension = 0;
    float xSpacing = 0, zSpacing = 0;
    const float *heights = nullptr;
    float creaseAngle = 0;
    int solid = 0;
    int colorPerVertex = 0;
    const float *colours = nullptr; // per point, or per cell in row order
    int normalPerVertex = 0;
    const float *normals = nullptr; // likewise
};

struct GridData {
    int xDimension = 0, zDimension = 0;
    float xSpacing = 0, zSpacing = 0;
    float creaseAngle = 0;
    int solid = 0;
    int colorPerVertex = 0, normalPerVertex = 0;
    std::vector<float> heights; // empty: the setting failed, nothing to draw
    std::vector<float> colours; // empty: none
    std::vector<float> normals; // empty: none
    bool hasColours = false, hasNormals = false;
};

enum class GridStatus { kOk, kInvalidInput, kNoHeightMemory, kNoColourMemory, kNoNormalMemory };

// The reason shown after "Error in ElevationGrid:\n"; null for kOk.
const char *GridStatusText(GridStatus status);

// Stores the input into data, copying the arrays, in the order of the
// checks: no heights, a spacing not above 0 (or NaN), a dimension below 1 or
// fewer than 4 points are invalid input; then the copies of the heights,
// colours and normals. On failure data holds no arrays.
GridStatus SetGrid(GridData &data, const GridInput &in, ArrayCopier copier = ArrayCopier());

// The faces around grid point (i, j) in their fixed order: up to six faces
// (as corner numbers 3 * face + slot), a ring for interior points, an open
// list starting after the missing faces at the border. Returns the count.
int GridPointCorners(int xDimension, int zDimension, int i, int j, uint32_t corners[6], bool *ring);

// The drawing of the grid: smooth false gives the flat build; smooth true
// the supplied-normals build when the grid has normals, else the crease
// build. False (drawing untouched) when the grid holds no heights; a grid
// without cells gives a drawing without faces.
bool BuildGrid(const GridData &data, bool smooth, MeshDrawing &out);

} // namespace pexa::mesh
