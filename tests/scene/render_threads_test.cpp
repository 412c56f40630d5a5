#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "interaction/drag_steps.h"
#include "picture_fixture.h"
#include "scene/camera_keys.h"
#include "scene/frame_pacer.h"
#include "scene/render_frame.h"
#include "settings/random_generator.h"

namespace {

std::atomic<uint32_t> sharedTick{0};
uint32_t SharedTick() { return sharedTick.load(); }

// The render thread draws and switches models while the window thread steers the camera, turns
// and moves the car and picks through the same viewport, as the saver's two threads do.
TEST_F(PictureTest, TheRenderLoopAndTheWindowThreadShareTheScene) {
    saverSettings.switchDelay = 0;
    SeedRandom(7);
    ASSERT_EQ(Open(64, 48), PictureStep::Ready);
    lastSwitchTick = 0;
    std::atomic<bool> stop{false};
    std::atomic<int> drawn{0};

    std::thread renderThread([&] {
        FramePacer pacer(60.0);
        double now = 0;
        while (!stop) {
            now += pacer.Period();
            const uint32_t tick = static_cast<uint32_t>(now * 1000);
            sharedTick = tick;
            if (drawn % 10 == 9 && ModelSwitchDue(tick)) {
                ASSERT_EQ(SwitchModel(viewerContext, SharedTick), D3DRM_OK);
            }
            RenderFrame(viewerContext, pacer.FrameStarted(now));
            ++drawn;
        }
    });

    IDirect3DRMFrame* camera = viewerContext->camera;
    IDirect3DRMFrame* scene = viewerContext->scene;
    IDirect3DRMViewport* viewport = viewerContext->viewport;
    for (int i = 0; i < 200 || drawn < 30; ++i) {
        SteerOnKeyDown(i % 2 ? 0x26 : 0x28, camera, scene, modelFrame);
        SteerOnKeyUp(0x26, camera, scene, modelFrame);
        RotateStep(modelFrame, camera, i % 7 - 3, 2);
        MoveStep(modelFrame, scene, viewport, i % 3 - 1, 0);
        IDirect3DRMPickedArray* picked = nullptr;
        if (SUCCEEDED(viewport->Pick(32, 24, &picked)) && picked != nullptr) picked->Release();
    }
    stop = true;
    renderThread.join();
    EXPECT_GE(drawn.load(), 30);
}

}  // namespace
