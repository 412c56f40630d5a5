#pragma once
// Our nine cars, in the order of the saver's model table: vk1 to vk9.

#include <vector>

#include "tools/model_generator/car_design.h"

namespace varnoka::models {

std::vector<CarDesign> AllDesigns();

}  // namespace varnoka::models
