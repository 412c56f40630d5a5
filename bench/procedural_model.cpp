#include "procedural_model.h"

#include <cmath>
#include <cstdint>

#include "retained/mesh_data.h"
#include "test_meshes.h"

namespace bench {

using varnoka::rm::MeshData;
using varnoka::rm::MeshMaterial;
using varnoka::rm::Vec3;

MeshData Ellipsoid(int rings, int segments, Vec3 radii, IDirect3DRMTexture* texture) {
    MeshData data;
    const double pi = 3.14159265358979323846;
    for (int r = 0; r <= rings; ++r) {
        const double theta = pi * r / rings;  // 0 at the top
        for (int s = 0; s <= segments; ++s) {
            const double phi = 2 * pi * s / segments;
            data.positions.push_back({static_cast<float>(radii.x * std::sin(theta) * std::cos(phi)),
                                      static_cast<float>(radii.y * std::cos(theta)),
                                      static_cast<float>(radii.z * std::sin(theta) * std::sin(phi))});
            data.textureCoordinates.push_back(
                {static_cast<float>(4.0 * s / segments), static_cast<float>(2.0 * r / rings)});
        }
    }
    MeshMaterial paint;
    paint.faceColor = {1.0f, 1.0f, 1.0f};
    paint.power = 20.0f;
    paint.specular = {0.5f, 0.5f, 0.5f};
    paint.texture = varnoka::rm::ComRef<IDirect3DRMTexture>(texture);
    data.materials.push_back(paint);
    const auto index = [segments](int r, int s) { return static_cast<std::uint32_t>(r * (segments + 1) + s); };
    for (int r = 0; r < rings; ++r) {
        for (int s = 0; s < segments; ++s) {
            // Clockwise seen from outside.
            const std::uint32_t a = index(r, s), b = index(r, s + 1), c = index(r + 1, s + 1), d = index(r + 1, s);
            data.faces.push_back(rigs::Face({a, b, c}));
            data.faces.push_back(rigs::Face({a, c, d}));
        }
    }
    return data;
}

IDirect3DRMTexture* StripedTexture() {
    const int side = 256;
    const auto stripes = [](int x, int y, std::uint8_t* rgba) {
        const bool grid = x % 32 == 0 || y % 32 == 0;
        rgba[0] = grid ? 20 : static_cast<std::uint8_t>(160 + (x * 95) / side);
        rgba[1] = grid ? 20 : static_cast<std::uint8_t>(40 + ((y / 16) % 2) * 60);
        rgba[2] = grid ? 20 : static_cast<std::uint8_t>(30 + (y * 60) / side);
        rgba[3] = 255;
    };
    IDirect3DRMTexture* texture = nullptr;
    return rigs::MakeTexture(side, stripes, &texture) == D3DRM_OK ? texture : nullptr;
}

}  // namespace bench
