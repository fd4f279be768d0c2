// The arithmetic of the 2D overlay kinds (portable): colour components for
// GDI, coordinates taken relative to the current 2D position, the end points
// of Circle2D's arc, TextBlock2D's rectangle and Bitmap2D's stretched extent.
//
// Every result is a GDI coordinate: sums that would leave the int range are
// held at its ends instead of wrapping (undefined in C++), and a non-finite
// angle or radius gives the centre rather than an undefined conversion.
#pragma once

#include <cstdint>

namespace pexa {

// c(v): v x 255 truncated toward zero, low 8 bits kept, so 1.0 gives 255,
// 0.5 gives 127 and 1.5 wraps to 126. NaN and infinities give 0.
uint8_t ColorComponent(float v);

// The COLORREF of RGB(c(r), c(g), c(b)).
uint32_t ColorRef(float r, float g, float b);

// a + b held inside the int range.
int AddClamped(int a, int b);

// The eight arguments of GDI's Arc for a circle arc of radius r about
// (cx, cy) from startAngle through sweepAngle degrees, counter-clockwise on
// the screen with 0 degrees pointing right: the bounding box and the start
// and end points.
struct ArcArgs {
    int left, top, right, bottom;
    int xStart, yStart, xEnd, yEnd;
};
ArcArgs CircleArc(int cx, int cy, int r, float startAngle, float sweepAngle);

struct Rect2D {
    int left, top, right, bottom;
};

// TextBlock2D's rectangle: the given corners moved by (dx, dy) (the current
// position when coordinates are relative, else 0); a right or bottom not
// greater than 0 stands for the client area's right or bottom edge, which
// is not moved (and which drawing takes anew from the window's size).
Rect2D TextBlockRect(int left, int top, int right, int bottom, int clientWidth, int clientHeight,
                     int dx, int dy);

// a - b held inside the int range. A stretched Bitmap2D keeps its distance
// to the client area's right and bottom edges: it stores the margins client
// size - size at set time and draws client size - margin.
int SubClamped(int a, int b);

// The most points PolyLine2D, PolyBezier2D and Polygon2D copy: a longer
// array is refused like a failed allocation (128 MB of POINTs).
constexpr int kMaxPoints2D = 1 << 24;

} // namespace pexa
