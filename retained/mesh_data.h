#pragma once
// Plain mesh data and textures as a model reader, a tool or a test makes them in memory, and the
// call that puts a mesh into a mesh builder (or a progressive mesh).

#include <cstddef>
#include <cstdint>
#include <vector>

#include "retained/com_base.h"
#include "retained/linear_algebra.h"

namespace varnoka::rm {

struct TexCoord {
    float u = 0, v = 0;
};

struct MeshMaterial {
    Vec3 faceColor{1, 1, 1};
    float alpha = 1;
    float power = 0;  // specular exponent; 0 switches highlights off
    Vec3 specular{0, 0, 0};
    Vec3 emissive{0, 0, 0};
    ComRef<IDirect3DRMTexture> texture;  // optional
};

struct MeshFace {
    std::vector<std::uint32_t> positions;  // at least three, clockwise seen from the front
    std::vector<std::uint32_t> normals;    // empty (smooth normals are computed) or one per corner
    std::uint32_t material = 0;
};

struct MeshData {
    std::vector<Vec3> positions;
    std::vector<Vec3> normals;
    std::vector<TexCoord> textureCoordinates;  // empty or one per position
    std::vector<MeshMaterial> materials;       // empty means one white material
    std::vector<MeshFace> faces;
};

// Replaces the geometry of an engine mesh builder or progressive mesh. Indices out of range,
// faces of fewer than three corners, non-finite numbers or a texture that is not the engine's
// give D3DRMERR_BADVALUE and leave the visual as it was.
HRESULT AssignMeshData(IUnknown* visual, const MeshData& data);

// Largest side a texture may have; bigger images are refused rather than allocated.
constexpr std::uint32_t MaxTextureSide = 8192;

// Makes a texture from width x height RGBA bytes (row 0 the top row). The byte count must be
// exactly width * height * 4.
HRESULT CreateTextureFromRGBA(std::uint32_t width, std::uint32_t height, const std::uint8_t* rgba,
                              std::size_t byteCount, IDirect3DRMTexture** texture);

}  // namespace varnoka::rm
