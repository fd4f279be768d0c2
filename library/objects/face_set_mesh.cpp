// Indexed face set setting, attribute lookup and builds (portable).
#include "objects/face_set_mesh.h"

#include "objects/crease_smoothing.h"
#include "objects/face_order.h"
#include "objects/face_triangulation.h"
#include "objects/geometry.h"

namespace pexa::mesh {

const char *FaceSetStatusText(FaceSetStatus status) {
    switch (status) {
    case FaceSetStatus::kOk:
        return nullptr;
    case FaceSetStatus::kInvalidInput:
        return "Invalid input parameter";
    case FaceSetStatus::kNoCoordMemory:
        return "Allocation of array ver failed";
    case FaceSetStatus::kNoCoordIndexMemory:
        return "Allocation of array veri failed";
    case FaceSetStatus::kCoordIndexRange:
        return "Coord index > number of coords";
    case FaceSetStatus::kNoColourMemory:
        return "Allocation of array col failed";
    case FaceSetStatus::kNoColourIndexMemory:
        return "Allocation of array coli failed";
    case FaceSetStatus::kColourIndexCountVertex:
        return "NO. of color indexes <> NO. of coord. indexes";
    case FaceSetStatus::kColourIndexCountFace:
        return "NO. of colors <> NO. of faces";
    case FaceSetStatus::kColourIndexRange:
        return "Color index > NO. of colors";
    case FaceSetStatus::kColourCountFace:
        return "Number of colors <> number of faces";
    case FaceSetStatus::kColourCountVertex:
        return "Number of colors <> number of vertices";
    case FaceSetStatus::kNoNormalMemory:
        return "Allocation of normal array failed";
    case FaceSetStatus::kNoNormalIndexMemory:
        return "Allocation of array nori failed";
    case FaceSetStatus::kNormalIndexCountVertex:
        return "NO. of normal indexes <> NO. of coord. indexes";
    case FaceSetStatus::kNormalIndexCountFace:
        return "NO. of normals <> NO. of faces";
    case FaceSetStatus::kNormalIndexRange:
        return "Normal index > number of normals";
    case FaceSetStatus::kNormalCountFace:
        return "Number of normals <> number of faces";
    case FaceSetStatus::kNormalCountVertex:
        return "Number of normals <> number of vertices";
    }
    return nullptr;
}

namespace {

// The checks shared by the colour and the normal index arrays: allocation,
// count against the coordinate index (per vertex) or the faces (per face),
// then each index against the array's count. The caller's array is read only
// after its count matched.
FaceSetStatus SetIndexes(std::vector<int> &to, const int *from, int count, bool perVertex,
                         const FaceSetData &data, int limit, ArrayCopier &copier,
                         FaceSetStatus noMemory, FaceSetStatus vertexCount, FaceSetStatus faceCount,
                         FaceSetStatus range) {
    if (!copier.Allocate(to, count)) return noMemory;
    if (perVertex && count != int(data.coordIndex.size())) return vertexCount;
    if (!perVertex && count != data.faceCount) return faceCount;
    for (int k = 0; k < count; ++k) {
        to[k] = from[k];
        if (to[k] >= limit) return range;
    }
    return FaceSetStatus::kOk;
}

FaceSetStatus SetArrays(FaceSetData &data, const FaceSetInput &in, ArrayCopier &copier) {
    if (!in.coords || in.coordCount == 0 || !in.coordIndex || in.coordIndexCount == 0)
        return FaceSetStatus::kInvalidInput;
    if (!copier.Copy(data.coords, in.coords, 3LL * in.coordCount))
        return FaceSetStatus::kNoCoordMemory;
    data.coordCount = in.coordCount;
    if (!copier.Copy(data.coordIndex, in.coordIndex, in.coordIndexCount))
        return FaceSetStatus::kNoCoordIndexMemory;
    for (int index : data.coordIndex) {
        if (index == -1) ++data.faceCount;
        if (index >= data.coordCount) return FaceSetStatus::kCoordIndexRange;
    }

    data.colorPerVertex = in.colorPerVertex;
    if (in.colours && in.colourCount != 0) {
        if (!copier.Copy(data.colours, in.colours, 3LL * in.colourCount))
            return FaceSetStatus::kNoColourMemory;
        data.colourCount = in.colourCount;
        if (in.colourIndex && in.colourIndexCount != 0) {
            FaceSetStatus s = SetIndexes(
                data.colourIndex, in.colourIndex, in.colourIndexCount, in.colorPerVertex != 0, data,
                data.colourCount, copier, FaceSetStatus::kNoColourIndexMemory,
                FaceSetStatus::kColourIndexCountVertex, FaceSetStatus::kColourIndexCountFace,
                FaceSetStatus::kColourIndexRange);
            if (s != FaceSetStatus::kOk) return s;
        } else if (!in.colorPerVertex && data.colourCount != data.faceCount) {
            return FaceSetStatus::kColourCountFace;
        } else if (in.colorPerVertex && data.colourCount != data.coordCount) {
            return FaceSetStatus::kColourCountVertex;
        }
    }

    if (!in.normals || in.normalCount == 0) return FaceSetStatus::kOk;
    data.normalPerVertex = in.normalPerVertex;
    if (!copier.Copy(data.normals, in.normals, 3LL * in.normalCount))
        return FaceSetStatus::kNoNormalMemory;
    data.normalCount = in.normalCount;
    if (in.normalIndex && in.normalIndexCount != 0)
        return SetIndexes(data.normalIndex, in.normalIndex, in.normalIndexCount,
                          in.normalPerVertex != 0, data, data.normalCount, copier,
                          FaceSetStatus::kNoNormalIndexMemory,
                          FaceSetStatus::kNormalIndexCountVertex,
                          FaceSetStatus::kNormalIndexCountFace, FaceSetStatus::kNormalIndexRange);
    if (!in.normalPerVertex && data.normalCount != data.faceCount)
        return FaceSetStatus::kNormalCountFace;
    // More normals than coordinates are accepted, unlike colours.
    if (in.normalPerVertex && data.normalCount < data.coordCount)
        return FaceSetStatus::kNormalCountVertex;
    return FaceSetStatus::kOk;
}

// colours[index[at]] (or colours[at] without an index array), checked.
uint32_t Lookup(const std::vector<int> &index, size_t at, int count) {
    long long i = index.empty() ? (long long)at : at < index.size() ? index[at] : -1;
    return i >= 0 && i < count ? uint32_t(i) : kNone;
}

void SmoothAtVertices(MeshDrawing &out, size_t vertexCount, float cosine, size_t indexedFrom) {
    const size_t corners = out.cornerVertex.size();
    // Every corner starts with its face normal. A mesh of triangles only
    // needs no table of the corners' faces: corner c lies in face c / 3.
    const bool triangles = corners == 3 * out.faceCount();
    std::vector<uint32_t> cornerFace;
    out.cornerNormal.resize(corners);
    uint32_t *normal = out.cornerNormal.data();
    if (triangles) {
        for (uint32_t c = 0; c < corners; ++c)
            normal[c] = c / 3;
    } else {
        cornerFace.resize(corners);
        for (size_t f = 0; f < out.faceCount(); ++f)
            for (uint32_t c = out.faceFirst[f]; c < out.faceFirst[f + 1]; ++c)
                cornerFace[c] = uint32_t(f);
        std::copy(cornerFace.begin(), cornerFace.end(), normal);
    }
    const uint32_t *faceOf = triangles ? nullptr : cornerFace.data();
    PolygonView mesh{out.faceFirst.data(), out.cornerVertex.data(), faceOf, corners, vertexCount};
    VertexCorners around;
    around.Build(mesh);
    FaceOrderer orderer(mesh, around, indexedFrom);
    CreaseSmoother smoother(out.ownNormals, normal, faceOf, cosine);
    std::vector<uint32_t> placed(FaceOrderer::kLocal);
    for (size_t v = 0; v < vertexCount; ++v) {
        const size_t k = around.start[v + 1] - around.start[v];
        if (k < 2) continue;
        if (placed.size() < k) placed.resize(k);
        bool ring = false;
        const uint32_t *corners = &around.corners[around.start[v]];
        const size_t n = orderer.Order(uint32_t(v), corners, k, placed.data(), &ring);
        smoother.Smooth(corners, k, placed.data(), n, ring);
    }
    smoother.Finish();
}

} // namespace

FaceSetStatus SetFaceSet(FaceSetData &data, const FaceSetInput &in, ArrayCopier copier) {
    data = FaceSetData();
    data.solid = in.solid;
    data.creaseAngle = in.creaseAngle;
    const FaceSetStatus status = SetArrays(data, in, copier);
    if (status != FaceSetStatus::kOk) {
        data = FaceSetData();
        data.solid = in.solid;
        data.creaseAngle = in.creaseAngle;
    }
    return status;
}

bool BuildFaceSet(const FaceSetData &data, bool smooth, MeshDrawing &out, size_t indexedFrom) {
    if (data.coords.empty()) return false;
    out = MeshDrawing();
    out.polygons = true;
    out.positions = data.coords.data();
    const bool colours = !data.colours.empty();
    const bool normals = smooth && !data.normals.empty();
    const bool crease = smooth && !normals;
    if (colours) out.colours = data.colours.data();
    if (normals) out.normals = data.normals.data();
    out.colourByVertex = colours && data.colorPerVertex && data.colourIndex.empty();
    out.normalByVertex = normals && data.normalPerVertex && data.normalIndex.empty();
    const bool cornerColours = colours && data.colorPerVertex && !out.colourByVertex;
    const bool cornerNormals = normals && data.normalPerVertex && !out.normalByVertex;

    const int *index = data.coordIndex.data();
    const size_t count = data.coordIndex.size();
    // The corners are copied while the runs are read; a run that turns out
    // not to be drawn is dropped again. Every array is allocated once.
    out.faceFirst.resize(size_t(data.faceCount) + 1);
    out.cornerVertex.resize(count);
    if (cornerColours) out.cornerColour.reserve(count);
    if (cornerNormals) out.cornerNormal.reserve(count);
    if (colours && !data.colorPerVertex) out.faceColour.reserve(size_t(data.faceCount));
    if (normals && !data.normalPerVertex) out.faceNormal.reserve(size_t(data.faceCount));
    uint32_t *first = out.faceFirst.data(), *vertex = out.cornerVertex.data();
    size_t faces = 0, corners = 0, face = 0, run = 0;
    bool skipped = false; // the run holds a negative index other than -1
    for (size_t k = 0; k < count; ++k) {
        const int i = index[k];
        if (i >= 0) {
            vertex[corners++] = uint32_t(i);
            continue;
        }
        if (i != -1) {
            skipped = true;
            continue;
        }
        if (skipped || k - run < 3) {
            corners = first[faces];
        } else {
            first[++faces] = uint32_t(corners);
            for (size_t t = run; t < k && (cornerColours || cornerNormals); ++t) {
                if (cornerColours)
                    out.cornerColour.push_back(Lookup(data.colourIndex, t, data.colourCount));
                if (cornerNormals)
                    out.cornerNormal.push_back(Lookup(data.normalIndex, t, data.normalCount));
            }
            if (colours && !data.colorPerVertex)
                out.faceColour.push_back(Lookup(data.colourIndex, face, data.colourCount));
            if (normals && !data.normalPerVertex)
                out.faceNormal.push_back(Lookup(data.normalIndex, face, data.normalCount));
        }
        skipped = false;
        ++face;
        run = k + 1;
    }
    out.faceFirst.resize(faces + 1);
    out.cornerVertex.resize(first[faces]); // indexes after the last -1 form no face
    // Face normals (not for supplied normals), and the faces one polygon
    // cannot draw: those need the normal too.
    const size_t vertices = size_t(data.coordCount);
    if (!normals) {
        // Room for the face normals and about one group per vertex, with
        // some to spare for vertices on creases.
        out.ownNormals.reserve(3 * (faces + (crease ? vertices + vertices / 8 : 0)));
        out.ownNormals.resize(3 * faces);
    }
    const float *coords = data.coords.data();
    for (size_t f = 0; f < faces; ++f) {
        const size_t size = first[f + 1] - first[f];
        float own[3];
        float *normal = normals ? own : &out.ownNormals[3 * f];
        if (!normals || size > 3) PolygonNormal(coords, vertex + first[f], size, normal);
        if (size > 3 && !IsConvexFace(coords, vertex + first[f], size, normal)) {
            out.splitFace.push_back(uint32_t(f));
            const size_t from = out.splitCorners.size();
            SplitFace(coords, vertex + first[f], size, normal, out.splitCorners);
            for (size_t i = from; i < out.splitCorners.size(); ++i)
                out.splitCorners[i] += first[f];
            out.splitFirst.push_back(uint32_t(out.splitCorners.size()));
        }
    }
    if (normals) return true; // the supplied-normals build
    if (!smooth) {            // flat: one face normal per face
        out.shadeFirst = ShadeModel::kSmooth;
        out.shadeLast = ShadeModel::kFlat;
        out.faceNormal.resize(faces);
        for (size_t f = 0; f < faces; ++f)
            out.faceNormal[f] = uint32_t(f);
        return true;
    }
    SmoothAtVertices(out, size_t(data.coordCount), CreaseCosine(data.creaseAngle), indexedFrom);
    return true;
}

} // namespace pexa::mesh
