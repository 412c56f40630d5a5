#include "retained/frame.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "retained/compiled_mesh.h"

namespace varnoka::rm {
namespace {

bool Finite(float a) { return std::isfinite(a); }
bool Finite(float a, float b, float c) { return Finite(a) && Finite(b) && Finite(c); }
float Clamp01(float v) { return std::min(1.0f, std::max(0.0f, v)); }

template <class T, class U>
bool Contains(const std::vector<ComRef<T>>& list, const U* item) {
    return std::any_of(list.begin(), list.end(), [item](const ComRef<T>& r) { return r.Get() == item; });
}

bool IsConstraint(D3DRMFRAMECONSTRAINT c) {
    return c == D3DRMCONSTRAIN_Z || c == D3DRMCONSTRAIN_Y || c == D3DRMCONSTRAIN_X;
}

// The orientation, in the reference's axes, that turns +z toward direction without the turn the
// constraint rules out, taken as yaw about y, then pitch about x, then roll about z. Without roll
// the aim is exact and up stays toward +y. Without yaw the frame can only pitch, and without
// pitch only turn, so it aims at the direction's shadow on the plane it sweeps, unrolled. Empty
// when no turn it may make brings +z nearer the target.
std::optional<Rotation> AimWithout(D3DRMFRAMECONSTRAINT constraint, Vec3 direction) {
    if (constraint == D3DRMCONSTRAIN_Y) direction.x = 0;
    if (constraint == D3DRMCONSTRAIN_X) direction.y = 0;
    if (!(Length(direction) > 1e-20f)) return std::nullopt;
    if (constraint != D3DRMCONSTRAIN_Y) return OrientationFrom(direction, {0, 1, 0});
    // x stays put: past straight up the frame pitches on over instead of turning round.
    Rotation aim;
    aim.row[2] = NormalizedOr(direction, {0, 0, 1});
    aim.row[1] = Cross(aim.row[2], aim.row[0]);
    return aim;
}

}  // namespace

Frame* AsFrame(IDirect3DRMFrame* frame) { return frame ? dynamic_cast<Frame*>(frame) : nullptr; }

HRESULT CreateFrameObject(IDirect3DRMFrame* parent, IDirect3DRMFrame2** frame) {
    if (frame == nullptr) return D3DRMERR_BADVALUE;
    *frame = nullptr;
    Frame* parentFrame = AsFrame(parent);
    if (parent != nullptr && parentFrame == nullptr) return D3DRMERR_BADOBJECT;
    return GuardAllocation(D3DRMERR_BADALLOC, [&] {
        ComRef<Frame> made = NewObject<Frame>();
        if (parentFrame != nullptr) {
            const HRESULT added = parentFrame->AddChild(made.Get());
            if (FAILED(added)) return added;
        }
        *frame = made.Detach();
        return D3DRM_OK;
    });
}

Frame::~Frame() {
    for (const ComRef<Frame>& child : children_) child->parent_ = nullptr;
}

void* Frame::FindInterface(REFIID iid) {
    if (iid == IID_IDirect3DRMFrame2) return static_cast<IDirect3DRMFrame2*>(this);
    if (iid == IID_IDirect3DRMFrame) return static_cast<IDirect3DRMFrame*>(this);
    if (iid == IID_IDirect3DRMVisual) return static_cast<IDirect3DRMVisual*>(this);
    return ComObject::FindInterface(iid);
}

Frame* Frame::Root() {
    Frame* frame = this;
    while (frame->parent_ != nullptr) frame = frame->parent_;
    return frame;
}

RigidTransform Frame::WorldTransform() const { return parent_ ? Compose(local_, parent_->WorldTransform()) : local_; }

RigidTransform Frame::ReferenceToWorld(const Frame* reference) const {
    if (reference != nullptr) return reference->WorldTransform();
    return parent_ ? parent_->WorldTransform() : RigidTransform{};
}

void Frame::SetWorldTransform(const RigidTransform& world) {
    local_ = parent_ ? Compose(world, Inverse(parent_->WorldTransform())) : world;
}

bool Frame::IsAncestorOf(const Frame* other) const {
    for (const Frame* f = other; f != nullptr; f = f->parent_)
        if (f == this) return true;
    return false;
}

void Frame::Detach(Frame* child) {
    auto it =
        std::find_if(children_.begin(), children_.end(), [child](const ComRef<Frame>& r) { return r.Get() == child; });
    if (it == children_.end()) return;
    child->parent_ = nullptr;
    children_.erase(it);
}

HRESULT Frame::AddChild(LPDIRECT3DRMFRAME child) {
    Frame* frame = AsFrame(child);
    if (frame == nullptr) return D3DRMERR_BADOBJECT;
    EngineLock lock;
    if (frame->IsAncestorOf(this)) return D3DRMERR_BADVALUE;  // would close a loop
    if (frame->parent_ == this) return D3DRM_OK;
    return GuardAllocation(D3DRMERR_BADALLOC, [&] {
        // The one allocation comes first, so running out leaves the child where it was.
        children_.emplace_back(frame);
        if (frame->parent_ != nullptr) frame->parent_->Detach(frame);
        frame->parent_ = this;
        return D3DRM_OK;
    });
}

HRESULT Frame::AddLight(LPDIRECT3DRMLIGHT light) {
    Light* engineLight = light ? AsLight(light) : nullptr;
    if (engineLight == nullptr) return D3DRMERR_BADOBJECT;
    EngineLock lock;
    return GuardAllocation(D3DRMERR_BADALLOC, [&] {
        if (!Contains(lights_, engineLight)) lights_.emplace_back(engineLight);
        return D3DRM_OK;
    });
}

HRESULT Frame::AddVisual(LPDIRECT3DRMVISUAL visual) {
    if (visual == nullptr || AsMeshVisual(visual) == nullptr) return D3DRMERR_BADOBJECT;
    EngineLock lock;
    return GuardAllocation(D3DRMERR_BADALLOC, [&] {
        if (!Contains(visuals_, visual)) visuals_.emplace_back(visual);
        return D3DRM_OK;
    });
}

HRESULT Frame::DeleteVisual(LPDIRECT3DRMVISUAL visual) {
    if (visual == nullptr) return D3DRMERR_BADOBJECT;
    EngineLock lock;
    auto it = std::find_if(visuals_.begin(), visuals_.end(),
                           [visual](const ComRef<IDirect3DRMVisual>& r) { return r.Get() == visual; });
    if (it == visuals_.end()) return D3DRMERR_NOTFOUND;
    visuals_.erase(it);
    return D3DRM_OK;
}

HRESULT Frame::SetPosition(LPDIRECT3DRMFRAME reference, D3DVALUE x, D3DVALUE y, D3DVALUE z) {
    const Frame* ref = AsFrame(reference);
    if (reference != nullptr && ref == nullptr) return D3DRMERR_BADOBJECT;
    if (!Finite(x, y, z)) return D3DRMERR_BADVALUE;
    EngineLock lock;
    const Vec3 world = TransformPoint({x, y, z}, ReferenceToWorld(ref));
    local_.origin = parent_ ? InverseTransformPoint(world, parent_->WorldTransform()) : world;
    return D3DRM_OK;
}

HRESULT Frame::GetPosition(LPDIRECT3DRMFRAME reference, LPD3DVECTOR position) {
    const Frame* ref = AsFrame(reference);
    if (reference != nullptr && ref == nullptr) return D3DRMERR_BADOBJECT;
    if (position == nullptr) return D3DRMERR_BADVALUE;
    EngineLock lock;
    const Vec3 p = InverseTransformPoint(WorldTransform().origin, ReferenceToWorld(ref));
    *position = {p.x, p.y, p.z};
    return D3DRM_OK;
}

HRESULT Frame::SetOrientation(LPDIRECT3DRMFRAME reference, D3DVALUE dx, D3DVALUE dy, D3DVALUE dz, D3DVALUE ux,
                              D3DVALUE uy, D3DVALUE uz) {
    const Frame* ref = AsFrame(reference);
    if (reference != nullptr && ref == nullptr) return D3DRMERR_BADOBJECT;
    if (!Finite(dx, dy, dz) || !Finite(ux, uy, uz)) return D3DRMERR_BADVALUE;
    if (dx == 0 && dy == 0 && dz == 0) return D3DRMERR_BADVALUE;
    EngineLock lock;
    RigidTransform world = WorldTransform();
    world.rotation = Compose(OrientationFrom({dx, dy, dz}, {ux, uy, uz}), ReferenceToWorld(ref).rotation);
    SetWorldTransform(world);
    return D3DRM_OK;
}

HRESULT Frame::GetOrientation(LPDIRECT3DRMFRAME reference, LPD3DVECTOR direction, LPD3DVECTOR up) {
    const Frame* ref = AsFrame(reference);
    if (reference != nullptr && ref == nullptr) return D3DRMERR_BADOBJECT;
    if (direction == nullptr || up == nullptr) return D3DRMERR_BADVALUE;
    EngineLock lock;
    const Rotation world = WorldTransform().rotation;
    const Rotation referenceRotation = ReferenceToWorld(ref).rotation;
    const Vec3 d = Unrotate(world.row[2], referenceRotation);
    const Vec3 u = Unrotate(world.row[1], referenceRotation);
    *direction = {d.x, d.y, d.z};
    *up = {u.x, u.y, u.z};
    return D3DRM_OK;
}

HRESULT Frame::SetRotation(LPDIRECT3DRMFRAME reference, D3DVALUE x, D3DVALUE y, D3DVALUE z, D3DVALUE theta) {
    const Frame* ref = AsFrame(reference);
    if (reference != nullptr && ref == nullptr) return D3DRMERR_BADOBJECT;
    if (!Finite(x, y, z) || !Finite(theta)) return D3DRMERR_BADVALUE;
    EngineLock lock;
    const Vec3 worldAxis = Rotate({x, y, z}, ReferenceToWorld(ref).rotation);
    const Vec3 parentAxis = parent_ ? Unrotate(worldAxis, parent_->WorldTransform().rotation) : worldAxis;
    if (!(Length(parentAxis) > 1e-20f)) {
        if (theta != 0) return D3DRMERR_BADVALUE;
        rotationRate_ = 0;
        return D3DRM_OK;
    }
    rotationAxis_ = NormalizedOr(parentAxis, {0, 1, 0});
    rotationRate_ = theta;
    return D3DRM_OK;
}

HRESULT Frame::SetVelocity(LPDIRECT3DRMFRAME reference, D3DVALUE x, D3DVALUE y, D3DVALUE z, BOOL withRotation) {
    const Frame* ref = AsFrame(reference);
    if (reference != nullptr && ref == nullptr) return D3DRMERR_BADOBJECT;
    if (!Finite(x, y, z)) return D3DRMERR_BADVALUE;
    EngineLock lock;
    const Vec3 world = Rotate({x, y, z}, ReferenceToWorld(ref).rotation);
    velocityTurns_ = withRotation != FALSE;
    if (velocityTurns_)
        velocity_ = Unrotate(world, WorldTransform().rotation);
    else
        velocity_ = parent_ ? Unrotate(world, parent_->WorldTransform().rotation) : world;
    return D3DRM_OK;
}

HRESULT Frame::LookAt(LPDIRECT3DRMFRAME target, LPDIRECT3DRMFRAME reference, D3DRMFRAMECONSTRAINT constraint) {
    const Frame* aim = AsFrame(target);
    const Frame* ref = AsFrame(reference);
    if (aim == nullptr || (reference != nullptr && ref == nullptr)) return D3DRMERR_BADOBJECT;
    if (!IsConstraint(constraint)) return D3DRMERR_BADVALUE;
    EngineLock lock;
    const RigidTransform referenceToWorld = ReferenceToWorld(ref);
    const Vec3 toTarget = aim->WorldTransform().origin - WorldTransform().origin;
    const std::optional<Rotation> orientation = AimWithout(constraint, Unrotate(toTarget, referenceToWorld.rotation));
    if (!orientation) return D3DRM_OK;  // nothing to turn toward
    RigidTransform world = WorldTransform();
    world.rotation = Compose(*orientation, referenceToWorld.rotation);
    SetWorldTransform(world);
    return D3DRM_OK;
}

void Frame::Advance(float delta) {
    if (rotationRate_ != 0) {
        local_.rotation = Orthonormalized(Compose(local_.rotation, AxisAngle(rotationAxis_, rotationRate_ * delta)));
    }
    const Vec3 step = velocityTurns_ ? Rotate(velocity_, local_.rotation) : velocity_;
    const Vec3 moved = local_.origin + step * delta;
    // A runaway velocity must not carry the frame to infinity and poison every later frame.
    if (IsFinite(moved)) local_.origin = moved;
    for (const ComRef<Frame>& child : children_) child->Advance(delta);
}

HRESULT Frame::Move(D3DVALUE delta) {
    if (!Finite(delta)) return D3DRMERR_BADVALUE;
    EngineLock lock;
    Advance(delta);
    return D3DRM_OK;
}

HRESULT Frame::SetSceneBackgroundRGB(D3DVALUE red, D3DVALUE green, D3DVALUE blue) {
    if (!Finite(red, green, blue)) return D3DRMERR_BADVALUE;
    EngineLock lock;
    Root()->background_ = {Clamp01(red), Clamp01(green), Clamp01(blue)};
    return D3DRM_OK;
}

}  // namespace varnoka::rm
