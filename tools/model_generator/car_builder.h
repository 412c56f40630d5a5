#pragma once
// Puts a design together into a finished car: body, glasshouse, trim and wheels in their
// frames, scaled to the length every model shares and centred on its origin.

#include "tools/model_generator/car_design.h"
#include "tools/model_generator/car_model.h"

namespace varnoka::models {

// The long side of every car, in model units: the saver's camera sees it as about half the
// width of the view.
constexpr double CarLength = 9.0;

CarModel BuildCar(const CarDesign& design);

}  // namespace varnoka::models
