#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "scene_rig.h"

#include "retained/mesh_data.h"

namespace {

using varnoka::rm::MeshData;

constexpr float NaN = std::numeric_limits<float>::quiet_NaN();

// Arguments wrong in themselves are refused in argument_checks_test.cpp; these are wrong against
// the objects' state.
TEST(BadInput, ValuesThatDoNotFitTheObjectGiveResultCodes) {
    rigs::SceneRig rig(8, 8);
    EXPECT_EQ(rig.camera->SetRotation(rig.scene, 0, 0, 0, 0.5f), D3DRMERR_BADVALUE);
    EXPECT_EQ(rig.viewport->SetBack(0.5f), D3DRMERR_BADVALUE);  // in front of the front plane
    D3DRMVECTOR4D atEye{1, 1, 0, 0};
    D3DVECTOR out{};
    EXPECT_EQ(rig.viewport->InverseTransform(&out, &atEye), D3DRMERR_BADVALUE);
    // Picks outside the viewport find nothing rather than reading outside the buffers.
    IDirect3DRMPickedArray* picked = nullptr;
    ASSERT_EQ(rig.viewport->Pick(-5, 1000, &picked), D3DRM_OK);
    EXPECT_EQ(picked->GetSize(), 0u);
    picked->Release();
}

TEST(BadInput, MalformedMeshDataIsRefusedAndLeavesTheBuilderAsItWas) {
    rigs::SceneRig rig(8, 8);
    IDirect3DRMMeshBuilder2* builder = rigs::MakeBuilder(rig, rigs::BoxMesh(1, {1, 1, 1}));
    ASSERT_EQ(builder->GetFaceCount(), 6);
    MeshData outOfRange = rigs::BoxMesh(1, {1, 1, 1});
    outOfRange.faces[2].positions[1] = 99;
    MeshData twoCorners = rigs::BoxMesh(1, {1, 1, 1});
    twoCorners.faces[0].positions.resize(2);
    MeshData notFinite = rigs::BoxMesh(1, {1, 1, 1});
    notFinite.positions[3].y = NaN;
    MeshData badMaterial = rigs::BoxMesh(1, {1, 1, 1});
    badMaterial.faces[1].material = 5;
    MeshData badCoordinates = rigs::SquareMesh(1, {1, 1, 1});
    badCoordinates.textureCoordinates.pop_back();
    for (const MeshData* bad : {&outOfRange, &twoCorners, &notFinite, &badMaterial, &badCoordinates})
        EXPECT_EQ(varnoka::rm::AssignMeshData(builder, *bad), D3DRMERR_BADVALUE);
    EXPECT_EQ(builder->GetFaceCount(), 6);
    EXPECT_EQ(varnoka::rm::AssignMeshData(rig.scene, outOfRange), D3DRMERR_BADOBJECT);
    IDirect3DRMTexture* texture = nullptr;
    const std::uint8_t pixel[4] = {1, 2, 3, 4};
    EXPECT_EQ(varnoka::rm::CreateTextureFromRGBA(1, 1, pixel, 3, &texture), D3DRMERR_BADVALUE);
    EXPECT_EQ(varnoka::rm::CreateTextureFromRGBA(0, 1, pixel, 0, &texture), D3DRMERR_BADVALUE);
    EXPECT_EQ(varnoka::rm::CreateTextureFromRGBA(100000, 100000, pixel, 4, &texture), D3DRMERR_BADVALUE);
}

TEST(BadInput, DegenerateHugeAndSurroundingGeometryDrawsWithoutHarm) {
    rigs::SceneRig rig(32, 24);
    rig.AddLights();
    MeshData odd;
    odd.positions = {{0, 0, 0},
                     {1, 1, 1},
                     {2, 2, 2},  // collinear
                     {0, 0, 0},
                     {0, 0, 0},
                     {0, 0, 0},  // a point
                     {-1e30f, -1e30f, 5},
                     {1e30f, -1e30f, 5},
                     {0, 1e30f, 5},  // beyond float precision
                     {-1e6f, 1e6f, -1e6f},
                     {1e6f, 1e6f, 1e7f},
                     {1e6f, -1e6f, 1e7f},
                     {-1e4f, -1e4f, 50},
                     {1e4f, -1e4f, 50},
                     {0, 1e4f, 50}};  // far beyond the view
    for (std::uint32_t i = 0; i < odd.positions.size(); i += 3) {
        varnoka::rm::MeshFace face;
        face.positions = {i, i + 1, i + 2};
        odd.faces.push_back(face);
        face.positions = {i, i + 2, i + 1};  // and seen from the other side
        odd.faces.push_back(face);
    }
    rig.AddChildFrame(0, 0, 3)->AddVisual(rigs::MakeBuilder(rig, odd));
    // The camera inside a box: its faces are all seen from behind and culled.
    rig.AddChildFrame(0, 0, 0)->AddVisual(rigs::MakeBuilder(rig, rigs::BoxMesh(3, {0, 1, 0})));
    for (DWORD fill : {D3DRMFILL_SOLID, D3DRMFILL_WIREFRAME, D3DRMFILL_POINTS}) {
        rig.device->SetQuality(fill | D3DRMLIGHT_ON | D3DRMSHADE_GOURAUD);
        rig.Frame();
    }
    // The big triangle, cut down to the guard band, still covers the whole view.
    rig.device->SetQuality(D3DRMRENDER_GOURAUD);
    rig.Frame();
    EXPECT_EQ(rigs::CountPixelsNot(rig.window, 0), 32 * 24);
    IDirect3DRMPickedArray* picked = nullptr;
    EXPECT_EQ(rig.viewport->Pick(16, 12, &picked), D3DRM_OK);
    picked->Release();
}

TEST(BadInput, ZeroSizeDeviceAndViewportDrawNothing) {
    rigs::SceneRig rig(0, 0);
    rig.AddChildFrame(0, 0, 5)->AddVisual(rigs::MakeBuilder(rig, rigs::BoxMesh(1, {1, 1, 1})));
    rig.Frame();
    EXPECT_EQ(rig.window.Pixels().size(), 0u);
    D3DVECTOR p{0, 0, 5};
    D3DRMVECTOR4D screen{};
    EXPECT_EQ(rig.viewport->Transform(&screen, &p), D3DRM_OK);
    D3DVECTOR back{};
    EXPECT_EQ(rig.viewport->InverseTransform(&back, &screen), D3DRMERR_BADVALUE);
    IDirect3DRMPickedArray* picked = nullptr;
    ASSERT_EQ(rig.viewport->Pick(0, 0, &picked), D3DRM_OK);
    EXPECT_EQ(picked->GetSize(), 0u);
    picked->Release();
}

TEST(BadInput, ARunawayVelocityStopsShortOfInfinity) {
    rigs::SceneRig rig(8, 8);
    IDirect3DRMFrame2* frame = rig.AddChildFrame(0, 0, 0);
    frame->SetVelocity(rig.scene, 3e38f, 0, 0, FALSE);
    for (int i = 0; i < 4; ++i) rig.scene->Move(1.0f);
    D3DVECTOR p{};
    frame->GetPosition(rig.scene, &p);
    EXPECT_TRUE(std::isfinite(p.x));
}

}  // namespace
