#pragma once
// What makes one car differ from another: outlines, wheels, colours and extras. Lengths are
// in model units, x from the tail (-) to the nose (+), y up from the ground, z across.

#include <string>
#include <vector>

#include "tools/model_generator/car_model.h"
#include "tools/model_generator/curve.h"
#include "tools/model_generator/texture_image.h"

namespace varnoka::models {

// Designs are drawn in metres; the builder scales every car to the same length.
struct BodyDesign {
    double length = 4.6;
    Curve top;        // bonnet, waist and boot line seen from the side
    Curve sill;       // underside before the wheel arches are cut
    Curve halfWidth;  // seen from above
    double noseRadius = 0.4;
    double tailRadius = 0.4;
    double roundness = 0.4;  // cross-section: 1 round, smaller boxier
    // Upward faces between these x are the open top: cockpit or load bed.
    double openFrom = 0;
    double openTo = 0;
};

struct CabinDesign {
    bool present = true;
    Curve roof;           // from the foot of the windscreen to the foot of the rear window
    double roofFrom = 0;  // the flat roof between the two slopes of glass
    double roofTo = 0;
    double widthFactor = 0.86;
    double tumblehome = 0.22;
    std::vector<double> pillars;  // x of the pillars between the side windows
    double sideGlassFrom = -100;  // behind this x the sides are panels (a van's load space)
};

struct WheelDesign {
    double radius = 0.33;
    double width = 0.22;
    double frontAxle = 1.45;
    double rearAxle = -1.35;
    double track = 0.78;  // z of the wheel centres
    int spokes = 5;
    bool whiteWalls = false;
};

struct Extras {
    bool grille = false;  // textured radiator grille
    bool rearSpoiler = false;
    bool roofRails = false;
    bool spareWheel = false;  // on the tailgate
    bool pickupBed = false;   // open load bed behind the cabin
    bool rollBars = false;    // open car: windscreen frame and hoops
    bool bullBar = false;
    bool chromeBumpers = false;
    bool roundLamps = false;
    bool slidingDoor = false;  // van: rail along the side
};

struct CarDesign {
    std::string name;  // frame name and file stem, e.g. "vk1"
    std::string plateText;
    Rgb plateColour{235, 235, 225};
    Colour paint;
    BodyDesign body;
    CabinDesign cabin;
    WheelDesign wheels;
    Extras extras;
};

}  // namespace varnoka::models
