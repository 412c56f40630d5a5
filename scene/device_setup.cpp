#include "scene/device_setup.h"

#include "scene/build_scene.h"
#include "scene/device_making.h"
#include "scene/report_error.h"
#include "scene/scene_host.h"

namespace {

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

void ReportDeviceFailure() { ReportError("An error occurred while creating the device.\n"); }

}  // namespace

int CreateDevice(HWND window, ViewerContext* context) {
    const ClientArea client = ClientAreaOf(window);
    if (MakeDevice(context, client.width, client.height).step != DeviceStep::Made ||
        !ApplyScreenDepth(context->device2, WindowBitsPerPixel(window))) {
        ReportDeviceFailure();
        return 0;
    }
    if (!BuildScene(context)) return 0;
    if (FAILED(MakeViewport(context, CreatedBackPlane))) {
        ReportDeviceFailure();
        return 0;
    }
    return 1;
}
