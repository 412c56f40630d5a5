#include "tools/model_generator/car_designs.h"

namespace varnoka::models {

namespace {

// The outline a body has seen from above: full width over most of its length, drawn in at
// both ends.
Curve Planform(double length, double halfWidth, double noseInset, double tailInset) {
    const double h = length / 2;
    return Curve({{-h, halfWidth - tailInset},
                  {-h + 0.6, halfWidth - 0.02},
                  {-h + 1.2, halfWidth},
                  {h - 1.2, halfWidth},
                  {h - 0.6, halfWidth - 0.02},
                  {h, halfWidth - noseInset}});
}

CarDesign Saloon() {
    CarDesign d;
    d.name = "vk1";
    d.plateText = "VK-101";
    d.paint = {0.62, 0.06, 0.07};
    d.body.length = 4.7;
    d.body.top = Curve({{-2.35, 0.88}, {-1.9, 0.98}, {-1.3, 1.0}, {0.9, 0.93}, {1.8, 0.84}, {2.35, 0.74}});
    d.body.sill = Curve({{-2.35, 0.34}, {-1.9, 0.25}, {1.9, 0.23}, {2.35, 0.32}});
    d.body.halfWidth = Planform(4.7, 0.9, 0.1, 0.08);
    d.body.noseRadius = 0.35;
    d.body.tailRadius = 0.3;
    d.cabin.roof = Curve({{-1.75, 1.0}, {-0.95, 1.4}, {0.15, 1.43}, {0.95, 0.93}});
    d.cabin.roofFrom = -0.9;
    d.cabin.roofTo = 0.12;
    d.cabin.pillars = {-0.38};
    d.wheels = {0.33, 0.22, 1.45, -1.38, 0.78, 5, false};
    d.extras.grille = true;
    return d;
}

CarDesign Coupe() {
    CarDesign d;
    d.name = "vk2";
    d.plateText = "VK-202";
    d.paint = {0.95, 0.68, 0.05};
    d.body.length = 4.4;
    d.body.top = Curve({{-2.2, 0.82}, {-1.7, 0.9}, {-0.6, 0.88}, {0.8, 0.8}, {1.7, 0.66}, {2.2, 0.56}});
    d.body.sill = Curve({{-2.2, 0.3}, {-1.8, 0.2}, {1.8, 0.18}, {2.2, 0.26}});
    d.body.halfWidth = Planform(4.4, 0.93, 0.12, 0.1);
    d.body.noseRadius = 0.45;
    d.body.tailRadius = 0.35;
    d.body.roundness = 0.5;
    d.cabin.roof = Curve({{-1.9, 0.9}, {-0.75, 1.22}, {-0.15, 1.25}, {0.75, 0.8}});
    d.cabin.roofFrom = -0.7;
    d.cabin.roofTo = -0.2;
    d.cabin.widthFactor = 0.82;
    d.wheels = {0.34, 0.26, 1.38, -1.32, 0.8, 6, false};
    d.extras.rearSpoiler = true;
    return d;
}

CarDesign Estate() {
    CarDesign d;
    d.name = "vk3";
    d.plateText = "VK-303";
    d.paint = {0.08, 0.32, 0.2};
    d.body.length = 4.8;
    d.body.top = Curve({{-2.4, 0.95}, {-1.9, 1.0}, {0.9, 0.94}, {1.85, 0.84}, {2.4, 0.74}});
    d.body.sill = Curve({{-2.4, 0.34}, {-1.95, 0.25}, {1.95, 0.23}, {2.4, 0.32}});
    d.body.halfWidth = Planform(4.8, 0.9, 0.1, 0.05);
    d.body.noseRadius = 0.35;
    d.body.tailRadius = 0.22;
    d.cabin.roof = Curve({{-2.33, 1.0}, {-2.16, 1.42}, {-1.0, 1.47}, {0.15, 1.47}, {0.98, 0.94}});
    d.cabin.roofFrom = -2.1;
    d.cabin.roofTo = 0.12;
    d.cabin.pillars = {-0.38, -1.45};
    d.wheels = {0.33, 0.22, 1.5, -1.45, 0.78, 5, false};
    d.extras.grille = true;
    d.extras.roofRails = true;
    return d;
}

CarDesign Hatchback() {
    CarDesign d;
    d.name = "vk4";
    d.plateText = "VK-404";
    d.paint = {0.1, 0.27, 0.68};
    d.body.length = 3.9;
    d.body.top = Curve({{-1.95, 0.98}, {-1.6, 1.0}, {0.7, 0.95}, {1.5, 0.85}, {1.95, 0.75}});
    d.body.sill = Curve({{-1.95, 0.34}, {-1.6, 0.25}, {1.6, 0.23}, {1.95, 0.32}});
    d.body.halfWidth = Planform(3.9, 0.86, 0.1, 0.06);
    d.body.noseRadius = 0.35;
    d.body.tailRadius = 0.25;
    d.cabin.roof = Curve({{-1.88, 1.02}, {-1.7, 1.42}, {-0.6, 1.48}, {0.05, 1.48}, {0.82, 0.95}});
    d.cabin.roofFrom = -1.62;
    d.cabin.roofTo = 0.02;
    d.cabin.pillars = {-0.55};
    d.wheels = {0.3, 0.2, 1.25, -1.22, 0.74, 4, false};
    return d;
}

CarDesign Pickup() {
    CarDesign d;
    d.name = "vk5";
    d.plateText = "VK-505";
    d.paint = {0.78, 0.33, 0.07};
    d.body.length = 5.2;
    d.body.top = Curve({{-2.6, 1.12}, {-1.0, 1.13}, {0.9, 1.14}, {2.0, 1.06}, {2.6, 0.98}});
    d.body.sill = Curve({{-2.6, 0.56}, {-2.2, 0.46}, {2.2, 0.45}, {2.6, 0.54}});
    d.body.halfWidth = Planform(5.2, 0.97, 0.1, 0.04);
    d.body.noseRadius = 0.3;
    d.body.tailRadius = 0.15;
    d.body.roundness = 0.3;
    d.body.openFrom = -2.5;
    d.body.openTo = -0.98;
    d.cabin.roof = Curve({{-0.95, 1.12}, {-0.84, 1.8}, {0.05, 1.82}, {0.95, 1.14}});
    d.cabin.roofFrom = -0.8;
    d.cabin.roofTo = 0.05;
    d.cabin.widthFactor = 0.9;
    d.cabin.tumblehome = 0.15;
    d.wheels = {0.42, 0.3, 1.72, -1.62, 0.84, 6, false};
    d.extras.grille = true;
    d.extras.pickupBed = true;
    return d;
}

CarDesign Van() {
    CarDesign d;
    d.name = "vk6";
    d.plateText = "VK-606";
    d.paint = {0.9, 0.9, 0.88};
    d.body.length = 5.0;
    d.body.top = Curve({{-2.5, 1.2}, {0.9, 1.2}, {1.8, 1.1}, {2.5, 0.96}});
    d.body.sill = Curve({{-2.5, 0.42}, {-2.1, 0.33}, {2.1, 0.32}, {2.5, 0.4}});
    d.body.halfWidth = Planform(5.0, 0.98, 0.1, 0.03);
    d.body.noseRadius = 0.35;
    d.body.tailRadius = 0.12;
    d.body.roundness = 0.25;
    d.cabin.roof = Curve({{-2.47, 1.2}, {-2.38, 2.0}, {0.55, 2.04}, {1.55, 1.2}});
    d.cabin.roofFrom = -2.35;
    d.cabin.roofTo = 0.5;
    d.cabin.widthFactor = 0.97;
    d.cabin.tumblehome = 0.08;
    d.cabin.pillars = {0.0};
    d.cabin.sideGlassFrom = -0.15;
    d.wheels = {0.35, 0.23, 1.65, -1.6, 0.84, 5, false};
    d.extras.slidingDoor = true;
    return d;
}

CarDesign OffRoader() {
    CarDesign d;
    d.name = "vk7";
    d.plateText = "VK-707";
    d.paint = {0.38, 0.42, 0.22};
    d.body.length = 4.5;
    d.body.top = Curve({{-2.25, 1.28}, {1.0, 1.28}, {2.25, 1.18}});
    d.body.sill = Curve({{-2.25, 0.62}, {-1.9, 0.55}, {1.9, 0.55}, {2.25, 0.6}});
    d.body.halfWidth = Planform(4.5, 0.95, 0.05, 0.04);
    d.body.noseRadius = 0.2;
    d.body.tailRadius = 0.15;
    d.body.roundness = 0.22;
    d.cabin.roof = Curve({{-2.2, 1.28}, {-2.12, 1.98}, {0.35, 2.0}, {1.05, 1.28}});
    d.cabin.roofFrom = -2.05;
    d.cabin.roofTo = 0.32;
    d.cabin.widthFactor = 0.95;
    d.cabin.tumblehome = 0.1;
    d.cabin.pillars = {-0.45, -1.5};
    d.wheels = {0.42, 0.32, 1.42, -1.38, 0.86, 5, false};
    d.extras.spareWheel = true;
    d.extras.bullBar = true;
    d.extras.roundLamps = true;
    d.extras.roofRails = true;
    return d;
}

CarDesign Roadster() {
    CarDesign d;
    d.name = "vk8";
    d.plateText = "VK-808";
    d.paint = {0.72, 0.74, 0.78};
    d.body.length = 4.0;
    d.body.top = Curve({{-2.0, 0.8}, {-1.5, 0.88}, {-0.6, 0.86}, {0.3, 0.84}, {1.3, 0.72}, {2.0, 0.6}});
    d.body.sill = Curve({{-2.0, 0.28}, {-1.6, 0.19}, {1.6, 0.18}, {2.0, 0.25}});
    d.body.halfWidth = Planform(4.0, 0.87, 0.14, 0.1);
    d.body.noseRadius = 0.45;
    d.body.tailRadius = 0.4;
    d.body.roundness = 0.55;
    d.body.openFrom = -1.05;
    d.body.openTo = 0.25;
    d.cabin.present = false;
    d.wheels = {0.31, 0.21, 1.22, -1.18, 0.74, 6, false};
    d.extras.rollBars = true;
    d.extras.roundLamps = true;
    return d;
}

CarDesign Classic() {
    CarDesign d;
    d.name = "vk9";
    d.plateText = "VK-909";
    d.paint = {0.45, 0.76, 0.7};
    d.body.length = 4.4;
    d.body.top = Curve({{-2.2, 0.72}, {-1.6, 0.94}, {-1.0, 1.0}, {0.7, 0.98}, {1.6, 0.9}, {2.2, 0.72}});
    d.body.sill = Curve({{-2.2, 0.36}, {-1.8, 0.27}, {1.8, 0.26}, {2.2, 0.34}});
    d.body.halfWidth = Planform(4.4, 0.88, 0.2, 0.2);
    d.body.noseRadius = 0.6;
    d.body.tailRadius = 0.6;
    d.body.roundness = 0.75;
    d.cabin.roof = Curve({{-1.55, 0.98}, {-0.8, 1.5}, {0.05, 1.52}, {0.75, 0.98}});
    d.cabin.roofFrom = -0.75;
    d.cabin.roofTo = 0.0;
    d.cabin.widthFactor = 0.84;
    d.cabin.tumblehome = 0.28;
    d.cabin.pillars = {-0.3};
    d.wheels = {0.34, 0.2, 1.35, -1.3, 0.74, 4, true};
    d.extras.grille = true;
    d.extras.chromeBumpers = true;
    d.extras.roundLamps = true;
    return d;
}

}  // namespace

std::vector<CarDesign> AllDesigns() {
    return {Saloon(), Coupe(), Estate(), Hatchback(), Pickup(), Van(), OffRoader(), Roadster(), Classic()};
}

}  // namespace varnoka::models
