#include "tools/model_generator/curve.h"

#include <stdexcept>
#include <utility>

namespace varnoka::models {

Curve::Curve(std::vector<CurvePoint> points) : points_(std::move(points)) {
    if (points_.size() < 2) throw std::invalid_argument("a curve needs two points");
    for (std::size_t i = 1; i < points_.size(); ++i) {
        if (!(points_[i].x > points_[i - 1].x)) throw std::invalid_argument("curve points out of order");
    }
}

double Curve::SlopeAt(std::size_t i) const {
    // Flat at the ends, so outlines meet their end caps squarely.
    if (i == 0 || i + 1 == points_.size()) return 0;
    const double before = (points_[i].y - points_[i - 1].y) / (points_[i].x - points_[i - 1].x);
    const double after = (points_[i + 1].y - points_[i].y) / (points_[i + 1].x - points_[i].x);
    // Flat at every peak and valley, and the harmonic mean elsewhere, so a steep windscreen
    // next to a flat roof never bulges above the points it was drawn through.
    if (before * after <= 0) return 0;
    return 2 / (1 / before + 1 / after);
}

double Curve::At(double x) const {
    if (x <= points_.front().x) return points_.front().y;
    if (x >= points_.back().x) return points_.back().y;
    std::size_t i = 0;
    while (points_[i + 1].x < x) ++i;
    const CurvePoint& a = points_[i];
    const CurvePoint& b = points_[i + 1];
    const double h = b.x - a.x;
    const double t = (x - a.x) / h;
    const double t2 = t * t, t3 = t2 * t;
    return (2 * t3 - 3 * t2 + 1) * a.y + (t3 - 2 * t2 + t) * h * SlopeAt(i) + (-2 * t3 + 3 * t2) * b.y +
           (t3 - t2) * h * SlopeAt(i + 1);
}

}  // namespace varnoka::models
