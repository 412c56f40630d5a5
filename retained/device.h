#pragma once
// A software rendering device: its buffers, its render state, and where Update shows the frame.

#include <memory>

#include "retained/com_base.h"
#include "retained/pipeline/renderer.h"
#include "retained/presenter.h"

namespace varnoka::rm {

// Set on the IDirect3DRM2 object and read by its devices whenever they draw.
struct TextureDefaults {
    int colors = 8;
    int shades = 16;
};

// Devices are refused beyond this side, rather than allocating without bound.
constexpr int MaxDeviceSide = 16384;

class Device final : public ComObject<IDirect3DRMDevice2, IDirect3DRMWinDevice> {
public:
    Device(ColorModel model, std::unique_ptr<Presenter> presenter, std::shared_ptr<const TextureDefaults> defaults);

    HRESULT STDMETHODCALLTYPE SetShades(DWORD shades) override;
    DWORD STDMETHODCALLTYPE GetShades() override;
    HRESULT STDMETHODCALLTYPE SetDither(BOOL dither) override;
    BOOL STDMETHODCALLTYPE GetDither() override;
    HRESULT STDMETHODCALLTYPE SetQuality(D3DRMRENDERQUALITY quality) override;
    D3DRMRENDERQUALITY STDMETHODCALLTYPE GetQuality() override;
    HRESULT STDMETHODCALLTYPE SetTextureQuality(D3DRMTEXTUREQUALITY quality) override;
    D3DRMTEXTUREQUALITY STDMETHODCALLTYPE GetTextureQuality() override;
    DWORD STDMETHODCALLTYPE GetWidth() override;
    DWORD STDMETHODCALLTYPE GetHeight() override;
    HRESULT STDMETHODCALLTYPE Update() override;
    HRESULT STDMETHODCALLTYPE SetRenderMode(DWORD flags) override;
    DWORD STDMETHODCALLTYPE GetRenderMode() override;
    HRESULT STDMETHODCALLTYPE HandlePaint(HDC dc) override;

    // Engine-side; callers hold the engine lock.
    RenderTarget& Target() { return target_; }
    RenderScratch& Scratch() { return scratch_; }
    RenderSettings Settings() const;
    void SetWholeFrames(bool whole) { target_.wholeFrames = whole; }
    // A new viewport may cover what the window shows differently: the next frame shows it all.
    void ShowWholeNextFrame() { target_.wholeUnshown = true; }

protected:
    void* FindInterface(REFIID iid) override;

private:
    friend HRESULT CreateDeviceObject(ColorModel, HWND, int, int, std::shared_ptr<const TextureDefaults>,
                                      IDirect3DRMDevice2**);

    ColorModel model_;
    std::unique_ptr<Presenter> presenter_;
    std::shared_ptr<const TextureDefaults> defaults_;
    D3DRMRENDERQUALITY quality_ = D3DRMRENDER_FLAT;
    D3DRMTEXTUREQUALITY textureQuality_ = D3DRMTEXTURE_NEAREST;
    DWORD shades_ = 32;
    bool dither_ = true;
    DWORD renderMode_ = 0;
    RenderTarget target_;
    RenderScratch scratch_;
};

Device* AsDevice(IDirect3DRMDevice* device);

// The caller has checked width and height against MaxDeviceSide.
HRESULT CreateDeviceObject(ColorModel model, HWND window, int width, int height,
                           std::shared_ptr<const TextureDefaults> defaults, IDirect3DRMDevice2** device);

}  // namespace varnoka::rm
