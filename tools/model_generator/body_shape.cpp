#include "tools/model_generator/body_shape.h"

#include <algorithm>
#include <cmath>

#include "tools/model_generator/palette.h"
#include "tools/model_generator/shapes.h"

namespace varnoka::models {

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr int BodyRing = 28;
constexpr double BodyTaper = 0.06;
constexpr int CabinRing = 24;
// Ends are rounded down to this share of the full section; the rest is the flat fascia.
constexpr double EndScale = 0.72;
constexpr double ArchClearance = 0.08;
// The glasshouse starts this far inside the body so the two meet without a gap.
constexpr double CabinSink = 0.12;

double SignedPower(double value, double exponent) {
    const double magnitude = std::pow(std::fabs(value), exponent);
    return value < 0 ? -magnitude : magnitude;
}

// A rounded, slightly tapering ring about the section, counter-clockwise seen from the tail.
std::vector<Vec3> Ring(double x, const Section& s, double roundness, double taper, int points) {
    std::vector<Vec3> out;
    for (int k = 0; k < points; ++k) {
        const double t = 2 * Pi * k / points;
        const double up = SignedPower(std::sin(t), roundness);
        const double narrowing = 1 - taper * std::max(0.0, up);
        out.push_back(
            {x, s.centreY + s.halfHeight * up, -s.halfWidth * narrowing * SignedPower(std::cos(t), roundness)});
    }
    return out;
}

// Sorted, with points closer than `gap` merged.
std::vector<double> Tidy(std::vector<double> xs, double gap) {
    std::sort(xs.begin(), xs.end());
    std::vector<double> out;
    for (const double x : xs) {
        if (out.empty() || x - out.back() > gap) out.push_back(x);
    }
    return out;
}

}  // namespace

double BodyShape::ArchRadius() const { return design_.wheels.radius + ArchClearance; }

double BodyShape::ArchedSill(double x) const {
    const WheelDesign& w = design_.wheels;
    const double archRadius = this->ArchRadius();
    double y = design_.body.sill.At(x);
    for (const double axle : {w.frontAxle, w.rearAxle}) {
        const double d = x - axle;
        if (std::fabs(d) < archRadius) y = std::max(y, w.radius + std::sqrt(archRadius * archRadius - d * d));
    }
    return y;
}

Section BodyShape::SectionAt(double x) const {
    const BodyDesign& b = design_.body;
    double top = b.top.At(x);
    double bottom = std::min(ArchedSill(x), top - 0.16);
    double halfWidth = b.halfWidth.At(x);
    double scale = 1;
    const double intoNose = x - (NoseX() - b.noseRadius);
    const double intoTail = (TailX() + b.tailRadius) - x;
    if (intoNose > 0)
        scale = EndScale + (1 - EndScale) * std::sqrt(std::max(0.0, 1 - std::pow(intoNose / b.noseRadius, 2)));
    if (intoTail > 0)
        scale = EndScale + (1 - EndScale) * std::sqrt(std::max(0.0, 1 - std::pow(intoTail / b.tailRadius, 2)));
    const double centre = bottom + 0.45 * (top - bottom);
    top = centre + (top - centre) * scale;
    bottom = centre - (centre - bottom) * scale;
    halfWidth *= scale;
    return {(top + bottom) / 2, (top - bottom) / 2, halfWidth};
}

double BodyShape::SideAt(double x, double y) const {
    const Section s = SectionAt(x);
    const double e = design_.body.roundness;
    const double up = std::clamp((y - s.centreY) / s.halfHeight, -1.0, 1.0);
    const double sine = SignedPower(up, 1 / e);
    const double cosine = std::sqrt(std::max(0.0, 1 - sine * sine));
    return s.halfWidth * (1 - BodyTaper * std::max(0.0, up)) * std::pow(cosine, e);
}

std::vector<double> BodyShape::BodyStations() const {
    const BodyDesign& b = design_.body;
    std::vector<double> xs;
    const int steps = 36;
    for (int i = 0; i <= steps; ++i) xs.push_back(TailX() + b.length * i / steps);
    // Finer where the outline bends hardest: the rounded ends and the arches.
    for (int i = 1; i < 6; ++i) {
        const double a = Pi / 2 * i / 6;
        xs.push_back(NoseX() - b.noseRadius * (1 - std::cos(a)));
        xs.push_back(TailX() + b.tailRadius * (1 - std::cos(a)));
    }
    const double archRadius = this->ArchRadius();
    for (const double axle : {design_.wheels.frontAxle, design_.wheels.rearAxle}) {
        for (int i = 0; i <= 12; ++i) xs.push_back(axle - archRadius * std::cos(Pi * i / 12));
    }
    return Tidy(xs, 0.03);
}

Mesh BodyShape::MakeBody() const {
    const std::vector<double> xs = BodyStations();
    std::vector<std::vector<Vec3>> sections;
    for (const double x : xs) sections.push_back(Ring(x, SectionAt(x), design_.body.roundness, BodyTaper, BodyRing));
    const BodyDesign& b = design_.body;
    return MakeLoft(
        sections,
        [&](const LoftFace& face) -> std::uint32_t {
            const double x = (xs[face.section] + xs[face.section + 1]) / 2;
            const bool open = x > b.openFrom && x < b.openTo && face.normal.y > 0.7;
            return static_cast<std::uint32_t>(open ? (design_.cabin.present ? Trim : Interior) : Paint);
        },
        Paint);
}

Mesh BodyShape::MakeCabin() const {
    const CabinDesign& c = design_.cabin;
    std::vector<double> xs;
    const double from = c.roof.FirstX(), to = c.roof.LastX();
    const int steps = 24;
    for (int i = 0; i <= steps; ++i) xs.push_back(from + (to - from) * i / steps);
    xs.push_back(c.roofFrom);
    xs.push_back(c.roofTo);
    for (const double pillar : c.pillars) {
        xs.push_back(pillar - 0.07);
        xs.push_back(pillar + 0.07);
    }
    xs = Tidy(xs, 0.02);

    std::vector<std::vector<Vec3>> sections;
    for (const double x : xs) {
        const double foot = design_.body.top.At(x) - CabinSink;
        const double roof = std::max(c.roof.At(x), foot + 0.05);
        const Section s{(foot + roof) / 2, (roof - foot) / 2, SectionAt(x).halfWidth * c.widthFactor};
        sections.push_back(Ring(x, s, 0.3, c.tumblehome, CabinRing));
    }
    return MakeLoft(
        sections,
        [&](const LoftFace& face) -> std::uint32_t {
            const double x = (xs[face.section] + xs[face.section + 1]) / 2;
            if (x < c.roofFrom || x > c.roofTo) {
                const double across = std::fabs(face.normal.z);
                if (across < 0.55) return Glass;  // windscreen and rear window
                if (across < 0.8) return Paint;   // the pillars that frame them
                // The side windows reach almost to the foot of each slope.
                const double down =
                    x < c.roofFrom ? (c.roofFrom - x) / (c.roofFrom - from) : (x - c.roofTo) / (to - c.roofTo);
                return static_cast<std::uint32_t>(down < 0.85 && x >= c.sideGlassFrom ? Glass : Paint);
            }
            if (face.normal.y > 0.6 || x < c.sideGlassFrom) return Paint;
            for (const double pillar : c.pillars) {
                if (std::fabs(x - pillar) < 0.07) return Paint;
            }
            return Glass;
        },
        Paint);
}

}  // namespace varnoka::models
