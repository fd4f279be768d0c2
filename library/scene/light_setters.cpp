// The light setters (see light_setters.h).
#include "scene/light_setters.h"

#include "scene/vector3.h"

namespace pexa {

namespace {

void Store(float *to, const float *from, float alpha, int *equal) {
    to[0] = from[0];
    to[1] = from[1];
    to[2] = from[2];
    to[3] = alpha;
    if (equal && !(from[0] == from[1] && from[1] == from[2])) *equal = 0;
}

} // namespace

void SetLightDirection(cLight &light, int on, int worldPos, const float *dir) {
    static const float kDefault[3] = {1, 1, 1};
    Store(light.position, dir ? dir : kDefault, 0.0f, nullptr);
    light.on = on;
    light.worldPos = worldPos;
}

void SetLightColor(cLight &light, const float *ambient, const float *diffuse,
                   const float *specular) {
    static const float kAmbient[3] = {0.2f, 0.2f, 0.2f}, kGrey[3] = {0.5f, 0.5f, 0.5f};
    Store(light.ambient, ambient ? ambient : kAmbient, 1.0f,
          ambient ? &light.ambientEqual : nullptr);
    Store(light.diffuse, diffuse ? diffuse : kGrey, 1.0f, diffuse ? &light.diffuseEqual : nullptr);
    Store(light.specular, specular ? specular : kGrey, 1.0f,
          specular ? &light.specularEqual : nullptr);
}

void SetLightSpot(cLight &light, const float *dir, float cutoff, float exponent) {
    static const float kDown[3] = {0, 0, -1};
    Copy3(light.spotDirection, dir ? dir : kDown);
    if (cutoff >= 0.0f && cutoff <= 180.0f) light.spotCutoff = cutoff;
    if (exponent >= 0.0f && exponent <= 1.0f) light.spotExponent = exponent;
    light.point = 1;
    light.position[3] = 1.0f;
}

void CopyLightSettings(cLight &to, const cLight &from) {
    const int worldPos = to.worldPos;
    const float alphas[4] = {to.ambient[3], to.diffuse[3], to.specular[3], to.position[3]};
    to = from;
    to.worldPos = worldPos;
    to.ambient[3] = alphas[0];
    to.diffuse[3] = alphas[1];
    to.specular[3] = alphas[2];
    to.position[3] = alphas[3];
}

} // namespace pexa
