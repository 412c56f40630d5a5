#include "tools/model_generator/model_set.h"

#include "tools/model_generator/car_builder.h"
#include "tools/model_generator/car_designs.h"
#include "tools/model_generator/glb_writer.h"
#include "tools/model_generator/palette.h"
#include "tools/model_generator/textures.h"
#include "tools/model_generator/xfile_writer.h"

namespace varnoka::models {

std::vector<GeneratedFile> GenerateModelSet() {
    std::vector<GeneratedFile> files;
    for (const CarDesign& design : AllDesigns()) {
        files.push_back({design.name + ".x", WriteXFileText(BuildCar(design))});
        files.push_back({PlateTextureName(design.name), EncodeBmp(PlateTexture(design.plateText, design.plateColour))});
    }
    files.push_back({TreadTextureName, EncodeBmp(TreadTexture())});
    files.push_back({GrilleTextureName, EncodeBmp(GrilleTexture())});
    return files;
}

std::vector<GeneratedFile> GenerateGlbTwins() {
    const std::vector<CarDesign> designs = AllDesigns();
    std::vector<GeneratedFile> files;
    for (int car : GlbTwinCars) {
        const CarDesign& design = designs.at(static_cast<std::size_t>(car - 1));
        const TexturePictures pictures{
            {PlateTextureName(design.name), PlateTexture(design.plateText, design.plateColour)},
            {TreadTextureName, TreadTexture()},
            {GrilleTextureName, GrilleTexture()}};
        files.push_back({design.name + ".glb", WriteGlb(BuildCar(design), pictures)});
    }
    return files;
}

}  // namespace varnoka::models
