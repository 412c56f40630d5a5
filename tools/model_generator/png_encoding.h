#pragma once
// A texture picture as PNG file bytes, for the pictures a .glb file carries inside it.

#include <string>

#include "tools/model_generator/texture_image.h"

namespace varnoka::models {

// An 8-bit RGB PNG; the same picture always gives the same bytes.
std::string EncodePng(const TextureImage& image);

}  // namespace varnoka::models
