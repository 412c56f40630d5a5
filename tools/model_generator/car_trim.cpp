#include "tools/model_generator/car_trim.h"

#include <algorithm>

#include "tools/model_generator/palette.h"
#include "tools/model_generator/trim_pieces.h"

namespace varnoka::models {

namespace {

// Lamps, plates and grille stand this far proud of the flat nose and tail.
constexpr double Proud = 0.02;

struct Lamp {
    RoundedBox box;
    double z = 0;
};

// A lamp unit sitting inside a corner of the fascia of section `s`.
Lamp LampFor(const Section& s, bool round, double share) {
    const double halfHeight = std::min(0.085, 0.22 * s.halfHeight);
    const double halfWidth = round ? halfHeight : share * s.halfWidth;
    Lamp lamp{{{0.045, halfHeight, halfWidth}, round ? 1.0 : 0.35, 12, 6}, 0};
    lamp.z = s.halfWidth - halfWidth - 0.1 * s.halfWidth;
    return lamp;
}

// A number plate, 0.5 by 0.125.
const RoundedBox PlateShape{{0.01, 0.062, 0.25}, 0.12, 12, 4};

// The bumper across the end of the car at x = end (`inward` -1 at the nose, +1 at the tail);
// gives its height.
double AddBumper(Mesh& trim, const CarDesign& design, const BodyShape& shape, double end, double inward) {
    const double y = shape.SectionAt(end).Bottom() + 0.08;
    const double halfWidth = shape.SectionAt(end + 0.2 * inward).halfWidth;
    AddBlock(trim, {{0.1, 0.075, halfWidth * 0.99}, 0.5, 16, 6}, {end + 0.05 * inward, y, 0},
             design.extras.chromeBumpers ? Chrome : Trim);
    return y;
}

void AddFront(Mesh& trim, const CarDesign& design, const BodyShape& shape) {
    const double nose = shape.NoseX();
    const Section fascia = shape.SectionAt(nose);
    const bool round = design.extras.roundLamps;
    const Lamp lamp = LampFor(fascia, round, 0.2);
    const double lampY = fascia.centreY + 0.3 * fascia.halfHeight;
    AddPair(trim, lamp.box, {nose - Proud, lampY, lamp.z}, HeadLamp);
    const RoundedBox indicator{{0.035, 0.025, 0.05}, 0.4, 8, 4};
    AddPair(trim, indicator, {nose - Proud, lampY - lamp.box.radii.y - 0.045, lamp.z + lamp.box.radii.z - 0.05},
            Indicator);

    const double between = lamp.z - lamp.box.radii.z - 0.03;
    if (design.extras.grille) {
        const RoundedBox grille{{0.02, 0.8 * lamp.box.radii.y + 0.02, between}, 0.25, 12, 6};
        AppendPlaced(trim, MakeTexturedPanel(grille, true, Grille), Translation({nose - 0.005, lampY, 0}));
    } else {
        AddBlock(trim, {{0.02, 0.03, between}, 0.3, 12, 4}, {nose - 0.01, lampY - 0.02, 0}, Trim);
    }

    const double bumperY = AddBumper(trim, design, shape, nose, -1);
    AppendPlaced(trim, MakeTexturedPanel(PlateShape, true, Plate), Translation({nose + 0.05 + 0.008, bumperY, 0}));
}

void AddRear(Mesh& trim, const CarDesign& design, const BodyShape& shape) {
    const double tail = shape.TailX();
    const Section fascia = shape.SectionAt(tail);
    const Lamp lamp = LampFor(fascia, design.extras.roundLamps, 0.26);
    const double lampY = fascia.centreY + 0.35 * fascia.halfHeight;
    AddPair(trim, lamp.box, {tail + Proud, lampY, lamp.z}, TailLamp);

    const double bumperY = AddBumper(trim, design, shape, tail, 1);
    const double plateY = std::max(bumperY + 0.075 + 0.08, lampY - 0.05);
    AppendPlaced(trim, MakeTexturedPanel(PlateShape, false, Plate), Translation({tail - 0.008, plateY, 0}));

    const RoundedBox pipe{{0.09, 0.032, 0.032}, 1, 10, 5};
    AddBlock(trim, pipe, {tail + 0.03, shape.SectionAt(tail + 0.15).Bottom() + 0.03, -0.55 * fascia.halfWidth}, Chrome);
}

void AddSides(Mesh& trim, const CarDesign& design, const BodyShape& shape) {
    const CabinDesign& cabin = design.cabin;
    // The mirrors stand at the foot of the windscreen.
    const double mirrorX = cabin.present ? cabin.roof.LastX() - 0.22 : design.body.openTo - 0.05;
    const double waist = design.body.top.At(mirrorX);
    const double mirrorZ = shape.SideAt(mirrorX, waist - 0.05) + 0.06;
    AddPair(trim, {{0.05, 0.055, 0.09}, 0.45, 10, 5}, {mirrorX, waist + 0.06, mirrorZ}, Paint);
    AddPair(trim, {{0.03, 0.02, 0.05}, 0.5, 6, 3}, {mirrorX + 0.02, waist + 0.005, mirrorZ - 0.06}, Trim);

    // A handle at the back of each door.
    std::vector<double> handles;
    for (const double pillar : cabin.pillars) handles.push_back(pillar + 0.16);
    if (handles.empty() && cabin.present) handles.push_back(cabin.roofFrom + 0.3);
    for (const double x : handles) {
        const double y = design.body.top.At(x) - 0.1;
        AddPair(trim, {{0.06, 0.013, 0.014}, 0.5, 6, 3}, {x, y, shape.SideAt(x, y) + 0.004}, Chrome);
    }
}

// Dark wells behind the wheels, so that nobody sees through an arch to the far side.
void AddArchLiners(Mesh& trim, const CarDesign& design, const BodyShape& shape) {
    const WheelDesign& w = design.wheels;
    const double archRadius = shape.ArchRadius();
    for (const double axle : {w.frontAxle, w.rearAxle}) {
        // Up into the body, but never through a low bonnet.
        double top = w.radius + archRadius;
        for (const double x : {axle - archRadius, axle, axle + archRadius}) {
            top = std::min(top, shape.SectionAt(x).Top() - 0.06);
        }
        const double bottom = w.radius - 0.1 * archRadius;
        const RoundedBox liner{{0.95 * archRadius, (top - bottom) / 2, w.track - w.width / 2 - 0.03}, 0.3, 12, 4};
        AddBlock(trim, liner, {axle, (top + bottom) / 2, 0}, Trim);
    }
}

}  // namespace

Mesh MakeTrim(const CarDesign& design, const BodyShape& shape) {
    Mesh trim;
    AddFront(trim, design, shape);
    AddRear(trim, design, shape);
    AddSides(trim, design, shape);
    AddArchLiners(trim, design, shape);
    return trim;
}

}  // namespace varnoka::models
