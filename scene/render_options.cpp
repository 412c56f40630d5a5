#include "scene/render_options.h"

#include "scene/device_making.h"
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

bool Carry(IDirect3DRMDevice2* device, const CarriedState& state) {
    return SUCCEEDED(device->SetDither(state.dither)) && SUCCEEDED(device->SetQuality(state.quality)) &&
           SUCCEEDED(device->SetTextureQuality(state.textureQuality)) && SUCCEEDED(device->SetShades(state.shades));
}

}  // namespace

int SetFillMode(ViewerContext* context, DWORD fill) { return SetQualityBits(context, D3DRMFILL_MASK, fill, "fill"); }

int SetShadeMode(ViewerContext* context, DWORD shade) {
    return SetQualityBits(context, D3DRMSHADE_MASK, shade, "shade");
}

int SetDeviceColorModel(ViewerContext* context, int32_t colorModel) {
    if (colorModel == context->deviceColorModel) return 1;
    context->deviceColorModel = colorModel;
    if (context->device2 == nullptr) return 0;
    return RebuildDevice(context, context->device2->GetWidth(), context->device2->GetHeight());
}

int RebuildDevice(ViewerContext* context, DWORD width, DWORD height) {
    if (context->device2 == nullptr) return 0;
    const CarriedState state = ReadCarriedState(context->device2);
    ReleaseAndClear(context->viewport);
    ReleaseAndClear(context->device2);
    ReleaseAndClear(context->device);

    const DeviceMaking made = MakeDevice(context, static_cast<int>(width), static_cast<int>(height));
    if (made.step == DeviceStep::NoDevice) {
        ReportError("Creating a device from HWND failed while rebuilding device.\n%s", ErrorText(made.result));
        return 0;
    }
    if (made.step != DeviceStep::Made || !Carry(context->device2, state) ||
        FAILED(MakeViewport(context, RebuiltBackPlane))) {
        ReportError("A failure occurred while rebuilding the device.\n");
        return 0;
    }
    return 1;
}

int ToggleDithering(ViewerContext* context) {
    if (context->device2 == nullptr) return 0;
    if (FAILED(context->device2->SetDither(context->device2->GetDither() ? FALSE : TRUE))) {
        ReportError("Toggling dithering failed.\n");
        return 0;
    }
    return 1;
}

int ToggleTextureFiltering(ViewerContext* context) {
    if (context->device2 == nullptr) return 0;
    const D3DRMTEXTUREQUALITY next =
        context->device2->GetTextureQuality() == D3DRMTEXTURE_NEAREST ? D3DRMTEXTURE_LINEAR : D3DRMTEXTURE_NEAREST;
    if (FAILED(context->device2->SetTextureQuality(next))) {
        ReportError("Setting texture quality failed.\n");
        return 0;
    }
    return 1;
}

void ApplyRenderSettings(ViewerContext* context, const SaverSettings& settings) {
    switch (settings.shadeMode) {
        case FlatShading:
            SetShadeMode(context, D3DRMSHADE_FLAT);
            break;
        case GouraudShading:
            SetShadeMode(context, D3DRMSHADE_GOURAUD);
            break;
        case PhongShading:
            SetShadeMode(context, D3DRMSHADE_PHONG);
            break;
    }
    switch (settings.fillMode) {
        case PointsFill:
            SetFillMode(context, D3DRMFILL_POINTS);
            break;
        case WireframeFill:
            SetFillMode(context, D3DRMFILL_WIREFRAME);
            break;
        case SolidFill:
            SetFillMode(context, D3DRMFILL_SOLID);
            break;
    }
    switch (settings.colorModel) {
        case MonoColors:
            SetDeviceColorModel(context, MonoColorModel);
            break;
        case RgbColors:
            SetDeviceColorModel(context, RgbColorModel);
            break;
    }
    if (settings.dithered != 0) ToggleDithering(context);
    if (settings.textureFiltering != 0) ToggleTextureFiltering(context);
}
