#include "scene/camera_keys.h"

namespace {

// Virtual-key codes.
constexpr uint32_t KeyLeft = 0x25;
constexpr uint32_t KeyUp = 0x26;
constexpr uint32_t KeyRight = 0x27;
constexpr uint32_t KeyDown = 0x28;
constexpr uint32_t KeyPadAdd = 0x6B;
constexpr uint32_t KeyPadSubtract = 0x6D;

constexpr D3DVALUE SideStep = 0.25f;
constexpr D3DVALUE LaunchSpeed = 100.0f;

D3DVECTOR Scaled(const D3DVECTOR& v, D3DVALUE factor) { return {v.x * factor, v.y * factor, v.z * factor}; }

void SetVelocity(IDirect3DRMFrame* frame, IDirect3DRMFrame* scene, const D3DVECTOR& v) {
    if (frame != nullptr) frame->SetVelocity(scene, v.x, v.y, v.z, FALSE);
}

}  // namespace

bool SteerOnKeyDown(uint32_t key, IDirect3DRMFrame* camera, IDirect3DRMFrame* scene, IDirect3DRMFrame* selected) {
    D3DVECTOR d{0, 0, 1};
    D3DVECTOR u{0, 1, 0};
    D3DVECTOR r{1, 0, 0};
    // The camera's own axes, read afresh at every press (and at every repeat of a held key).
    if (camera != nullptr && scene != nullptr && SUCCEEDED(camera->GetOrientation(scene, &d, &u))) {
        D3DRMVectorCrossProduct(&r, &u, &d);
        u = Scaled(u, SideStep);
        r = Scaled(r, SideStep);
    }
    IDirect3DRMFrame* cameraFrame = scene != nullptr ? camera : nullptr;
    switch (key) {
        case KeyLeft:
            SetVelocity(cameraFrame, scene, Scaled(r, -1));
            return true;
        case KeyUp:
            SetVelocity(cameraFrame, scene, u);
            return true;
        case KeyRight:
            SetVelocity(cameraFrame, scene, r);
            return true;
        case KeyDown:
            SetVelocity(cameraFrame, scene, Scaled(u, -1));
            return true;
        case 'E':
            SetVelocity(cameraFrame, scene, Scaled(d, LaunchSpeed));
            return true;
        case 'Y':
            SetVelocity(cameraFrame, scene, Scaled(d, -LaunchSpeed));
            return true;
        case 'T':
        case KeyPadAdd:
            SetVelocity(cameraFrame, scene, d);
            return true;
        case 'R':
        case KeyPadSubtract:
            SetVelocity(cameraFrame, scene, Scaled(d, -1));
            return true;
        case 'X':
            SetVelocity(scene != nullptr ? selected : nullptr, scene, d);
            return true;
        case 'Z':
            SetVelocity(scene != nullptr ? selected : nullptr, scene, Scaled(d, -1));
            return true;
        default:
            return false;
    }
}

bool SteerOnKeyUp(uint32_t key, IDirect3DRMFrame* camera, IDirect3DRMFrame* scene, IDirect3DRMFrame* selected) {
    if (scene == nullptr) camera = selected = nullptr;
    switch (key) {
        case KeyLeft:
        case KeyUp:
        case KeyRight:
        case KeyDown:
        case 'R':
        case 'T':
        case KeyPadAdd:
        case KeyPadSubtract:
            SetVelocity(camera, scene, {0, 0, 0});
            return true;
        case 'X':
        case 'Z':
            SetVelocity(selected, scene, {0, 0, 0});
            return true;
        default:
            return false;
    }
}
