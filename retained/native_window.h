#pragma once
// Natively a window handle names one of these: a device made on a clipper bound to it shows each
// finished frame through it. The engine's memory window is one; a front end's window on a real
// display is another.

#include "retained/com_types.h"
#include "retained/pipeline/render_target.h"

namespace varnoka::rm {

class NativeWindow {
public:
    virtual ~NativeWindow() = default;

    // The client area a device on this window is made for.
    virtual int ClientWidth() const = 0;
    virtual int ClientHeight() const = 0;

    // Shows these rectangles of the frame at the same place in the window; a frame of another
    // size than the last one shown is shown whole. Called under the engine lock.
    virtual void Show(const RenderTarget& frame, const ShownRects& rects) = 0;

    HWND Handle() { return reinterpret_cast<HWND>(this); }
    static NativeWindow* FromHandle(HWND window) { return reinterpret_cast<NativeWindow*>(window); }
};

}  // namespace varnoka::rm
