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
    std::string name;  // written into every mesh that wears it
    Colour face;
    double power = 0;
    Colour specular;
    Colour emissive;
    std::string texture;  // bare file name, empty when untextured
    double alpha = 1;     // below 1 the faces are see-through
};

// One Mesh in the file. Its triangles index the car's palette.
struct Part {
    std::string name;
    Mesh mesh;
    double creaseDegrees = 40;
};

// A frame places its own parts and, by name, any of the car's shared parts: the four wheels
// are built from one tyre and one rim, written into each wheel's frame.
struct PartFrame {
    std::string name;
    Placement placement;
    std::vector<Part> parts;
    std::vector<std::string> sharedParts;
};

struct CarModel {
    std::string name;
    Vec3 offset;  // of the whole car, which centres it on its origin
    std::vector<Material> palette;
    std::vector<Part> sharedParts;
    std::vector<PartFrame> frames;
};

}  // namespace varnoka::models
