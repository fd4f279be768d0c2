// Elevation grid setting, triangulation, adjacency and builds (portable).
#include "objects/elevation_grid_mesh.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "objects/crease_smoothing.h"
#include "objects/geometry.h"

namespace pexa::mesh {

const char *GridStatusText(GridStatus status) {
    switch (status) {
    case GridStatus::kInvalidInput:
        return "Invalid input parameter(s)";
    case GridStatus::kNoHeightMemory:
        return "Allocation of height array failed";
    case GridStatus::kNoColourMemory:
        return "Allocation of array col failed";
    case GridStatus::kNoNormalMemory:
        return "Allocation of normal array failed";
    case GridStatus::kOk:
        break;
    }
    return nullptr;
}

GridStatus SetGrid(GridData &data, const GridInput &in, ArrayCopier copier) {
    data = GridData();
    data.xDimension = in.xDimension;
    data.zDimension = in.zDimension;
    data.xSpacing = in.xSpacing;
    data.zSpacing = in.zSpacing;
    data.creaseAngle = in.creaseAngle;
    data.solid = in.solid;
    data.colorPerVertex = in.colorPerVertex;
    data.normalPerVertex = in.normalPerVertex;
    GridStatus status = GridStatus::kOk;
    // Two negative dimensions make a positive product but no grid.
    const long long points = (long long)in.xDimension * in.zDimension;
    const long long cells = (long long)(in.xDimension - 1) * (in.zDimension - 1);
    // An infinite spacing puts every point but the first at infinity: no grid.
    if (!in.heights || !(in.xSpacing > 0) || !(in.zSpacing > 0) || std::isinf(in.xSpacing) ||
        std::isinf(in.zSpacing) || in.xDimension < 1 || in.zDimension < 1 || points < 4)
        status = GridStatus::kInvalidInput;
    // More points than an int counts cannot have been passed; they fail as
    // an allocation of that size would.
    else if (points > INT_MAX || !copier.Copy(data.heights, in.heights, points))
        status = GridStatus::kNoHeightMemory;
    else if (in.colours &&
             !copier.Copy(data.colours, in.colours, 3 * (in.colorPerVertex ? points : cells)))
        status = GridStatus::kNoColourMemory;
    else if (in.normals &&
             !copier.Copy(data.normals, in.normals, 3 * (in.normalPerVertex ? points : cells)))
        status = GridStatus::kNoNormalMemory;
    if (status != GridStatus::kOk) {
        data.heights = {};
        data.colours = {};
        data.normals = {};
    }
    data.hasColours = status == GridStatus::kOk && in.colours;
    data.hasNormals = status == GridStatus::kOk && in.normals;
    return status;
}

int GridPointCorners(int xDimension, int zDimension, int i, int j, uint32_t corners[6],
                     bool *ring) {
    const uint32_t cellsX = uint32_t(xDimension - 1);
    const bool left = i >= 1, right = i < xDimension - 1, below = j >= 1,
               above = j < zDimension - 1;
    auto a = [&](int ci, int cj) { return 2 * (uint32_t(cj) * cellsX + uint32_t(ci)); };
    // The six faces around an interior point in ring order, with the slot of
    // the point in each: A(i-1, j), B(i-1, j), A(i, j), B(i, j-1), A(i, j-1),
    // B(i-1, j-1).
    struct Candidate {
        bool present;
        uint32_t corner;
    };
    const Candidate ring6[6] = {
        {left && above, left && above ? 3 * a(i - 1, j) + 2 : 0},
        {left && above, left && above ? 3 * (a(i - 1, j) + 1) + 2 : 0},
        {right && above, right && above ? 3 * a(i, j) : 0},
        {right && below, right && below ? 3 * (a(i, j - 1) + 1) : 0},
        {right && below, right && below ? 3 * a(i, j - 1) + 1 : 0},
        {left && below, left && below ? 3 * (a(i - 1, j - 1) + 1) + 1 : 0},
    };
    int missing = -1;
    for (int k = 0; k < 6 && missing < 0; ++k)
        if (!ring6[k].present) missing = k;
    *ring = missing < 0;
    // At the border the present faces form one run of the ring; the open
    // list starts after the missing ones.
    const int start = missing < 0 ? 0 : missing + 1;
    int count = 0;
    for (int k = 0; k < 6; ++k) {
        const Candidate &c = ring6[(start + k) % 6];
        if (c.present) corners[count++] = c.corner;
    }
    return count;
}

bool BuildGrid(const GridData &data, bool smooth, MeshDrawing &out) {
    if (data.heights.empty()) return false;
    out = MeshDrawing();
    const int X = data.xDimension, Z = data.zDimension;
    const uint64_t cellsX = uint64_t(X - 1), cellsZ = uint64_t(Z - 1);
    const uint64_t faces = 2 * cellsX * cellsZ;
    // Beyond the reach of 32-bit corner numbers (and of any memory) the grid
    // draws nothing.
    if (faces == 0 || 3 * faces >= kNone) return true;
    const size_t points = size_t(X) * size_t(Z);

    out.ownPositions.resize(3 * points);
    float *p = out.ownPositions.data();
    for (size_t k = 0; k < points; ++k) {
        p[3 * k] = float(k % size_t(X)) * data.xSpacing;
        p[3 * k + 1] = data.heights[k];
        p[3 * k + 2] = float(k / size_t(X)) * data.zSpacing;
    }

    out.faceFirst.resize(faces + 1);
    out.cornerVertex.resize(3 * faces);
    const bool cellColours = data.hasColours && !data.colorPerVertex;
    const bool cellNormals = smooth && data.hasNormals && !data.normalPerVertex;
    if (cellColours) out.faceColour.assign(faces, kNone);
    const bool crease = smooth && !data.hasNormals;
    // The normal table: face normals, then (crease build) one per group,
    // about one per point.
    out.ownNormals.reserve(3 * (faces + (crease ? points + points / 8 : 0)));
    out.ownNormals.resize(3 * faces);
    for (uint64_t cj = 0; cj < cellsZ; ++cj) {
        for (uint64_t ci = 0; ci < cellsX; ++ci) {
            const uint32_t cell = uint32_t(cj * cellsX + ci);
            const uint32_t v = uint32_t(cj * X + ci); // point (i, j)
            const uint32_t tri[2][3] = {{v, v + X, v + 1}, {v + X, v + X + 1, v + 1}};
            for (int t = 0; t < 2; ++t) {
                const uint32_t f = 2 * cell + t;
                out.faceFirst[f + 1] = 3 * (f + 1);
                for (int s = 0; s < 3; ++s)
                    out.cornerVertex[3 * f + s] = tri[t][s];
                TriangleNormal(p + 3 * tri[t][0], p + 3 * tri[t][1], p + 3 * tri[t][2],
                               &out.ownNormals[3 * f]);
            }
            if (cellColours) out.faceColour[2 * cell] = cell;
        }
    }
    if (data.hasColours) out.colours = data.colours.data();
    out.colourByVertex = data.hasColours && data.colorPerVertex;

    if (!smooth) { // flat: one face normal per face
        out.oneBegin = true;
        out.shadeFirst = ShadeModel::kSmooth;
        out.shadeLast = ShadeModel::kFlat;
        out.faceNormal.resize(faces);
        for (uint32_t f = 0; f < faces; ++f)
            out.faceNormal[f] = f;
        return true;
    }
    if (data.hasNormals) { // the grid's own normals, per point or per cell
        out.oneBegin = true;
        out.shadeFirst = ShadeModel::kSmooth;
        out.ownNormals = {};
        out.normals = data.normals.data();
        out.normalByVertex = data.normalPerVertex != 0;
        if (cellNormals) {
            out.faceNormal.assign(faces, kNone);
            for (uint32_t cell = 0; cell < faces / 2; ++cell)
                out.faceNormal[2 * cell] = cell;
        }
        return true;
    }
    // Crease build: every corner starts with its face normal.
    out.cornerNormal.resize(3 * faces);
    for (uint32_t c = 0; c < 3 * faces; ++c)
        out.cornerNormal[c] = c / 3;
    CreaseSmoother smoother(out.ownNormals, out.cornerNormal.data(), nullptr,
                            CreaseCosine(data.creaseAngle));
    uint32_t corners[6], list[6], order[6];
    bool ring = false;
    for (int j = 0; j < Z; ++j) {
        for (int i = 0; i < X; ++i) {
            const int n = GridPointCorners(X, Z, i, j, corners, &ring);
            // The smoother takes the faces in face order and their order
            // around the point as positions in it.
            for (int t = 0; t < n; ++t) {
                int at = t;
                for (; at > 0 && list[at - 1] > corners[t]; --at)
                    list[at] = list[at - 1];
                list[at] = corners[t];
            }
            for (int t = 0; t < n; ++t)
                order[t] = uint32_t(std::lower_bound(list, list + n, corners[t]) - list);
            smoother.Smooth(list, size_t(n), order, size_t(n), ring);
        }
    }
    smoother.Finish();
    return true;
}

} // namespace pexa::mesh
