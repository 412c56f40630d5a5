#pragma once
// Vectors and rigid transforms. Points are row vectors: p' = p * rotation + origin, so a child's
// world transform is its local transform followed by its parent's.

#include <cmath>

namespace varnoka::rm {

struct Vec3 {
    float x = 0, y = 0, z = 0;
};

inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator-(Vec3 a) { return {-a.x, -a.y, -a.z}; }
inline Vec3 operator*(Vec3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
inline float Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 Cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
inline float Length(Vec3 a) { return std::sqrt(Dot(a, a)); }
inline bool IsFinite(Vec3 a) { return std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(a.z); }

// Unit vector along a, or fallback when a has no usable direction.
inline Vec3 NormalizedOr(Vec3 a, Vec3 fallback) {
    const float length = Length(a);
    if (!(length > 1e-20f) || !std::isfinite(length)) return fallback;
    return a * (1.0f / length);
}

// Rows are the images of the x, y and z axes.
struct Rotation {
    Vec3 row[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
};

inline Vec3 Rotate(Vec3 v, const Rotation& r) { return r.row[0] * v.x + r.row[1] * v.y + r.row[2] * v.z; }
// Multiplies by the transpose, which undoes an orthonormal rotation.
inline Vec3 Unrotate(Vec3 v, const Rotation& r) { return {Dot(v, r.row[0]), Dot(v, r.row[1]), Dot(v, r.row[2])}; }

inline Rotation Compose(const Rotation& first, const Rotation& then) {
    Rotation out;
    for (int i = 0; i < 3; ++i) out.row[i] = Rotate(first.row[i], then);
    return out;
}

inline Rotation Transposed(const Rotation& r) {
    Rotation out;
    out.row[0] = {r.row[0].x, r.row[1].x, r.row[2].x};
    out.row[1] = {r.row[0].y, r.row[1].y, r.row[2].y};
    out.row[2] = {r.row[0].z, r.row[1].z, r.row[2].z};
    return out;
}

struct RigidTransform {
    Rotation rotation;
    Vec3 origin;
};

inline Vec3 TransformPoint(Vec3 p, const RigidTransform& t) { return Rotate(p, t.rotation) + t.origin; }
inline Vec3 InverseTransformPoint(Vec3 p, const RigidTransform& t) { return Unrotate(p - t.origin, t.rotation); }

inline RigidTransform Compose(const RigidTransform& first, const RigidTransform& then) {
    return {Compose(first.rotation, then.rotation), TransformPoint(first.origin, then)};
}

inline RigidTransform Inverse(const RigidTransform& t) {
    const Rotation inverse = Transposed(t.rotation);
    return {inverse, -Rotate(t.origin, inverse)};
}

// Rotation with z along direction and y as close to up as the direction allows.
Rotation OrientationFrom(Vec3 direction, Vec3 up);
// Rotation by angle radians about a unit axis, in the left-handed sense of the frame system.
Rotation AxisAngle(Vec3 axis, float angle);
// Rebuilds an orthonormal basis from a drifting one, keeping the z and y axes' directions.
Rotation Orthonormalized(const Rotation& r);

}  // namespace varnoka::rm
