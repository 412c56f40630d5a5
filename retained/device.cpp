#include "retained/device.h"

#include "retained/whole_frames.h"

namespace varnoka::rm {

Device::Device(ColorModel model, std::unique_ptr<Presenter> presenter, std::shared_ptr<const TextureDefaults> defaults)
    : model_(model), presenter_(std::move(presenter)), defaults_(std::move(defaults)) {}

void* Device::FindInterface(REFIID iid) {
    if (iid == IID_IDirect3DRMDevice2) return static_cast<IDirect3DRMDevice2*>(this);
    if (iid == IID_IDirect3DRMDevice) return static_cast<IDirect3DRMDevice*>(this);
    if (iid == IID_IDirect3DRMWinDevice) return static_cast<IDirect3DRMWinDevice*>(this);
    return ComObject::FindInterface(iid);
}

Device* AsDevice(IDirect3DRMDevice* device) { return device ? dynamic_cast<Device*>(device) : nullptr; }

HRESULT CreateDeviceObject(ColorModel model, HWND window, int width, int height,
                           std::shared_ptr<const TextureDefaults> defaults, IDirect3DRMDevice2** device) {
    return GuardAllocation(D3DRMERR_BADALLOC, [&] {
        ComRef<Device> made = NewObject<Device>(model, MakeWindowPresenter(window), std::move(defaults));
        made->target_.Resize(width, height);
        *device = made.Detach();
        return D3DRM_OK;
    });
}

HRESULT Device::SetShades(DWORD shades) {
    if (shades < 2 || shades > 256) return D3DRMERR_BADVALUE;
    EngineLock lock;
    shades_ = shades;
    return D3DRM_OK;
}

DWORD Device::GetShades() {
    EngineLock lock;
    return shades_;
}

HRESULT Device::SetDither(BOOL dither) {
    EngineLock lock;
    dither_ = dither != FALSE;
    return D3DRM_OK;
}

BOOL Device::GetDither() {
    EngineLock lock;
    return dither_ ? TRUE : FALSE;
}

HRESULT Device::SetQuality(D3DRMRENDERQUALITY quality) {
    const DWORD shade = quality & D3DRMSHADE_MASK;
    const DWORD light = quality & D3DRMLIGHT_MASK;
    const DWORD fill = quality & D3DRMFILL_MASK;
    const bool known = (quality & ~(D3DRMSHADE_MASK | D3DRMLIGHT_MASK | D3DRMFILL_MASK)) == 0;
    if (!known || shade > D3DRMSHADE_PHONG || light > D3DRMLIGHT_ON || fill > D3DRMFILL_SOLID) return D3DRMERR_BADVALUE;
    EngineLock lock;
    quality_ = quality;
    return D3DRM_OK;
}

D3DRMRENDERQUALITY Device::GetQuality() {
    EngineLock lock;
    return quality_;
}

HRESULT Device::SetTextureQuality(D3DRMTEXTUREQUALITY quality) {
    if (quality != D3DRMTEXTURE_NEAREST && quality != D3DRMTEXTURE_LINEAR) return D3DRMERR_BADVALUE;
    EngineLock lock;
    textureQuality_ = quality;
    return D3DRM_OK;
}

D3DRMTEXTUREQUALITY Device::GetTextureQuality() {
    EngineLock lock;
    return textureQuality_;
}

DWORD Device::GetWidth() {
    EngineLock lock;
    return static_cast<DWORD>(target_.width);
}

DWORD Device::GetHeight() {
    EngineLock lock;
    return static_cast<DWORD>(target_.height);
}

HRESULT Device::Update() {
    EngineLock lock;
    const ShownRects shown = target_.TakeUnshown();
    const HRESULT result = GuardAllocation(D3DRMERR_BADALLOC, [&] { return presenter_->Show(target_, shown); });
    if (FAILED(result)) target_.wholeUnshown = true;  // what was not shown is not known
    return result;
}

HRESULT Device::HandlePaint(HDC dc) {
    EngineLock lock;
    // The next frame shows the whole window, whatever happens now. Half a frame must not reach the
    // window, so while one is being drawn, that is all. Between frames the last one is painted at
    // once as well; but the system may ask before the window is in fact uncovered on the screen
    // (under Wine another process's window leaves the X display a moment later), and what it
    // still covered then would stay stale behind frames that show only what changed.
    target_.wholeUnshown = true;
    if (target_.frameInProgress) return D3DRM_OK;
    return GuardAllocation(D3DRMERR_BADALLOC, [&] { return presenter_->Paint(target_, dc); });
}

HRESULT SetWholeFrames(IDirect3DRMDevice* device, BOOL whole) {
    Device* engineDevice = AsDevice(device);
    if (engineDevice == nullptr) return D3DRMERR_BADOBJECT;
    EngineLock lock;
    engineDevice->SetWholeFrames(whole != FALSE);
    return D3DRM_OK;
}

HRESULT Device::SetRenderMode(DWORD flags) {
    if ((flags & ~(D3DRMRENDERMODE_BLENDEDTRANSPARENCY | D3DRMRENDERMODE_SORTEDTRANSPARENCY)) != 0)
        return D3DRMERR_BADVALUE;
    EngineLock lock;
    renderMode_ = flags;
    return D3DRM_OK;
}

DWORD Device::GetRenderMode() {
    EngineLock lock;
    return renderMode_;
}

RenderSettings Device::Settings() const {
    RenderSettings s;
    s.quality = quality_;
    s.linearFiltering = textureQuality_ == D3DRMTEXTURE_LINEAR;
    s.model = model_;
    s.dither = dither_;
    s.shades = static_cast<int>(shades_);
    s.textureColors = defaults_->colors;
    s.textureShades = defaults_->shades;
    s.renderMode = renderMode_;
    return s;
}

}  // namespace varnoka::rm
