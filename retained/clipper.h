#pragma once
// The DirectDraw clipper stand-in: it only names the window a device shows its frames in.

#include "retained/com_base.h"

namespace varnoka::rm {

class Clipper final : public ComObject<IDirectDrawClipper> {
public:
    HRESULT STDMETHODCALLTYPE SetHWnd(DWORD flags, HWND window) override;
    HRESULT STDMETHODCALLTYPE GetHWnd(HWND* window) override;

    HWND Window() const { return window_; }

protected:
    void* FindInterface(REFIID iid) override;

private:
    HWND window_ = nullptr;
};

Clipper* AsClipper(IDirectDrawClipper* clipper);

}  // namespace varnoka::rm
