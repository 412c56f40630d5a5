#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <limits>
#include <thread>

#include "scene_rig.h"

#include "retained/engine_lock.h"

namespace {

constexpr float NaN = std::numeric_limits<float>::quiet_NaN();
constexpr float Inf = std::numeric_limits<float>::infinity();

// What the checks are asked of, made while the engine is free.
struct Objects {
    explicit Objects(rigs::SceneRig& rig) : rig(rig) {
        frame = rig.AddChildFrame(0, 0, 5);
        frame->AddVisual(rigs::MakeBuilder(rig, rigs::BoxMesh(2, {1, 1, 1})));
        builder = rigs::MakeBuilder(rig, rigs::BoxMesh(1, {1, 1, 1}));
        EXPECT_EQ(rig.d3drm2->CreateProgressiveMesh(&progressive), D3DRM_OK);
        EXPECT_EQ(rig.viewport->Pick(8, 8, &picked), D3DRM_OK);
        IDirect3DRMVisual* visual = nullptr;
        EXPECT_EQ(picked->GetPick(0, &visual, &path, nullptr), D3DRM_OK);
        if (visual != nullptr) visual->Release();
        EXPECT_EQ(DirectDrawCreate(nullptr, &directDraw, nullptr), DD_OK);
        EXPECT_EQ(directDraw->QueryInterface(IID_IDirect3D, reinterpret_cast<void**>(&direct3d)), S_OK);
    }
    ~Objects() {
        direct3d->Release();
        directDraw->Release();
        if (path != nullptr) path->Release();
        picked->Release();
        progressive->Release();
    }

    rigs::SceneRig& rig;
    IDirect3DRMFrame2* frame = nullptr;
    IDirect3DRMMeshBuilder2* builder = nullptr;
    IDirect3DRMProgressiveMesh* progressive = nullptr;
    IDirect3DRMPickedArray* picked = nullptr;
    IDirect3DRMFrameArray* path = nullptr;
    IDirectDraw* directDraw = nullptr;
    IDirect3D* direct3d = nullptr;
};

// Calls whose arguments alone are wrong, with the codes they must give.
void ExpectArgumentsRefused(const Objects& o) {
    rigs::SceneRig& rig = o.rig;
    IDirect3DRMFrame2* f = o.frame;
    EXPECT_EQ(f->AddChild(nullptr), D3DRMERR_BADOBJECT);
    EXPECT_EQ(f->AddLight(nullptr), D3DRMERR_BADOBJECT);
    EXPECT_EQ(f->AddVisual(nullptr), D3DRMERR_BADOBJECT);
    EXPECT_EQ(f->AddVisual(rig.scene), D3DRMERR_BADOBJECT);  // a frame draws nothing itself
    EXPECT_EQ(f->DeleteVisual(nullptr), D3DRMERR_BADOBJECT);
    EXPECT_EQ(f->SetPosition(nullptr, NaN, 0, 0), D3DRMERR_BADVALUE);
    EXPECT_EQ(f->GetPosition(rig.scene, nullptr), D3DRMERR_BADVALUE);
    EXPECT_EQ(f->SetOrientation(nullptr, 0, 0, 0, 0, 1, 0), D3DRMERR_BADVALUE);
    EXPECT_EQ(f->GetOrientation(nullptr, nullptr, nullptr), D3DRMERR_BADVALUE);
    EXPECT_EQ(f->SetRotation(nullptr, 0, 1, 0, Inf), D3DRMERR_BADVALUE);
    EXPECT_EQ(f->SetVelocity(nullptr, 0, NaN, 0, FALSE), D3DRMERR_BADVALUE);
    EXPECT_EQ(f->LookAt(nullptr, nullptr, D3DRMCONSTRAIN_Z), D3DRMERR_BADOBJECT);
    EXPECT_EQ(f->LookAt(rig.scene, nullptr, static_cast<D3DRMFRAMECONSTRAINT>(9)), D3DRMERR_BADVALUE);
    EXPECT_EQ(f->Move(NaN), D3DRMERR_BADVALUE);
    EXPECT_EQ(f->SetSceneBackgroundRGB(0, Inf, 0), D3DRMERR_BADVALUE);

    IDirect3DRMLight* light = nullptr;
    IDirect3DRMDevice2* device = nullptr;
    IDirect3DRMViewport* viewport = nullptr;
    IDirect3DRMTexture* texture = nullptr;
    GUID notADevice = IID_IDirect3D;
    EXPECT_EQ(Direct3DRMCreate(nullptr), D3DRMERR_BADVALUE);
    EXPECT_EQ(rig.d3drm->LoadTexture(nullptr, &texture), D3DRMERR_BADVALUE);
    EXPECT_EQ(rig.d3drm2->CreateFrame(nullptr, nullptr), D3DRMERR_BADVALUE);
    EXPECT_EQ(rig.d3drm2->CreateLightRGB(static_cast<D3DRMLIGHTTYPE>(42), 1, 1, 1, &light), D3DRMERR_BADVALUE);
    EXPECT_EQ(rig.d3drm2->CreateLightRGB(D3DRMLIGHT_AMBIENT, NaN, 1, 1, &light), D3DRMERR_BADVALUE);
    EXPECT_EQ(rig.d3drm2->CreateMeshBuilder(nullptr), D3DRMERR_BADVALUE);
    EXPECT_EQ(rig.d3drm2->CreateProgressiveMesh(nullptr), D3DRMERR_BADVALUE);
    EXPECT_EQ(rig.d3drm2->CreateDeviceFromClipper(nullptr, nullptr, 8, 8, &device), D3DRMERR_BADOBJECT);
    EXPECT_EQ(rig.d3drm2->CreateDeviceFromClipper(rig.clipper, &notADevice, 8, 8, &device), D3DRMERR_BADDEVICE);
    EXPECT_EQ(rig.d3drm2->CreateDeviceFromClipper(rig.clipper, nullptr, -1, 8, &device), D3DRMERR_BADVALUE);
    EXPECT_EQ(rig.d3drm2->CreateViewport(nullptr, rig.camera, 0, 0, 1, 1, &viewport), D3DRMERR_BADOBJECT);
    EXPECT_EQ(rig.d3drm2->SetDefaultTextureColors(1), D3DRMERR_BADVALUE);
    EXPECT_EQ(rig.d3drm2->SetDefaultTextureShades(300), D3DRMERR_BADVALUE);
    EXPECT_EQ(light, nullptr);
    EXPECT_EQ(device, nullptr);
    EXPECT_EQ(viewport, nullptr);
    EXPECT_EQ(texture, nullptr);

    EXPECT_EQ(rig.device->SetShades(1), D3DRMERR_BADVALUE);
    EXPECT_EQ(rig.device->SetQuality(0x1000), D3DRMERR_BADVALUE);
    EXPECT_EQ(rig.device->SetTextureQuality(static_cast<D3DRMTEXTUREQUALITY>(7)), D3DRMERR_BADVALUE);
    EXPECT_EQ(rig.device->SetRenderMode(0x80), D3DRMERR_BADVALUE);
    EXPECT_EQ(rig.viewport->SetFront(-1), D3DRMERR_BADVALUE);
    EXPECT_EQ(rig.viewport->SetBack(NaN), D3DRMERR_BADVALUE);
    EXPECT_EQ(rig.viewport->SetField(0), D3DRMERR_BADVALUE);
    EXPECT_EQ(rig.viewport->Render(nullptr), D3DRMERR_BADOBJECT);
    EXPECT_EQ(rig.viewport->Pick(0, 0, nullptr), D3DRMERR_BADVALUE);
    EXPECT_EQ(rig.viewport->Transform(nullptr, nullptr), D3DRMERR_BADVALUE);
    EXPECT_EQ(rig.viewport->InverseTransform(nullptr, nullptr), D3DRMERR_BADVALUE);

    EXPECT_EQ(o.builder->Load(nullptr, nullptr, D3DRMLOAD_FROMFILE, nullptr, nullptr), D3DRMERR_BADVALUE);
    EXPECT_EQ(o.progressive->SetDetail(1.5f), D3DRMERR_BADVALUE);
    EXPECT_EQ(o.progressive->GetDetail(nullptr), D3DRMERR_BADVALUE);
    EXPECT_EQ(varnoka::rm::AssignMeshData(rig.scene, varnoka::rm::MeshData{}), D3DRMERR_BADOBJECT);
    const std::uint8_t pixel[4] = {};
    EXPECT_EQ(varnoka::rm::CreateTextureFromRGBA(0, 1, pixel, 0, &texture), D3DRMERR_BADVALUE);

    IDirect3DRMVisual* visual = nullptr;
    IDirect3DRMFrameArray* frames = nullptr;
    IDirect3DRMFrame* element = nullptr;
    EXPECT_EQ(o.picked->GetPick(1, &visual, &frames, nullptr), D3DRMERR_BADVALUE);
    EXPECT_EQ(o.path->GetElement(99, &element), D3DRMERR_BADVALUE);
    EXPECT_EQ(o.path->GetElement(0, nullptr), D3DRMERR_BADVALUE);
    EXPECT_EQ(visual, nullptr);
    EXPECT_EQ(frames, nullptr);
    EXPECT_EQ(element, nullptr);

    IDirectDrawClipper* clipper = nullptr;
    IDirectDraw* directDraw = nullptr;
    GUID driver{};
    EXPECT_EQ(DirectDrawCreateClipper(1, &clipper, nullptr), E_INVALIDARG);
    EXPECT_EQ(DirectDrawCreateClipper(0, nullptr, nullptr), E_INVALIDARG);
    EXPECT_EQ(DirectDrawCreate(&driver, &directDraw, nullptr), DDERR_INVALIDDIRECTDRAWGUID);
    EXPECT_EQ(rig.clipper->SetHWnd(1, nullptr), E_INVALIDARG);
    EXPECT_EQ(rig.clipper->GetHWnd(nullptr), E_INVALIDARG);
    EXPECT_EQ(o.direct3d->FindDevice(nullptr, nullptr), E_INVALIDARG);
}

// Arguments are checked before the engine lock is taken: a wrong call is answered at once even
// while the render thread holds the engine for a whole frame.
TEST(ArgumentChecks, AreAnsweredWhileAnotherThreadHoldsTheEngine) {
    rigs::SceneRig rig(16, 16);
    const Objects objects(rig);
    ASSERT_NE(objects.path, nullptr);

    std::promise<void> held;
    std::promise<void> release;
    std::thread holder([&held, done = release.get_future()] {
        varnoka::rm::EngineLock lock;
        held.set_value();
        done.wait();
    });
    held.get_future().wait();
    std::future<void> checks = std::async(std::launch::async, [&objects] { ExpectArgumentsRefused(objects); });
    const bool answered = checks.wait_for(std::chrono::seconds(30)) == std::future_status::ready;
    release.set_value();
    holder.join();
    checks.get();
    EXPECT_TRUE(answered) << "a check of arguments waited for the engine lock";
}

}  // namespace
