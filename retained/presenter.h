#pragma once
// The one place a finished frame leaves the engine: into a window through GDI on Windows, through
// a NativeWindow natively.

#include <memory>

#include "retained/com_types.h"
#include "retained/pipeline/render_target.h"

namespace varnoka::rm {

class Presenter {
public:
    virtual ~Presenter() = default;
    // Copies these rectangles of the frame to the same place in the window.
    virtual HRESULT Show(const RenderTarget& frame, const ShownRects& rects) = 0;
    // Copies the whole frame through a device context the window's owner is painting with (null:
    // the window's own).
    virtual HRESULT Paint(const RenderTarget& frame, HDC dc) = 0;
};

std::unique_ptr<Presenter> MakeWindowPresenter(HWND window);

}  // namespace varnoka::rm
