// The frustum arithmetic of tiled scene pictures (picture_tiles.h).
#include "scene/picture_tiles.h"

#include <algorithm>
#include <cmath>

namespace pexa {

namespace {

// The point at n / count of the way from a to b; the ends exactly a and b,
// so neighbouring tiles share their edges bit for bit.
double Between(double a, double b, int n, int count) {
    if (n <= 0) return a;
    if (n >= count) return b;
    return a + (b - a) * (double(n) / double(count));
}

} // namespace

Frustum PictureFrustum(bool perspective, double angle, double aspect, double clipNear,
                       double eyeZ) {
    const double halfAngle = angle * 3.14159265358979323846 / 360.0;
    const double top = std::tan(halfAngle) * (perspective ? clipNear : eyeZ);
    return Frustum{-top * aspect, top * aspect, -top, top};
}

std::vector<PictureTile> PictureTiles(int width, int height, int tileWidth, int tileHeight,
                                      const Frustum &whole) {
    std::vector<PictureTile> tiles;
    if (width <= 0 || height <= 0 || tileWidth <= 0 || tileHeight <= 0) return tiles;
    for (int y = 0; y < height; y += tileHeight) {
        const int h = std::min(tileHeight, height - y);
        for (int x = 0; x < width; x += tileWidth) {
            const int w = std::min(tileWidth, width - x);
            PictureTile t{x, y, w, h, w == width && h == height, {}};
            t.frustum.left = Between(whole.left, whole.right, x, width);
            t.frustum.right = Between(whole.left, whole.right, x + w, width);
            t.frustum.bottom = Between(whole.bottom, whole.top, y, height);
            t.frustum.top = Between(whole.bottom, whole.top, y + h, height);
            tiles.push_back(t);
        }
    }
    return tiles;
}

} // namespace pexa
