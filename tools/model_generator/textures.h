#pragma once
// The pictures the cars wear: tyre tread, radiator grille and number plates.

#include <string>

#include "tools/model_generator/texture_image.h"

namespace varnoka::models {

// Wrapped once around a tyre: u around, v across from one sidewall to the other.
TextureImage TreadTexture();
TextureImage GrilleTexture();
// A plate reading `text`, of capitals, digits, spaces and '-'.
TextureImage PlateTexture(const std::string& text, Rgb background);

}  // namespace varnoka::models
