// The records an exported function builds on its stack and passes by
// address with a request; the handler on the library thread reads them in
// place while the caller waits.
#pragma once

namespace pexa {

struct RectangleRecord { // PEXA_MSG_SIZE_WIND
    int x, y, width, height;
};

struct ColorRecord { // PEXA_MSG_BACKGROUND
    float r, g, b;
};

struct ProjectionRecord { // PEXA_MSG_PROJECTION_MODE
    double angle, clipnear, clipfar;
};

} // namespace pexa
