// The retained-mode root object: the factory of frames, lights, visuals, devices and viewports.

#include <cmath>
#include <memory>

#include "retained/clipper.h"
#include "retained/com_base.h"
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
    return CreateObject<Object>(D3DRMERR_BADALLOC, out);
}

class Direct3DRM final : public ComObject<IDirect3DRM, IDirect3DRM2> {
public:
    Direct3DRM() : defaults_(std::make_shared<TextureDefaults>()) {}

    HRESULT STDMETHODCALLTYPE LoadTexture(const char* fileName, LPDIRECT3DRMTEXTURE* texture) override {
        return LoadTextureFile(fileName, texture);
    }

    HRESULT STDMETHODCALLTYPE CreateFrame(LPDIRECT3DRMFRAME parent, LPDIRECT3DRMFRAME2* frame) override {
        return CreateFrameObject(parent, frame);
    }

    HRESULT STDMETHODCALLTYPE CreateLightRGB(D3DRMLIGHTTYPE type, D3DVALUE red, D3DVALUE green, D3DVALUE blue,
                                             LPDIRECT3DRMLIGHT* light) override {
        if (light == nullptr) return D3DRMERR_BADVALUE;
        *light = nullptr;
        // Ambient and directional light are what the engine shades with.
        if (type != D3DRMLIGHT_AMBIENT && type != D3DRMLIGHT_DIRECTIONAL) return D3DRMERR_BADVALUE;
        if (!std::isfinite(red) || !std::isfinite(green) || !std::isfinite(blue)) return D3DRMERR_BADVALUE;
        return CreateObject<Light>(D3DRMERR_BADALLOC, light, type, Vec3{red, green, blue});
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
        *device = nullptr;
        const Clipper* engineClipper = AsClipper(clipper);
        if (engineClipper == nullptr) return D3DRMERR_BADOBJECT;
        ColorModel model = ColorModel::Rgb;
        if (deviceGuid != nullptr) {
            if (*deviceGuid == IID_IDirect3DRampDevice)
                model = ColorModel::Mono;
            else if (*deviceGuid != IID_IDirect3DRGBDevice)
                return D3DRMERR_BADDEVICE;
        }
        if (width < 0 || height < 0 || width > MaxDeviceSide || height > MaxDeviceSide) return D3DRMERR_BADVALUE;
        EngineLock lock;
        if (engineClipper->Window() == nullptr) return DDERR_NOHWND;
        return CreateDeviceObject(model, engineClipper->Window(), width, height, defaults_, device);
    }

    HRESULT STDMETHODCALLTYPE CreateViewport(LPDIRECT3DRMDEVICE device, LPDIRECT3DRMFRAME camera, DWORD x, DWORD y,
                                             DWORD width, DWORD height, LPDIRECT3DRMVIEWPORT* viewport) override {
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

protected:
    void* FindInterface(REFIID iid) override {
        if (iid == IID_IDirect3DRM) return static_cast<IDirect3DRM*>(this);
        if (iid == IID_IDirect3DRM2) return static_cast<IDirect3DRM2*>(this);
        return ComObject::FindInterface(iid);
    }

private:
    ~Direct3DRM() override = default;

    std::shared_ptr<TextureDefaults> defaults_;
};

}  // namespace
}  // namespace varnoka::rm

HRESULT Direct3DRMCreate(LPDIRECT3DRM* direct3drm) {
    if (direct3drm == nullptr) return D3DRMERR_BADVALUE;
    return varnoka::rm::CreateObject<varnoka::rm::Direct3DRM>(D3DRMERR_BADALLOC, direct3drm);
}
