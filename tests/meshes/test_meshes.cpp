#include "test_meshes.h"

#include <cstddef>
#include <vector>

namespace rigs {

using varnoka::rm::MeshData;
using varnoka::rm::MeshFace;
using varnoka::rm::MeshMaterial;
using varnoka::rm::TexCoord;
using varnoka::rm::Vec3;

namespace {

MeshMaterial Paint(Vec3 color) {
    MeshMaterial material;
    material.faceColor = color;
    return material;
}

}  // namespace

MeshFace Face(std::initializer_list<std::uint32_t> corners) {
    MeshFace face;
    face.positions.assign(corners);
    return face;
}

MeshData BoxMesh(float size, Vec3 color) {
    const float h = size / 2;
    MeshData data;
    data.positions = {{-h, -h, -h}, {h, -h, -h}, {h, h, -h}, {-h, h, -h},
                      {-h, -h, h},  {h, -h, h},  {h, h, h},  {-h, h, h}};
    data.materials.push_back(Paint(color));
    // Clockwise seen from outside.
    data.faces = {Face({0, 3, 2, 1}), Face({5, 6, 7, 4}), Face({4, 7, 3, 0}),
                  Face({1, 2, 6, 5}), Face({3, 7, 6, 2}), Face({4, 0, 1, 5})};
    return data;
}

MeshData GoldenBoxMesh() {
    MeshData data = BoxMesh(2.0f, {1.0f, 0.6f, 0.2f});
    data.materials[0].power = 8.0f;
    data.materials[0].specular = {0.6f, 0.6f, 0.6f};
    return data;
}

MeshData SquareMesh(float size, Vec3 color, float repeat) {
    const float h = size / 2;
    MeshData data;
    data.positions = {{-h, h, 0}, {h, h, 0}, {h, -h, 0}, {-h, -h, 0}};
    data.textureCoordinates = {TexCoord{0, 0}, TexCoord{repeat, 0}, TexCoord{repeat, repeat}, TexCoord{0, repeat}};
    data.materials.push_back(Paint(color));
    data.faces.push_back(Face({0, 1, 2, 3}));
    return data;
}

HRESULT MakeTexture(int side, const PixelWriter& pixel, IDirect3DRMTexture** texture) {
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(side) * side * 4);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) pixel(x, y, &rgba[(static_cast<std::size_t>(y) * side + x) * 4]);
    return varnoka::rm::CreateTextureFromRGBA(side, side, rgba.data(), rgba.size(), texture);
}

}  // namespace rigs
