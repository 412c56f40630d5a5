#pragma once
// A viewport: a rectangle of a device seen through a camera frame, with its front and back
// planes and field of view.

#include "retained/device.h"
#include "retained/frame.h"

namespace varnoka::rm {

class Viewport final : public ComObject<IDirect3DRMViewport> {
public:
    Viewport(Device* device, Frame* camera, PixelRect rect);

    HRESULT STDMETHODCALLTYPE SetFront(D3DVALUE front) override;
    HRESULT STDMETHODCALLTYPE SetBack(D3DVALUE back) override;
    HRESULT STDMETHODCALLTYPE SetField(D3DVALUE field) override;
    D3DVALUE STDMETHODCALLTYPE GetFront() override;
    D3DVALUE STDMETHODCALLTYPE GetBack() override;
    D3DVALUE STDMETHODCALLTYPE GetField() override;
    HRESULT STDMETHODCALLTYPE Clear() override;
    HRESULT STDMETHODCALLTYPE Render(LPDIRECT3DRMFRAME scene) override;
    HRESULT STDMETHODCALLTYPE Pick(LONG x, LONG y, LPDIRECT3DRMPICKEDARRAY* picked) override;
    HRESULT STDMETHODCALLTYPE Transform(LPD3DRMVECTOR4D screen, LPD3DVECTOR world) override;
    HRESULT STDMETHODCALLTYPE InverseTransform(LPD3DVECTOR world, LPD3DRMVECTOR4D screen) override;

protected:
    void* FindInterface(REFIID iid) override;

private:
    Projection CurrentProjection() const;

    ComRef<Device> device_;
    ComRef<Frame> camera_;
    PixelRect rect_;
    float front_ = 1.0f;
    float back_ = 100.0f;
    float field_ = 0.5f;
    std::vector<PickHit> hits_;
};

HRESULT CreateViewportObject(IDirect3DRMDevice* device, IDirect3DRMFrame* camera, DWORD x, DWORD y, DWORD width,
                             DWORD height, IDirect3DRMViewport** viewport);

}  // namespace varnoka::rm
