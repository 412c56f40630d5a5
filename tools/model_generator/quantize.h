#pragma once
// Points compared the way they are written: to four decimals.

#include <cmath>
#include <tuple>

#include "tools/model_generator/geometry.h"

namespace varnoka::models {

constexpr double kWrittenStep = 1e-4;

inline long long quantize(double value) { return std::llround(value / kWrittenStep); }

using PointKey = std::tuple<long long, long long, long long>;

inline PointKey keyOf(Vec3 p) { return {quantize(p.x), quantize(p.y), quantize(p.z)}; }

}  // namespace varnoka::models
