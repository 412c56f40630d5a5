#include "interaction/drag_steps.h"

#include <cmath>

namespace {

// The angle is r / sqrt(r^2 + 50^2): 50 pixels turn by 1/sqrt(2) radian.
constexpr double HalfAngleStep = 50.0;

}  // namespace

bool RotationForStep(int dx, int dy, DragRotation& rotation) {
    const double x = dx;
    const double y = dy;
    const double r = std::sqrt(x * x + y * y);
    if (r == 0) return false;
    const double d = std::sqrt(r * r + HalfAngleStep * HalfAngleStep);
    const D3DVALUE length = static_cast<D3DVALUE>(r);
    rotation.axisX = static_cast<D3DVALUE>(-dy) / length;
    rotation.axisY = static_cast<D3DVALUE>(-dx) / length;
    rotation.axisZ = 0.0f;
    rotation.angle = static_cast<D3DVALUE>(r / d);
    return true;
}

HRESULT RotateStep(IDirect3DRMFrame* frame, IDirect3DRMFrame* camera, int dx, int dy) {
    DragRotation rotation{};
    if (!RotationForStep(dx, dy, rotation)) return D3DRM_OK;
    return frame->SetRotation(camera, rotation.axisX, rotation.axisY, rotation.axisZ, rotation.angle);
}

HRESULT MoveStep(IDirect3DRMFrame* frame, IDirect3DRMFrame* scene, IDirect3DRMViewport* viewport, int dx, int dy) {
    D3DVECTOR position{};
    HRESULT result = frame->GetPosition(scene, &position);
    if (FAILED(result)) return result;
    D3DRMVECTOR4D screen{};
    if (FAILED(result = viewport->Transform(&screen, &position))) return result;
    screen.x = static_cast<D3DVALUE>(screen.x + static_cast<double>(dx) * screen.w);
    screen.y = static_cast<D3DVALUE>(screen.y + static_cast<double>(dy) * screen.w);
    if (FAILED(result = viewport->InverseTransform(&position, &screen))) return result;
    return frame->SetPosition(scene, position.x, position.y, position.z);
}
