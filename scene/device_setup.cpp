#include "scene/device_setup.h"

#include "scene/build_scene.h"
#include "scene/render_options.h"
#include "scene/report_error.h"
#include "scene/scene_host.h"
#include "settings/saver_settings.h"

namespace {

D3DFINDDEVICERESULT deviceSearchResult;

HRESULT SearchDevice(IDirect3D* direct3d, int32_t colorModel, bool softwareOnly) {
    D3DFINDDEVICESEARCH search{};
    search.dwSize = sizeof search;
    search.dwFlags = D3DFDS_COLORMODEL;
    search.dcmColorModel = colorModel == MonoColorModel ? D3DCOLOR_MONO : D3DCOLOR_RGB;
    if (softwareOnly) {
        search.dwFlags |= D3DFDS_HARDWARE;
        search.bHardware = FALSE;
    }
    deviceSearchResult = D3DFINDDEVICERESULT{};
    deviceSearchResult.dwSize = sizeof deviceSearchResult;
    return direct3d->FindDevice(&search, &deviceSearchResult);
}

// Shades, texture colours, texture shades and dithering for the screen's depth: full-colour
// screens get 256 levels, a 1-bit screen 4, and every screen but a 1-bit one loses dithering.
bool ApplyScreenDepth(IDirect3DRMDevice2* device, int bitsPerPixel) {
    const bool fullColor = bitsPerPixel == 16 || bitsPerPixel == 24 || bitsPerPixel == 32;
    if (bitsPerPixel == 1) {
        if (FAILED(device->SetShades(4))) return false;
        if (FAILED(d3drm2->SetDefaultTextureShades(4))) return false;
        return true;
    }
    if (fullColor) {
        if (FAILED(device->SetShades(256))) return false;
        if (FAILED(d3drm2->SetDefaultTextureColors(256))) return false;
        if (FAILED(d3drm2->SetDefaultTextureShades(256))) return false;
    }
    return SUCCEEDED(device->SetDither(FALSE));
}

bool CreateDeviceObjects(HWND window, ViewerContext* context) {
    const ClientArea client = ClientAreaOf(window);
    HRESULT result = d3drm2->CreateDeviceFromClipper(clipper, FindDeviceGuid(context->deviceColorModel, false),
                                                     client.width, client.height, &context->device2);
    if (FAILED(result))
        result = d3drm2->CreateDeviceFromClipper(clipper, FindDeviceGuid(context->deviceColorModel, true), client.width,
                                                 client.height, &context->device2);
    if (FAILED(result)) return false;
    context->device2->SetRenderMode(D3DRMRENDERMODE_BLENDEDTRANSPARENCY | D3DRMRENDERMODE_SORTEDTRANSPARENCY);
    if (FAILED(context->device2->QueryInterface(IID_IDirect3DRMDevice, reinterpret_cast<void**>(&context->device))))
        return false;
    return ApplyScreenDepth(context->device2, WindowBitsPerPixel(window));
}

void ReportDeviceFailure() { ReportError("An error occurred while creating the device.\n"); }

}  // namespace

DWORD RenderBitDepthFlag(int bitsPerPixel) {
    switch (bitsPerPixel) {
        case 1:
            return DDBD_1;
        case 2:
            return DDBD_2;
        case 4:
            return DDBD_4;
        case 8:
            return DDBD_8;
        case 16:
            return DDBD_16;
        case 24:
            return DDBD_24;
        case 32:
            return DDBD_32;
        default:
            return 0;
    }
}

GUID* FindDeviceGuid(int32_t colorModel, bool softwareOnly) {
    const int screenBits = ScreenBitsPerPixel();
    IDirectDraw* directDraw = nullptr;
    if (FAILED(DirectDrawCreate(nullptr, &directDraw, nullptr))) return nullptr;
    IDirect3D* direct3d = nullptr;
    if (FAILED(directDraw->QueryInterface(IID_IDirect3D, reinterpret_cast<void**>(&direct3d)))) {
        directDraw->Release();
        return nullptr;
    }
    HRESULT result = SearchDevice(direct3d, colorModel, softwareOnly);
    // A hardware device that cannot draw at the screen's depth gives way to software.
    if (SUCCEEDED(result) && deviceSearchResult.ddHwDesc.dwFlags != 0 &&
        (deviceSearchResult.ddHwDesc.dwDeviceRenderBitDepth & RenderBitDepthFlag(screenBits)) == 0)
        result = SearchDevice(direct3d, colorModel, true);
    direct3d->Release();
    directDraw->Release();
    return SUCCEEDED(result) ? &deviceSearchResult.guid : nullptr;
}

int CreateDevice(HWND window, ViewerContext* context) {
    if (!CreateDeviceObjects(window, context)) {
        ReportDeviceFailure();
        return 0;
    }
    if (!BuildScene(context)) return 0;
    if (FAILED(d3drm2->CreateViewport(context->device2, context->camera, 0, 0, context->device2->GetWidth(),
                                      context->device2->GetHeight(), &context->viewport)) ||
        FAILED(context->viewport->SetBack(CreatedBackPlane))) {
        ReportDeviceFailure();
        return 0;
    }
    ApplyRenderSettings(window, context, saverSettings);
    return 1;
}
