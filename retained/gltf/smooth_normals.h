#pragma once
// Normals for a primitive that has none: smooth across an edge whose faces meet at a shallow
// angle, hard across a sharper one, so curved panels look round and creases stay crisp.

#include <cstdint>
#include <vector>

#include "retained/gltf/gltf_model.h"

namespace varnoka::gltf {

// Faces closer than this in direction share a normal at the corners they have in common.
constexpr double SmoothingAngleDegrees = 45;

// One normal per corner of `corners` (three per triangle, counter-clockwise seen from the front).
// Corners share by position value, so unindexed geometry is smoothed too.
std::vector<Float3> SmoothCornerNormals(const std::vector<Float3>& positions,
                                        const std::vector<std::uint32_t>& corners);

// The unit normal of a counter-clockwise triangle; false when it has no area.
bool FaceNormal(const Float3& a, const Float3& b, const Float3& c, Float3& normal);

}  // namespace varnoka::gltf
