#include "retained/xfile/matrix4.h"

#include <cmath>

namespace varnoka::xfile {

Matrix4 Multiply(const Matrix4& a, const Matrix4& b) {
    Matrix4 r;
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += a.m[row * 4 + k] * b.m[k * 4 + col];
            r.m[row * 4 + col] = sum;
        }
    }
    return r;
}

Vector3 TransformPoint(const Vector3& p, const Matrix4& m) {
    return {p.x * m.m[0] + p.y * m.m[4] + p.z * m.m[8] + m.m[12], p.x * m.m[1] + p.y * m.m[5] + p.z * m.m[9] + m.m[13],
            p.x * m.m[2] + p.y * m.m[6] + p.z * m.m[10] + m.m[14]};
}

Vector3 TransformNormal(const Vector3& n, const Matrix4& m) {
    // Cofactors of the upper 3x3 are its inverse transpose up to the determinant, whose
    // sign is kept so mirroring frames do not turn normals inward.
    const float a = m.m[0], b = m.m[1], c = m.m[2];
    const float d = m.m[4], e = m.m[5], f = m.m[6];
    const float g = m.m[8], h = m.m[9], i = m.m[10];
    const float c00 = e * i - f * h, c01 = f * g - d * i, c02 = d * h - e * g;
    const float c10 = c * h - b * i, c11 = a * i - c * g, c12 = b * g - a * h;
    const float c20 = b * f - c * e, c21 = c * d - a * f, c22 = a * e - b * d;
    const float determinant = a * c00 + b * c01 + c * c02;
    const float sign = determinant < 0.0f ? -1.0f : 1.0f;
    Vector3 r{(n.x * c00 + n.y * c10 + n.z * c20) * sign, (n.x * c01 + n.y * c11 + n.z * c21) * sign,
              (n.x * c02 + n.y * c12 + n.z * c22) * sign};
    const float length = std::sqrt(r.x * r.x + r.y * r.y + r.z * r.z);
    if (length > 0.0f && std::isfinite(length)) {
        r.x /= length;
        r.y /= length;
        r.z /= length;
    }
    return r;
}

bool Mirrors(const Matrix4& m) {
    const float* a = m.m;
    const float determinant =
        a[0] * (a[5] * a[10] - a[6] * a[9]) - a[1] * (a[4] * a[10] - a[6] * a[8]) + a[2] * (a[4] * a[9] - a[5] * a[8]);
    return determinant < 0;
}

}  // namespace varnoka::xfile
