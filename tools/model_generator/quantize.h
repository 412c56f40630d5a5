#pragma once
// Points compared the way they are written: to four decimals.

#include <cmath>
#include <tuple>

#include "tools/model_generator/geometry.h"

namespace varnoka::models {

constexpr double WrittenStep = 1e-4;

inline long long Quantize(double value) { return std::llround(value / WrittenStep); }

using PointKey = std::tuple<long long, long long, long long>;

inline PointKey KeyOf(Vec3 p) { return {Quantize(p.x), Quantize(p.y), Quantize(p.z)}; }

}  // namespace varnoka::models
