#pragma once
// The one place a finished frame leaves the engine: into a window through GDI on Windows, into a
// MemoryWindow natively.

#include <memory>

#include "retained/com_types.h"
#include "retained/pipeline/render_target.h"

namespace varnoka::rm {

class Presenter {
public:
    virtual ~Presenter() = default;
    // May take frame.color in exchange for an older buffer, marking it colorStale.
    virtual HRESULT Show(RenderTarget& frame) = 0;
    // Puts the last shown frame back into a stale colour buffer.
    virtual void GiveBack(RenderTarget& frame) = 0;
};

std::unique_ptr<Presenter> MakeWindowPresenter(HWND window);

}  // namespace varnoka::rm
