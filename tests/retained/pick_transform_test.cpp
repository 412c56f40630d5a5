#include <gtest/gtest.h>

#include "scene_rig.h"

namespace {

struct Picking : ::testing::Test {
    rigs::SceneRig rig{64, 48};
};

TEST_F(Picking, TransformGivesKnownScreenPositionsAndInverseTransformUndoesIt) {
    // Default viewport: front 1, field 0.5 across the larger side (64 px): 64 px per unit at depth 1.
    D3DVECTOR onAxis{0, 0, 5};
    D3DRMVECTOR4D screen{};
    ASSERT_EQ(rig.viewport->Transform(&screen, &onAxis), D3DRM_OK);
    EXPECT_FLOAT_EQ(screen.w, 5.0f);
    EXPECT_FLOAT_EQ(screen.x / screen.w, 32.0f);
    EXPECT_FLOAT_EQ(screen.y / screen.w, 24.0f);
    D3DVECTOR offAxis{1, 1, 4};
    rig.viewport->Transform(&screen, &offAxis);
    EXPECT_FLOAT_EQ(screen.x / screen.w, 32.0f + 16.0f);
    EXPECT_FLOAT_EQ(screen.y / screen.w, 24.0f - 16.0f);  // screen y runs down
    D3DVECTOR frontPlane{0, 0, 1}, backPlane{0, 0, 100};
    rig.viewport->Transform(&screen, &frontPlane);
    EXPECT_NEAR(screen.z / screen.w, 0.0f, 1e-6f);
    rig.viewport->Transform(&screen, &backPlane);
    EXPECT_NEAR(screen.z / screen.w, 1.0f, 1e-6f);

    // Round trip through a moved, turned camera; a shift of (dx, dy) * w moves the point by
    // (dx, dy) pixels at the same depth, which is how a drag moves an object.
    rig.camera->SetPosition(rig.scene, 1, 2, -3);
    rig.camera->SetOrientation(rig.scene, 0.3f, -0.2f, 1, 0, 1, 0);
    D3DVECTOR p{0.5f, -0.25f, 7}, back{};
    rig.viewport->Transform(&screen, &p);
    ASSERT_EQ(rig.viewport->InverseTransform(&back, &screen), D3DRM_OK);
    EXPECT_NEAR(back.x, p.x, 1e-4f);
    EXPECT_NEAR(back.y, p.y, 1e-4f);
    EXPECT_NEAR(back.z, p.z, 1e-4f);
    const D3DRMVECTOR4D start = screen;
    screen.x += 3 * screen.w;
    screen.y -= 4 * screen.w;
    rig.viewport->InverseTransform(&back, &screen);
    rig.viewport->Transform(&screen, &back);
    EXPECT_NEAR(screen.x / screen.w - start.x / start.w, 3.0f, 1e-3f);
    EXPECT_NEAR(screen.y / screen.w - start.y / start.w, -4.0f, 1e-3f);
    EXPECT_NEAR(screen.w, start.w, 1e-4f);
}

TEST_F(Picking, NearestVisualComesFirstWithItsFramePathFromTheRoot) {
    IDirect3DRMFrame2* farFrame = rig.AddChildFrame(0, 0, 10);
    IDirect3DRMFrame2* holder = rig.AddChildFrame(0, 0, 0);
    IDirect3DRMFrame2* nearFrame = nullptr;
    rig.d3drm2->CreateFrame(holder, &nearFrame);
    rig.owned.push_back(nearFrame);
    nearFrame->SetPosition(rig.scene, 0, 0, 4);
    IDirect3DRMMeshBuilder2* farBox = rigs::MakeBuilder(rig, rigs::BoxMesh(4, {1, 0, 0}));
    IDirect3DRMMeshBuilder2* nearBox = rigs::MakeBuilder(rig, rigs::BoxMesh(1, {0, 1, 0}));
    farFrame->AddVisual(farBox);
    nearFrame->AddVisual(nearBox);

    IDirect3DRMPickedArray* picked = nullptr;
    ASSERT_EQ(rig.viewport->Pick(32, 24, &picked), D3DRM_OK);
    ASSERT_EQ(picked->GetSize(), 2u);
    IDirect3DRMVisual* visual = nullptr;
    IDirect3DRMFrameArray* frames = nullptr;
    D3DRMPICKDESC description{};
    ASSERT_EQ(picked->GetPick(0, &visual, &frames, &description), D3DRM_OK);
    EXPECT_EQ(visual, static_cast<IDirect3DRMVisual*>(nearBox));
    EXPECT_NEAR(description.vPosition.z, 3.5f, 0.05f);  // the near box's front face
    ASSERT_EQ(frames->GetSize(), 3u);
    IDirect3DRMFrame* element = nullptr;
    const IDirect3DRMFrame* expected[] = {rig.scene, holder, nearFrame};
    for (DWORD i = 0; i < 3; ++i) {
        ASSERT_EQ(frames->GetElement(i, &element), D3DRM_OK);
        EXPECT_EQ(element, expected[i]);
        element->Release();
    }
    EXPECT_EQ(frames->GetElement(3, &element), D3DRMERR_BADVALUE);
    // The saver's test: what was picked is a mesh builder, not a progressive mesh.
    void* asked = nullptr;
    EXPECT_EQ(visual->QueryInterface(IID_IDirect3DRMProgressiveMesh, &asked), E_NOINTERFACE);
    ASSERT_EQ(visual->QueryInterface(IID_IDirect3DRMMeshBuilder, &asked), S_OK);
    static_cast<IUnknown*>(static_cast<IDirect3DRMMeshBuilder*>(asked))->Release();
    frames->Release();
    visual->Release();

    ASSERT_EQ(picked->GetPick(1, &visual, &frames, nullptr), D3DRM_OK);
    EXPECT_EQ(visual, static_cast<IDirect3DRMVisual*>(farBox));
    EXPECT_EQ(frames->GetSize(), 2u);
    frames->Release();
    visual->Release();
    EXPECT_EQ(picked->GetPick(2, &visual, &frames, nullptr), D3DRMERR_BADVALUE);
    picked->Release();

    // Beside the near box only the far one is under the point; on the background, nothing.
    rig.viewport->Pick(32 + 12, 24, &picked);
    EXPECT_EQ(picked->GetSize(), 1u);
    picked->Release();
    rig.viewport->Pick(2, 2, &picked);
    EXPECT_EQ(picked->GetSize(), 0u);
    picked->Release();
}

TEST_F(Picking, ProgressiveMeshIsPickedAsOne) {
    IDirect3DRMProgressiveMesh* mesh = nullptr;
    ASSERT_EQ(rig.d3drm2->CreateProgressiveMesh(&mesh), D3DRM_OK);
    ASSERT_EQ(varnoka::rm::AssignMeshData(mesh, rigs::BoxMesh(2, {1, 1, 1})), D3DRM_OK);
    mesh->SetDetail(0.29f);
    rig.AddChildFrame(0, 0, 5)->AddVisual(mesh);
    IDirect3DRMPickedArray* picked = nullptr;
    rig.viewport->Pick(32, 24, &picked);
    ASSERT_EQ(picked->GetSize(), 1u);
    IDirect3DRMVisual* visual = nullptr;
    IDirect3DRMFrameArray* frames = nullptr;
    picked->GetPick(0, &visual, &frames, nullptr);
    IDirect3DRMProgressiveMesh* asked = nullptr;
    ASSERT_EQ(visual->QueryInterface(IID_IDirect3DRMProgressiveMesh, reinterpret_cast<void**>(&asked)), S_OK);
    D3DVALUE detail = 0;
    EXPECT_EQ(asked->GetDetail(&detail), D3DRM_OK);
    EXPECT_EQ(detail, 0.29f);
    void* builder = nullptr;
    EXPECT_EQ(visual->QueryInterface(IID_IDirect3DRMMeshBuilder, &builder), E_NOINTERFACE);
    asked->Release();
    visual->Release();
    frames->Release();
    picked->Release();
    mesh->Release();
}

TEST_F(Picking, WhatIsPickedIsWhatIsDrawn) {
    // Every pixel of a drawn, turned box is pickable, and no other pixel is.
    rig.device->SetQuality(D3DRMLIGHT_OFF | D3DRMFILL_SOLID | D3DRMSHADE_FLAT);
    IDirect3DRMFrame2* model = rig.AddChildFrame(0.3f, -0.2f, 5);
    model->SetOrientation(rig.scene, 0.7f, 0.4f, 1.0f, 0.2f, 1.0f, 0.0f);
    model->AddVisual(rigs::MakeBuilder(rig, rigs::BoxMesh(2, {1, 1, 1})));
    rig.Frame();
    for (int y = 0; y < 48; y += 3) {
        for (int x = 0; x < 64; x += 3) {
            IDirect3DRMPickedArray* picked = nullptr;
            rig.viewport->Pick(x, y, &picked);
            EXPECT_EQ(picked->GetSize() == 1, rig.window.Pixel(x, y) != 0) << x << "," << y;
            picked->Release();
        }
    }
}

}  // namespace
