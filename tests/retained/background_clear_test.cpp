// Clear only repaints what was drawn since the buffer last held the background, and the window is
// shown only what changed; these check that nothing of an older frame ever shows through.

#include <gtest/gtest.h>

#include <vector>

#include "scene_rig.h"

namespace {

constexpr DWORD UnlitFlat = D3DRMLIGHT_OFF | D3DRMFILL_SOLID | D3DRMSHADE_FLAT;

// A red square in front of a blue background, placed left to right by x.
struct SquareScene {
    SquareScene(int width, int height) : rig(width, height) {
        rig.device->SetQuality(UnlitFlat);
        rig.scene->SetSceneBackgroundRGB(0, 0, 1);
        square = rig.AddChildFrame(0, 0, 4);
        square->AddVisual(rigs::MakeBuilder(rig, rigs::SquareMesh(0.8f, {1, 0, 0})));
    }
    std::vector<std::uint32_t> DrawAt(float x) {
        square->SetPosition(rig.scene, x, 0, 4);
        rig.Frame();
        return rig.window.Pixels();
    }
    rigs::SceneRig rig;
    IDirect3DRMFrame2* square = nullptr;
};

TEST(BackgroundClear, AMovingModelLeavesNoTrailInEitherBuffer) {
    SquareScene moving(32, 24);
    const float positions[] = {-1.5f, 1.5f, 0.0f, -0.7f, 1.2f, 1.2f, -1.5f};
    for (float x : positions) {
        SquareScene fresh(32, 24);
        EXPECT_EQ(rigs::CountDifferentPixels(moving.DrawAt(x), fresh.DrawAt(x)), 0) << "square at " << x;
    }
}

TEST(BackgroundClear, ANewBackgroundColourRepaintsEveryPixel) {
    SquareScene scene(16, 16);
    scene.DrawAt(0);
    scene.DrawAt(0);
    scene.rig.scene->SetSceneBackgroundRGB(0, 1, 0);
    scene.DrawAt(0);
    const int red = 16 * 16 - rigs::CountPixelsNot(scene.rig.window, 0xFF0000u);
    EXPECT_GT(red, 0);
    EXPECT_EQ(rigs::CountPixelsNot(scene.rig.window, 0x00FF00u), red);
}

TEST(BackgroundClear, AViewportOverPartOfTheDeviceIsClearedAwayByOneOverAll) {
    // A second viewport paints the left half with its own scene's green; a later clear of the
    // whole device to blue must not leave any green behind.
    SquareScene scene(16, 8);
    IDirect3DRMFrame2* otherScene = nullptr;
    IDirect3DRMFrame2* otherCamera = nullptr;
    ASSERT_EQ(scene.rig.d3drm2->CreateFrame(nullptr, &otherScene), D3DRM_OK);
    ASSERT_EQ(scene.rig.d3drm2->CreateFrame(otherScene, &otherCamera), D3DRM_OK);
    otherScene->SetSceneBackgroundRGB(0, 1, 0);
    IDirect3DRMViewport* half = nullptr;
    ASSERT_EQ(scene.rig.d3drm2->CreateViewport(scene.rig.device, otherCamera, 0, 0, 8, 8, &half), D3DRM_OK);
    for (int frame = 0; frame < 3; ++frame) {
        scene.rig.viewport->Clear();
        half->Clear();
        scene.rig.device->Update();
    }
    EXPECT_EQ(scene.rig.window.Pixel(2, 2), 0x00FF00u);
    EXPECT_EQ(scene.rig.window.Pixel(12, 2), 0x0000FFu);
    for (int frame = 0; frame < 2; ++frame) {
        scene.rig.viewport->Clear();
        scene.rig.device->Update();
        EXPECT_EQ(rigs::CountPixelsNot(scene.rig.window, 0x0000FFu), 0) << "frame " << frame;
    }
    half->Release();
    otherCamera->Release();
    otherScene->Release();
}

TEST(BackgroundClear, ASecondDeviceOfAnotherSizeOnTheSameWindowIsHarmless) {
    // The large device shows its own frame in the small one's window. Drawing on the small one
    // again must leave nothing of the large frame behind.
    SquareScene small(8, 8);
    small.DrawAt(0);
    small.DrawAt(0);
    IDirect3DRMDevice2* large = nullptr;
    ASSERT_EQ(small.rig.d3drm2->CreateDeviceFromClipper(small.rig.clipper, nullptr, 16, 16, &large), D3DRM_OK);
    IDirect3DRMViewport* largeViewport = nullptr;
    ASSERT_EQ(small.rig.d3drm2->CreateViewport(large, small.rig.camera, 0, 0, 16, 16, &largeViewport), D3DRM_OK);
    largeViewport->Clear();
    large->Update();
    EXPECT_EQ(small.rig.window.Width(), 16);
    ASSERT_EQ(small.rig.viewport->Render(small.rig.scene), D3DRM_OK);
    SquareScene fresh(8, 8);
    EXPECT_EQ(rigs::CountDifferentPixels(small.DrawAt(0.5f), fresh.DrawAt(0.5f)), 0);
    largeViewport->Release();
    large->Release();
}

TEST(BackgroundClear, ARepaintShowsTheLastFrameAtOnceOrWithTheFrameBeingDrawn) {
    SquareScene scene(32, 24);
    const std::vector<std::uint32_t> shown = scene.DrawAt(0.3f);
    IDirect3DRMWinDevice* winDevice = nullptr;
    ASSERT_EQ(scene.rig.device->QueryInterface(IID_IDirect3DRMWinDevice, reinterpret_cast<void**>(&winDevice)), S_OK);

    // Between frames the window is repainted from the last one at once.
    scene.rig.window.Cover({4, 2, 20, 12}, 0xFFFFFFu);
    ASSERT_EQ(winDevice->HandlePaint(nullptr), D3DRM_OK);
    EXPECT_EQ(rigs::CountDifferentPixels(scene.rig.window.Pixels(), shown), 0);
    // And the next frame shows all of it again: the repaint may have come while the part was
    // still covered on the screen.
    scene.rig.window.Cover({4, 2, 20, 12}, 0xFFFFFFu);
    EXPECT_EQ(rigs::CountDifferentPixels(scene.DrawAt(0.3f), shown), 0);

    // During a frame its half-drawn buffer is not shown; the frame shows the whole window when done,
    // though the square has not moved.
    scene.rig.viewport->Clear();
    scene.rig.window.Cover({4, 2, 20, 12}, 0xFFFFFFu);
    ASSERT_EQ(winDevice->HandlePaint(nullptr), D3DRM_OK);
    EXPECT_EQ(scene.rig.window.Pixel(5, 3), 0xFFFFFFu);
    ASSERT_EQ(scene.rig.viewport->Render(scene.rig.scene), D3DRM_OK);
    ASSERT_EQ(scene.rig.device->Update(), D3DRM_OK);
    EXPECT_EQ(rigs::CountDifferentPixels(scene.rig.window.Pixels(), shown), 0);
    winDevice->Release();
}

TEST(BackgroundClear, OnlyWhatChangedIsShown) {
    // A small square moving over a large window: after the first frame, each frame sends the
    // window little more than the square's old and new places.
    SquareScene scene(160, 120);
    scene.DrawAt(0.0f);
    const std::int64_t before = scene.rig.window.PixelsCopied();
    scene.DrawAt(0.1f);
    EXPECT_LT(scene.rig.window.PixelsCopied() - before, 160 * 120 / 4);
    EXPECT_GT(scene.rig.window.PixelsCopied() - before, 0);
}

}  // namespace
