#pragma once
// The materials a drawn primitive uses, each made once: the glTF material (or glTF's default
// one) in the engine's terms, with its base colour texture decoded and baked.

#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include <tiny_gltf.h>

#include "retained/gltf/gltf_model.h"
#include "retained/gltf/image_source.h"
#include "retained/gltf/material_mapping.h"

namespace varnoka::gltf {

// What a primitive needs to know of its material before any image is read.
struct MaterialTraits {
    bool doubleSided = false;
    bool textured = false;
};

MaterialTraits TraitsOf(const tinygltf::Model& document, int material);

class MaterialTable {
public:
    MaterialTable(const tinygltf::Model& document, ImageSource& images, Model& model)
        : document_(document), images_(images), model_(model) {}

    enum class Use { Drawn, Hidden, Refused };
    // The engine material for glTF material `material` (-1 for the default). Hidden: a masked
    // material without texture below its cutoff, whose faces are left out. Refused: `problem` says
    // why the whole car is.
    Use Get(int material, std::uint32_t& index, std::string& problem);

private:
    struct Entry {
        Use use = Use::Drawn;
        std::uint32_t index = 0;
    };
    // The texture of one image with one factor and alpha treatment, baked once.
    using TextureKey = std::tuple<int, double, double, double, double, int, double>;

    Use Make(int material, std::uint32_t& index, std::string& problem);
    bool Texture(int image, const double factor[4], AlphaMode mode, double cutoff, std::uint32_t& texture,
                 std::string& problem);

    const tinygltf::Model& document_;
    ImageSource& images_;
    Model& model_;
    std::map<int, Entry> made_;
    std::map<TextureKey, std::uint32_t> textures_;
    std::map<int, bool> imagesSeen_;
    std::uint64_t texelsBaked_ = 0;
};

}  // namespace varnoka::gltf
