// Crease builds of the meshes, in interleaved rounds (see rounds.h):
//  - the IndexedFaceSet crease build of closed meshes of 100 000 and
//    1 000 000 triangles against a plain per-corner builder (each corner
//    gets the normalised sum of the face normals at its vertex within the
//    crease angle of its own face), with a check that both give the same
//    normals;
//  - a capped cylinder of 40 000 side quads and two 40 000-gons, smooth
//    against its own flat build;
//  - 1000 faces over the same 10 000 vertices, smooth against flat;
//  - the ElevationGrid crease build of 1000 x 1000 points against its flat
//    build.
// The allocator keeps freed memory (blocks up to 32 MB come from the heap,
// which is never trimmed), so that rounds after the first pay no page faults
// on either side.
// The normals of both sides are compared bit for bit: the crease build adds
// a group's face normals in face order from zero and normalises the sum in
// double, as the plain builder does, so on these meshes (where every group
// is exactly the faces within the crease angle of each of its faces) no
// component may differ.
//   tools/build.sh native && cmake --build build/native --target bench_mesh &&
//   build/native/bench_mesh [torus|cylinder|shared|grid]   (default: all)
#include "../capped_cylinder.h"
#include "../rounds.h"
#include "objects/crease_smoothing.h"
#include "objects/elevation_grid_mesh.h"
#include "objects/face_set_mesh.h"
#include "objects/geometry.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <vector>

namespace {

// A closed torus of n x m quads, each split into two triangles, whose cross
// section is a square with rounded sides: sharp edges along four rings, the
// rest gently curved.
struct Torus {
    std::vector<float> coords;
    std::vector<int> index;
    Torus(int n, int m) {
        const double pi = 3.14159265358979323846;
        for (int j = 0; j < m; ++j) {
            const double t = 4.0 * j / m, side = std::floor(t), s = t - side; // side of the square
            const double bulge = 0.05 * std::sin(pi * s);
            double x = 0, y = 0;
            switch (int(side)) {
            case 0:
                x = 1 + bulge, y = -1 + 2 * s;
                break;
            case 1:
                x = 1 - 2 * s, y = 1 + bulge;
                break;
            case 2:
                x = -1 - bulge, y = 1 - 2 * s;
                break;
            default:
                x = -1 + 2 * s, y = -1 - bulge;
                break;
            }
            for (int i = 0; i < n; ++i) {
                const double a = 2 * pi * i / n, r = 4 + 0.5 * x;
                coords.insert(coords.end(),
                              {float(r * std::cos(a)), float(r * std::sin(a)), float(0.5 * y)});
            }
        }
        for (int j = 0; j < m; ++j)
            for (int i = 0; i < n; ++i) {
                const int a = j * n + i, b = j * n + (i + 1) % n;
                const int c = ((j + 1) % m) * n + i, d = ((j + 1) % m) * n + (i + 1) % n;
                index.insert(index.end(), {a, b, d, -1, a, d, c, -1});
            }
    }
};

// faces polygons, each over all of the same vertices (points on a circle),
// each starting at another vertex.
struct SharedPolygons {
    std::vector<float> coords;
    std::vector<int> index;
    SharedPolygons(int faces, int vertices) {
        for (int i = 0; i < vertices; ++i) {
            const double a = 6.283185307179586 * i / vertices;
            coords.insert(coords.end(), {float(std::cos(a)), float(std::sin(a)), 0.0f});
        }
        for (int f = 0; f < faces; ++f) {
            for (int i = 0; i < vertices; ++i)
                index.push_back((i + f * 7) % vertices);
            index.push_back(-1);
        }
    }
};

template <class Mesh> pexa::mesh::FaceSetData Set(const Mesh &t, float crease) {
    pexa::mesh::FaceSetInput in;
    in.coords = t.coords.data(), in.coordCount = int(t.coords.size() / 3);
    in.coordIndex = t.index.data(), in.coordIndexCount = int(t.index.size());
    in.creaseAngle = crease;
    pexa::mesh::FaceSetData data;
    if (pexa::mesh::SetFaceSet(data, in) != pexa::mesh::FaceSetStatus::kOk) std::abort();
    return data;
}

// The plain builder: faces from the index runs, face normals as the library
// makes them, then for each corner the sum of the normals of the faces at its
// vertex within the crease angle of its own face (its own included),
// normalised; a corner whose face is alone keeps the face normal.
void PlainCrease(const pexa::mesh::FaceSetData &data, std::vector<float> &out) {
    const float cosine = pexa::mesh::CreaseCosine(data.creaseAngle);
    const float *p = data.coords.data();
    std::vector<uint32_t> first{0}, vertex;
    for (int i : data.coordIndex)
        if (i < 0) {
            first.push_back(uint32_t(vertex.size()));
        } else {
            vertex.push_back(uint32_t(i));
        }
    const size_t faces = first.size() - 1, corners = vertex.size();
    std::vector<float> normal(3 * faces);
    std::vector<uint32_t> faceOf(corners), start(size_t(data.coordCount) + 1, 0), around(corners);
    for (size_t f = 0; f < faces; ++f) {
        const uint32_t *v = &vertex[first[f]];
        if (!pexa::TryTriangleNormal(p + 3 * v[0], p + 3 * v[1], p + 3 * v[2], &normal[3 * f]))
            normal[3 * f] = 0, normal[3 * f + 1] = 0, normal[3 * f + 2] = 1;
        for (uint32_t c = first[f]; c < first[f + 1]; ++c)
            faceOf[c] = uint32_t(f), ++start[vertex[c] + 1];
    }
    for (size_t v = 0; v < size_t(data.coordCount); ++v)
        start[v + 1] += start[v];
    std::vector<uint32_t> fill(start.begin(), start.end() - 1);
    for (size_t c = 0; c < corners; ++c)
        around[fill[vertex[c]]++] = faceOf[c];
    out.resize(3 * corners);
    for (size_t c = 0; c < corners; ++c) {
        const float *n = &normal[3 * faceOf[c]];
        float sum[3] = {0, 0, 0};
        int taken = 0;
        for (uint32_t k = start[vertex[c]]; k < start[vertex[c] + 1]; ++k) {
            const float *m = &normal[3 * around[k]];
            if (n[0] * m[0] + n[1] * m[1] + n[2] * m[2] > cosine || around[k] == faceOf[c])
                sum[0] += m[0], sum[1] += m[1], sum[2] += m[2], ++taken;
        }
        if (taken > 1) {
            const double r = 1 / std::sqrt(double(sum[0]) * sum[0] + double(sum[1]) * sum[1] +
                                           double(sum[2]) * sum[2]);
            sum[0] = float(sum[0] * r), sum[1] = float(sum[1] * r), sum[2] = float(sum[2] * r);
        }
        out[3 * c] = sum[0], out[3 * c + 1] = sum[1], out[3 * c + 2] = sum[2];
    }
}

// Corners whose normals differ at all, and the largest difference.
void Compare(const pexa::mesh::MeshDrawing &d, const std::vector<float> &plain) {
    const float *table = d.NormalTable();
    size_t differ = 0;
    double largest = 0;
    for (size_t c = 0; c < d.cornerVertex.size(); ++c)
        for (int k = 0; k < 3; ++k) {
            const double e = std::fabs(double(table[3 * d.cornerNormal[c] + k]) - plain[3 * c + k]);
            differ += e != 0;
            largest = e > largest ? e : largest;
        }
    std::printf(
        "    normals: %zu of %zu components differ from the plain builder's, by at most %.1e\n",
        differ, 3 * d.cornerVertex.size(), largest);
}

void SmoothAgainstFlat(const char *job, const pexa::mesh::FaceSetData &data) {
    bench::Print(job, "flat",
                 bench::InterleaveCalls(
                     [&] {
                         pexa::mesh::MeshDrawing d;
                         pexa::mesh::BuildFaceSet(data, true, d);
                     },
                     [&] {
                         pexa::mesh::MeshDrawing d;
                         pexa::mesh::BuildFaceSet(data, false, d);
                     }));
}

} // namespace

int main(int argc, char **argv) {
    const std::string only = argc > 1 ? argv[1] : "";
    auto run = [&](const char *job) { return only.empty() || only == job; };
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 32 << 20); // the largest glibc takes
    mallopt(M_TRIM_THRESHOLD, -1);
#endif
    std::printf("bench_mesh: crease builds, %d interleaved rounds\n", bench::kRounds);
    const Torus small(run("torus") ? 250 : 1, 200), big(run("torus") ? 1000 : 1, 500);
    for (const Torus *t : {&small, &big}) {
        if (!run("torus")) break;
        const pexa::mesh::FaceSetData data = Set(*t, 60);
        std::vector<float> plain;
        char job[80];
        std::snprintf(job, sizeof job, "IndexedFaceSet %zu triangles vs plain",
                      t->index.size() / 4);
        bench::Print(job, "plain",
                     bench::InterleaveCalls(
                         [&] {
                             pexa::mesh::MeshDrawing d;
                             pexa::mesh::BuildFaceSet(data, true, d);
                         },
                         [&] { PlainCrease(data, plain); }));
        pexa::mesh::MeshDrawing d;
        pexa::mesh::BuildFaceSet(data, true, d);
        Compare(d, plain);
    }
    if (run("cylinder"))
        SmoothAgainstFlat("capped cylinder n = 40 000, smooth vs flat",
                          Set(bench::CappedCylinder(40000), 60));
    if (run("shared"))
        SmoothAgainstFlat("1000 faces over 10 000 vertices, smooth vs flat",
                          Set(SharedPolygons(1000, 10000), 60));
    if (!run("grid")) return 0;

    const int side = 1000;
    std::vector<float> heights(size_t(side) * side);
    for (int j = 0; j < side; ++j)
        for (int i = 0; i < side; ++i)
            heights[size_t(j) * side + i] = float(std::sin(i * j * 1e-5));
    pexa::mesh::GridInput in;
    in.xDimension = side, in.zDimension = side, in.xSpacing = 0.01f, in.zSpacing = 0.01f;
    in.heights = heights.data(), in.creaseAngle = 30;
    pexa::mesh::GridData grid;
    pexa::mesh::SetGrid(grid, in);
    bench::Print("ElevationGrid 1000 x 1000, crease vs flat", "flat",
                 bench::InterleaveCalls(
                     [&] {
                         pexa::mesh::MeshDrawing drawing;
                         pexa::mesh::BuildGrid(grid, true, drawing);
                     },
                     [&] {
                         pexa::mesh::MeshDrawing drawing;
                         pexa::mesh::BuildGrid(grid, false, drawing);
                     }));
    return 0;
}
