// Frames of a small lit scene turning about the vertical axis, ray-cast in
// software: a box and three spheres over a flat background, lit by a white
// light (diffuse and specular) that stays with the camera, as a scene window
// shows them; and the PSNR of a picture against its source. The frames of
// the animated GIF benchmark.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace scenetest {

// Red, green, blue bytes of frame `index` of `frames` (one full turn), top
// row first.
inline std::vector<uint8_t> TurningFrame(int index, int frames, int width, int height) {
    const float spheres[3][7] = {{1.35f, 0, 0, 0.45f, 0.2f, 0.8f, 0.3f}, // centre, radius, colour
                                 {-0.9f, 0.35f, 0.9f, 0.38f, 0.25f, 0.4f, 0.95f},
                                 {-0.5f, -0.45f, -1.1f, 0.3f, 0.95f, 0.85f, 0.2f}};
    const float box[3] = {0.95f, 0.45f, 0.3f}, light[3] = {-0.48f, 0.64f, 0.6f};
    const float a = 6.2831853f * float(index) / float(frames), ca = std::cos(a), sa = std::sin(a);
    auto dot = [](const float *p, const float *q) {
        return p[0] * q[0] + p[1] * q[1] + p[2] * q[2];
    };
    std::vector<uint8_t> rgb(size_t(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            // Camera at (0, 1.5, 3.6) looking down 22.6 degrees at the origin;
            // the scene turns, so the ray and the light turn the other way.
            const float u = (x + 0.5f - width / 2.f) / height * 0.95f;
            const float v = (height / 2.f - y - 0.5f) / height * 0.95f;
            const float d[3] = {u, 0.923f * v - 0.385f, -0.385f * v - 0.923f};
            const float len = std::sqrt(dot(d, d));
            const float o[3] = {-3.6f * sa, 1.5f, 3.6f * ca};
            const float dir[3] = {(ca * d[0] - sa * d[2]) / len, d[1] / len,
                                  (sa * d[0] + ca * d[2]) / len};
            const float l[3] = {ca * light[0] - sa * light[2], light[1],
                                sa * light[0] + ca * light[2]};
            float best = 1e9f, n[3] = {0, 0, 0};
            const float *color = nullptr;
            for (const float *s : spheres) {
                const float oc[3] = {o[0] - s[0], o[1] - s[1], o[2] - s[2]};
                const float b = dot(oc, dir), disc = b * b - dot(oc, oc) + s[3] * s[3];
                const float t = disc < 0 ? -1 : -b - std::sqrt(disc);
                if (t <= 0 || t >= best) continue;
                best = t, color = s + 4;
                for (int k = 0; k < 3; ++k)
                    n[k] = (o[k] + t * dir[k] - s[k]) / s[3];
            }
            float tNear = -1e9f, tFar = 1e9f; // the box: a cube of side 1.1 at the origin
            int axis = 0;
            for (int k = 0; k < 3; ++k) {
                const float t0 = (-0.55f - o[k]) / dir[k], t1 = (0.55f - o[k]) / dir[k];
                if (std::min(t0, t1) > tNear) tNear = std::min(t0, t1), axis = k;
                tFar = std::min(tFar, std::max(t0, t1));
            }
            if (tNear < tFar && tNear > 0 && tNear < best) {
                color = box;
                n[0] = n[1] = n[2] = 0;
                n[axis] = dir[axis] > 0 ? -1.f : 1.f;
            }
            uint8_t *p = &rgb[(size_t(y) * width + x) * 3];
            const float h[3] = {l[0] - dir[0], l[1] - dir[1], l[2] - dir[2]};
            const float diffuse = std::max(0.f, dot(n, l));
            const float highlight = std::pow(std::max(0.f, dot(n, h) / std::sqrt(dot(h, h))), 30.f);
            for (int k = 0; k < 3; ++k)
                p[k] = !color
                           ? uint8_t(k == 0   ? 51
                                     : k == 1 ? 64
                                              : 89)
                           : uint8_t(std::min(255.f, 255.f * (color[k] * (0.2f + 0.8f * diffuse) +
                                                              0.5f * highlight)));
        }
    return rgb;
}

// PSNR in dB of `bytes` channel values against their source (99: equal).
inline double Psnr(const uint8_t *shown, const uint8_t *source, size_t bytes) {
    double sum = 0;
    for (size_t i = 0; i < bytes; ++i)
        sum += double(int(shown[i]) - source[i]) * (int(shown[i]) - source[i]);
    return sum == 0 ? 99 : 10 * std::log10(255.0 * 255.0 * double(bytes) / sum);
}

} // namespace scenetest
