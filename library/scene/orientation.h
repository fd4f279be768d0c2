// Rotations of the scene view: the matrices glRotatef and gluLookAt build,
// the axis-angle of a rotation matrix (through a unit quaternion), and the
// two conversions between a ROTATE orientation (a rotation of the model
// about the origin, eye on the translated axis) and a FLY/WALK camera (eye,
// direction, up, right vectors) that show the same picture.
//
// Matrices are float[16], column-major as OpenGL keeps them. Vectors are
// float[3]. Arithmetic runs in double and is stored as float. No function
// yields NaN for finite input; degenerate input (a zero axis, a zero look
// direction) gives the identity or a zero axis instead.
#pragma once

namespace pexa {

struct ViewState;

// An orientation: angle degrees about axis, as glRotatef takes them.
struct Orientation {
    float angle = 0;
    float axis[3] = {0, 0, 0};
};

void SetIdentity(float m[16]);
// out = a * b (b applied first). out may alias a or b.
void MultiplyMatrix(const float a[16], const float b[16], float out[16]);
// out = the rotation part of m applied to v. out may alias v.
void RotateVector(const float m[16], const float v[3], float out[3]);
// The matrix glRotatef(angle, axis) builds: right-handed, the axis need not
// be unit length. An axis of length zero (or not finite) gives the identity,
// as OpenGL's own implementations do, instead of dividing by zero.
void RotationMatrix(float angle, const float axis[3], float m[16]);
// The rotation part of gluLookAt(eye, eye + dir, up): rows side, up', -dir.
// Like GLU, a zero vector stays zero when normalised.
void LookAtRotation(const float dir[3], const float up[3], float m[16]);
// Angle (degrees, 0 to 180) and axis of the rotation part of m. The axis is
// (0, 0, 0) when the angle is too small to give it a direction.
Orientation AxisAngle(const float m[16]);

// FLY/WALK camera from an orientation: the vectors are the orientation's
// inverse applied to -z, y and x, and eyePos is turned the same way.
void OrientationToCamera(ViewState &view, float angle, const float axis[3]);
// The orientation that shows what the camera (eye, dir, up) shows;
// rotatedEye receives the eye position in the ROTATE sense.
Orientation CameraToOrientation(const float eye[3], const float dir[3], const float up[3],
                                float rotatedEye[3]);

} // namespace pexa
