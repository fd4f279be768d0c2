// Frame support shared with the object traversal: the 32-bit selection names
// of a pick frame.
#pragma once

#include <GL/gl.h>

#include "pexa.h"

namespace pexa {

class cWind;

// The selection name of an object in w's pick frame being drawn. Object
// addresses do not fit a 32-bit GL name on 64-bit Windows, so each pick
// frame numbers the objects it draws (1, 2, ...) and maps the hit names back
// to the objects afterwards.
GLuint PickNameFor(cWind *w, cObj *object);

} // namespace pexa
