#include "scene/saver_picture.h"

#include "scene/device_setup.h"
#include "scene/error_text.h"
#include "scene/render_options.h"
#include "scene/report_error.h"

namespace {

// The record's storage lives for the whole process; each window starts it afresh.
ViewerContext viewerContextStorage;

}  // namespace

PictureStep OpenPicture(HWND window) {
    HRESULT result = Direct3DRMCreate(&d3drm);
    if (result != D3DRM_OK) {
        ReportError("Failed to create Direct3DRM.\n%s", ErrorText(result));
        return PictureStep::NoDirect3DRM;
    }
    result = d3drm->QueryInterface(IID_IDirect3DRM2, reinterpret_cast<void**>(&d3drm2));
    if (result != S_OK) {
        ReportError("Failed to QI for IID_IDirect3DRM2.\n%s", ErrorText(result));
        return PictureStep::NoDirect3DRM2;
    }
    if (FAILED(DirectDrawCreateClipper(0, &clipper, nullptr))) return PictureStep::NoClipper;
    if (FAILED(clipper->SetHWnd(0, window))) {
        ReleaseAndClear(clipper);
        return PictureStep::NoWindow;
    }
    viewerContextStorage = ViewerContext{};
    viewerContext = &viewerContextStorage;
    viewerContext->window = window;
    viewerContext->deviceColorModel = MonoColorModel;
    if (!CreateDevice(window, viewerContext)) return PictureStep::NoDevice;
    ApplyRenderSettings(viewerContext, saverSettings);
    return PictureStep::Ready;
}

bool RepaintPicture(HDC dc) {
    if (viewerContext == nullptr || viewerContext->device == nullptr) return false;
    IDirect3DRMWinDevice* winDevice = nullptr;
    if (FAILED(viewerContext->device->QueryInterface(IID_IDirect3DRMWinDevice, reinterpret_cast<void**>(&winDevice))))
        return false;
    const HRESULT result = winDevice->HandlePaint(dc);
    winDevice->Release();
    return SUCCEEDED(result);
}

void ClosePicture() {
    if (viewerContext != nullptr) {
        ReleaseAndClear(viewerContext->detailMesh);
        ReleaseAndClear(viewerContext->scene);
        ReleaseAndClear(viewerContext->camera);
        ReleaseAndClear(viewerContext->viewport);
        ReleaseAndClear(viewerContext->device2);
        ReleaseAndClear(viewerContext->device);
        viewerContext = nullptr;
    }
    ReleaseAndClear(modelBuilder);
    ReleaseAndClear(modelFrame);
    ReleaseAndClear(d3drm2);
    ReleaseAndClear(d3drm);
    ReleaseAndClear(clipper);
}
