#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace varnoka::xfile {

struct Vector2 {
    float u = 0.0f;
    float v = 0.0f;
};

struct Vector3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

struct ColorRGB {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
};

struct ColorRGBA {
    float r = 1.0f;
    float g = 1.0f;
    float b = 1.0f;
    float a = 1.0f;
};

struct Material {
    ColorRGBA faceColor;
    float power = 0.0f;
    ColorRGB specular;
    ColorRGB emissive;
    std::string textureFileName;  // as written in the file; empty when untextured
};

constexpr std::uint32_t NoNormal = 0xFFFFFFFFu;
constexpr std::uint32_t NoMaterial = 0xFFFFFFFFu;

// One corner of a face: a position and, when the file gives normals, a normal.
struct Corner {
    std::uint32_t position = 0;
    std::uint32_t normal = NoNormal;
};

// A face as the file gives it, of any number of corners.
struct Face {
    std::uint32_t firstCorner = 0;
    std::uint32_t cornerCount = 0;
    std::uint32_t material = NoMaterial;
};

// The faces split into triangles (fans), keeping each face's corner order.
struct Triangle {
    std::uint32_t corners[3] = {0, 0, 0};
    std::uint32_t face = 0;
};

// Figures as the file gives them, summed over every mesh loaded.
struct ModelCounts {
    std::uint32_t vertices = 0;
    std::uint32_t faces = 0;
    std::uint32_t materials = 0;
    std::uint32_t textures = 0;  // distinct texture file names
};

// Every mesh of a file merged into one, in model space (frame transforms applied).
struct LoadedModel {
    std::vector<Vector3> positions;
    std::vector<Vector3> normals;
    // One entry per position, or empty when no mesh in the file has any; positions of a
    // mesh without them get (0, 0) and opaque white.
    std::vector<Vector2> textureCoords;
    std::vector<ColorRGBA> vertexColors;
    std::vector<Corner> corners;
    std::vector<Face> faces;
    std::vector<Triangle> triangles;
    std::vector<Material> materials;
    ModelCounts counts;
};

}  // namespace varnoka::xfile
