#pragma once
// Writes a car as a binary glTF file (.glb): the same triangles, normals, texture coordinates
// and materials as its .x file, in glTF's right-handed space, its textures inside as PNG.

#include <map>
#include <string>

#include "tools/model_generator/car_model.h"
#include "tools/model_generator/texture_image.h"

namespace varnoka::models {

// The pictures a car's materials name, by their bare file names.
using TexturePictures = std::map<std::string, TextureImage>;

// The file's bytes: a root node for the car (its offset), one child node per frame and one node
// per part under it; a shared part is one mesh that every frame placing it refers to.
// Throws std::invalid_argument for a shared part, material or texture the car names but does
// not have, or a triangle corner past its mesh's points.
std::string WriteGlb(const CarModel& car, const TexturePictures& textures);

// The roughness the reader turns back into the specular power `power`: 1, no highlight, for 0.
double RoughnessOfPower(double power);

}  // namespace varnoka::models
