// Rotation matrices, axis-angle and the ROTATE <-> FLY/WALK view conversions
// (portable).
#include "scene/orientation.h"

#include "scene/window_state.h"

#include <cmath>

namespace pexa {

namespace {

constexpr double kPi = 3.14159265358979323846;

// Element (row r, column c) of a column-major matrix.
inline double At(const float m[16], int r, int c) {
    return m[c * 4 + r];
}

void Normalize(double v[3]) {
    double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (!(length > 0) || !std::isfinite(length)) return; // GLU leaves a zero vector alone
    for (int i = 0; i < 3; ++i)
        v[i] /= length;
}

void Cross(const double a[3], const double b[3], double out[3]) {
    double x = a[1] * b[2] - a[2] * b[1];
    double y = a[2] * b[0] - a[0] * b[2];
    double z = a[0] * b[1] - a[1] * b[0];
    out[0] = x, out[1] = y, out[2] = z;
}

} // namespace

void SetIdentity(float m[16]) {
    for (int i = 0; i < 16; ++i)
        m[i] = (i % 5 == 0) ? 1.0f : 0.0f;
}

void MultiplyMatrix(const float a[16], const float b[16], float out[16]) {
    float product[16];
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) {
            double sum = 0;
            for (int k = 0; k < 4; ++k)
                sum += At(a, r, k) * At(b, k, c);
            product[c * 4 + r] = float(sum);
        }
    for (int i = 0; i < 16; ++i)
        out[i] = product[i];
}

void RotateVector(const float m[16], const float v[3], float out[3]) {
    double x = v[0], y = v[1], z = v[2];
    for (int r = 0; r < 3; ++r)
        out[r] = float(At(m, r, 0) * x + At(m, r, 1) * y + At(m, r, 2) * z);
}

void RotationMatrix(float angle, const float axis[3], float m[16]) {
    SetIdentity(m);
    double u[3] = {axis[0], axis[1], axis[2]};
    double length = std::sqrt(u[0] * u[0] + u[1] * u[1] + u[2] * u[2]);
    if (!(length > 0) || !std::isfinite(length) || !std::isfinite(angle)) return;
    for (double &x : u)
        x /= length;
    double radians = angle * kPi / 180.0;
    double c = std::cos(radians), s = std::sin(radians), t = 1.0 - c;
    double x = u[0], y = u[1], z = u[2];
    double rows[3][3] = {{x * x * t + c, x * y * t - z * s, x * z * t + y * s},
                         {y * x * t + z * s, y * y * t + c, y * z * t - x * s},
                         {x * z * t - y * s, y * z * t + x * s, z * z * t + c}};
    for (int r = 0; r < 3; ++r)
        for (int col = 0; col < 3; ++col)
            m[col * 4 + r] = float(rows[r][col]);
}

void LookAtRotation(const float dir[3], const float up[3], float m[16]) {
    double f[3] = {dir[0], dir[1], dir[2]};
    double u[3] = {up[0], up[1], up[2]};
    double s[3];
    Normalize(f);
    Cross(f, u, s);
    Normalize(s);
    Cross(s, f, u);
    SetIdentity(m);
    for (int c = 0; c < 3; ++c) {
        m[c * 4 + 0] = float(s[c]);
        m[c * 4 + 1] = float(u[c]);
        m[c * 4 + 2] = float(-f[c]);
    }
}

Orientation AxisAngle(const float m[16]) {
    // Unit quaternion (x, y, z, w) by the trace method. Near a half turn
    // the trace approaches -1 and dividing by sqrt(1 + trace) loses all
    // precision, so below trace 0 the largest diagonal element leads.
    double m00 = At(m, 0, 0), m11 = At(m, 1, 1), m22 = At(m, 2, 2);
    double trace = m00 + m11 + m22;
    double q[4]; // x, y, z, w
    if (trace > 0) {
        double s = 2.0 * std::sqrt(1.0 + trace);
        q[3] = 0.25 * s;
        q[0] = (At(m, 2, 1) - At(m, 1, 2)) / s;
        q[1] = (At(m, 0, 2) - At(m, 2, 0)) / s;
        q[2] = (At(m, 1, 0) - At(m, 0, 1)) / s;
    } else if (m00 >= m11 && m00 >= m22) {
        double s = 2.0 * std::sqrt(1.0 + m00 - m11 - m22); // at least 2 here
        q[0] = 0.25 * s;
        q[1] = (At(m, 0, 1) + At(m, 1, 0)) / s;
        q[2] = (At(m, 0, 2) + At(m, 2, 0)) / s;
        q[3] = (At(m, 2, 1) - At(m, 1, 2)) / s;
    } else if (m11 >= m22) {
        double s = 2.0 * std::sqrt(1.0 + m11 - m00 - m22);
        q[0] = (At(m, 0, 1) + At(m, 1, 0)) / s;
        q[1] = 0.25 * s;
        q[2] = (At(m, 1, 2) + At(m, 2, 1)) / s;
        q[3] = (At(m, 0, 2) - At(m, 2, 0)) / s;
    } else {
        double s = 2.0 * std::sqrt(1.0 + m22 - m00 - m11);
        q[0] = (At(m, 0, 2) + At(m, 2, 0)) / s;
        q[1] = (At(m, 1, 2) + At(m, 2, 1)) / s;
        q[2] = 0.25 * s;
        q[3] = (At(m, 1, 0) - At(m, 0, 1)) / s;
    }
    // A matrix that is not quite a rotation (FLY vectors drift, LookAt takes
    // any vectors) gives a quaternion that is not quite unit: rescale it so
    // acos and the axis divisor stay defined; w >= 0 keeps angles in 0..180.
    double norm = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3]);
    Orientation o;
    if (!(norm > 0) || !std::isfinite(norm)) return o;
    double sign = q[3] < 0 ? -1.0 : 1.0;
    for (double &x : q)
        x *= sign / norm;
    double w = std::fmin(q[3], 1.0);
    o.angle = float(2.0 * std::acos(w) * 180.0 / kPi);
    double divisor = std::sqrt(std::fmax(0.0, 1.0 - w * w));
    if (divisor >= 0.00005)
        for (int i = 0; i < 3; ++i)
            o.axis[i] = float(q[i] / divisor);
    return o;
}

void OrientationToCamera(ViewState &view, float angle, const float axis[3]) {
    float m[16];
    RotationMatrix(-angle, axis, m);
    const float minusZ[3] = {0, 0, -1}, y[3] = {0, 1, 0}, x[3] = {1, 0, 0};
    RotateVector(m, minusZ, view.viewDir);
    RotateVector(m, y, view.viewUp);
    RotateVector(m, x, view.viewRight);
    RotateVector(m, view.eyePos, view.eyePos);
}

Orientation CameraToOrientation(const float eye[3], const float dir[3], const float up[3],
                                float rotatedEye[3]) {
    float m[16];
    LookAtRotation(dir, up, m);
    RotateVector(m, eye, rotatedEye);
    return AxisAngle(m);
}

} // namespace pexa
