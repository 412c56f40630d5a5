// Any bytes, as a .glb or as glTF text, must load or be refused with a reason, without a crash,
// hang or unbounded allocation. No files beside: only what is in the bytes is read.
#include <cstddef>
#include <cstdint>
#include <string>

#include "retained/gltf/gltf_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    varnoka::gltf::Model model;
    std::string problem;
    const varnoka::LoadStatus status = varnoka::gltf::ReadGltf(data, size, false, "", model, problem);
    if (status != varnoka::LoadStatus::Ok) {
        if (problem.empty() || !model.positions.empty() || !model.triangles.empty()) __builtin_trap();
        return 0;
    }
    if (!problem.empty() || model.triangles.empty()) __builtin_trap();
    // Everything handed on must stay inside the model's own arrays.
    if (!model.textureCoords.empty() && model.textureCoords.size() != model.positions.size()) __builtin_trap();
    for (const auto& triangle : model.triangles) {
        if (triangle.material >= model.materials.size()) __builtin_trap();
        for (int k = 0; k < 3; ++k)
            if (triangle.positions[k] >= model.positions.size() || triangle.normals[k] >= model.normals.size())
                __builtin_trap();
    }
    for (const auto& material : model.materials)
        if (material.texture != varnoka::gltf::NoTexture && material.texture >= model.textures.size()) __builtin_trap();
    for (const auto& texture : model.textures)
        if (texture.rgba.size() != std::size_t{texture.width} * texture.height * 4) __builtin_trap();
    return 0;
}
