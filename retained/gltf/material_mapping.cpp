#include "retained/gltf/material_mapping.h"

#include <algorithm>
#include <cmath>

namespace varnoka::gltf {

namespace {

std::uint8_t Scaled(std::uint8_t value, double factor) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(value * factor, 0.0, 255.0)));
}

}  // namespace

void SpecularFromMetallicRoughness(const Float3& baseColor, double metallic, double roughness, float& power,
                                   Float3& specular) {
    metallic = std::clamp(metallic, 0.0, 1.0);
    roughness = std::clamp(roughness, 0.0, 1.0);
    const double a = roughness * roughness;
    power = a > 0 ? static_cast<float>(std::clamp(2 / (a * a) - 2, 0.0, 1000.0)) : 1000.0f;
    const double shine = 1 - roughness;
    specular = {static_cast<float>((0.5 + (baseColor.x - 0.5) * metallic) * shine),
                static_cast<float>((0.5 + (baseColor.y - 0.5) * metallic) * shine),
                static_cast<float>((0.5 + (baseColor.z - 0.5) * metallic) * shine)};
}

Texture BakeTexture(const imagefile::Image& image, const double factor[4], AlphaMode mode, double cutoff) {
    Texture texture;
    texture.width = image.width;
    texture.height = image.height;
    texture.rgba = image.rgba;
    const bool tinted = factor[0] != 1 || factor[1] != 1 || factor[2] != 1;
    for (std::size_t i = 0; i + 3 < texture.rgba.size(); i += 4) {
        std::uint8_t* texel = &texture.rgba[i];
        if (tinted)
            for (int c = 0; c < 3; ++c) texel[c] = Scaled(texel[c], factor[c]);
        switch (mode) {
            case AlphaMode::Opaque:
                texel[3] = 255;
                break;
            case AlphaMode::Blend:
                break;
            case AlphaMode::Mask:
                texel[3] = texel[3] / 255.0 * factor[3] < cutoff ? 0 : 255;
                break;
        }
    }
    return texture;
}

}  // namespace varnoka::gltf
