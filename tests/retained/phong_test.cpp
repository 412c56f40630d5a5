// Phong shading: light worked out at every pixel from the interpolated normal.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "scene_rig.h"

#include "retained/texture.h"

namespace {

using varnoka::rm::MeshData;
using varnoka::rm::MeshFace;
using varnoka::rm::Vec3;

constexpr int Size = 48;
constexpr float Pi = 3.14159265358979f;
constexpr Vec3 SphereCenter{0, 0, 5};
constexpr float SphereRadius = 1.6f;

Vec3 Unit(Vec3 v) { return v * (1.0f / varnoka::rm::Length(v)); }

// A sphere of triangles with its exact normals, rings from pole to pole, glossy paint.
MeshData Sphere(int rings, int segments) {
    MeshData data;
    for (int i = 0; i <= rings; ++i)
        for (int j = 0; j < segments; ++j) {
            const float theta = Pi * static_cast<float>(i) / static_cast<float>(rings);
            const float phi = 2 * Pi * static_cast<float>(j) / static_cast<float>(segments);
            const Vec3 n{std::sin(theta) * std::cos(phi), std::cos(theta), std::sin(theta) * std::sin(phi)};
            data.positions.push_back(n * SphereRadius);
            data.normals.push_back(n);
        }
    const auto at = [segments](int i, int j) { return static_cast<std::uint32_t>(i * segments + j % segments); };
    const auto add = [&data](std::uint32_t a, std::uint32_t b, std::uint32_t c) {
        const Vec3 pa = data.positions[a], pb = data.positions[b], pc = data.positions[c];
        if (varnoka::rm::Length(varnoka::rm::Cross(pb - pa, pc - pa)) < 1e-6f) return;  // at a pole
        MeshFace face;
        // Clockwise seen from outside: the winding's normal points away from the centre.
        const bool outward = varnoka::rm::Dot(varnoka::rm::Cross(pb - pa, pc - pa), pa) > 0;
        face.positions = outward ? std::vector<std::uint32_t>{a, b, c} : std::vector<std::uint32_t>{a, c, b};
        face.normals = face.positions;
        data.faces.push_back(face);
    };
    for (int i = 0; i < rings; ++i)
        for (int j = 0; j < segments; ++j) {
            add(at(i, j), at(i, j + 1), at(i + 1, j + 1));
            add(at(i, j), at(i + 1, j + 1), at(i + 1, j));
        }
    varnoka::rm::MeshMaterial paint;
    paint.faceColor = {0.5f, 0.1f, 0.1f};
    paint.power = 40;
    paint.specular = {0.45f, 0.45f, 0.45f};
    data.materials.push_back(paint);
    return data;
}

// The sphere in front of the camera, lit by a dim ambient light and a white light travelling
// along `direction` (view space: the camera stays at the origin looking along +z).
struct SphereScene {
    SphereScene(int rings, int segments, Vec3 direction, DWORD shade, const GUID& device = IID_IDirect3DRGBDevice,
                float lightLevel = 1.0f)
        : rig(Size, Size, &device) {
        IDirect3DRMLight* light = nullptr;
        rig.d3drm2->CreateLightRGB(D3DRMLIGHT_AMBIENT, 0.1f, 0.1f, 0.1f, &light);
        rig.scene->AddLight(light);
        light->Release();
        IDirect3DRMFrame2* lightFrame = rig.AddChildFrame(0, 0, 0);
        lightFrame->SetOrientation(rig.scene, direction.x, direction.y, direction.z, 0, 1, 0);
        rig.d3drm2->CreateLightRGB(D3DRMLIGHT_DIRECTIONAL, lightLevel, lightLevel, lightLevel, &light);
        lightFrame->AddLight(light);
        light->Release();
        model = rig.AddChildFrame(SphereCenter.x, SphereCenter.y, SphereCenter.z);
        mesh = Sphere(rings, segments);
        builder = rigs::MakeBuilder(rig, mesh);
        model->AddVisual(builder);
        rig.device->SetQuality(D3DRMLIGHT_ON | D3DRMFILL_SOLID | shade);
        this->direction = Unit(direction);
    }

    // Draws mesh in place of the sphere.
    void ReplaceMesh() {
        model->DeleteVisual(builder);
        builder = rigs::MakeBuilder(rig, mesh);
        model->AddVisual(builder);
    }

    // Where the highlight is brightest: the point of the sphere whose normal is the half-vector
    // between the directions toward the light and toward the eye (which moves with the point).
    Vec3 HighlightPoint() const {
        Vec3 normal = Unit(-direction + Unit(-SphereCenter));
        for (int i = 0; i < 50; ++i) {
            const Vec3 point = SphereCenter + normal * SphereRadius;
            normal = Unit(-direction + Unit(-point));
        }
        return SphereCenter + normal * SphereRadius;
    }

    // The pixel a view-space point is drawn at.
    void PixelOf(Vec3 point, float& x, float& y) {
        D3DVECTOR world{point.x, point.y, point.z};
        D3DRMVECTOR4D screen{};
        rig.viewport->Transform(&screen, &world);
        x = screen.x / screen.w;
        y = screen.y / screen.w;
    }

    rigs::SceneRig rig;
    IDirect3DRMFrame2* model = nullptr;
    IDirect3DRMMeshBuilder2* builder = nullptr;
    MeshData mesh;
    Vec3 direction;
};

int Green(std::uint32_t pixel) { return static_cast<int>((pixel >> 8) & 0xFF); }

const Vec3 FromUpperLeft{0.5f, -0.4f, 1.0f};

TEST(Phong, ShowsTheHighlightInsideATriangleWhereGouraudMissesIt) {
    // Eight segments round and six rings: big triangles, whose corners all lie far from the
    // highlight.
    SphereScene gouraud(6, 8, FromUpperLeft, D3DRMSHADE_GOURAUD);
    SphereScene phong(6, 8, FromUpperLeft, D3DRMSHADE_PHONG);
    gouraud.rig.Frame();
    phong.rig.Frame();
    EXPECT_TRUE(rigs::MatchesGolden(gouraud.rig.window, "coarse_sphere_gouraud"));
    EXPECT_TRUE(rigs::MatchesGolden(phong.rig.window, "coarse_sphere_phong"));
    float x = 0, y = 0;
    phong.PixelOf(phong.HighlightPoint(), x, y);
    const int px = static_cast<int>(x), py = static_cast<int>(y);
    // Red paint: green comes from the white highlight alone.
    EXPECT_GT(Green(phong.rig.window.Pixel(px, py)), 80);
    EXPECT_GT(Green(phong.rig.window.Pixel(px, py)), Green(gouraud.rig.window.Pixel(px, py)) + 60);
    // Away from the highlight both light the paint alike.
    float ex = 0, ey = 0;
    phong.PixelOf(SphereCenter + Vec3{0.9f, -0.9f, -1.0f} * (SphereRadius / std::sqrt(2.62f)), ex, ey);
    const std::uint32_t phongEdge = phong.rig.window.Pixel(static_cast<int>(ex), static_cast<int>(ey));
    const std::uint32_t gouraudEdge = gouraud.rig.window.Pixel(static_cast<int>(ex), static_cast<int>(ey));
    EXPECT_NEAR(static_cast<int>(phongEdge >> 16), static_cast<int>(gouraudEdge >> 16), 12);
}

TEST(Phong, HighlightSitsWhereTheHalfVectorMeetsTheNormal) {
    for (const Vec3 direction : {FromUpperLeft, Vec3{-0.7f, 0.2f, 1.0f}, Vec3{0.1f, 0.6f, 0.8f}}) {
        SphereScene scene(16, 24, direction, D3DRMSHADE_PHONG);
        scene.rig.Frame();
        // The centre of the brightest pixels: the paint is red, so green is the highlight.
        int brightest = 0;
        for (std::uint32_t p : scene.rig.window.Pixels()) brightest = std::max(brightest, Green(p));
        ASSERT_GT(brightest, 60);
        float sumX = 0, sumY = 0, count = 0;
        for (int y = 0; y < Size; ++y)
            for (int x = 0; x < Size; ++x)
                if (Green(scene.rig.window.Pixel(x, y)) >= brightest - 8) {
                    sumX += static_cast<float>(x) + 0.5f;
                    sumY += static_cast<float>(y) + 0.5f;
                    ++count;
                }
        float x = 0, y = 0;
        scene.PixelOf(scene.HighlightPoint(), x, y);
        EXPECT_NEAR(sumX / count, x, 0.75f) << direction.x << " " << direction.y;
        EXPECT_NEAR(sumY / count, y, 0.75f) << direction.x << " " << direction.y;
    }
}

TEST(Phong, MonoModelShowsTheHighlightOnTheFaceColoursRamp) {
    // Intensity does not take the face colour: a dim light keeps the lit side off full intensity,
    // and a full specular colour makes the highlight stand out.
    SphereScene gouraud(6, 8, FromUpperLeft, D3DRMSHADE_GOURAUD, IID_IDirect3DRampDevice, 0.45f);
    SphereScene phong(6, 8, FromUpperLeft, D3DRMSHADE_PHONG, IID_IDirect3DRampDevice, 0.45f);
    for (SphereScene* scene : {&gouraud, &phong}) {
        scene->mesh.materials[0].specular = {1, 1, 1};
        scene->ReplaceMesh();
        scene->rig.Frame();
    }
    EXPECT_TRUE(rigs::MatchesGolden(phong.rig.window, "coarse_sphere_phong_mono"));
    float x = 0, y = 0;
    phong.PixelOf(phong.HighlightPoint(), x, y);
    const std::uint32_t lit = phong.rig.window.Pixel(static_cast<int>(x), static_cast<int>(y));
    const std::uint32_t smeared = gouraud.rig.window.Pixel(static_cast<int>(x), static_cast<int>(y));
    // The highlight is a brighter step of the paint's own ramp, not white.
    EXPECT_NEAR(static_cast<int>(lit >> 16), 5 * Green(lit), 6);
    EXPECT_GT(static_cast<int>(lit >> 16), static_cast<int>(smeared >> 16) + 40);
}

TEST(Phong, WhiteTextureLooksLikeAWhiteFace) {
    // The texel is modulated by the pixel's light as Gouraud modulates it by the corners'.
    std::vector<std::uint32_t> images[2];
    for (int textured = 0; textured < 2; ++textured) {
        SphereScene scene(6, 8, FromUpperLeft, D3DRMSHADE_PHONG);
        scene.mesh.materials[0].faceColor = {1, 1, 1};
        scene.mesh.textureCoordinates.assign(scene.mesh.positions.size(), {0.25f, 0.75f});
        scene.ReplaceMesh();
        if (textured) {
            const std::uint8_t white[4 * 4] = {255, 255, 255, 255, 255, 255, 255, 255,
                                               255, 255, 255, 255, 255, 255, 255, 255};
            IDirect3DRMTexture* texture = nullptr;
            ASSERT_EQ(varnoka::rm::CreateTextureFromRGBA(2, 2, white, sizeof white, &texture), D3DRM_OK);
            scene.rig.owned.push_back(texture);
            scene.builder->SetTexture(texture);
        }
        scene.rig.device->SetTextureQuality(D3DRMTEXTURE_LINEAR);
        scene.rig.Frame();
        images[textured] = scene.rig.window.Pixels();
    }
    int lit = 0;
    for (std::size_t i = 0; i < images[0].size(); ++i) {
        for (int shift = 0; shift <= 16; shift += 8)
            ASSERT_NEAR(static_cast<int>((images[0][i] >> shift) & 0xFF),
                        static_cast<int>((images[1][i] >> shift) & 0xFF), 1)
                << "pixel " << i;
        lit += images[1][i] != 0;
    }
    EXPECT_GT(lit, 500);
}

TEST(Phong, WithoutLightingDrawsAsGouraud) {
    SphereScene gouraud(6, 8, FromUpperLeft, D3DRMSHADE_GOURAUD);
    SphereScene phong(6, 8, FromUpperLeft, D3DRMSHADE_PHONG);
    gouraud.rig.device->SetQuality(D3DRMLIGHT_OFF | D3DRMFILL_SOLID | D3DRMSHADE_GOURAUD);
    phong.rig.device->SetQuality(D3DRMLIGHT_OFF | D3DRMFILL_SOLID | D3DRMSHADE_PHONG);
    gouraud.rig.Frame();
    phong.rig.Frame();
    EXPECT_EQ(rigs::CountDifferentPixels(gouraud.rig.window.Pixels(), phong.rig.window.Pixels()), 0);
    EXPECT_GT(rigs::CountPixelsNot(phong.rig.window, 0), 500);
}

}  // namespace
