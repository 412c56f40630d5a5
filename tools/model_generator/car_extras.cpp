// The parts only some designs have: spoiler, roof rails, bull bar, an open car's cockpit, a
// pickup's bed rails and a van's door rail.
#include <cmath>

#include "tools/model_generator/car_trim.h"
#include "tools/model_generator/palette.h"
#include "tools/model_generator/trim_pieces.h"

namespace varnoka::models {

namespace {

constexpr double kPi = 3.14159265358979323846;

// Leaning back (its top towards the tail) by `radians` from upright.
Placement leaningBack(double radians) { return turnAboutZ(radians, {}); }

void addSpoiler(Mesh& out, const CarDesign& design, const BodyShape& shape) {
    const double x = shape.tailX() + 0.22;
    const double deck = design.body.top.at(x);
    const double halfWidth = shape.sectionAt(x).halfWidth;
    addBlock(out, {{0.13, 0.022, 0.88 * halfWidth}, 0.35, 16, 4}, {x, deck + 0.1, 0}, kPaint, leaningBack(-0.12));
    addPair(out, {{0.04, 0.06, 0.02}, 0.4, 6, 3}, {x + 0.02, deck + 0.04, 0.6 * halfWidth}, kTrim);
}

void addRoofRails(Mesh& out, const CarDesign& design, const BodyShape& shape) {
    const CabinDesign& cabin = design.cabin;
    const double middle = (cabin.roofFrom + cabin.roofTo) / 2;
    const double halfLength = (cabin.roofTo - cabin.roofFrom) / 2;
    const double roof = cabin.roof.at(middle);
    const double z = 0.78 * shape.sectionAt(middle).halfWidth * cabin.widthFactor * (1 - cabin.tumblehome);
    addPair(out, {{halfLength, 0.022, 0.022}, 0.6, 8, 4}, {middle, roof + 0.05, z}, kTrim);
    for (const double end : {cabin.roofFrom + 0.1, cabin.roofTo - 0.1}) {
        addPair(out, {{0.04, 0.035, 0.025}, 0.5, 6, 3}, {end, roof + 0.02, z}, kTrim);
    }
}

void addBullBar(Mesh& out, const BodyShape& shape) {
    const double x = shape.noseX() + 0.16;
    const Section fascia = shape.sectionAt(shape.noseX());
    const RoundedBox post{{0.03, 0.26, 0.03}, 1, 8, 4};
    addPair(out, post, {x, fascia.centreY + 0.02, 0.32 * fascia.halfWidth}, kChrome);
    addBlock(out, {{0.03, 0.03, 0.42 * fascia.halfWidth}, 1, 8, 4}, {x, fascia.centreY + 0.22, 0}, kChrome);
    addBlock(out, {{0.03, 0.03, 0.42 * fascia.halfWidth}, 1, 8, 4}, {x, fascia.centreY - 0.12, 0}, kChrome);
    addPair(out, {{0.1, 0.025, 0.025}, 1, 6, 3}, {x - 0.1, fascia.centreY - 0.12, 0.32 * fascia.halfWidth}, kChrome);
}

// An open car: windscreen in a frame, two seats, roll hoops behind them and a steering wheel.
void addCockpit(Mesh& out, const CarDesign& design, const BodyShape& shape) {
    const BodyDesign& body = design.body;
    const double screenX = body.openTo + 0.05;
    const double screenFoot = body.top.at(screenX);
    const double halfWidth = 0.8 * shape.sectionAt(screenX).halfWidth;
    const double lean = 0.85;
    const double height = 0.2;
    const Vec3 screenCentre{screenX - height * std::sin(lean), screenFoot + height * std::cos(lean), 0};
    addBlock(out, {{0.012, height, halfWidth}, 0.15, 16, 4}, screenCentre, kGlass, leaningBack(lean));
    const Vec3 topEdge{screenX - 2 * height * std::sin(lean), screenFoot + 2 * height * std::cos(lean), 0};
    addBlock(out, {{0.02, 0.02, halfWidth}, 1, 8, 4}, topEdge, kChrome);
    addPair(out, {{0.02, height, 0.02}, 1, 6, 3}, {screenCentre.x, screenCentre.y, halfWidth}, kChrome,
            leaningBack(lean));

    const double seatX = body.openFrom + 0.42;
    const double seatZ = 0.36 * shape.sectionAt(seatX).halfWidth;
    const double deck = body.top.at(seatX);
    addPair(out, {{0.09, 0.26, 0.22}, 0.5, 10, 5}, {seatX, deck + 0.08, seatZ}, kInterior, leaningBack(0.25));
    addPair(out, {{0.05, 0.07, 0.11}, 0.6, 8, 4}, {seatX - 0.12, deck + 0.4, seatZ}, kInterior, leaningBack(0.25));
    const double hoopX = seatX - 0.25;
    addPair(out, {{0.025, 0.16, 0.025}, 1, 6, 3}, {hoopX, deck + 0.12, seatZ + 0.15}, kChrome);
    addPair(out, {{0.025, 0.16, 0.025}, 1, 6, 3}, {hoopX, deck + 0.12, seatZ - 0.15}, kChrome);
    addPair(out, {{0.025, 0.025, 0.17}, 1, 6, 3}, {hoopX, deck + 0.28, seatZ}, kChrome);

    // The wheel faces the driver's seat, on the right-hand side (z < 0).
    Lathe rim;
    rim.segments = 16;
    for (int i = 0; i < 6; ++i) {
        const double a = 2 * kPi * i / 6;
        rim.profile.push_back({0.16 + 0.018 * std::cos(a), 0.018 * std::sin(a), 0});
    }
    Placement facingSeat = turnAboutY(kPi / 2, {});
    const Placement tilt = leaningBack(0.5);
    facingSeat.xAxis = tilt.apply(facingSeat.xAxis);
    facingSeat.yAxis = tilt.apply(facingSeat.yAxis);
    facingSeat.zAxis = tilt.apply(facingSeat.zAxis);
    facingSeat.offset = {body.openTo - 0.3, body.top.at(body.openTo - 0.3) + 0.1, -seatZ};
    appendPlaced(out, makeLathe(rim, [](std::size_t) { return kTrim; }), facingSeat);
}

void addBedRails(Mesh& out, const CarDesign& design, const BodyShape& shape) {
    const BodyDesign& body = design.body;
    const double middle = (body.openFrom + body.openTo) / 2;
    const double halfLength = (body.openTo - body.openFrom) / 2;
    const double rim = body.top.at(middle);
    const double z = shape.sideAt(middle, rim - 0.02) - 0.05;
    addPair(out, {{halfLength, 0.025, 0.05}, 0.4, 10, 4}, {middle, rim + 0.01, z}, kTrim);
    // The cab's guard bar over the front of the bed.
    addPair(out, {{0.03, 0.2, 0.03}, 1, 6, 3}, {body.openTo - 0.12, rim + 0.2, z}, kChrome);
    addBlock(out, {{0.03, 0.03, z}, 1, 6, 3}, {body.openTo - 0.12, rim + 0.4, 0}, kChrome);
}

void addDoorRail(Mesh& out, const CarDesign& design, const BodyShape& shape) {
    const double from = design.cabin.sideGlassFrom - 0.1;
    const double to = design.cabin.sideGlassFrom - 1.3;
    const double x = (from + to) / 2;
    const double y = design.body.top.at(x) + 0.02;
    addPair(out, {{(from - to) / 2, 0.016, 0.016}, 0.6, 8, 3}, {x, y, shape.sideAt(x, y - 0.1) + 0.01}, kTrim);
}

}  // namespace

Mesh makeExtras(const CarDesign& design, const BodyShape& shape) {
    Mesh out;
    const Extras& extras = design.extras;
    if (extras.rearSpoiler) addSpoiler(out, design, shape);
    if (extras.roofRails) addRoofRails(out, design, shape);
    if (extras.bullBar) addBullBar(out, shape);
    if (extras.rollBars) addCockpit(out, design, shape);
    if (extras.pickupBed) addBedRails(out, design, shape);
    if (extras.slidingDoor) addDoorRail(out, design, shape);
    return out;
}

}  // namespace varnoka::models
