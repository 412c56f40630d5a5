#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

#include "scene_rig.h"

namespace {

// The render thread: frames without pause, counted, until asked to stop.
std::thread DrawUntilStopped(rigs::SceneRig& rig, const std::atomic<bool>& stop, std::atomic<int>& frames) {
    return std::thread([&rig, &stop, &frames] {
        while (!stop.load()) {
            rig.scene->Move(1.0f);
            rig.viewport->Clear();
            rig.viewport->Render(rig.scene);
            rig.device->Update();
            ++frames;
        }
    });
}

// The saver's two threads at once: one draws without pause, the other steers frames, drags by
// Transform / InverseTransform and picks, as the window thread does.
TEST(Threads, RenderingWhileTheWindowThreadSteersAndPicks) {
    rigs::SceneRig rig(48, 32);
    rig.AddLights();
    IDirect3DRMFrame2* model = rig.AddChildFrame(0, 0, 6);
    model->SetRotation(rig.scene, 0, 1, 0, -0.02f);
    model->AddVisual(rigs::MakeBuilder(rig, rigs::BoxMesh(2, {1, 0.5f, 0.2f})));
    rig.camera->SetPosition(rig.scene, 0, 1, -2);
    rig.camera->LookAt(model, rig.scene, D3DRMCONSTRAIN_Z);

    std::atomic<bool> stop{false};
    std::atomic<int> frames{0};
    std::thread renderer = DrawUntilStopped(rig, stop, frames);

    int hits = 0;
    // Until both threads have done a fair share of work side by side.
    for (int step = 0; step < 300 || frames.load() < 30; ++step) {
        IDirect3DRMPickedArray* picked = nullptr;
        ASSERT_EQ(rig.viewport->Pick(24, 16, &picked), D3DRM_OK);
        if (picked->GetSize() > 0) {
            ++hits;
            IDirect3DRMVisual* visual = nullptr;
            IDirect3DRMFrameArray* path = nullptr;
            picked->GetPick(0, &visual, &path, nullptr);
            IDirect3DRMFrame* carrier = nullptr;
            path->GetElement(path->GetSize() - 1, &carrier);
            EXPECT_EQ(carrier, static_cast<IDirect3DRMFrame*>(model));
            carrier->Release();
            path->Release();
            visual->Release();
        }
        picked->Release();
        // A rotate step and a move step.
        model->SetRotation(rig.camera, 0.8f, -0.6f, 0.0f, 0.05f);
        D3DVECTOR p{};
        model->GetPosition(rig.scene, &p);
        D3DRMVECTOR4D q{};
        rig.viewport->Transform(&q, &p);
        q.x += static_cast<float>((step % 3) - 1) * q.w;
        rig.viewport->InverseTransform(&p, &q);
        model->SetPosition(rig.scene, p.x, p.y, p.z);
        rig.camera->SetVelocity(rig.scene, 0, (step % 2) ? 0.01f : -0.01f, 0, FALSE);
    }
    stop = true;
    renderer.join();
    EXPECT_GT(frames.load(), 0);
    EXPECT_GT(hits, 0);
    EXPECT_EQ(rig.window.FramesShown(), frames.load());
}

void TakeAndDropReferences(IUnknown* object) {
    for (int i = 0; i < 20000; ++i) {
        object->AddRef();
        object->Release();
    }
}

// References taken and dropped on both threads keep the count right: the visual survives
// exactly as long as someone holds it.
TEST(Threads, ReferenceCountsStayExactUnderBothThreads) {
    rigs::SceneRig rig(8, 8);
    IDirect3DRMMeshBuilder2* builder = nullptr;
    rig.d3drm2->CreateMeshBuilder(&builder);
    std::thread other(TakeAndDropReferences, builder);
    TakeAndDropReferences(builder);
    other.join();
    EXPECT_EQ(builder->Release(), 0u);
}

// The root's two interfaces share one count, so each thread may use a different one.
TEST(Threads, ReferencesThroughEitherInterfaceShareOneCount) {
    IDirect3DRM* d3drm = nullptr;
    ASSERT_EQ(Direct3DRMCreate(&d3drm), D3DRM_OK);
    IDirect3DRM2* d3drm2 = nullptr;
    ASSERT_EQ(d3drm->QueryInterface(IID_IDirect3DRM2, reinterpret_cast<void**>(&d3drm2)), S_OK);
    std::thread other(TakeAndDropReferences, d3drm2);
    TakeAndDropReferences(d3drm);
    other.join();
    EXPECT_EQ(d3drm->Release(), 1u);
    EXPECT_EQ(d3drm2->Release(), 0u);
}

// WM_PAINT comes on the window thread while the render thread draws. A repaint during a frame is
// left to that frame, which then shows the whole window; either way nothing that covered the
// window stays once the last repaint is done.
TEST(Threads, RepaintsWhileFramesAreDrawnLeaveNothingBehind) {
    rigs::SceneRig rig(48, 32);
    IDirect3DRMFrame2* model = rig.AddChildFrame(0, 0, 6);
    model->SetRotation(rig.scene, 0, 1, 0, -0.05f);
    model->AddVisual(rigs::MakeBuilder(rig, rigs::BoxMesh(2, {1, 0.5f, 0.2f})));
    IDirect3DRMWinDevice* winDevice = nullptr;
    ASSERT_EQ(rig.device->QueryInterface(IID_IDirect3DRMWinDevice, reinterpret_cast<void**>(&winDevice)), S_OK);

    std::atomic<bool> stop{false};
    std::atomic<int> frames{0};
    std::thread renderer = DrawUntilStopped(rig, stop, frames);
    for (int step = 0; step < 300 || frames.load() < 30; ++step) {
        rig.window.Cover({0, 0, 48, 32}, 0xFFFFFFu);
        ASSERT_EQ(winDevice->HandlePaint(nullptr), D3DRM_OK);
    }
    stop = true;
    renderer.join();
    EXPECT_EQ(rigs::CountPixelsNot(rig.window, 0xFFFFFFu), 48 * 32);
    winDevice->Release();
}

}  // namespace
