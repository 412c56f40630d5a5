#include <windows.h>

#include "retained/d3drm_types.h"
#include "retained/presenter.h"

namespace varnoka::rm {
namespace {

// Copies the frame to the window's client area, top-left aligned, pixel for pixel.
class GdiPresenter final : public Presenter {
public:
    explicit GdiPresenter(HWND window) : window_(window) {}

    HRESULT Show(RenderTarget& frame) override {
        if (frame.width == 0 || frame.height == 0) return D3DRM_OK;
        HDC dc = GetDC(window_);
        if (dc == nullptr) return E_FAIL;
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = frame.width;
        info.bmiHeader.biHeight = -frame.height;  // top row first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        const int rows =
            SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(frame.width), static_cast<DWORD>(frame.height), 0, 0, 0,
                              static_cast<UINT>(frame.height), frame.color.data(), &info, DIB_RGB_COLORS);
        ReleaseDC(window_, dc);
        // No rows are set while nothing of the window can be seen (not yet shown, covered, a
        // locked desktop): the frame is simply not visible, which is no failure of the device.
        return rows == 0 && !IsWindow(window_) ? E_FAIL : D3DRM_OK;
    }

    void GiveBack(RenderTarget&) override {}  // GDI copies; the buffer never leaves

private:
    HWND window_;
};

}  // namespace

std::unique_ptr<Presenter> MakeWindowPresenter(HWND window) { return std::make_unique<GdiPresenter>(window); }

}  // namespace varnoka::rm
