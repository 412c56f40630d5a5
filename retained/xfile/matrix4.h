#pragma once

#include "retained/xfile/loaded_model.h"

namespace varnoka::xfile {

// Row-vector convention as in the file: p' = p * M, translation in elements 12..14.
struct Matrix4 {
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
};

// a then b: p * (a * b).
Matrix4 Multiply(const Matrix4& a, const Matrix4& b);

Vector3 TransformPoint(const Vector3& p, const Matrix4& m);

// True when the matrix mirrors space (its 3x3 part has a negative determinant), which turns
// clockwise faces counter-clockwise.
bool Mirrors(const Matrix4& m);

// Normals go through the inverse transpose so non-uniform scales keep them perpendicular;
// the result is unit length (zero stays zero).
Vector3 TransformNormal(const Vector3& n, const Matrix4& m);

}  // namespace varnoka::xfile
