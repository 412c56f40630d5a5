#include <windows.h>

#include "retained/d3drm_types.h"
#include "retained/presenter.h"

namespace varnoka::rm {
namespace {

// Copies rectangles of the frame to the window's client area, top-left aligned, pixel for pixel.
class GdiPresenter final : public Presenter {
public:
    explicit GdiPresenter(HWND window) : window_(window) {}

    HRESULT Show(const RenderTarget& frame, const ShownRects& rects) override {
        if (rects.count == 0) return IsWindow(window_) ? D3DRM_OK : E_FAIL;
        HDC dc = GetDC(window_);
        if (dc == nullptr) return E_FAIL;
        const HRESULT result = Copy(frame, rects, dc);
        ReleaseDC(window_, dc);
        return result;
    }

    HRESULT Paint(const RenderTarget& frame, HDC dc) override {
        if (dc == nullptr) return Show(frame, ShownRects::Whole(frame.width, frame.height));
        return Copy(frame, ShownRects::Whole(frame.width, frame.height), dc);
    }

private:
    HRESULT Copy(const RenderTarget& frame, const ShownRects& rects, HDC dc) const {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = frame.width;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        int rowsSet = 0;
        for (int i = 0; i < rects.count; ++i) {
            // The rectangle's rows on their own, as a top-down image as wide as the frame: whole
            // images leave no doubt about which rows the source coordinates name.
            const PixelRect& rect = rects.rects[i];
            info.bmiHeader.biHeight = -rect.height;
            const std::uint32_t* rows =
                frame.color.data() + static_cast<std::size_t>(rect.y) * static_cast<std::size_t>(frame.width);
            rowsSet +=
                SetDIBitsToDevice(dc, rect.x, rect.y, static_cast<DWORD>(rect.width), static_cast<DWORD>(rect.height),
                                  rect.x, 0, 0, static_cast<UINT>(rect.height), rows, &info, DIB_RGB_COLORS);
        }
        // No rows are set while nothing of the window can be seen (not yet shown, covered, a
        // locked desktop): the frame is simply not visible, which is no failure of the device.
        return rowsSet == 0 && !IsWindow(window_) ? E_FAIL : D3DRM_OK;
    }

    HWND window_;
};

}  // namespace

std::unique_ptr<Presenter> MakeWindowPresenter(HWND window) { return std::make_unique<GdiPresenter>(window); }

}  // namespace varnoka::rm
