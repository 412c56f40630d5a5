#pragma once
// A smooth line y(x) through points, for the outlines of a body: cubic Hermite pieces whose
// slopes follow the neighbouring points without overshooting them, flat beyond the ends.

#include <vector>

namespace varnoka::models {

struct CurvePoint {
    double x = 0;
    double y = 0;
};

class Curve {
public:
    Curve() = default;
    explicit Curve(std::vector<CurvePoint> points);  // x strictly increasing, at least two

    double At(double x) const;
    double FirstX() const { return points_.front().x; }
    double LastX() const { return points_.back().x; }

private:
    double SlopeAt(std::size_t i) const;

    std::vector<CurvePoint> points_;
};

}  // namespace varnoka::models
