#pragma once
// The materials every car is painted with, and the texture file names they use.

#include <cstdint>
#include <string>
#include <vector>

#include "tools/model_generator/car_model.h"

namespace varnoka::models {

enum Finish : std::uint32_t {
    Paint,
    Glass,
    Tyre,
    Chrome,
    Trim,  // black plastic
    HeadLamp,
    TailLamp,
    Indicator,
    Grille,
    Plate,
    Interior,
    RimMetal,
    WhiteWall,
    FinishCount
};

constexpr const char* TreadTextureName = "vktread.bmp";
constexpr const char* GrilleTextureName = "vkgrille.bmp";
std::string PlateTextureName(const std::string& carName);

std::vector<Material> MakePalette(Colour paint, const std::string& plateTexture);

}  // namespace varnoka::models
