// Frames of a small lit scene turning about the vertical axis, ray-cast in
// software: a box and three spheres over a flat background, lit by a white
// light with diffuse and specular shading, as a scene window shows them.
// Shared by the animated GIF tests and benchmark. Portable: no windows.h.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

namespace scenetest {

// Red, green, blue bytes of frame `index` of `frames` (one full turn), top
// row first.
inline std::vector<uint8_t> TurningFrame(int index, int frames, int width, int height) {
    struct Sphere {
        float c[3], r, color[3];
    };
    const Sphere spheres[] = {{{1.35f, 0.f, 0.f}, 0.45f, {0.2f, 0.8f, 0.3f}},
                              {{-0.9f, 0.35f, 0.9f}, 0.38f, {0.25f, 0.4f, 0.95f}},
                              {{-0.5f, -0.45f, -1.1f}, 0.3f, {0.95f, 0.85f, 0.2f}}};
    const float box[3] = {0.95f, 0.45f, 0.3f}, half = 0.55f;
    const float light[3] = {-0.48f, 0.64f, 0.6f}; // unit, towards the light
    const float angle = 6.2831853f * float(index) / float(frames);
    const float ca = std::cos(angle), sa = std::sin(angle);
    std::vector<uint8_t> rgb(size_t(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // Camera at (0, 1.5, 3.6) looking down 22.6 degrees at the origin;
            // the scene turns, so the ray turns the other way into its frame.
            const float u = (x + 0.5f - width / 2.f) / height * 0.95f;
            const float v = (height / 2.f - y - 0.5f) / height * 0.95f;
            float d[3] = {u, 0.923f * v - 0.385f, -0.385f * v - 0.923f};
            const float len = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
            for (float &c : d)
                c /= len;
            const float o[3] = {-3.6f * sa, 1.5f, 3.6f * ca};
            const float dir[3] = {ca * d[0] - sa * d[2], d[1], sa * d[0] + ca * d[2]};
            float best = 1e9f, n[3] = {0, 0, 0};
            const float *color = nullptr;
            for (const Sphere &s : spheres) {
                const float oc[3] = {o[0] - s.c[0], o[1] - s.c[1], o[2] - s.c[2]};
                const float b = oc[0] * dir[0] + oc[1] * dir[1] + oc[2] * dir[2];
                const float disc =
                    b * b - (oc[0] * oc[0] + oc[1] * oc[1] + oc[2] * oc[2] - s.r * s.r);
                if (disc < 0) continue;
                const float t = -b - std::sqrt(disc);
                if (t <= 0 || t >= best) continue;
                best = t, color = s.color;
                for (int k = 0; k < 3; ++k)
                    n[k] = (o[k] + t * dir[k] - s.c[k]) / s.r;
            }
            float tNear = -1e9f, tFar = 1e9f;
            int axis = 0;
            for (int k = 0; k < 3; ++k) {
                float t0 = (-half - o[k]) / dir[k], t1 = (half - o[k]) / dir[k];
                if (t0 > t1) std::swap(t0, t1);
                if (t0 > tNear) tNear = t0, axis = k;
                if (t1 < tFar) tFar = t1;
            }
            if (tNear < tFar && tNear > 0 && tNear < best) {
                best = tNear, color = box;
                n[0] = n[1] = n[2] = 0;
                n[axis] = dir[axis] > 0 ? -1.f : 1.f;
            }
            uint8_t *p = &rgb[(size_t(y) * width + x) * 3];
            if (!color) {
                p[0] = 51, p[1] = 64, p[2] = 89;
                continue;
            }
            // The light stays with the camera: turn it into the scene's frame.
            const float l[3] = {ca * light[0] - sa * light[2], light[1],
                                sa * light[0] + ca * light[2]};
            const float diffuse = std::fmax(0.f, n[0] * l[0] + n[1] * l[1] + n[2] * l[2]);
            float h[3] = {l[0] - dir[0], l[1] - dir[1], l[2] - dir[2]};
            const float hl = std::sqrt(h[0] * h[0] + h[1] * h[1] + h[2] * h[2]);
            const float spec =
                std::pow(std::fmax(0.f, (n[0] * h[0] + n[1] * h[1] + n[2] * h[2]) / hl), 30.f);
            for (int k = 0; k < 3; ++k)
                p[k] = uint8_t(
                    std::fmin(255.f, 255.f * (color[k] * (0.2f + 0.8f * diffuse) + 0.5f * spec)));
        }
    }
    return rgb;
}

} // namespace scenetest
