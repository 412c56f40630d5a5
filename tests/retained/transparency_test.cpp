#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

#include "scene_rig.h"

#include "retained/pipeline/transparent_faces.h"
#include "retained/texture.h"

namespace {

using varnoka::rm::MeshData;
using varnoka::rm::Vec3;

constexpr DWORD BlendedAndSorted = D3DRMRENDERMODE_BLENDEDTRANSPARENCY | D3DRMRENDERMODE_SORTEDTRANSPARENCY;
constexpr DWORD Unlit = D3DRMLIGHT_OFF | D3DRMFILL_SOLID | D3DRMSHADE_FLAT;

MeshData GlassSquare(float size, Vec3 color, float alpha) {
    MeshData square = rigs::SquareMesh(size, color);
    square.materials[0].alpha = alpha;
    return square;
}

// Channels within one step of each other: the mix rounds once, and 0.5 may land either side.
::testing::AssertionResult NearColor(std::uint32_t actual, std::uint32_t expected) {
    for (int shift = 0; shift <= 16; shift += 8) {
        const int a = static_cast<int>((actual >> shift) & 0xFF), e = static_cast<int>((expected >> shift) & 0xFF);
        if (std::abs(a - e) > 1)
            return ::testing::AssertionFailure() << std::hex << actual << " is not near " << expected;
    }
    return ::testing::AssertionSuccess();
}

// Two unlit squares along the view axis, added in the order given.
struct TwoSquares {
    TwoSquares(const MeshData& first, float firstZ, const MeshData& second, float secondZ, DWORD mode,
               DWORD quality = Unlit)
        : rig(16, 16) {
        rig.device->SetQuality(quality);
        EXPECT_EQ(rig.device->SetRenderMode(mode), D3DRM_OK);
        firstBuilder = rigs::MakeBuilder(rig, first);
        secondBuilder = rigs::MakeBuilder(rig, second);
        rig.AddChildFrame(0, 0, firstZ)->AddVisual(firstBuilder);
        rig.AddChildFrame(0, 0, secondZ)->AddVisual(secondBuilder);
        rig.Frame();
    }
    std::uint32_t Center() const { return rig.window.Pixel(8, 8); }
    rigs::SceneRig rig;
    IDirect3DRMMeshBuilder2* firstBuilder;
    IDirect3DRMMeshBuilder2* secondBuilder;
};

// The lit box of the other golden images, with a tinted glass square in front of its left half.
struct GlassOverBox {
    GlassOverBox(const GUID& device, bool glassFirst) : rig(48, 48, &device) {
        rig.AddLights();
        rig.scene->SetSceneBackgroundRGB(0.0f, 0.0f, 0.25f);
        rig.device->SetQuality(D3DRMLIGHT_ON | D3DRMFILL_SOLID | D3DRMSHADE_GOURAUD);
        rig.device->SetDither(TRUE);
        rig.device->SetRenderMode(BlendedAndSorted);
        IDirect3DRMFrame2* glass = nullptr;
        if (glassFirst) glass = rig.AddChildFrame(-0.8f, 0, 3.5f);
        IDirect3DRMFrame2* box = rig.AddChildFrame(0, 0, 6);
        box->SetOrientation(rig.scene, 0.6f, -0.5f, 1.0f, 0.0f, 1.0f, 0.0f);
        box->AddVisual(rigs::MakeBuilder(rig, rigs::BoxMesh(2.0f, {1.0f, 0.6f, 0.2f})));
        if (!glassFirst) glass = rig.AddChildFrame(-0.8f, 0, 3.5f);
        glass->AddVisual(rigs::MakeBuilder(rig, GlassSquare(1.6f, {0.3f, 0.8f, 1.0f}, 0.4f)));
        rig.Frame();
    }
    rigs::SceneRig rig;
};

TEST(Transparency, GlassOverAnOpaqueBoxLooksTheSameWhicheverIsAddedFirst) {
    for (const auto& [device, name] : {std::pair{&IID_IDirect3DRGBDevice, "rgb_glass_over_box"},
                                       std::pair{&IID_IDirect3DRampDevice, "mono_glass_over_box"}}) {
        GlassOverBox glassFirst(*device, true);
        GlassOverBox boxFirst(*device, false);
        EXPECT_TRUE(rigs::MatchesGolden(glassFirst.rig.window, name));
        EXPECT_EQ(rigs::CountDifferentPixels(glassFirst.rig.window.Pixels(), boxFirst.rig.window.Pixels()), 0) << name;
    }
}

TEST(Transparency, MixesByAlphaOverWhatLiesBehind) {
    // Half-clear blue in front of opaque red, added in either order.
    for (int glassFirst = 0; glassFirst < 2; ++glassFirst) {
        const MeshData glass = GlassSquare(1, {0, 0, 1}, 0.5f), wall = rigs::SquareMesh(4, {1, 0, 0});
        TwoSquares scene = glassFirst ? TwoSquares(glass, 3, wall, 5, BlendedAndSorted)
                                      : TwoSquares(wall, 5, glass, 3, BlendedAndSorted);
        EXPECT_TRUE(NearColor(scene.Center(), 0x800080u));
        EXPECT_EQ(scene.rig.window.Pixel(8, 2), 0xFF0000u);  // beside the glass
    }
}

TEST(Transparency, IsHiddenBehindAnOpaqueFace) {
    const MeshData wall = rigs::SquareMesh(4, {1, 0, 0});
    TwoSquares hidden(wall, 3, GlassSquare(2, {0, 0, 1}, 0.5f), 5, BlendedAndSorted);
    TwoSquares alone(wall, 3, MeshData{}, 5, BlendedAndSorted);
    EXPECT_EQ(rigs::CountDifferentPixels(hidden.rig.window.Pixels(), alone.rig.window.Pixels()), 0);
}

TEST(Transparency, SortedFacesMixFarthestFirstAndNoneHidesAnother) {
    // Near green is added before far red; on black, far then near gives a quarter red and half green.
    const MeshData nearGlass = GlassSquare(2, {0, 1, 0}, 0.5f), farGlass = GlassSquare(4, {1, 0, 0}, 0.5f);
    TwoSquares sorted(nearGlass, 3, farGlass, 5, BlendedAndSorted);
    EXPECT_TRUE(NearColor(sorted.Center(), 0x408000u));
    // Blended alone keeps the order faces came in; the far face still shows, as the near one
    // wrote no depth.
    TwoSquares unsorted(nearGlass, 3, farGlass, 5, D3DRMRENDERMODE_BLENDEDTRANSPARENCY);
    EXPECT_TRUE(NearColor(unsorted.Center(), 0x804000u));
}

TEST(Transparency, WithoutBlendingFacesAreDrawnOpaque) {
    const MeshData wall = rigs::SquareMesh(4, {1, 0, 0});
    TwoSquares solid(rigs::SquareMesh(2, {0, 0, 1}), 3, wall, 5, BlendedAndSorted);
    for (DWORD mode : {0u, static_cast<unsigned>(D3DRMRENDERMODE_SORTEDTRANSPARENCY)}) {
        TwoSquares glass(GlassSquare(2, {0, 0, 1}, 0.5f), 3, wall, 5, mode);
        EXPECT_EQ(glass.Center(), 0x0000FFu);
        EXPECT_EQ(rigs::CountDifferentPixels(glass.rig.window.Pixels(), solid.rig.window.Pixels()), 0);
    }
}

TEST(Transparency, OutlinesAndPointsMixToo) {
    const MeshData glass = GlassSquare(2, {0, 0, 1}, 0.5f), wall = rigs::SquareMesh(4, {1, 0, 0});
    for (DWORD fill : {D3DRMFILL_WIREFRAME, D3DRMFILL_POINTS}) {
        TwoSquares scene(glass, 3, wall, 5, BlendedAndSorted, D3DRMLIGHT_OFF | D3DRMSHADE_FLAT | fill);
        int mixed = 0;
        for (std::uint32_t p : scene.rig.window.Pixels()) {
            if ((p & 0xFF) == 0) continue;
            // The wall is outlined too, so the glass shows over black, mixed once: also at
            // corners, where two edges meet.
            EXPECT_TRUE(NearColor(p, 0x000080u)) << fill;
            ++mixed;
        }
        EXPECT_GT(mixed, fill == D3DRMFILL_WIREFRAME ? 8 : 0) << fill;
    }
}

TEST(Transparency, MonoMixesRampIntensities) {
    // Ambient 0.6 on a ramp of four shades gives 2/3: white glass at 2/3, half clear, over blue at 2/3.
    for (int glassFirst = 0; glassFirst < 2; ++glassFirst) {
        rigs::SceneRig rig(16, 16, &IID_IDirect3DRampDevice);
        IDirect3DRMLight* light = nullptr;
        rig.d3drm2->CreateLightRGB(D3DRMLIGHT_AMBIENT, 0.6f, 0.6f, 0.6f, &light);
        rig.scene->AddLight(light);
        light->Release();
        rig.device->SetShades(4);
        rig.device->SetQuality(D3DRMLIGHT_ON | D3DRMFILL_SOLID | D3DRMSHADE_FLAT);
        rig.device->SetRenderMode(BlendedAndSorted);
        const MeshData glass = GlassSquare(2, {1, 1, 1}, 0.5f), wall = rigs::SquareMesh(4, {0, 0, 1});
        rig.AddChildFrame(0, 0, glassFirst ? 3.0f : 5.0f)->AddVisual(rigs::MakeBuilder(rig, glassFirst ? glass : wall));
        rig.AddChildFrame(0, 0, glassFirst ? 5.0f : 3.0f)->AddVisual(rigs::MakeBuilder(rig, glassFirst ? wall : glass));
        rig.Frame();
        EXPECT_TRUE(NearColor(rig.window.Pixel(8, 8), 0x5555AAu));
    }
}

TEST(Transparency, GlassUnderPhongIsLitAtItsCornersAsUnderGouraud) {
    // Phong corners carry normals; glass held for blending must carry light instead.
    std::vector<std::uint32_t> pictures[2];
    for (int phong = 0; phong < 2; ++phong) {
        rigs::SceneRig rig(16, 16);
        rig.AddLights();
        rig.device->SetQuality(D3DRMLIGHT_ON | D3DRMFILL_SOLID | (phong ? D3DRMSHADE_PHONG : D3DRMSHADE_GOURAUD));
        rig.device->SetRenderMode(BlendedAndSorted);
        rig.AddChildFrame(0, 0, 3)->AddVisual(rigs::MakeBuilder(rig, GlassSquare(2, {0.2f, 0.9f, 0.4f}, 0.5f)));
        rig.Frame();
        pictures[phong] = rig.window.Pixels();
    }
    EXPECT_NE(pictures[0][8 * 16 + 8], 0u);
    EXPECT_EQ(rigs::CountDifferentPixels(pictures[0], pictures[1]), 0);
}

TEST(Transparency, TexelAlphaShowsWhatLiesBehind) {
    // Left texel clear, right texel half clear white, over opaque blue.
    const std::uint8_t rgba[8] = {255, 0, 0, 0, 255, 255, 255, 128};
    for (D3DRMTEXTUREQUALITY filter : {D3DRMTEXTURE_NEAREST, D3DRMTEXTURE_LINEAR}) {
        rigs::SceneRig rig(16, 16);
        rig.device->SetQuality(Unlit);
        rig.device->SetTextureQuality(filter);
        rig.device->SetRenderMode(BlendedAndSorted);
        IDirect3DRMTexture* texture = nullptr;
        ASSERT_EQ(varnoka::rm::CreateTextureFromRGBA(2, 1, rgba, sizeof rgba, &texture), D3DRM_OK);
        rig.owned.push_back(texture);
        IDirect3DRMMeshBuilder2* glass = rigs::MakeBuilder(rig, rigs::SquareMesh(4, {1, 1, 1}));
        glass->SetTexture(texture);
        rig.AddChildFrame(0, 0, 3)->AddVisual(glass);
        rig.AddChildFrame(0, 0, 5)->AddVisual(rigs::MakeBuilder(rig, rigs::SquareMesh(8, {0, 0, 1})));
        rig.Frame();
        if (filter == D3DRMTEXTURE_NEAREST) {
            EXPECT_EQ(rig.window.Pixel(4, 8), 0x0000FFu);
            EXPECT_TRUE(NearColor(rig.window.Pixel(11, 8), 0x8080FFu));
        } else {
            // Filtered alpha rises from the clear texel toward the other.
            EXPECT_LT(rig.window.Pixel(5, 8) >> 16, rig.window.Pixel(10, 8) >> 16);
        }
    }
}

TEST(Transparency, GlassCanBePicked) {
    TwoSquares scene(GlassSquare(2, {0, 0, 1}, 0.5f), 3, rigs::SquareMesh(4, {1, 0, 0}), 5, BlendedAndSorted);
    IDirect3DRMPickedArray* picked = nullptr;
    ASSERT_EQ(scene.rig.viewport->Pick(8, 8, &picked), D3DRM_OK);
    ASSERT_EQ(picked->GetSize(), 2u);
    IDirect3DRMVisual* visual = nullptr;
    IDirect3DRMFrameArray* frames = nullptr;
    ASSERT_EQ(picked->GetPick(0, &visual, &frames, nullptr), D3DRM_OK);
    EXPECT_EQ(visual, static_cast<IDirect3DRMVisual*>(scene.firstBuilder));
    frames->Release();
    visual->Release();
    picked->Release();
}

TEST(Transparency, DeviceKeepsItsRenderModeAndRefusesUnknownBits) {
    rigs::SceneRig rig(8, 8);
    EXPECT_EQ(rig.device->GetRenderMode(), 0u);
    for (DWORD mode : {1u, 2u, 3u, 0u}) {
        ASSERT_EQ(rig.device->SetRenderMode(mode), D3DRM_OK);
        EXPECT_EQ(rig.device->GetRenderMode(), mode);
    }
    rig.device->SetRenderMode(BlendedAndSorted);
    for (DWORD bad : {4u, 0x80000000u, 0xFFFFFFFFu}) EXPECT_EQ(rig.device->SetRenderMode(bad), D3DRMERR_BADVALUE);
    EXPECT_EQ(rig.device->GetRenderMode(), BlendedAndSorted);
}

TEST(TransparentFaces, SortFarthestFirstKeepingTheOrderOfEqualDepths) {
    using varnoka::rm::ClipVertex;
    varnoka::rm::TransparentFaces faces;
    const varnoka::rm::CompiledMaterial material{};
    std::vector<ClipVertex> corners(3);
    const float depths[] = {2, 5, 2, std::nanf(""), 5, 1};
    for (int round = 0; round < 2; ++round) {  // the second round reuses what the first grew
        faces.Clear();
        for (std::size_t i = 0; i < std::size(depths); ++i) {
            corners[0].u = static_cast<float>(i);
            faces.Hold(depths[i], corners, material, nullptr);
        }
        faces.SortBackToFront();
        std::vector<float> firstCornerU;
        for (const varnoka::rm::HeldFace& face : faces.Faces()) {
            faces.CornersOf(face, corners);
            ASSERT_EQ(corners.size(), 3u);
            firstCornerU.push_back(corners[0].u);
        }
        // The face whose depth is not a number sorts as depth 0, nearest.
        EXPECT_EQ(firstCornerU, (std::vector<float>{1, 4, 0, 2, 5, 3}));
    }
}

}  // namespace
