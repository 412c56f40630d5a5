#include "tools/model_generator/wheel.h"

#include <cmath>

#include "tools/model_generator/palette.h"
#include "tools/model_generator/shapes.h"

namespace varnoka::models {

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr int Segments = 28;

Mesh MakeTyre(const WheelDesign& w) {
    const double r = w.radius, h = w.width / 2, inner = 0.64 * r;
    Lathe lathe;
    lathe.segments = Segments;
    lathe.textured = true;
    // Up the outer sidewall, over rounded shoulders and the crown, down the inner sidewall,
    // back along the bead; v follows the tread picture's sidewall-crown-sidewall bands.
    lathe.profile.push_back({inner, -h * 0.9, 0});
    lathe.profile.push_back({0.8 * r, -h, 0.1});
    for (int i = 0; i <= 3; ++i) {
        const double a = Pi / 2 * i / 3;
        const double shoulder = 0.12 * r;
        lathe.profile.push_back(
            {r - shoulder + shoulder * std::sin(a), -h + shoulder * (1 - std::cos(a)), 0.2 + 0.05 * i});
    }
    for (int i = 3; i >= 0; --i) {
        const double a = Pi / 2 * i / 3;
        const double shoulder = 0.12 * r;
        lathe.profile.push_back(
            {r - shoulder + shoulder * std::sin(a), h - shoulder * (1 - std::cos(a)), 0.8 - 0.05 * i});
    }
    lathe.profile.push_back({0.8 * r, h, 0.9});
    lathe.profile.push_back({inner, h * 0.9, 1});
    // The first band is the outer sidewall's ring next to the rim.
    const bool whiteWall = w.whiteWalls;
    return MakeLathe(lathe, [whiteWall](std::size_t edge) { return whiteWall && edge == 0 ? WhiteWall : Tyre; });
}

Mesh MakeRim(const WheelDesign& w) {
    const double r = w.radius, h = w.width / 2, lip = 0.66 * r;
    Lathe lathe;
    lathe.segments = Segments;
    // From the hub cap out over the dish to the lip, then back inside the tyre to the axle.
    lathe.profile = {{0, -h * 0.86, 0},       {0.14 * r, -h * 0.84, 0}, {0.18 * r, -h * 0.62, 0},
                     {0.52 * r, -h * 0.6, 0}, {0.6 * r, -h * 0.74, 0},  {lip, -h * 0.86, 0},
                     {lip, h * 0.7, 0},       {0, h * 0.5, 0}};
    Mesh rim = MakeLathe(lathe, [](std::size_t edge) { return edge < 2 ? Chrome : edge < 5 ? RimMetal : Chrome; });
    const RoundedBox spokeShape{{0.19 * r, 0.045 * r, 0.06 * h}, 0.5, 10, 6};
    const Mesh spoke = MakeRoundedBox(spokeShape, Chrome);
    for (int i = 0; i < w.spokes; ++i) {
        const double a = 2 * Pi * i / w.spokes;
        AppendPlaced(rim, spoke, TurnAboutZ(a, {0.35 * r * std::cos(a), 0.35 * r * std::sin(a), -h * 0.64}));
    }
    return rim;
}

}  // namespace

std::vector<Part> MakeWheelParts(const WheelDesign& wheel) {
    return {{"Tyre", MakeTyre(wheel), 50}, {"Rim", MakeRim(wheel), 40}};
}

}  // namespace varnoka::models
