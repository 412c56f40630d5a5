#pragma once
// A frame of the scene graph: a placement relative to its parent, a standing velocity and
// rotation that Move applies, and the children, lights and visuals it carries (each held by
// reference). A frame without a parent is the root of a scene and has a background colour.

#include <vector>

#include "retained/com_base.h"
#include "retained/light.h"
#include "retained/linear_algebra.h"

namespace varnoka::rm {

class Frame final : public ComObject<IDirect3DRMFrame2> {
public:
    Frame() = default;

    HRESULT STDMETHODCALLTYPE AddChild(LPDIRECT3DRMFRAME child) override;
    HRESULT STDMETHODCALLTYPE AddLight(LPDIRECT3DRMLIGHT light) override;
    HRESULT STDMETHODCALLTYPE AddVisual(LPDIRECT3DRMVISUAL visual) override;
    HRESULT STDMETHODCALLTYPE DeleteVisual(LPDIRECT3DRMVISUAL visual) override;
    HRESULT STDMETHODCALLTYPE SetPosition(LPDIRECT3DRMFRAME reference, D3DVALUE x, D3DVALUE y, D3DVALUE z) override;
    HRESULT STDMETHODCALLTYPE GetPosition(LPDIRECT3DRMFRAME reference, LPD3DVECTOR position) override;
    HRESULT STDMETHODCALLTYPE SetOrientation(LPDIRECT3DRMFRAME reference, D3DVALUE dx, D3DVALUE dy, D3DVALUE dz,
                                             D3DVALUE ux, D3DVALUE uy, D3DVALUE uz) override;
    HRESULT STDMETHODCALLTYPE GetOrientation(LPDIRECT3DRMFRAME reference, LPD3DVECTOR direction,
                                             LPD3DVECTOR up) override;
    HRESULT STDMETHODCALLTYPE SetRotation(LPDIRECT3DRMFRAME reference, D3DVALUE x, D3DVALUE y, D3DVALUE z,
                                          D3DVALUE theta) override;
    HRESULT STDMETHODCALLTYPE SetVelocity(LPDIRECT3DRMFRAME reference, D3DVALUE x, D3DVALUE y, D3DVALUE z,
                                          BOOL withRotation) override;
    HRESULT STDMETHODCALLTYPE LookAt(LPDIRECT3DRMFRAME target, LPDIRECT3DRMFRAME reference,
                                     D3DRMFRAMECONSTRAINT constraint) override;
    HRESULT STDMETHODCALLTYPE Move(D3DVALUE delta) override;
    HRESULT STDMETHODCALLTYPE SetSceneBackgroundRGB(D3DVALUE red, D3DVALUE green, D3DVALUE blue) override;

    // Engine-side access; callers hold the engine lock.
    Frame* Parent() const { return parent_; }
    const RigidTransform& Local() const { return local_; }
    Frame* Root();
    RigidTransform WorldTransform() const;
    const std::vector<ComRef<Frame>>& Children() const { return children_; }
    const std::vector<ComRef<Light>>& Lights() const { return lights_; }
    const std::vector<ComRef<IDirect3DRMVisual>>& Visuals() const { return visuals_; }
    Vec3 SceneBackground() const { return background_; }

protected:
    ~Frame() override;
    void* FindInterface(REFIID iid) override;

private:
    // Transform from reference space to world; a null reference means the parent's space.
    RigidTransform ReferenceToWorld(const Frame* reference) const;
    void SetWorldTransform(const RigidTransform& world);
    void Advance(float delta);
    bool IsAncestorOf(const Frame* other) const;
    void Detach(Frame* child);

    Frame* parent_ = nullptr;  // not owned: the parent owns this frame
    RigidTransform local_;
    Vec3 velocity_;  // in the parent's space, or the frame's own when velocityTurns_
    bool velocityTurns_ = false;
    Vec3 rotationAxis_{0, 1, 0};  // in the parent's space
    float rotationRate_ = 0;
    Vec3 background_;
    std::vector<ComRef<Frame>> children_;
    std::vector<ComRef<Light>> lights_;
    std::vector<ComRef<IDirect3DRMVisual>> visuals_;
};

// The engine's frame behind an interface; null for null or a foreign object.
Frame* AsFrame(IDirect3DRMFrame* frame);

// Makes a frame; with a parent it becomes that frame's child.
HRESULT CreateFrameObject(IDirect3DRMFrame* parent, IDirect3DRMFrame2** frame);

}  // namespace varnoka::rm
