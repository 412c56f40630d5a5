#pragma once
// The materials every car is painted with, and the texture file names they use.

#include <cstdint>
#include <string>
#include <vector>

#include "tools/model_generator/car_model.h"

namespace varnoka::models {

enum Finish : std::uint32_t {
    kPaint,
    kGlass,
    kTyre,
    kChrome,
    kTrim,  // black plastic
    kHeadLamp,
    kTailLamp,
    kIndicator,
    kGrille,
    kPlate,
    kInterior,
    kRimMetal,
    kWhiteWall,
    kFinishCount
};

constexpr const char* kTreadTextureName = "vktread.bmp";
constexpr const char* kGrilleTextureName = "vkgrille.bmp";
std::string plateTextureName(const std::string& carName);

std::vector<Material> makePalette(Colour paint, const std::string& plateTexture);

}  // namespace varnoka::models
