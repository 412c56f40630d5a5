#pragma once
// A road wheel about its own centre, axle along z, its face towards -z.

#include "tools/model_generator/car_design.h"
#include "tools/model_generator/car_model.h"

namespace varnoka::models {

// The tyre (treaded, textured) and the rim with its spokes.
std::vector<Part> MakeWheelParts(const WheelDesign& wheel);

}  // namespace varnoka::models
