#pragma once
// A finished car as it goes into a .x file: a palette, and frames holding the parts.

#include <string>
#include <vector>

#include "tools/model_generator/geometry.h"

namespace varnoka::models {

struct Colour {
    double r = 0, g = 0, b = 0;
};

struct Material {
    Colour face;
    double power = 0;
    Colour specular;
    Colour emissive;
    std::string texture;  // bare file name, empty when untextured
};

// One Mesh in the file. Its triangles index the car's palette.
struct Part {
    std::string name;
    Mesh mesh;
    double creaseDegrees = 40;
};

struct PartFrame {
    std::string name;
    Placement placement;
    std::vector<Part> parts;
};

struct CarModel {
    std::string name;
    std::vector<Material> palette;
    std::vector<PartFrame> frames;
};

}  // namespace varnoka::models
