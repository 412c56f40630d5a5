#pragma once
// Writes a car as a text .x file.

#include <string>

#include "tools/model_generator/car_model.h"

namespace varnoka::models {

std::string WriteXFileText(const CarModel& car);

// Numbers as written: four decimals at most, trailing zeros dropped, never "-0".
std::string FormatNumber(double value);

}  // namespace varnoka::models
