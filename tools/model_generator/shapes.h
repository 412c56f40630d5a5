#pragma once
// The closed solids the cars are made of. Every shape is watertight with its fronts outward.

#include <cstdint>
#include <functional>
#include <vector>

#include "tools/model_generator/geometry.h"

namespace varnoka::models {

// A rounded box about the origin: roundness 1 is an ellipsoid, smaller values square it off.
struct RoundedBox {
    Vec3 radii{1, 1, 1};
    double roundness = 0.3;
    int segments = 16;  // around y
    int rings = 8;      // pole to pole
};

Mesh MakeRoundedBox(const RoundedBox& box, std::uint32_t material);

// As MakeRoundedBox, with texture coordinates that show a whole image on the face looking
// along +x (facingPlusX) or -x, upright and unmirrored.
Mesh MakeTexturedPanel(const RoundedBox& box, bool facingPlusX, std::uint32_t material);

// A solid of revolution about the z axis. The profile is a closed loop of (radius, z) points,
// clockwise drawn with z to the right and the radius up; points on the axis become poles.
struct ProfilePoint {
    double radius = 0;
    double z = 0;
    double v = 0;  // texture row, when textured
};

struct Lathe {
    std::vector<ProfilePoint> profile;
    int segments = 24;
    bool textured = false;  // u runs once around, v from the profile
};

// `materialOfEdge(i)` gives the material of the band swept by profile edge i -> i + 1.
Mesh MakeLathe(const Lathe& lathe, const std::function<std::uint32_t(std::size_t)>& materialOfEdge);

// A tube through cross-sections (rings of equal size, the same winding: counter-clockwise
// seen from the first ring towards the last), closed at both ends.
struct LoftFace {
    std::size_t section = 0;  // between section and section + 1
    std::size_t ringEdge = 0;
    Vec3 normal;  // unit
};

Mesh MakeLoft(const std::vector<std::vector<Vec3>>& sections,
              const std::function<std::uint32_t(const LoftFace&)>& materialOfFace, std::uint32_t capMaterial);

}  // namespace varnoka::models
