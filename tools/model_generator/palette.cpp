#include "tools/model_generator/palette.h"

namespace varnoka::models {

std::string PlateTextureName(const std::string& carName) { return carName + "plate.bmp"; }

std::vector<Material> MakePalette(Colour paint, const std::string& plateTexture) {
    std::vector<Material> palette(FinishCount);
    palette[Paint] = {"Paint", paint, 24, {0.7, 0.7, 0.7}, {}, ""};
    palette[Glass] = {"Glass", {0.06, 0.08, 0.11}, 60, {0.9, 0.9, 0.95}, {}, ""};
    // Textured faces are white so the picture shows in its own colours.
    palette[Tyre] = {"Rubber", {1, 1, 1}, 4, {0.08, 0.08, 0.08}, {}, TreadTextureName};
    palette[Chrome] = {"Chrome", {0.72, 0.73, 0.76}, 40, {1, 1, 1}, {0.05, 0.05, 0.05}, ""};
    palette[Trim] = {"Plastic", {0.07, 0.07, 0.08}, 8, {0.15, 0.15, 0.15}, {}, ""};
    palette[HeadLamp] = {"HeadLamp", {1, 1, 0.92}, 30, {1, 1, 1}, {0.75, 0.75, 0.68}, ""};
    palette[TailLamp] = {"TailLamp", {0.85, 0.05, 0.04}, 30, {0.8, 0.6, 0.6}, {0.55, 0.02, 0.02}, ""};
    palette[Indicator] = {"Indicator", {1, 0.55, 0.05}, 30, {0.8, 0.7, 0.5}, {0.45, 0.22, 0.01}, ""};
    palette[Grille] = {"Grille", {1, 1, 1}, 20, {0.5, 0.5, 0.5}, {}, GrilleTextureName};
    palette[Plate] = {"Plate", {1, 1, 1}, 10, {0.2, 0.2, 0.2}, {0.1, 0.1, 0.1}, plateTexture};
    palette[Interior] = {"Interior", {0.16, 0.13, 0.11}, 4, {0.05, 0.05, 0.05}, {}, ""};
    palette[RimMetal] = {"RimMetal", {0.38, 0.39, 0.41}, 30, {0.6, 0.6, 0.6}, {}, ""};
    palette[WhiteWall] = {"WhiteWall", {0.92, 0.92, 0.88}, 4, {0.1, 0.1, 0.1}, {}, ""};
    return palette;
}

}  // namespace varnoka::models
