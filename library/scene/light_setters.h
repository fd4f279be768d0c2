// The light setters of the program's interface (LightDirection, LightColor,
// LightSpot) and the copy the light dialog keeps for Cancel, over one
// light record.
#pragma once

#include "scene/light.h"

namespace pexa {

// position = (dir, 0), or (1, 1, 1, 0) without dir; on and worldPos as given.
void SetLightDirection(cLight &light, int on, int worldPos, const float *dir);
// Each colour given is stored with alpha 1; its "equal" flag is cleared when
// its components differ. A missing colour gets its default grey and keeps
// its flag.
void SetLightColor(cLight &light, const float *ambient, const float *diffuse,
                   const float *specular);
// A spot: spotDirection = dir or (0, 0, -1); cutoff only within 0..180,
// exponent only within 0..1; the light becomes a point light.
void SetLightSpot(cLight &light, const float *dir, float cutoff, float exponent);
// Copies every field except worldPos and the fourth components of the
// colours and the position (what the dialog's backup and Cancel move).
void CopyLightSettings(cLight &to, const cLight &from);

} // namespace pexa
