#include "retained/gltf/material_table.h"

#include <algorithm>
#include <cmath>

#include "retained/gltf/gltf_limits.h"

namespace varnoka::gltf {

namespace {

const tinygltf::Material* Find(const tinygltf::Model& document, int material) {
    if (material < 0 || static_cast<std::size_t>(material) >= document.materials.size()) return nullptr;
    return &document.materials[static_cast<std::size_t>(material)];
}

// The image a material's base colour texture shows, or -1. Other texture coordinate sets than
// the first are not read, and neither is the texture then.
int BaseColorImage(const tinygltf::Model& document, const tinygltf::Material& material) {
    const tinygltf::TextureInfo& info = material.pbrMetallicRoughness.baseColorTexture;
    if (info.index < 0 || info.texCoord != 0 || static_cast<std::size_t>(info.index) >= document.textures.size())
        return -1;
    const int source = document.textures[static_cast<std::size_t>(info.index)].source;
    if (source < 0 || static_cast<std::size_t>(source) >= document.images.size()) return -1;
    return source;
}

double Factor(const std::vector<double>& values, std::size_t i, double fallback) {
    return i < values.size() && std::isfinite(values[i]) ? values[i] : fallback;
}

double EmissiveStrength(const tinygltf::Material& material) {
    const auto found = material.extensions.find("KHR_materials_emissive_strength");
    if (found == material.extensions.end() || !found->second.Has("emissiveStrength")) return 1;
    const tinygltf::Value& strength = found->second.Get("emissiveStrength");
    if (!strength.IsNumber()) return 1;
    const double value = strength.GetNumberAsDouble();
    return std::isfinite(value) && value >= 0 ? value : 1;
}

}  // namespace

MaterialTraits TraitsOf(const tinygltf::Model& document, int material) {
    const tinygltf::Material* found = Find(document, material);
    if (found == nullptr) return {};
    return {found->doubleSided, BaseColorImage(document, *found) >= 0};
}

MaterialTable::Use MaterialTable::Get(int material, std::uint32_t& index, std::string& problem) {
    if (Find(document_, material) == nullptr) material = -1;
    const auto found = made_.find(material);
    if (found != made_.end()) {
        index = found->second.index;
        return found->second.use;
    }
    const Use use = Make(material, index, problem);
    if (use != Use::Refused) made_[material] = {use, index};
    return use;
}

MaterialTable::Use MaterialTable::Make(int material, std::uint32_t& index, std::string& problem) {
    // glTF's default material: white, fully metallic and rough, opaque.
    double base[4] = {1, 1, 1, 1};
    double metallic = 1, roughness = 1, cutoff = 0.5, emissiveStrength = 1;
    double emissive[3] = {0, 0, 0};
    AlphaMode mode = AlphaMode::Opaque;
    int image = -1;
    if (const tinygltf::Material* found = Find(document_, material)) {
        const tinygltf::PbrMetallicRoughness& pbr = found->pbrMetallicRoughness;
        for (std::size_t i = 0; i < 4; ++i) base[i] = std::clamp(Factor(pbr.baseColorFactor, i, 1), 0.0, 1.0);
        metallic = Factor({pbr.metallicFactor}, 0, 1);
        roughness = Factor({pbr.roughnessFactor}, 0, 1);
        for (std::size_t i = 0; i < 3; ++i) emissive[i] = std::clamp(Factor(found->emissiveFactor, i, 0), 0.0, 1.0);
        emissiveStrength = EmissiveStrength(*found);
        if (found->alphaMode == "BLEND") mode = AlphaMode::Blend;
        if (found->alphaMode == "MASK") mode = AlphaMode::Mask;
        cutoff = Factor({found->alphaCutoff}, 0, 0.5);
        image = BaseColorImage(document_, *found);
    }

    Material converted;
    converted.faceColor = {static_cast<float>(base[0]), static_cast<float>(base[1]), static_cast<float>(base[2])};
    converted.alpha = mode == AlphaMode::Blend ? static_cast<float>(base[3]) : 1.0f;
    converted.emissive = {static_cast<float>(emissive[0] * emissiveStrength),
                          static_cast<float>(emissive[1] * emissiveStrength),
                          static_cast<float>(emissive[2] * emissiveStrength)};
    SpecularFromMetallicRoughness(converted.faceColor, metallic, roughness, converted.power, converted.specular);
    if (image >= 0 && !Texture(image, base, mode, cutoff, converted.texture, problem)) return Use::Refused;
    if (mode == AlphaMode::Mask && converted.texture == NoTexture && base[3] < cutoff) return Use::Hidden;
    index = static_cast<std::uint32_t>(model_.materials.size());
    model_.materials.push_back(converted);
    return Use::Drawn;
}

bool MaterialTable::Texture(int image, const double factor[4], AlphaMode mode, double cutoff, std::uint32_t& texture,
                            std::string& problem) {
    texture = NoTexture;
    const TextureKey key{image,
                         factor[0],
                         factor[1],
                         factor[2],
                         factor[3],
                         static_cast<int>(mode),
                         mode == AlphaMode::Mask ? cutoff : 0};
    const auto found = textures_.find(key);
    if (found != textures_.end()) {
        texture = found->second;
        return true;
    }
    const imagefile::Image* decoded = nullptr;
    switch (images_.Get(image, decoded)) {
        case ImageOutcome::Ok:
            break;
        case ImageOutcome::Missing:
            if (!imagesSeen_[image]) model_.missingImages.push_back(images_.Name(image));
            imagesSeen_[image] = true;
            return true;
        case ImageOutcome::TooLarge:
            problem = "An image of the car is larger than " + std::to_string(MaxImageSide) + " pixels on a side.";
            return false;
        case ImageOutcome::FilesTooLarge:
            problem = "The car's files are larger than " + std::to_string(MaxTotalFileBytes >> 20) + " MB together.";
            return false;
        case ImageOutcome::TexelsTooMany:
            problem = "The car's images hold more than " + std::to_string(MaxTotalTexels) + " pixels together.";
            return false;
    }
    const std::uint64_t texels = std::uint64_t{decoded->width} * decoded->height;
    if (texelsBaked_ + texels > MaxTotalTexels) {
        problem = "The car's images hold more than " + std::to_string(MaxTotalTexels) + " pixels together.";
        return false;
    }
    texelsBaked_ += texels;
    if (!imagesSeen_[image]) ++model_.counts.textures;
    imagesSeen_[image] = true;
    texture = static_cast<std::uint32_t>(model_.textures.size());
    model_.textures.push_back(BakeTexture(*decoded, factor, mode, cutoff));
    textures_.emplace(key, texture);
    return true;
}

}  // namespace varnoka::gltf
