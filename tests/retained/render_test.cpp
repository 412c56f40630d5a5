#include <gtest/gtest.h>

#include <string>

#include "scene_rig.h"

#include "retained/mesh_data.h"

namespace {

using varnoka::rm::MeshData;
using varnoka::rm::Vec3;

constexpr int Width = 64;
constexpr int Height = 48;

// A lit box turned so that three faces show, in front of a dark blue background.
struct BoxScene {
    explicit BoxScene(const GUID& device, DWORD quality) : rig(Width, Height, &device) {
        rig.AddLights();
        rig.scene->SetSceneBackgroundRGB(0.0f, 0.0f, 0.25f);
        IDirect3DRMFrame2* model = rig.AddChildFrame(0, 0, 6);
        model->SetOrientation(rig.scene, 0.6f, -0.5f, 1.0f, 0.0f, 1.0f, 0.0f);
        model->AddVisual(rigs::MakeBuilder(rig, rigs::GoldenBoxMesh()));
        rig.device->SetQuality(quality);
    }
    rigs::SceneRig rig;
};

struct ModeCase {
    const char* name;
    bool mono;
    DWORD quality;
};

class FillAndShadeModes : public ::testing::TestWithParam<ModeCase> {};

TEST_P(FillAndShadeModes, MatchGoldenImage) {
    const ModeCase& mode = GetParam();
    BoxScene box(mode.mono ? IID_IDirect3DRampDevice : IID_IDirect3DRGBDevice, mode.quality);
    box.rig.Frame();
    EXPECT_TRUE(rigs::MatchesGolden(box.rig.window, mode.name));
}

constexpr DWORD Lit = D3DRMLIGHT_ON;
INSTANTIATE_TEST_SUITE_P(
    BothColorModels, FillAndShadeModes,
    ::testing::Values(ModeCase{"rgb_solid_flat", false, D3DRMFILL_SOLID | D3DRMSHADE_FLAT | Lit},
                      ModeCase{"rgb_solid_gouraud", false, D3DRMFILL_SOLID | D3DRMSHADE_GOURAUD | Lit},
                      ModeCase{"rgb_wireframe_flat", false, D3DRMFILL_WIREFRAME | D3DRMSHADE_FLAT | Lit},
                      ModeCase{"rgb_wireframe_gouraud", false, D3DRMFILL_WIREFRAME | D3DRMSHADE_GOURAUD | Lit},
                      ModeCase{"rgb_points_gouraud", false, D3DRMFILL_POINTS | D3DRMSHADE_GOURAUD | Lit},
                      ModeCase{"rgb_solid_unlit", false, D3DRMFILL_SOLID | D3DRMSHADE_GOURAUD},
                      ModeCase{"mono_solid_flat", true, D3DRMFILL_SOLID | D3DRMSHADE_FLAT | Lit},
                      ModeCase{"mono_solid_gouraud", true, D3DRMFILL_SOLID | D3DRMSHADE_GOURAUD | Lit},
                      ModeCase{"mono_wireframe_gouraud", true, D3DRMFILL_WIREFRAME | D3DRMSHADE_GOURAUD | Lit},
                      ModeCase{"mono_points_flat", true, D3DRMFILL_POINTS | D3DRMSHADE_FLAT | Lit}),
    [](const ::testing::TestParamInfo<ModeCase>& info) { return std::string(info.param.name); });

TEST(Shading, MonoModelIgnoresLightColorAndStepsByShades) {
    // A red light on a white box: RGB shows red, mono shows the box's own white ramp.
    for (const GUID* device : {&IID_IDirect3DRGBDevice, &IID_IDirect3DRampDevice}) {
        rigs::SceneRig rig(16, 16, device);
        IDirect3DRMLight* light = nullptr;
        rig.d3drm2->CreateLightRGB(D3DRMLIGHT_AMBIENT, 0.6f, 0.0f, 0.0f, &light);
        rig.scene->AddLight(light);
        light->Release();
        rig.AddChildFrame(0, 0, 4)->AddVisual(rigs::MakeBuilder(rig, rigs::SquareMesh(4, {1, 1, 1})));
        rig.device->SetShades(4);
        rig.Frame();
        const std::uint32_t center = rig.window.Pixel(8, 8);
        if (device == &IID_IDirect3DRGBDevice) {
            EXPECT_EQ(center, 0x990000u);
        } else {
            // Intensity 0.2 (the light's brightness) on a ramp of 4 shades rounds to 1/3.
            EXPECT_EQ(center, 0x555555u);
        }
    }
}

TEST(Dithering, SmoothsTheStepsBetweenMonoShades) {
    std::vector<std::uint32_t> images[2];
    for (int dither = 0; dither < 2; ++dither) {
        BoxScene box(IID_IDirect3DRampDevice, D3DRMRENDER_GOURAUD);
        box.rig.device->SetShades(4);
        box.rig.device->SetDither(dither);
        box.rig.Frame();
        EXPECT_TRUE(rigs::MatchesGolden(box.rig.window, dither ? "mono_dither_on" : "mono_dither_off"));
        images[dither] = box.rig.window.Pixels();
    }
    EXPECT_GT(rigs::CountDifferentPixels(images[0], images[1]), 100);
}

struct TexturedSquare {
    explicit TexturedSquare(D3DRMTEXTUREQUALITY filter) : rig(Width, Height) {
        IDirect3DRMFrame2* model = rig.AddChildFrame(0, 0, 4);
        model->SetOrientation(rig.scene, 0.0f, -0.8f, 1.0f, 0.0f, 1.0f, 0.0f);  // floor-like tilt
        IDirect3DRMMeshBuilder2* square = rigs::MakeBuilder(rig, rigs::SquareMesh(3.0f, {1, 1, 1}, 2.0f));
        square->SetTexture(rigs::MakeChecker(rig, 4, 4));
        model->AddVisual(square);
        rig.device->SetQuality(D3DRMLIGHT_OFF | D3DRMFILL_SOLID | D3DRMSHADE_GOURAUD);
        rig.device->SetTextureQuality(filter);
    }
    rigs::SceneRig rig;
};

TEST(Textures, NearestAndLinearFilteringMatchGoldenImages) {
    TexturedSquare nearest(D3DRMTEXTURE_NEAREST);
    TexturedSquare linear(D3DRMTEXTURE_LINEAR);
    nearest.rig.Frame();
    linear.rig.Frame();
    EXPECT_TRUE(rigs::MatchesGolden(nearest.rig.window, "texture_nearest"));
    EXPECT_TRUE(rigs::MatchesGolden(linear.rig.window, "texture_linear"));
    // Nearest only ever shows texel colours; linear blends them at cell borders.
    int blended = 0;
    for (std::uint32_t p : linear.rig.window.Pixels()) blended += p != 0xFF0000u && p != 0xFFFFFFu && p != 0;
    for (std::uint32_t p : nearest.rig.window.Pixels()) EXPECT_TRUE(p == 0xFF0000u || p == 0xFFFFFFu || p == 0);
    EXPECT_GT(blended, 20);
}

TEST(Textures, LitLinearFilteringKeepsItsBits) {
    // Lit, dithered, linearly filtered faces on both colour models, bit for bit as the exact
    // filter drew them before the span loops were made faster.
    for (const bool mono : {false, true}) {
        rigs::SceneRig rig(Width, Height, mono ? &IID_IDirect3DRampDevice : &IID_IDirect3DRGBDevice);
        rig.AddLights();
        IDirect3DRMFrame2* model = rig.AddChildFrame(0.3f, 0, 4);
        model->SetOrientation(rig.scene, 0.4f, -0.8f, 1.0f, 0.2f, 1.0f, 0.0f);
        MeshData data = rigs::SquareMesh(3.0f, {0.9f, 0.8f, 0.7f}, 1.5f);
        data.materials[0].power = 6.0f;  // corners lit differently
        data.materials[0].specular = {0.5f, 0.5f, 0.5f};
        IDirect3DRMMeshBuilder2* square = rigs::MakeBuilder(rig, data);
        square->SetTexture(rigs::MakeChecker(rig, 4, 4));
        model->AddVisual(square);
        rig.device->SetQuality(D3DRMRENDER_GOURAUD);
        rig.device->SetTextureQuality(D3DRMTEXTURE_LINEAR);
        rig.device->SetDither(TRUE);
        rig.Frame();
        EXPECT_TRUE(rigs::MatchesGolden(rig.window, mono ? "linear_lit_mono" : "linear_lit_rgb", 0, 0));
    }
}

TEST(Textures, AreCorrectInPerspective) {
    // A square running away from the eye: the middle texel row lands nearer the far edge than
    // an affine mapping would put it, exactly where the square's middle projects.
    rigs::SceneRig rig(32, 64);
    IDirect3DRMFrame2* model = rig.AddChildFrame(0, 0, 3);
    model->SetOrientation(rig.scene, 0.0f, -1.0f, 1.0f, 0.0f, 1.0f, 1.0f);
    varnoka::rm::MeshData data = rigs::SquareMesh(2.0f, {1, 1, 1});
    IDirect3DRMMeshBuilder2* square = rigs::MakeBuilder(rig, data);
    // Two texels tall: red on top (far half), white below (near half).
    const std::uint8_t rgba[8] = {255, 0, 0, 255, 255, 255, 255, 255};
    IDirect3DRMTexture* texture = nullptr;
    ASSERT_EQ(varnoka::rm::CreateTextureFromRGBA(1, 2, rgba, sizeof rgba, &texture), D3DRM_OK);
    rig.owned.push_back(texture);
    square->SetTexture(texture);
    model->AddVisual(square);
    rig.device->SetQuality(D3DRMLIGHT_OFF | D3DRMFILL_SOLID | D3DRMSHADE_FLAT);
    rig.Frame();
    D3DVECTOR middle{0, 0, 3};
    D3DRMVECTOR4D screen{};
    rig.viewport->Transform(&screen, &middle);
    const int boundary = static_cast<int>(screen.y / screen.w);
    EXPECT_EQ(rig.window.Pixel(16, boundary - 1), 0xFF0000u);
    EXPECT_EQ(rig.window.Pixel(16, boundary + 1), 0xFFFFFFu);
}

TEST(BackPlane, HidesWhatLiesBeyondAndCutsWhatCrossesIt) {
    rigs::SceneRig rig(32, 32);
    rig.device->SetQuality(D3DRMLIGHT_OFF | D3DRMFILL_SOLID | D3DRMSHADE_FLAT);
    IDirect3DRMFrame2* model = rig.AddChildFrame(0, 0, 20);
    model->AddVisual(rigs::MakeBuilder(rig, rigs::BoxMesh(4.0f, {0, 1, 0})));
    rig.viewport->SetBack(30.0f);
    rig.Frame();
    const int whole = rigs::CountPixelsNot(rig.window, 0);
    EXPECT_GT(whole, 0);
    rig.viewport->SetBack(10.0f);  // the whole box lies beyond
    rig.Frame();
    EXPECT_EQ(rigs::CountPixelsNot(rig.window, 0), 0);
    // Turned edge-on, the box's near corner pokes through a plane that cuts it.
    model->SetOrientation(rig.scene, 1, 0, 1, 0, 1, 0);
    rig.viewport->SetBack(19.0f);
    rig.Frame();
    const int cut = rigs::CountPixelsNot(rig.window, 0);
    EXPECT_GT(cut, 0);
    EXPECT_LT(cut, whole);
    EXPECT_TRUE(rigs::MatchesGolden(rig.window, "back_plane_cut"));
}

TEST(DepthBuffer, NearerObjectWinsWhateverTheDrawingOrder) {
    for (int order = 0; order < 2; ++order) {
        rigs::SceneRig rig(16, 16);
        rig.device->SetQuality(D3DRMLIGHT_OFF | D3DRMFILL_SOLID | D3DRMSHADE_FLAT);
        IDirect3DRMMeshBuilder2* nearSquare = rigs::MakeBuilder(rig, rigs::SquareMesh(1, {0, 0, 1}));
        IDirect3DRMMeshBuilder2* farSquare = rigs::MakeBuilder(rig, rigs::SquareMesh(4, {1, 0, 0}));
        IDirect3DRMFrame2* first = rig.AddChildFrame(0, 0, order ? 3.0f : 5.0f);
        IDirect3DRMFrame2* second = rig.AddChildFrame(0, 0, order ? 5.0f : 3.0f);
        first->AddVisual(order ? nearSquare : farSquare);
        second->AddVisual(order ? farSquare : nearSquare);
        rig.Frame();
        EXPECT_EQ(rig.window.Pixel(8, 8), 0x0000FFu);
        EXPECT_EQ(rig.window.Pixel(8, 2), 0xFF0000u);
    }
}

}  // namespace
