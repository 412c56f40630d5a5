#pragma once
// The parts that make a body read as a car from every side: lamps, bumpers, number plates,
// grille, mirrors, door handles and exhaust, and each design's extras.

#include "tools/model_generator/body_shape.h"
#include "tools/model_generator/car_design.h"
#include "tools/model_generator/geometry.h"

namespace varnoka::models {

Mesh MakeTrim(const CarDesign& design, const BodyShape& shape);
Mesh MakeExtras(const CarDesign& design, const BodyShape& shape);

}  // namespace varnoka::models
