// The retained-mode root object: the factory of frames, lights, visuals, devices and viewports.

#include <cmath>
#include <memory>
#include <new>

#include "retained/clipper.h"
#include "retained/device.h"
#include "retained/frame.h"
#include "retained/light.h"
#include "retained/mesh_builder.h"
#include "retained/model_file_loading.h"
#include "retained/progressive_mesh.h"
#include "retained/viewport.h"

namespace varnoka::rm {
namespace {

template <class Object, class Interface>
HRESULT MakeObject(Interface** out) {
    if (out == nullptr) return D3DRMERR_BADVALUE;
    *out = new (std::nothrow) Object();
    return *out ? D3DRM_OK : D3DRMERR_BADALLOC;
}

class Direct3DRM final : public IDirect3DRM, public IDirect3DRM2 {
public:
    Direct3DRM() : defaults_(std::make_shared<TextureDefaults>()) {}
    Direct3DRM(const Direct3DRM&) = delete;
    Direct3DRM& operator=(const Direct3DRM&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        EngineLock lock;
        if (iid == IID_IUnknown || iid == IID_IDirect3DRM)
            *object = static_cast<IDirect3DRM*>(this);
        else if (iid == IID_IDirect3DRM2)
            *object = static_cast<IDirect3DRM2*>(this);
        else
            *object = nullptr;
        if (*object == nullptr) return E_NOINTERFACE;
        ++references_;
        return S_OK;
    }

    ULONG STDMETHODCALLTYPE AddRef() override {
        EngineLock lock;
        return ++references_;
    }

    ULONG STDMETHODCALLTYPE Release() override {
        EngineLock lock;
        const ULONG remaining = --references_;
        if (remaining == 0) delete this;
        return remaining;
    }

    HRESULT STDMETHODCALLTYPE LoadTexture(const char* fileName, LPDIRECT3DRMTEXTURE* texture) override {
        return LoadTextureFile(fileName, texture);
    }

    HRESULT STDMETHODCALLTYPE CreateFrame(LPDIRECT3DRMFRAME parent, LPDIRECT3DRMFRAME2* frame) override {
        EngineLock lock;
        return CreateFrameObject(parent, frame);
    }

    HRESULT STDMETHODCALLTYPE CreateLightRGB(D3DRMLIGHTTYPE type, D3DVALUE red, D3DVALUE green, D3DVALUE blue,
                                             LPDIRECT3DRMLIGHT* light) override {
        if (light == nullptr) return D3DRMERR_BADVALUE;
        *light = nullptr;
        // Ambient and directional light are what the engine shades with.
        if (type != D3DRMLIGHT_AMBIENT && type != D3DRMLIGHT_DIRECTIONAL) return D3DRMERR_BADVALUE;
        if (!std::isfinite(red) || !std::isfinite(green) || !std::isfinite(blue)) return D3DRMERR_BADVALUE;
        *light = new (std::nothrow) Light(type, {red, green, blue});
        return *light ? D3DRM_OK : D3DRMERR_BADALLOC;
    }

    HRESULT STDMETHODCALLTYPE CreateMeshBuilder(LPDIRECT3DRMMESHBUILDER2* builder) override {
        return MakeObject<MeshBuilder>(builder);
    }

    HRESULT STDMETHODCALLTYPE CreateProgressiveMesh(LPDIRECT3DRMPROGRESSIVEMESH* mesh) override {
        return MakeObject<ProgressiveMesh>(mesh);
    }

    HRESULT STDMETHODCALLTYPE CreateDeviceFromClipper(LPDIRECTDRAWCLIPPER clipper, LPGUID deviceGuid, int width,
                                                      int height, LPDIRECT3DRMDEVICE2* device) override {
        if (device == nullptr) return D3DRMERR_BADVALUE;
        EngineLock lock;
        *device = nullptr;
        const Clipper* engineClipper = AsClipper(clipper);
        if (engineClipper == nullptr) return D3DRMERR_BADOBJECT;
        if (engineClipper->Window() == nullptr) return DDERR_NOHWND;
        ColorModel model = ColorModel::Rgb;
        if (deviceGuid != nullptr) {
            if (*deviceGuid == IID_IDirect3DRampDevice)
                model = ColorModel::Mono;
            else if (*deviceGuid != IID_IDirect3DRGBDevice)
                return D3DRMERR_BADDEVICE;
        }
        return CreateDeviceObject(model, engineClipper->Window(), width, height, defaults_, device);
    }

    HRESULT STDMETHODCALLTYPE CreateViewport(LPDIRECT3DRMDEVICE device, LPDIRECT3DRMFRAME camera, DWORD x, DWORD y,
                                             DWORD width, DWORD height, LPDIRECT3DRMVIEWPORT* viewport) override {
        EngineLock lock;
        return CreateViewportObject(device, camera, x, y, width, height, viewport);
    }

    HRESULT STDMETHODCALLTYPE SetDefaultTextureColors(DWORD colors) override {
        if (colors < 2 || colors > (1u << 24)) return D3DRMERR_BADVALUE;
        EngineLock lock;
        defaults_->colors = static_cast<int>(colors);
        return D3DRM_OK;
    }

    HRESULT STDMETHODCALLTYPE SetDefaultTextureShades(DWORD shades) override {
        if (shades < 2 || shades > 256) return D3DRMERR_BADVALUE;
        EngineLock lock;
        defaults_->shades = static_cast<int>(shades);
        return D3DRM_OK;
    }

private:
    ~Direct3DRM() = default;

    ULONG references_ = 1;
    std::shared_ptr<TextureDefaults> defaults_;
};

}  // namespace
}  // namespace varnoka::rm

HRESULT Direct3DRMCreate(LPDIRECT3DRM* direct3drm) {
    if (direct3drm == nullptr) return D3DRMERR_BADVALUE;
    *direct3drm = new (std::nothrow) varnoka::rm::Direct3DRM();
    return *direct3drm ? D3DRM_OK : D3DRMERR_BADALLOC;
}
