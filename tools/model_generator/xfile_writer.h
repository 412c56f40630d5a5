#pragma once
// Writes a car as a text .x file that strict importers read too: every real with a decimal
// point, a blank after every comma, and each frame's meshes and materials written in place.

#include <string>

#include "tools/model_generator/car_model.h"

namespace varnoka::models {

std::string WriteXFileText(const CarModel& car);

// Reals as written: one to four decimals, trailing zeros dropped, never "-0.0".
std::string FormatNumber(double value);

}  // namespace varnoka::models
