#include "scene/render_options.h"

#include "scene/device_setup.h"
#include "scene/error_text.h"
#include "scene/report_error.h"

namespace {

// Replaces some bits of the device's render quality, leaving the others (lighting among them).
int SetQualityBits(ViewerContext* context, DWORD mask, DWORD bits, const char* what) {
    if (context->device2 == nullptr) return 0;
    IDirect3DRMDevice2* device = context->device2;
    const HRESULT result = device->SetQuality((device->GetQuality() & ~mask) | (bits & mask));
    if (result != D3DRM_OK) {
        ReportError("Setting the render quality while changing the %s mode failed.\n%s", what, ErrorText(result));
        return 0;
    }
    return 1;
}

struct CarriedState {
    BOOL dither;
    D3DRMRENDERQUALITY quality;
    D3DRMTEXTUREQUALITY textureQuality;
    DWORD shades;
};

CarriedState ReadCarriedState(IDirect3DRMDevice2* device) {
    return {device->GetDither(), device->GetQuality(), device->GetTextureQuality(), device->GetShades()};
}

bool FinishRebuild(ViewerContext* context, const CarriedState& state) {
    IDirect3DRMDevice2* device = context->device2;
    device->SetRenderMode(D3DRMRENDERMODE_BLENDEDTRANSPARENCY | D3DRMRENDERMODE_SORTEDTRANSPARENCY);
    return SUCCEEDED(device->QueryInterface(IID_IDirect3DRMDevice, reinterpret_cast<void**>(&context->device))) &&
           SUCCEEDED(device->SetDither(state.dither)) && SUCCEEDED(device->SetQuality(state.quality)) &&
           SUCCEEDED(device->SetTextureQuality(state.textureQuality)) && SUCCEEDED(device->SetShades(state.shades)) &&
           SUCCEEDED(d3drm2->CreateViewport(device, context->camera, 0, 0, device->GetWidth(), device->GetHeight(),
                                            &context->viewport)) &&
           SUCCEEDED(context->viewport->SetBack(RebuiltBackPlane));
}

}  // namespace

int SetFillMode(HWND, ViewerContext* context, DWORD fill) {
    return SetQualityBits(context, D3DRMFILL_MASK, fill, "fill");
}

int SetShadeMode(HWND, ViewerContext* context, DWORD shade) {
    return SetQualityBits(context, D3DRMSHADE_MASK, shade, "shade");
}

int SetDeviceColorModel(HWND window, ViewerContext* context, int32_t colorModel) {
    if (colorModel == context->deviceColorModel) return 1;
    context->deviceColorModel = colorModel;
    if (context->device2 == nullptr) return 0;
    return RebuildDevice(window, context, context->device2->GetWidth(), context->device2->GetHeight());
}

int RebuildDevice(HWND, ViewerContext* context, DWORD width, DWORD height) {
    if (context->device2 == nullptr) return 0;
    const CarriedState state = ReadCarriedState(context->device2);
    ReleaseAndClear(context->viewport);
    ReleaseAndClear(context->device2);
    ReleaseAndClear(context->device);

    const int w = static_cast<int>(width);
    const int h = static_cast<int>(height);
    HRESULT result = d3drm2->CreateDeviceFromClipper(clipper, FindDeviceGuid(context->deviceColorModel, false), w, h,
                                                     &context->device2);
    if (result != D3DRM_OK)
        result = d3drm2->CreateDeviceFromClipper(clipper, FindDeviceGuid(context->deviceColorModel, true), w, h,
                                                 &context->device2);
    if (result != D3DRM_OK) {
        ReportError("Creating a device from HWND failed while rebuilding device.\n%s", ErrorText(result));
        return 0;
    }
    if (!FinishRebuild(context, state)) {
        ReportError("A failure occurred while rebuilding the device.\n");
        return 0;
    }
    return 1;
}

int ToggleDithering(HWND, ViewerContext* context) {
    if (context->device2 == nullptr) return 0;
    if (FAILED(context->device2->SetDither(context->device2->GetDither() ? FALSE : TRUE))) {
        ReportError("Toggling dithering failed.\n");
        return 0;
    }
    return 1;
}

int ToggleTextureFiltering(HWND, ViewerContext* context) {
    if (context->device2 == nullptr) return 0;
    const D3DRMTEXTUREQUALITY next =
        context->device2->GetTextureQuality() == D3DRMTEXTURE_NEAREST ? D3DRMTEXTURE_LINEAR : D3DRMTEXTURE_NEAREST;
    if (FAILED(context->device2->SetTextureQuality(next))) {
        ReportError("Setting texture quality failed.\n");
        return 0;
    }
    return 1;
}

void ApplyRenderSettings(HWND window, ViewerContext* context, const SaverSettings& settings) {
    constexpr DWORD Shades[] = {D3DRMSHADE_FLAT, D3DRMSHADE_GOURAUD, D3DRMSHADE_PHONG};
    constexpr DWORD Fills[] = {D3DRMFILL_POINTS, D3DRMFILL_WIREFRAME, D3DRMFILL_SOLID};
    if (settings.shadeMode >= 0 && settings.shadeMode <= 2) SetShadeMode(window, context, Shades[settings.shadeMode]);
    if (settings.fillMode >= 0 && settings.fillMode <= 2) SetFillMode(window, context, Fills[settings.fillMode]);
    if (settings.colorModel == 0) SetDeviceColorModel(window, context, MonoColorModel);
    if (settings.colorModel == 1) SetDeviceColorModel(window, context, RgbColorModel);
    if (settings.dithered != 0) ToggleDithering(window, context);
    if (settings.textureFiltering != 0) ToggleTextureFiltering(window, context);
}
