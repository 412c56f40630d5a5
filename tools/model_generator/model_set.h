#pragma once
// Every file the saver's nine models consist of, as bytes: the .x files and their textures;
// and .glb twins of some of them.

#include <string>
#include <vector>

namespace varnoka::models {

struct GeneratedFile {
    std::string name;  // bare file name, as the models name their textures
    std::string bytes;
};

std::vector<GeneratedFile> GenerateModelSet();

// Cars of ours written as .glb files too (vkN.glb), against which the glTF reader is checked:
// the same cars as their .x files, their textures inside.
constexpr int GlbTwinCars[] = {1, 4, 9};
std::vector<GeneratedFile> GenerateGlbTwins();

}  // namespace varnoka::models
