#pragma once
// Every file the saver's nine models consist of, as bytes: the .x files and their textures.

#include <string>
#include <vector>

namespace varnoka::models {

struct GeneratedFile {
    std::string name;  // bare file name, as the models name their textures
    std::string bytes;
};

std::vector<GeneratedFile> GenerateModelSet();

}  // namespace varnoka::models
