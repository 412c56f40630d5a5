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
    virtual HRESULT Show(const RenderTarget& frame) = 0;
};

std::unique_ptr<Presenter> MakeWindowPresenter(HWND window);

}  // namespace varnoka::rm
