#include "retained/viewport.h"

#include <algorithm>
#include <cmath>

#include "retained/pick_arrays.h"
#include "retained/pipeline/pixel_shading.h"

namespace varnoka::rm {

Viewport::Viewport(Device* device, Frame* camera, PixelRect rect) : device_(device), camera_(camera), rect_(rect) {}

void* Viewport::FindInterface(REFIID iid) {
    if (iid == IID_IDirect3DRMViewport) return static_cast<IDirect3DRMViewport*>(this);
    return ComObject::FindInterface(iid);
}

HRESULT CreateViewportObject(IDirect3DRMDevice* device, IDirect3DRMFrame* camera, DWORD x, DWORD y, DWORD width,
                             DWORD height, IDirect3DRMViewport** viewport) {
    if (viewport == nullptr) return D3DRMERR_BADVALUE;
    *viewport = nullptr;
    Device* engineDevice = AsDevice(device);
    Frame* cameraFrame = AsFrame(camera);
    if (engineDevice == nullptr || cameraFrame == nullptr) return D3DRMERR_BADOBJECT;
    EngineLock lock;
    const RenderTarget& target = engineDevice->Target();
    if (std::uint64_t{x} + width > static_cast<std::uint64_t>(target.width) ||
        std::uint64_t{y} + height > static_cast<std::uint64_t>(target.height))
        return D3DRMERR_BADVALUE;
    const PixelRect rect{static_cast<int>(x), static_cast<int>(y), static_cast<int>(width), static_cast<int>(height)};
    engineDevice->ShowWholeNextFrame();
    return CreateObject<Viewport>(D3DRMERR_BADALLOC, viewport, engineDevice, cameraFrame, rect);
}

Projection Viewport::CurrentProjection() const { return MakeProjection(rect_, front_, back_, field_); }

HRESULT Viewport::SetFront(D3DVALUE front) {
    if (!std::isfinite(front) || !(front > 0)) return D3DRMERR_BADVALUE;
    EngineLock lock;
    if (!(front < back_)) return D3DRMERR_BADVALUE;
    front_ = front;
    return D3DRM_OK;
}

HRESULT Viewport::SetBack(D3DVALUE back) {
    if (!std::isfinite(back)) return D3DRMERR_BADVALUE;
    EngineLock lock;
    if (!(back > front_)) return D3DRMERR_BADVALUE;
    back_ = back;
    return D3DRM_OK;
}

HRESULT Viewport::SetField(D3DVALUE field) {
    if (!std::isfinite(field) || !(field > 0)) return D3DRMERR_BADVALUE;
    EngineLock lock;
    field_ = field;
    return D3DRM_OK;
}

D3DVALUE Viewport::GetFront() {
    EngineLock lock;
    return front_;
}

D3DVALUE Viewport::GetBack() {
    EngineLock lock;
    return back_;
}

D3DVALUE Viewport::GetField() {
    EngineLock lock;
    return field_;
}

HRESULT Viewport::Clear() {
    EngineLock lock;
    RenderTarget& target = device_->Target();
    const Vec3 background = camera_->Root()->SceneBackground();
    const std::uint32_t color = PackUnit(background.x, background.y, background.z, 0.5f);
    target.Clear(rect_, color);
    return D3DRM_OK;
}

HRESULT Viewport::Render(LPDIRECT3DRMFRAME scene) {
    Frame* root = AsFrame(scene);
    if (root == nullptr) return D3DRMERR_BADOBJECT;
    EngineLock lock;
    const RigidTransform worldToView = Inverse(camera_->WorldTransform());
    device_->Target().frameInProgress = true;
    // The scratch buffers grow the first time a scene needs more; running out fails that frame.
    return GuardAllocation(D3DRMERR_BADALLOC, [&] {
        RenderScene(root, worldToView, CurrentProjection(), device_->Settings(), device_->Scratch(), device_->Target());
        return D3DRM_OK;
    });
}

HRESULT Viewport::Pick(LONG x, LONG y, LPDIRECT3DRMPICKEDARRAY* picked) {
    if (picked == nullptr) return D3DRMERR_BADVALUE;
    EngineLock lock;
    *picked = nullptr;
    return GuardAllocation(D3DRMERR_BADALLOC, [&] {
        const RigidTransform cameraToWorld = camera_->WorldTransform();
        RenderScratch& scratch = device_->Scratch();
        PickScene(camera_->Root(), Inverse(cameraToWorld), CurrentProjection(), x, y, scratch, hits_);
        std::vector<PickEntry> entries;
        for (const PickHit& hit : hits_) {
            const DrawItem& item = scratch.scene.items[hit.item];
            std::vector<ComRef<IDirect3DRMFrame>> path;
            for (int f = item.frame; f >= 0; f = scratch.scene.frames[f].parent)
                path.emplace_back(scratch.scene.frames[f].frame);
            std::reverse(path.begin(), path.end());
            const Vec3 world = TransformPoint(hit.viewPosition, cameraToWorld);
            PickEntry entry{ComRef<IDirect3DRMVisual>(item.visual),
                            NewObject<FrameArray>(std::move(path)),
                            {hit.face, -1, {world.x, world.y, world.z}}};
            entries.push_back(std::move(entry));
        }
        *picked = NewObject<PickedArray>(std::move(entries)).Detach();
        return D3DRM_OK;
    });
}

HRESULT Viewport::Transform(LPD3DRMVECTOR4D screen, LPD3DVECTOR world) {
    if (screen == nullptr || world == nullptr) return D3DRMERR_BADVALUE;
    EngineLock lock;
    const Vec3 view = InverseTransformPoint({world->x, world->y, world->z}, camera_->WorldTransform());
    const Vec4 clip = CurrentProjection().ToClip(view);
    *screen = {clip.x, clip.y, clip.z, clip.w};
    return D3DRM_OK;
}

HRESULT Viewport::InverseTransform(LPD3DVECTOR world, LPD3DRMVECTOR4D screen) {
    if (screen == nullptr || world == nullptr) return D3DRMERR_BADVALUE;
    EngineLock lock;
    const Projection projection = CurrentProjection();
    if (screen->w == 0 || !std::isfinite(screen->w) || !(projection.scale > 0)) return D3DRMERR_BADVALUE;
    const Vec3 view = projection.FromClip({screen->x, screen->y, screen->z, screen->w});
    const Vec3 out = TransformPoint(view, camera_->WorldTransform());
    *world = {out.x, out.y, out.z};
    return D3DRM_OK;
}

}  // namespace varnoka::rm
