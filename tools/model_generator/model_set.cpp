#include "tools/model_generator/model_set.h"

#include "tools/model_generator/car_builder.h"
#include "tools/model_generator/car_designs.h"
#include "tools/model_generator/palette.h"
#include "tools/model_generator/textures.h"
#include "tools/model_generator/xfile_writer.h"

namespace varnoka::models {

std::vector<GeneratedFile> generateModelSet() {
    std::vector<GeneratedFile> files;
    for (const CarDesign& design : allDesigns()) {
        files.push_back({design.name + ".x", writeXFileText(buildCar(design))});
        files.push_back({plateTextureName(design.name), encodeBmp(plateTexture(design.plateText, design.plateColour))});
    }
    files.push_back({kTreadTextureName, encodeBmp(treadTexture())});
    files.push_back({kGrilleTextureName, encodeBmp(grilleTexture())});
    return files;
}

}  // namespace varnoka::models
