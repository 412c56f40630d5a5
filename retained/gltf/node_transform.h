#pragma once
// Node transforms: a node's own matrix (or translation, rotation and scale) and its world matrix
// down the tree, in glTF's right-handed space.

#include <tiny_gltf.h>

#include "retained/gltf/gltf_model.h"

namespace varnoka::gltf {

// Column-major, as glTF writes matrices.
struct Matrix4 {
    double m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
};

Matrix4 LocalMatrix(const tinygltf::Node& node);
Matrix4 Multiply(const Matrix4& a, const Matrix4& b);
// Of the upper 3x3: negative for a mirroring transform.
double Determinant3(const Matrix4& a);

// Positions by the whole matrix; normals by the inverse transpose of its 3x3, renormalised.
class PointTransform {
public:
    explicit PointTransform(const Matrix4& world);
    void Point(double x, double y, double z, double out[3]) const;
    // False when the normal vanishes (a zero or non-finite input).
    bool Normal(double x, double y, double z, double out[3]) const;
    bool Mirrors() const { return determinant_ < 0; }
    bool Degenerate() const;

private:
    Matrix4 world_;
    double normal_[9];  // row-major 3x3
    double determinant_;
};

}  // namespace varnoka::gltf
