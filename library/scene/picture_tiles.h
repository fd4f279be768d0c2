// Tiles of a scene picture: DIBfromScene draws a picture of any size through
// the window's own context, whose buffers are only the size of its client
// area, so the picture is cut into tiles no larger than that, and each tile
// is drawn with the part of the picture's frustum that it covers. Works on
// every OpenGL 1.1 driver (no off-screen buffers needed).
#pragma once

#include <vector>

namespace pexa {

// The sides of a view volume at the near plane (perspective) or of the
// orthogonal box, as glFrustum and glOrtho take them.
struct Frustum {
    double left, right, bottom, top;
};

// The whole picture's volume: the window's vertical view angle (degrees)
// with the picture's own aspect ratio (width / height). An orthogonal view
// is as high as the perspective one at the eye distance eyeZ.
Frustum PictureFrustum(bool perspective, double angle, double aspect, double clipNear, double eyeZ);

struct PictureTile {
    int x, y;          // its lower left pixel in the picture, rows from the bottom
    int width, height; // at most the tile size asked for
    bool whole;        // the tile is the whole picture
    Frustum frustum;   // the part of the picture's volume it shows
};

// The tiles covering a width × height picture, row by row from the bottom,
// each at most tileWidth × tileHeight. Empty when a size is not positive.
std::vector<PictureTile> PictureTiles(int width, int height, int tileWidth, int tileHeight,
                                      const Frustum &whole);

} // namespace pexa
