#include <gtest/gtest.h>

#include <cmath>

#include "picture_fixture.h"
#include "scene/device_making.h"
#include "scene/device_setup.h"
#include "scene/model_shelf.h"
#include "scene/render_frame.h"
#include "scene/render_options.h"

namespace {

constexpr std::uint32_t Black = 0x000000;

TEST_F(PictureTest, DefaultSettingsShowTheCarTurningBeforeABlackBackground) {
    ASSERT_EQ(Open(), PictureStep::Ready);
    ASSERT_NE(modelFrame, nullptr);
    ASSERT_NE(modelBuilder, nullptr);

    const D3DVECTOR camera = PositionOf(viewerContext->camera);
    EXPECT_FLOAT_EQ(camera.x, 0.0f);
    EXPECT_NEAR(camera.y, 2.0f, 1e-5);
    EXPECT_NEAR(camera.z, -5.0f, 1e-5);
    const D3DVECTOR model = PositionOf(modelFrame);
    EXPECT_FLOAT_EQ(model.z, 10.0f);

    // The camera looks at the car.
    D3DVECTOR direction{}, up{};
    viewerContext->camera->GetOrientation(viewerContext->scene, &direction, &up);
    const float length = std::sqrt(4.0f + 225.0f);
    EXPECT_NEAR(direction.y, -2.0f / length, 1e-4);
    EXPECT_NEAR(direction.z, 15.0f / length, 1e-4);

    // An RGB device (rebuilt from the mono one the search starts with), dithered, Gouraud, solid,
    // nearest texels, 256 shades for a full-colour screen.
    IDirect3DRMDevice2* device = viewerContext->device2;
    EXPECT_EQ(viewerContext->deviceColorModel, RgbColorModel);
    EXPECT_EQ(viewerContext->viewport->GetBack(), RebuiltBackPlane);
    EXPECT_TRUE(device->GetDither());
    EXPECT_EQ(device->GetQuality() & (D3DRMSHADE_MASK | D3DRMFILL_MASK), D3DRMSHADE_GOURAUD | D3DRMFILL_SOLID);
    EXPECT_EQ(device->GetTextureQuality(), D3DRMTEXTURE_NEAREST);
    EXPECT_EQ(device->GetShades(), 256u);
    EXPECT_NE(viewerContext->device, nullptr);

    Draw();
    EXPECT_EQ(Pixel(0, 0), Black);
    EXPECT_NE(Pixel(80, 60), Black) << "the car stands in the middle of the view";
    const std::vector<std::uint32_t> first = window->Pixels();
    Draw(10.0f);
    EXPECT_NE(window->Pixels(), first) << "the car turns";
}

TEST_F(PictureTest, BackgroundAndCameraComeFromTheSettings) {
    saverSettings.backgroundRed = 255;
    saverSettings.backgroundGreen = 128;
    saverSettings.backgroundBlue = 0;
    saverSettings.cameraX = 382;  // 1.5 x 255 truncated: the fraction is kept
    saverSettings.cameraY = 0;
    saverSettings.cameraZ = -2550;
    ASSERT_EQ(Open(), PictureStep::Ready);
    const D3DVECTOR camera = PositionOf(viewerContext->camera);
    EXPECT_NEAR(camera.x, 1.498f, 1e-3);
    EXPECT_FLOAT_EQ(camera.y, 0.0f);
    EXPECT_NEAR(camera.z, -10.0f, 1e-4);
    Draw();
    // 128 / 255 of full green, dithered by at most a level.
    const std::uint32_t corner = Pixel(0, 0);
    EXPECT_EQ(corner >> 16, 0xFFu);
    EXPECT_NEAR(static_cast<int>((corner >> 8) & 0xFF), 128, 1);
    EXPECT_EQ(corner & 0xFF, 0u);
}

TEST_F(PictureTest, TheMonoColourModelKeepsTheFirstDeviceAndItsBackPlane) {
    saverSettings.colorModel = 0;
    ASSERT_EQ(Open(), PictureStep::Ready);
    EXPECT_EQ(viewerContext->deviceColorModel, MonoColorModel);
    EXPECT_EQ(viewerContext->viewport->GetBack(), CreatedBackPlane);
    Draw();
    EXPECT_NE(Pixel(80, 60), Black);
}

TEST_F(PictureTest, RenderOptionsFollowTheSettingsAndSurviveTheRebuild) {
    saverSettings.shadeMode = 0;
    saverSettings.fillMode = 1;
    saverSettings.dithered = 0;
    saverSettings.textureFiltering = 1;
    ASSERT_EQ(Open(), PictureStep::Ready);
    IDirect3DRMDevice2* device = viewerContext->device2;
    EXPECT_EQ(device->GetQuality(), D3DRMSHADE_FLAT | D3DRMLIGHT_ON | D3DRMFILL_WIREFRAME) << "lighting bits kept";
    EXPECT_FALSE(device->GetDither()) << "a full-colour screen switches dithering off";
    EXPECT_EQ(device->GetTextureQuality(), D3DRMTEXTURE_LINEAR);

    // The toggles are relative, and values outside an option's range apply nothing.
    EXPECT_EQ(ToggleTextureFiltering(viewerContext), 1);
    EXPECT_EQ(device->GetTextureQuality(), D3DRMTEXTURE_NEAREST);
    EXPECT_EQ(ToggleDithering(viewerContext), 1);
    EXPECT_TRUE(device->GetDither());
    SaverSettings outside = DefaultSaverSettings();
    outside.shadeMode = 3;
    outside.fillMode = -1;
    outside.colorModel = 2;
    outside.dithered = 0;
    ApplyRenderSettings(viewerContext, outside);
    EXPECT_EQ(viewerContext->device2, device) << "no rebuild";
    EXPECT_EQ(device->GetQuality(), D3DRMSHADE_FLAT | D3DRMLIGHT_ON | D3DRMFILL_WIREFRAME);
}

TEST_F(PictureTest, AColourModelChangeRebuildsTheDeviceWithItsState) {
    saverSettings.colorModel = 0;
    saverSettings.shadeMode = 0;
    ASSERT_EQ(Open(200, 100), PictureStep::Ready);
    viewerContext->device2->SetShades(16);
    IDirect3DRMDevice2* before = viewerContext->device2;
    before->AddRef();
    EXPECT_EQ(SetDeviceColorModel(viewerContext, RgbColorModel), 1);
    EXPECT_NE(viewerContext->device2, before);
    before->Release();
    EXPECT_EQ(viewerContext->device2->GetShades(), 16u);
    EXPECT_EQ(viewerContext->device2->GetQuality() & D3DRMSHADE_MASK, D3DRMSHADE_FLAT);
    EXPECT_EQ(viewerContext->device2->GetWidth(), 200u);
    EXPECT_EQ(viewerContext->viewport->GetBack(), RebuiltBackPlane);
    EXPECT_EQ(SetDeviceColorModel(viewerContext, RgbColorModel), 1) << "the same model changes nothing";
    Draw();
}

TEST_F(PictureTest, AMissingModelIsReportedAndLeavesOnlyTheSceneAndCamera) {
    PlaceModelsFrom({"/no/such/folder"});
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(Open(), PictureStep::NoDevice);
    const std::string reports = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(reports, "Viewer Message: Failed to load .x file.\nThe file was not found.\r\n");
    EXPECT_EQ(modelFrame, nullptr);
    EXPECT_EQ(modelBuilder, nullptr);
    EXPECT_NE(viewerContext->scene, nullptr);
    EXPECT_EQ(viewerContext->viewport, nullptr);
    EXPECT_EQ(RenderFrame(viewerContext, 1.0f), 0) << "nothing draws without a viewport";
}

TEST(DeviceSearch, BitDepthFlagsAndSoftwareDevices) {
    EXPECT_EQ(RenderBitDepthFlag(1), DDBD_1);
    EXPECT_EQ(RenderBitDepthFlag(8), DDBD_8);
    EXPECT_EQ(RenderBitDepthFlag(32), DDBD_32);
    EXPECT_EQ(RenderBitDepthFlag(15), 0u);
    EXPECT_EQ(RenderBitDepthFlag(0), 0u);
    const GUID* mono = FindDeviceGuid(MonoColorModel, false);
    ASSERT_NE(mono, nullptr);
    EXPECT_TRUE(*mono == IID_IDirect3DRampDevice);
    const GUID* rgb = FindDeviceGuid(RgbColorModel, true);
    ASSERT_NE(rgb, nullptr);
    EXPECT_TRUE(*rgb == IID_IDirect3DRGBDevice);
}

}  // namespace
