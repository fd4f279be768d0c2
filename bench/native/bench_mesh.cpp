// Crease builds of the meshes: the IndexedFaceSet build of closed meshes of
// 1 000 000 and 100 000 triangles in the same run (the time ratio shows
// whether the build is linear: 10 for a linear one), its peak memory per
// triangle, and the ElevationGrid build of a 1000 x 1000 grid.
//
// The allocator is told to keep freed memory: otherwise glibc maps the large
// blocks of the big build afresh on every run (paying a page fault per 4 KB)
// while it recycles the small build's blocks, and the ratio would compare
// page faults with cache hits. The first (cold) run of each size is printed
// as well.
#include "objects/elevation_grid_mesh.h"
#include "objects/face_set_mesh.h"
#include "best_time.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <new>
#include <vector>

namespace {

// Bytes held through operator new, and the most held since the last reset.
size_t heldBytes = 0, peakBytes = 0;

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

pexa::mesh::FaceSetData Set(const Torus &t, float crease) {
    pexa::mesh::FaceSetInput in;
    in.coords = t.coords.data(), in.coordCount = int(t.coords.size() / 3);
    in.coordIndex = t.index.data(), in.coordIndexCount = int(t.index.size());
    in.creaseAngle = crease;
    pexa::mesh::FaceSetData data;
    if (pexa::mesh::SetFaceSet(data, in) != pexa::mesh::FaceSetStatus::kOk) std::abort();
    return data;
}

} // namespace

void *operator new(size_t size) {
    auto *p = static_cast<size_t *>(std::malloc(size + 16));
    if (!p) throw std::bad_alloc();
    *p = size;
    heldBytes += size;
    if (heldBytes > peakBytes) peakBytes = heldBytes;
    return reinterpret_cast<char *>(p) + 16;
}
void operator delete(void *q) noexcept {
    if (!q) return;
    auto *p = reinterpret_cast<size_t *>(static_cast<char *>(q) - 16);
    heldBytes -= *p;
    std::free(p);
}
void operator delete(void *q, size_t) noexcept {
    operator delete(q);
}

int main() {
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, -1);
#endif
    std::printf("bench_mesh: crease builds, cold (first) run and best of 5\n");
    const Torus big(1000, 500), small(250, 200);
    const pexa::mesh::FaceSetData bigSet = Set(big, 60), smallSet = Set(small, 60);
    double cold[2], warm[2];
    const pexa::mesh::FaceSetData *sets[2] = {&smallSet, &bigSet};
    for (int k = 0; k < 2; ++k) {
        const size_t triangles = size_t(sets[k]->faceCount);
        size_t peak = 0, kept = 0;
        auto build = [&] {
            const size_t before = heldBytes;
            peakBytes = heldBytes;
            pexa::mesh::MeshDrawing drawing;
            pexa::mesh::BuildFaceSet(*sets[k], true, drawing);
            peak = peakBytes - before;
            kept = heldBytes - before;
        };
        cold[k] = BestSeconds(1, build);
        warm[k] = BestSeconds(5, build);
        std::printf("IndexedFaceSet %8zu triangles  cold %7.1f ms  warm %7.1f ms  peak %5.1f "
                    "bytes/triangle (drawing kept: %4.1f)\n",
                    triangles, cold[k] * 1e3, warm[k] * 1e3, double(peak) / triangles,
                    double(kept) / triangles);
    }
    std::printf("ratio t(1M) / t(100k) = %.2f warm, %.2f cold  (linear: 10; target at most 12)\n",
                warm[1] / warm[0], cold[1] / cold[0]);

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
    const double gridSeconds = BestSeconds(5, [&] {
        pexa::mesh::MeshDrawing drawing;
        pexa::mesh::BuildGrid(grid, true, drawing);
    });
    std::printf("ElevationGrid %d x %d  %8.1f ms  (target under 1000 ms)\n", side, side,
                gridSeconds * 1e3);
    return 0;
}
