#pragma once
// Meshes and textures made in memory, for the engine's tests and the benchmarks alike. Public
// engine headers only, so that code outside the engine may use them too.

#include <cstdint>
#include <functional>
#include <initializer_list>

#include "retained/mesh_data.h"

namespace rigs {

// A face through these positions, clockwise seen from the front.
varnoka::rm::MeshFace Face(std::initializer_list<std::uint32_t> corners);

// A box centred on the origin with faces toward every axis, one material.
varnoka::rm::MeshData BoxMesh(float size, varnoka::rm::Vec3 color);
// The box of the fill-and-shade golden images: 2 units, orange, with a highlight.
varnoka::rm::MeshData GoldenBoxMesh();
// A square in the z = 0 plane facing -z (toward a camera on -z), with texture coordinates from
// (0, 0) at the top left to (repeat, repeat).
varnoka::rm::MeshData SquareMesh(float size, varnoka::rm::Vec3 color, float repeat = 1);

// A side x side texture; `pixel` writes the four RGBA bytes of pixel (x, y), row 0 the top.
using PixelWriter = std::function<void(int x, int y, std::uint8_t* rgba)>;
HRESULT MakeTexture(int side, const PixelWriter& pixel, IDirect3DRMTexture** texture);

}  // namespace rigs
