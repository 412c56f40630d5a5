#pragma once
// glTF's metallic-roughness materials in the engine's terms, and base colour textures with the
// material's factor and alpha mode baked into their texels.

#include <cstdint>

#include "retained/gltf/gltf_model.h"
#include "retained/imagefile/image.h"

namespace varnoka::gltf {

// The engine's specular highlight for a glTF surface. Every glTF material goes through here, and
// the generator that writes .glb files from our .x cars inverts exactly this, so a car makes the
// round trip unchanged:
//   a = roughness², power = 2 / a² − 2 clamped to [0, 1000] (roughness 1 switches highlights off),
//   specular = mix((0.5, 0.5, 0.5), base colour, metallic) × (1 − roughness).
void SpecularFromMetallicRoughness(const Float3& baseColor, double metallic, double roughness, float& power,
                                   Float3& specular);

enum class AlphaMode { Opaque, Blend, Mask };

// The image's texels times the colour factor. Opaque: alpha 255. Blend: the texel's alpha kept
// (the factor's alpha is the material's). Mask: 0 below the cutoff (texel alpha × factor alpha),
// else 255.
Texture BakeTexture(const imagefile::Image& image, const double factor[4], AlphaMode mode, double cutoff);

}  // namespace varnoka::gltf
