// The parts only some designs have: spoiler, roof rails, bull bar, an open car's cockpit, a
// pickup's bed rails and a van's door rail.
#include <cmath>

#include "tools/model_generator/car_trim.h"
#include "tools/model_generator/palette.h"
#include "tools/model_generator/trim_pieces.h"

namespace varnoka::models {

namespace {

constexpr double Pi = 3.14159265358979323846;

// Leaning back (its top towards the tail) by `radians` from upright.
Placement LeaningBack(double radians) { return TurnAboutZ(radians, {}); }

void AddSpoiler(Mesh& out, const CarDesign& design, const BodyShape& shape) {
    const double x = shape.TailX() + 0.22;
    const double deck = design.body.top.At(x);
    const double halfWidth = shape.SectionAt(x).halfWidth;
    AddBlock(out, {{0.13, 0.022, 0.88 * halfWidth}, 0.35, 16, 4}, {x, deck + 0.1, 0}, Paint, LeaningBack(-0.12));
    AddPair(out, {{0.04, 0.06, 0.02}, 0.4, 6, 3}, {x + 0.02, deck + 0.04, 0.6 * halfWidth}, Trim);
}

void AddRoofRails(Mesh& out, const CarDesign& design, const BodyShape& shape) {
    const CabinDesign& cabin = design.cabin;
    const double middle = (cabin.roofFrom + cabin.roofTo) / 2;
    const double halfLength = (cabin.roofTo - cabin.roofFrom) / 2;
    const double roof = cabin.roof.At(middle);
    const double z = 0.78 * shape.SectionAt(middle).halfWidth * cabin.widthFactor * (1 - cabin.tumblehome);
    AddPair(out, {{halfLength, 0.022, 0.022}, 0.6, 8, 4}, {middle, roof + 0.05, z}, Trim);
    for (const double end : {cabin.roofFrom + 0.1, cabin.roofTo - 0.1}) {
        AddPair(out, {{0.04, 0.035, 0.025}, 0.5, 6, 3}, {end, roof + 0.02, z}, Trim);
    }
}

void AddBullBar(Mesh& out, const BodyShape& shape) {
    const double x = shape.NoseX() + 0.16;
    const Section fascia = shape.SectionAt(shape.NoseX());
    const RoundedBox post{{0.03, 0.26, 0.03}, 1, 8, 4};
    AddPair(out, post, {x, fascia.centreY + 0.02, 0.32 * fascia.halfWidth}, Chrome);
    AddBlock(out, {{0.03, 0.03, 0.42 * fascia.halfWidth}, 1, 8, 4}, {x, fascia.centreY + 0.22, 0}, Chrome);
    AddBlock(out, {{0.03, 0.03, 0.42 * fascia.halfWidth}, 1, 8, 4}, {x, fascia.centreY - 0.12, 0}, Chrome);
    AddPair(out, {{0.1, 0.025, 0.025}, 1, 6, 3}, {x - 0.1, fascia.centreY - 0.12, 0.32 * fascia.halfWidth}, Chrome);
}

// An open car: windscreen in a frame, two seats, roll hoops behind them and a steering wheel.
void AddCockpit(Mesh& out, const CarDesign& design, const BodyShape& shape) {
    const BodyDesign& body = design.body;
    const double screenX = body.openTo + 0.05;
    const double screenFoot = body.top.At(screenX);
    const double halfWidth = 0.8 * shape.SectionAt(screenX).halfWidth;
    const double lean = 0.85;
    const double height = 0.2;
    const Vec3 screenCentre{screenX - height * std::sin(lean), screenFoot + height * std::cos(lean), 0};
    AddBlock(out, {{0.012, height, halfWidth}, 0.15, 16, 4}, screenCentre, Glass, LeaningBack(lean));
    const Vec3 topEdge{screenX - 2 * height * std::sin(lean), screenFoot + 2 * height * std::cos(lean), 0};
    AddBlock(out, {{0.02, 0.02, halfWidth}, 1, 8, 4}, topEdge, Chrome);
    AddPair(out, {{0.02, height, 0.02}, 1, 6, 3}, {screenCentre.x, screenCentre.y, halfWidth}, Chrome,
            LeaningBack(lean));

    const double seatX = body.openFrom + 0.42;
    const double seatZ = 0.36 * shape.SectionAt(seatX).halfWidth;
    const double deck = body.top.At(seatX);
    AddPair(out, {{0.09, 0.26, 0.22}, 0.5, 10, 5}, {seatX, deck + 0.08, seatZ}, Interior, LeaningBack(0.25));
    AddPair(out, {{0.05, 0.07, 0.11}, 0.6, 8, 4}, {seatX - 0.12, deck + 0.4, seatZ}, Interior, LeaningBack(0.25));
    const double hoopX = seatX - 0.25;
    AddPair(out, {{0.025, 0.16, 0.025}, 1, 6, 3}, {hoopX, deck + 0.12, seatZ + 0.15}, Chrome);
    AddPair(out, {{0.025, 0.16, 0.025}, 1, 6, 3}, {hoopX, deck + 0.12, seatZ - 0.15}, Chrome);
    AddPair(out, {{0.025, 0.025, 0.17}, 1, 6, 3}, {hoopX, deck + 0.28, seatZ}, Chrome);

    // The wheel faces the driver's seat, on the right-hand side (z < 0).
    Lathe rim;
    rim.segments = 16;
    for (int i = 0; i < 6; ++i) {
        const double a = 2 * Pi * i / 6;
        rim.profile.push_back({0.16 + 0.018 * std::cos(a), 0.018 * std::sin(a), 0});
    }
    Placement facingSeat = TurnAboutY(Pi / 2, {});
    const Placement tilt = LeaningBack(0.5);
    facingSeat.xAxis = tilt.Apply(facingSeat.xAxis);
    facingSeat.yAxis = tilt.Apply(facingSeat.yAxis);
    facingSeat.zAxis = tilt.Apply(facingSeat.zAxis);
    facingSeat.offset = {body.openTo - 0.3, body.top.At(body.openTo - 0.3) + 0.1, -seatZ};
    AppendPlaced(out, MakeLathe(rim, [](std::size_t) { return Trim; }), facingSeat);
}

void AddBedRails(Mesh& out, const CarDesign& design, const BodyShape& shape) {
    const BodyDesign& body = design.body;
    const double middle = (body.openFrom + body.openTo) / 2;
    const double halfLength = (body.openTo - body.openFrom) / 2;
    const double rim = body.top.At(middle);
    const double z = shape.SideAt(middle, rim - 0.02) - 0.05;
    AddPair(out, {{halfLength, 0.025, 0.05}, 0.4, 10, 4}, {middle, rim + 0.01, z}, Trim);
    // The cab's guard bar over the front of the bed.
    AddPair(out, {{0.03, 0.2, 0.03}, 1, 6, 3}, {body.openTo - 0.12, rim + 0.2, z}, Chrome);
    AddBlock(out, {{0.03, 0.03, z}, 1, 6, 3}, {body.openTo - 0.12, rim + 0.4, 0}, Chrome);
}

void AddDoorRail(Mesh& out, const CarDesign& design, const BodyShape& shape) {
    const double from = design.cabin.sideGlassFrom - 0.1;
    const double to = design.cabin.sideGlassFrom - 1.3;
    const double x = (from + to) / 2;
    const double y = design.body.top.At(x) + 0.02;
    AddPair(out, {{(from - to) / 2, 0.016, 0.016}, 0.6, 8, 3}, {x, y, shape.SideAt(x, y - 0.1) + 0.01}, Trim);
}

}  // namespace

Mesh MakeExtras(const CarDesign& design, const BodyShape& shape) {
    Mesh out;
    const Extras& extras = design.extras;
    if (extras.rearSpoiler) AddSpoiler(out, design, shape);
    if (extras.roofRails) AddRoofRails(out, design, shape);
    if (extras.bullBar) AddBullBar(out, shape);
    if (extras.rollBars) AddCockpit(out, design, shape);
    if (extras.pickupBed) AddBedRails(out, design, shape);
    if (extras.slidingDoor) AddDoorRail(out, design, shape);
    return out;
}

}  // namespace varnoka::models
