#include <gtest/gtest.h>

#include <cstring>

#include "scene_rig.h"

namespace {

// The search the saver makes: a colour model, optionally software only.
HRESULT Search(D3DCOLORMODEL model, bool softwareOnly, D3DFINDDEVICERESULT& result) {
    IDirectDraw* directDraw = nullptr;
    EXPECT_EQ(DirectDrawCreate(nullptr, &directDraw, nullptr), DD_OK);
    IDirect3D* direct3d = nullptr;
    EXPECT_EQ(directDraw->QueryInterface(IID_IDirect3D, reinterpret_cast<void**>(&direct3d)), S_OK);
    D3DFINDDEVICESEARCH search;
    std::memset(&search, 0, sizeof search);
    search.dwSize = 92;
    search.dwFlags = D3DFDS_COLORMODEL | (softwareOnly ? D3DFDS_HARDWARE : 0);
    search.bHardware = FALSE;
    search.dcmColorModel = model;
    std::memset(&result, 0, sizeof result);
    result.dwSize = 524;
    const HRESULT hr = direct3d->FindDevice(&search, &result);
    direct3d->Release();
    directDraw->Release();
    return hr;
}

TEST(FindDevice, OffersTheRgbAndTheMonoSoftwareDevices) {
    D3DFINDDEVICERESULT result;
    for (bool softwareOnly : {false, true}) {
        ASSERT_EQ(Search(D3DCOLOR_RGB, softwareOnly, result), D3D_OK);
        EXPECT_TRUE(result.guid == IID_IDirect3DRGBDevice);
        EXPECT_EQ(result.ddHwDesc.dwFlags, 0u);
        EXPECT_EQ(result.ddSwDesc.dcmColorModel, D3DCOLOR_RGB);
        EXPECT_NE(result.ddSwDesc.dwDeviceRenderBitDepth & DDBD_32, 0u);
        ASSERT_EQ(Search(D3DCOLOR_MONO, softwareOnly, result), D3D_OK);
        EXPECT_TRUE(result.guid == IID_IDirect3DRampDevice);
        EXPECT_EQ(result.ddSwDesc.dcmColorModel, D3DCOLOR_MONO);
    }
}

TEST(FindDevice, RejectsWrongRecordSizesAndFindsNoHardware) {
    IDirectDraw* directDraw = nullptr;
    DirectDrawCreate(nullptr, &directDraw, nullptr);
    IDirect3D* direct3d = nullptr;
    directDraw->QueryInterface(IID_IDirect3D, reinterpret_cast<void**>(&direct3d));
    D3DFINDDEVICESEARCH search{};
    D3DFINDDEVICERESULT result{};
    search.dwSize = 92;
    result.dwSize = 500;
    EXPECT_EQ(direct3d->FindDevice(&search, &result), E_INVALIDARG);
    EXPECT_EQ(direct3d->FindDevice(nullptr, &result), E_INVALIDARG);
    result.dwSize = 524;
    search.dwFlags = D3DFDS_HARDWARE;
    search.bHardware = TRUE;
    EXPECT_EQ(direct3d->FindDevice(&search, &result), DDERR_NOTFOUND);
    direct3d->Release();
    directDraw->Release();
    GUID other = IID_IDirect3D;
    EXPECT_EQ(DirectDrawCreate(&other, &directDraw, nullptr), DDERR_INVALIDDIRECTDRAWGUID);
}

TEST(Device, QualityKeepsItsThreeFieldsAndRefusesUnknownValues) {
    rigs::SceneRig rig(8, 8);
    IDirect3DRMDevice2* device = rig.device;
    ASSERT_EQ(device->SetQuality(D3DRMSHADE_PHONG | D3DRMLIGHT_ON | D3DRMFILL_WIREFRAME), D3DRM_OK);
    EXPECT_EQ(device->GetQuality(), 0x04Au);
    for (DWORD bad : {0x003u, 0x010u, 0x0C0u, 0x200u, 0xFFFFFFFFu})
        EXPECT_EQ(device->SetQuality(bad), D3DRMERR_BADVALUE) << bad;
    EXPECT_EQ(device->GetQuality(), 0x04Au);
    EXPECT_EQ(device->SetTextureQuality(static_cast<D3DRMTEXTUREQUALITY>(7)), D3DRMERR_BADVALUE);
    EXPECT_EQ(device->SetTextureQuality(D3DRMTEXTURE_LINEAR), D3DRM_OK);
    EXPECT_EQ(device->GetTextureQuality(), D3DRMTEXTURE_LINEAR);
    EXPECT_EQ(device->SetShades(1), D3DRMERR_BADVALUE);
    EXPECT_EQ(device->SetShades(256), D3DRM_OK);
    EXPECT_EQ(device->GetShades(), 256u);
    EXPECT_EQ(device->SetRenderMode(D3DRMRENDERMODE_BLENDEDTRANSPARENCY | D3DRMRENDERMODE_SORTEDTRANSPARENCY),
              D3DRM_OK);
    EXPECT_EQ(device->GetWidth(), 8u);
    EXPECT_EQ(device->GetHeight(), 8u);
}

TEST(Device, FirstVersionInterfaceIsTheSameDevice) {
    rigs::SceneRig rig(8, 8);
    EXPECT_EQ(rig.device->GetDither(), FALSE);
    IDirect3DRMDevice* first = nullptr;
    ASSERT_EQ(rig.device->QueryInterface(IID_IDirect3DRMDevice, reinterpret_cast<void**>(&first)), S_OK);
    rig.device->SetDither(TRUE);
    EXPECT_EQ(first->GetDither(), TRUE);
    first->Release();
}

TEST(Device, CreationChecksClipperGuidAndSize) {
    rigs::SceneRig rig(8, 8);
    IDirect3DRMDevice2* device = nullptr;
    IDirectDrawClipper* unbound = nullptr;
    DirectDrawCreateClipper(0, &unbound, nullptr);
    EXPECT_EQ(rig.d3drm2->CreateDeviceFromClipper(unbound, nullptr, 8, 8, &device), DDERR_NOHWND);
    unbound->Release();
    GUID notADevice = IID_IDirect3D;
    EXPECT_EQ(rig.d3drm2->CreateDeviceFromClipper(rig.clipper, &notADevice, 8, 8, &device), D3DRMERR_BADDEVICE);
    EXPECT_EQ(rig.d3drm2->CreateDeviceFromClipper(rig.clipper, nullptr, -1, 8, &device), D3DRMERR_BADVALUE);
    EXPECT_EQ(rig.d3drm2->CreateDeviceFromClipper(rig.clipper, nullptr, 1 << 20, 1 << 20, &device), D3DRMERR_BADVALUE);
    EXPECT_EQ(rig.d3drm2->CreateDeviceFromClipper(nullptr, nullptr, 8, 8, &device), D3DRMERR_BADOBJECT);
    EXPECT_EQ(device, nullptr);
    // No GUID: the engine chooses, and it chooses RGB.
    ASSERT_EQ(rig.d3drm2->CreateDeviceFromClipper(rig.clipper, nullptr, 4, 2, &device), D3DRM_OK);
    EXPECT_EQ(device->GetWidth(), 4u);
    device->Release();
    IDirect3DRMViewport* viewport = nullptr;
    EXPECT_EQ(rig.d3drm2->CreateViewport(rig.device, rig.camera, 4, 0, 5, 8, &viewport), D3DRMERR_BADVALUE);
    EXPECT_EQ(rig.d3drm2->CreateViewport(rig.device, nullptr, 0, 0, 8, 8, &viewport), D3DRMERR_BADOBJECT);
}

TEST(Device, UpdatePresentsTheFinishedFrameIntoTheWindow) {
    rigs::SceneRig rig(4, 3);
    rig.scene->SetSceneBackgroundRGB(1.0f, 128 / 255.0f, 0.0f);
    rig.viewport->Clear();
    EXPECT_EQ(rig.window.FramesShown(), 0);  // nothing shows before Update
    rig.device->Update();
    EXPECT_EQ(rig.window.FramesShown(), 1);
    EXPECT_EQ(rig.window.Width(), 4);
    EXPECT_EQ(rig.window.Height(), 3);
    EXPECT_EQ(rig.window.Pixel(3, 2), 0xFF8000u);
}

TEST(Device, RepeatedUpdatesAndDrawingWithoutClearKeepTheLastFrame) {
    rigs::SceneRig rig(16, 16);
    rig.device->SetQuality(D3DRMLIGHT_OFF | D3DRMFILL_SOLID | D3DRMSHADE_FLAT);
    rig.scene->SetSceneBackgroundRGB(0, 0, 1);
    IDirect3DRMFrame2* frame = rig.AddChildFrame(-0.5f, 0, 4);
    IDirect3DRMMeshBuilder2* square = rigs::MakeBuilder(rig, rigs::SquareMesh(0.5f, {1, 0, 0}));
    frame->AddVisual(square);
    rig.Frame();
    const std::vector<std::uint32_t> first = rig.window.Pixels();
    rig.device->Update();  // nothing drawn since: the same picture
    EXPECT_EQ(rigs::CountDifferentPixels(first, rig.window.Pixels()), 0);
    rig.device->Update();
    EXPECT_EQ(rigs::CountDifferentPixels(first, rig.window.Pixels()), 0);
    // Drawing again without Clear paints over the last frame, not over an older buffer.
    frame->SetPosition(rig.scene, 0.5f, 0, 4);
    rig.viewport->Render(rig.scene);
    rig.device->Update();
    const std::vector<std::uint32_t> both = rig.window.Pixels();
    int red = 0;
    for (std::uint32_t p : both) red += p == 0xFF0000u;
    int redBefore = 0;
    for (std::uint32_t p : first) redBefore += p == 0xFF0000u;
    EXPECT_EQ(red, 2 * redBefore);
}

}  // namespace
