#include "retained/memory_window.h"

#include <algorithm>

#include "retained/engine_lock.h"
#include "retained/presenter.h"

namespace varnoka::rm {

int MemoryWindow::Width() const {
    EngineLock lock;
    return width_;
}

int MemoryWindow::Height() const {
    EngineLock lock;
    return height_;
}

int MemoryWindow::FramesShown() const {
    EngineLock lock;
    return framesShown_;
}

std::uint32_t MemoryWindow::Pixel(int x, int y) const {
    EngineLock lock;
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

std::vector<std::uint32_t> MemoryWindow::Pixels() const {
    EngineLock lock;
    return pixels_;
}

void MemoryWindow::Show(const RenderTarget& frame) {
    width_ = frame.width;
    height_ = frame.height;
    pixels_.resize(frame.color.size());  // grows once; later frames reuse it
    std::copy(frame.color.begin(), frame.color.end(), pixels_.begin());
    ++framesShown_;
}

namespace {

class MemoryPresenter final : public Presenter {
public:
    explicit MemoryPresenter(MemoryWindow* window) : window_(window) {}
    HRESULT Show(const RenderTarget& frame) override {
        window_->Show(frame);
        return S_OK;
    }

private:
    MemoryWindow* window_;
};

}  // namespace

std::unique_ptr<Presenter> MakeWindowPresenter(HWND window) {
    return std::make_unique<MemoryPresenter>(MemoryWindow::FromHandle(window));
}

}  // namespace varnoka::rm
