#pragma once
// A glTF scene read into one plain mesh in the engine's terms: left-handed, faces clockwise seen
// from the front, every corner with its own normal, materials as the engine lights them.

#include <cstdint>
#include <string>
#include <vector>

namespace varnoka::gltf {

struct Float2 {
    float u = 0, v = 0;
};

struct Float3 {
    float x = 0, y = 0, z = 0;
};

struct Triangle {
    std::uint32_t positions[3] = {0, 0, 0};
    std::uint32_t normals[3] = {0, 0, 0};
    std::uint32_t material = 0;
};

constexpr std::uint32_t NoTexture = 0xFFFFFFFFu;

struct Material {
    Float3 faceColor{1, 1, 1};
    float alpha = 1;
    float power = 0;
    Float3 specular;
    Float3 emissive;
    std::uint32_t texture = NoTexture;  // index into Model::textures
};

// RGBA texels, row 0 the top row, with the material's colour factor and alpha mode baked in.
struct Texture {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> rgba;
};

// Figures of the file, for tools that tell the user about their model.
struct Counts {
    std::uint32_t nodes = 0;       // nodes drawn in the scene
    std::uint32_t meshes = 0;      // distinct meshes drawn
    std::uint32_t primitives = 0;  // triangle primitives drawn, over every instance
    std::uint32_t vertices = 0;
    std::uint32_t triangles = 0;
    std::uint32_t materials = 0;
    std::uint32_t textures = 0;  // distinct images drawn
};

struct Model {
    std::vector<Float3> positions;
    std::vector<Float2> textureCoords;  // one per position, or empty when nothing is textured
    std::vector<Float3> normals;
    std::vector<Triangle> triangles;
    std::vector<Material> materials;
    std::vector<Texture> textures;
    std::vector<std::string> missingImages;  // the image's URI, or its name or number when embedded
    Counts counts;
};

}  // namespace varnoka::gltf
