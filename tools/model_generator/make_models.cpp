// Writes the nine car models and their textures into a directory (models/ in the repository),
// or with --glb-twins the .glb twins of some of them (into the build tree, for the glTF tests).
// The output depends on nothing but this program, so running it again gives the same bytes.

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "tools/model_generator/model_set.h"

int main(int argc, char** argv) {
    const bool twins = argc == 3 && std::strcmp(argv[1], "--glb-twins") == 0;
    if (argc != 2 && !twins) {
        std::fprintf(stderr, "usage: make_models DIRECTORY\n       make_models --glb-twins DIRECTORY\n");
        return 2;
    }
    const std::string directory = argv[argc - 1];
    const auto files = twins ? varnoka::models::GenerateGlbTwins() : varnoka::models::GenerateModelSet();
    for (const varnoka::models::GeneratedFile& file : files) {
        const std::string path = directory + "/" + file.name;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(file.bytes.data(), static_cast<std::streamsize>(file.bytes.size()));
        out.close();
        if (!out) {
            std::fprintf(stderr, "make_models: cannot write %s\n", path.c_str());
            return 1;
        }
        std::printf("%s %zu bytes\n", file.name.c_str(), file.bytes.size());
    }
    return 0;
}
