#include "scene/device_making.h"

#include "scene/scene_host.h"

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

DeviceMaking MakeDevice(ViewerContext* context, int width, int height) {
    HRESULT result = d3drm2->CreateDeviceFromClipper(clipper, FindDeviceGuid(context->deviceColorModel, false), width,
                                                     height, &context->device2);
    if (result != D3DRM_OK)
        result = d3drm2->CreateDeviceFromClipper(clipper, FindDeviceGuid(context->deviceColorModel, true), width,
                                                 height, &context->device2);
    if (result != D3DRM_OK) return {DeviceStep::NoDevice, result};
    context->device2->SetRenderMode(D3DRMRENDERMODE_BLENDEDTRANSPARENCY | D3DRMRENDERMODE_SORTEDTRANSPARENCY);
    result = context->device2->QueryInterface(IID_IDirect3DRMDevice, reinterpret_cast<void**>(&context->device));
    if (FAILED(result)) return {DeviceStep::NoInterface, result};
    return {DeviceStep::Made, D3DRM_OK};
}

HRESULT MakeViewport(ViewerContext* context, D3DVALUE backPlane) {
    IDirect3DRMDevice2* device = context->device2;
    const HRESULT result = d3drm2->CreateViewport(device, context->camera, 0, 0, device->GetWidth(),
                                                  device->GetHeight(), &context->viewport);
    if (FAILED(result)) return result;
    return context->viewport->SetBack(backPlane);
}
