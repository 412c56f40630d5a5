#pragma once
// The lower body of a car as a solid swept along x, and the glasshouse on top of it.

#include <vector>

#include "tools/model_generator/car_design.h"
#include "tools/model_generator/geometry.h"

namespace varnoka::models {

struct Section {
    double centreY = 0;
    double halfHeight = 0;
    double halfWidth = 0;
    double top() const { return centreY + halfHeight; }
    double bottom() const { return centreY - halfHeight; }
};

class BodyShape {
public:
    explicit BodyShape(const CarDesign& design) : design_(design) {}

    // The body's cross-section at x: outlines rounded off at nose and tail, arches cut out.
    Section sectionAt(double x) const;
    // How far the body's side stands out from the middle (|z|) at height y of section x.
    double sideAt(double x, double y) const;
    double noseX() const { return design_.body.length / 2; }
    double tailX() const { return -design_.body.length / 2; }
    double archRadius() const;

    Mesh makeBody() const;
    Mesh makeCabin() const;

private:
    double archedSill(double x) const;
    std::vector<double> bodyStations() const;

    const CarDesign& design_;
};

}  // namespace varnoka::models
