#pragma once
// Vertex normals for a mesh: smooth across gentle bends, split where faces meet at a crease.

#include <array>
#include <cstdint>
#include <vector>

#include "tools/model_generator/geometry.h"

namespace varnoka::models {

struct CornerNormals {
    std::vector<Vec3> normals;                             // distinct unit normals
    std::vector<std::array<std::uint32_t, 3>> ofTriangle;  // per triangle, per corner
};

// Faces meeting at more than `creaseDegrees` keep their own normals at the shared corner.
// Corners are matched by place, so seams of duplicated positions stay smooth.
CornerNormals ComputeNormals(const Mesh& mesh, double creaseDegrees);

}  // namespace varnoka::models
