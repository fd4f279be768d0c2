// The ROTATE trackball: a client point projected onto a unit sphere around
// the projected origin, so that dragging between two points turns the model
// about the axis between them.
#pragma once

namespace pexa {

struct ViewState;

// Unit vector for client point (x, y) of a width x height client area,
// relative to where the origin appears for the view's eye and view angle.
// Always finite: where the origin has no projected place (eye at the depth
// of the origin, a degenerate view angle) the trackball centres on the
// client area, and a zero-sized area counts as one pixel.
void TrackballPoint(const ViewState &view, int x, int y, int width, int height, float out[3]);

} // namespace pexa
