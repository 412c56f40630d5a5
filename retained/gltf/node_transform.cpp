#include "retained/gltf/node_transform.h"

#include <cmath>

namespace varnoka::gltf {

namespace {

double At(const Matrix4& a, int row, int column) { return a.m[column * 4 + row]; }

}  // namespace

Matrix4 LocalMatrix(const tinygltf::Node& node) {
    Matrix4 local;
    if (node.matrix.size() == 16) {
        for (int i = 0; i < 16; ++i) local.m[i] = node.matrix[static_cast<std::size_t>(i)];
        return local;
    }
    double t[3] = {0, 0, 0}, s[3] = {1, 1, 1}, q[4] = {0, 0, 0, 1};
    if (node.translation.size() == 3)
        for (int i = 0; i < 3; ++i) t[i] = node.translation[static_cast<std::size_t>(i)];
    if (node.scale.size() == 3)
        for (int i = 0; i < 3; ++i) s[i] = node.scale[static_cast<std::size_t>(i)];
    if (node.rotation.size() == 4) {
        for (int i = 0; i < 4; ++i) q[i] = node.rotation[static_cast<std::size_t>(i)];
        // Unit quaternions are required; renormalising forgives rounding in the file.
        const double length = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3]);
        if (length > 0 && std::isfinite(length)) {
            for (double& c : q) c /= length;
        } else {
            q[0] = q[1] = q[2] = 0;
            q[3] = 1;
        }
    }
    const double x = q[0], y = q[1], z = q[2], w = q[3];
    const double r[9] = {1 - 2 * (y * y + z * z), 2 * (x * y - z * w),     2 * (x * z + y * w),
                         2 * (x * y + z * w),     1 - 2 * (x * x + z * z), 2 * (y * z - x * w),
                         2 * (x * z - y * w),     2 * (y * z + x * w),     1 - 2 * (x * x + y * y)};
    // T * R * S
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) local.m[column * 4 + row] = r[row * 3 + column] * s[column];
        local.m[12 + row] = t[row];
    }
    return local;
}

Matrix4 Multiply(const Matrix4& a, const Matrix4& b) {
    Matrix4 product;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            double sum = 0;
            for (int k = 0; k < 4; ++k) sum += At(a, row, k) * At(b, k, column);
            product.m[column * 4 + row] = sum;
        }
    }
    return product;
}

double Determinant3(const Matrix4& a) {
    return At(a, 0, 0) * (At(a, 1, 1) * At(a, 2, 2) - At(a, 1, 2) * At(a, 2, 1)) -
           At(a, 0, 1) * (At(a, 1, 0) * At(a, 2, 2) - At(a, 1, 2) * At(a, 2, 0)) +
           At(a, 0, 2) * (At(a, 1, 0) * At(a, 2, 1) - At(a, 1, 1) * At(a, 2, 0));
}

PointTransform::PointTransform(const Matrix4& world) : world_(world), determinant_(Determinant3(world)) {
    // The cofactor matrix is the inverse transpose times the determinant; its sign is put right so
    // a mirrored node's normals still point out of its surface.
    const double sign = determinant_ < 0 ? -1 : 1;
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const int r0 = (row + 1) % 3, r1 = (row + 2) % 3, c0 = (column + 1) % 3, c1 = (column + 2) % 3;
            normal_[row * 3 + column] =
                sign * (At(world, r0, c0) * At(world, r1, c1) - At(world, r0, c1) * At(world, r1, c0));
        }
    }
}

bool PointTransform::Degenerate() const { return !(std::fabs(determinant_) > 1e-30) || !std::isfinite(determinant_); }

void PointTransform::Point(double x, double y, double z, double out[3]) const {
    for (int row = 0; row < 3; ++row)
        out[row] = At(world_, row, 0) * x + At(world_, row, 1) * y + At(world_, row, 2) * z + At(world_, row, 3);
}

bool PointTransform::Normal(double x, double y, double z, double out[3]) const {
    for (int row = 0; row < 3; ++row)
        out[row] = normal_[row * 3] * x + normal_[row * 3 + 1] * y + normal_[row * 3 + 2] * z;
    const double length = std::sqrt(out[0] * out[0] + out[1] * out[1] + out[2] * out[2]);
    if (!(length > 0) || !std::isfinite(length)) return false;
    for (int i = 0; i < 3; ++i) out[i] /= length;
    return true;
}

}  // namespace varnoka::gltf
