#include "retained/linear_algebra.h"

#include "retained/exact_math.h"

namespace varnoka::rm {

Rotation OrientationFrom(Vec3 direction, Vec3 up) {
    const Vec3 z = NormalizedOr(direction, {0, 0, 1});
    Vec3 x = Cross(up, z);
    if (!(Length(x) > 1e-6f)) {
        // Up runs along the direction: any perpendicular will do, pick one stably.
        x = Cross(std::fabs(z.y) < 0.9f ? Vec3{0, 1, 0} : Vec3{0, 0, -1}, z);
    }
    x = NormalizedOr(x, {1, 0, 0});
    Rotation r;
    r.row[0] = x;
    r.row[1] = Cross(z, x);
    r.row[2] = z;
    return r;
}

Rotation AxisAngle(Vec3 axis, float angle) {
    const Vec3 a = NormalizedOr(axis, {0, 1, 0});
    const float c = static_cast<float>(Cosine(angle));
    const float s = static_cast<float>(Sine(angle));
    const float t = 1.0f - c;
    // Positive angles turn clockwise when looking from the axis' tip toward the origin, the
    // left-handed convention; a drag to the right about the camera's -y thus carries the near
    // side of an object to the right.
    Rotation r;
    r.row[0] = {t * a.x * a.x + c, t * a.x * a.y + s * a.z, t * a.x * a.z - s * a.y};
    r.row[1] = {t * a.x * a.y - s * a.z, t * a.y * a.y + c, t * a.y * a.z + s * a.x};
    r.row[2] = {t * a.x * a.z + s * a.y, t * a.y * a.z - s * a.x, t * a.z * a.z + c};
    return r;
}

Rotation Orthonormalized(const Rotation& r) { return OrientationFrom(r.row[2], r.row[1]); }

}  // namespace varnoka::rm
