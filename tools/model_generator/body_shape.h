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
    double Top() const { return centreY + halfHeight; }
    double Bottom() const { return centreY - halfHeight; }
};

class BodyShape {
public:
    explicit BodyShape(const CarDesign& design) : design_(design) {}

    // The body's cross-section at x: outlines rounded off at nose and tail, arches cut out.
    Section SectionAt(double x) const;
    // How far the body's side stands out from the middle (|z|) at height y of section x.
    double SideAt(double x, double y) const;
    double NoseX() const { return design_.body.length / 2; }
    double TailX() const { return -design_.body.length / 2; }
    double ArchRadius() const;

    Mesh MakeBody() const;
    Mesh MakeCabin() const;

private:
    double ArchedSill(double x) const;
    std::vector<double> BodyStations() const;

    const CarDesign& design_;
};

}  // namespace varnoka::models
