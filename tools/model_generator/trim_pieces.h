#pragma once
// Placing the small rounded solids the trim is made of.

#include <cstdint>

#include "tools/model_generator/geometry.h"
#include "tools/model_generator/shapes.h"

namespace varnoka::models {

// A rounded box with its middle at `centre`, turned by `placement` (whose offset is ignored).
inline void AddBlock(Mesh& into, const RoundedBox& box, Vec3 centre, std::uint32_t material,
                     Placement turn = Placement{}) {
    turn.offset = centre;
    AppendPlaced(into, MakeRoundedBox(box, material), turn);
}

// The same block on both sides of the car, at z and -z.
inline void AddPair(Mesh& into, const RoundedBox& box, Vec3 centre, std::uint32_t material,
                    Placement turn = Placement{}) {
    AddBlock(into, box, centre, material, turn);
    Placement mirrored = turn;
    // Turning the right-hand block's placement about x keeps it a rotation, never a mirror.
    mirrored.yAxis = {turn.yAxis.x, turn.yAxis.y, -turn.yAxis.z};
    mirrored.xAxis = {turn.xAxis.x, turn.xAxis.y, -turn.xAxis.z};
    mirrored.zAxis = {-turn.zAxis.x, -turn.zAxis.y, turn.zAxis.z};
    AddBlock(into, box, {centre.x, centre.y, -centre.z}, material, mirrored);
}

}  // namespace varnoka::models
