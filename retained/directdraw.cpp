// DirectDraw stand-ins: the clipper, and the device search over the engine's two software
// devices.

#include <cstring>
#include "retained/clipper.h"
#include "retained/com_base.h"

namespace varnoka::rm {

void* Clipper::FindInterface(REFIID iid) {
    if (iid == IID_IDirectDrawClipper) return static_cast<IDirectDrawClipper*>(this);
    return ComObject::FindInterface(iid);
}

HRESULT Clipper::SetHWnd(DWORD flags, HWND window) {
    if (flags != 0) return E_INVALIDARG;
    EngineLock lock;
    window_ = window;
    return DD_OK;
}

HRESULT Clipper::GetHWnd(HWND* window) {
    if (window == nullptr) return E_INVALIDARG;
    EngineLock lock;
    *window = window_;
    return DD_OK;
}

Clipper* AsClipper(IDirectDrawClipper* clipper) { return clipper ? dynamic_cast<Clipper*>(clipper) : nullptr; }

namespace {

struct SoftwareDevice {
    const GUID* guid;
    D3DCOLORMODEL model;
};

const SoftwareDevice Devices[] = {{&IID_IDirect3DRGBDevice, D3DCOLOR_RGB}, {&IID_IDirect3DRampDevice, D3DCOLOR_MONO}};

bool Matches(const SoftwareDevice& device, const D3DFINDDEVICESEARCH& search) {
    if ((search.dwFlags & D3DFDS_COLORMODEL) && search.dcmColorModel != device.model) return false;
    if ((search.dwFlags & D3DFDS_GUID) && search.guid != *device.guid) return false;
    if ((search.dwFlags & D3DFDS_HARDWARE) && search.bHardware) return false;  // ours are software
    return true;
}

void Describe(const SoftwareDevice& device, D3DFINDDEVICERESULT& result) {
    const DWORD size = result.dwSize;
    std::memset(&result, 0, sizeof(result));
    result.dwSize = size;
    result.guid = *device.guid;
    result.ddHwDesc.dwSize = sizeof(D3DDEVICEDESC);  // dwFlags 0: no hardware
    D3DDEVICEDESC& sw = result.ddSwDesc;
    sw.dwSize = sizeof(D3DDEVICEDESC);
    sw.dwFlags = D3DDD_COLORMODEL | D3DDD_DEVICERENDERBITDEPTH;
    sw.dcmColorModel = device.model;
    sw.dwDeviceRenderBitDepth = DDBD_8 | DDBD_16 | DDBD_24 | DDBD_32;
    sw.dwDeviceZBufferBitDepth = DDBD_32;
    sw.dwMaxTextureWidth = sw.dwMaxTextureHeight = 8192;
    sw.dwMinTextureWidth = sw.dwMinTextureHeight = 1;
}

// One object answers as DirectDraw and as its Direct3D interface.
class DirectDraw final : public ComObject<IDirectDraw, IDirect3D> {
public:
    HRESULT STDMETHODCALLTYPE FindDevice(LPD3DFINDDEVICESEARCH search, LPD3DFINDDEVICERESULT result) override {
        if (search == nullptr || result == nullptr) return E_INVALIDARG;
        if (search->dwSize != sizeof(D3DFINDDEVICESEARCH) || result->dwSize != sizeof(D3DFINDDEVICERESULT))
            return E_INVALIDARG;
        for (const SoftwareDevice& device : Devices) {
            if (Matches(device, *search)) {
                Describe(device, *result);
                return D3D_OK;
            }
        }
        return DDERR_NOTFOUND;
    }

protected:
    void* FindInterface(REFIID iid) override {
        if (iid == IID_IDirectDraw) return static_cast<IDirectDraw*>(this);
        if (iid == IID_IDirect3D) return static_cast<IDirect3D*>(this);
        return ComObject::FindInterface(iid);
    }

private:
    ~DirectDraw() override = default;
};

}  // namespace
}  // namespace varnoka::rm

HRESULT DirectDrawCreateClipper(DWORD flags, LPDIRECTDRAWCLIPPER* clipper, IUnknown* outer) {
    if (clipper == nullptr || flags != 0 || outer != nullptr) return E_INVALIDARG;
    return varnoka::rm::CreateObject<varnoka::rm::Clipper>(E_OUTOFMEMORY, clipper);
}

HRESULT DirectDrawCreate(GUID* driver, LPDIRECTDRAW* directDraw, IUnknown* outer) {
    if (directDraw == nullptr || outer != nullptr) return E_INVALIDARG;
    *directDraw = nullptr;
    if (driver != nullptr) return DDERR_INVALIDDIRECTDRAWGUID;
    return varnoka::rm::CreateObject<varnoka::rm::DirectDraw>(E_OUTOFMEMORY, directDraw);
}
