// A capped cylinder of n side quads and two n-gon caps, the mesh whose caps
// share every vertex with the side: portable, shared by bench/native and
// bench/wine.
#pragma once

#include <cmath>
#include <vector>

namespace bench {

struct CappedCylinder {
    std::vector<float> coords; // x, y, z per point
    std::vector<int> index;    // faces, each ended by -1
    explicit CappedCylinder(int n) {
        for (int z = 0; z < 2; ++z)
            for (int i = 0; i < n; ++i) {
                const double a = 6.283185307179586 * i / n;
                coords.insert(coords.end(), {float(std::cos(a)), float(std::sin(a)), float(z)});
            }
        for (int i = 0; i < n; ++i)
            index.insert(index.end(), {i, (i + 1) % n, n + (i + 1) % n, n + i, -1});
        for (int i = n; i-- > 0;)
            index.push_back(i);
        index.push_back(-1);
        for (int i = 0; i < n; ++i)
            index.push_back(n + i);
        index.push_back(-1);
    }
};

} // namespace bench
