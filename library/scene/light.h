// One OpenGL light of a scene window with its defaults (light i of a window
// is GL_LIGHT0 + i). Plain data, written by the light functions and dialog.
#pragma once

namespace pexa {

struct cLight {
    int on = 0;
    int ambientEqual = 1; // the dialog moves red, green and blue together
    int diffuseEqual = 1;
    int specularEqual = 1;
    int worldPos = 1; // 1: fixed relative to the initial eye; 0: moves with the model
    int point = 0;    // 1: positional light; 0: directional
    float ambient[4] = {0.1f, 0.1f, 0.1f, 1.0f};
    float diffuse[4] = {0.6f, 0.6f, 0.6f, 1.0f};
    float specular[4] = {0.5f, 0.5f, 0.5f, 1.0f};
    float position[4] = {1.0f, 1.0f, 1.0f, 0.0f};
    float spotDirection[3] = {0.0f, 0.0f, -1.0f};
    float spotCutoff = 180.0f;
    float spotExponent = 0.0f;
    float constantAttenuation = 1.0f;
    float linearAttenuation = 0.0f;
    float quadraticAttenuation = 0.0f;
};

} // namespace pexa
