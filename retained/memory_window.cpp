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

void MemoryWindow::Show(RenderTarget& frame) {
    if (frame.drawnSinceShown || width_ != frame.width || height_ != frame.height) {
        if (pixels_.size() == frame.color.size() && drawn_.first.size() == frame.drawn.first.size()) {
            pixels_.swap(frame.color);
            std::swap(drawn_, frame.drawn);
            frame.colorStale = true;
        } else {
            // First frame, or a new size: copied before anything changes, so running out of
            // memory leaves the last frame whole.
            std::vector<std::uint32_t> pixels = frame.color;
            DrawnColumns drawn = frame.drawn;
            pixels_.swap(pixels);
            drawn_ = std::move(drawn);
        }
        width_ = frame.width;
        height_ = frame.height;
        frame.drawnSinceShown = false;
    }
    ++framesShown_;
}

void MemoryWindow::GiveBack(RenderTarget& frame) const {
    frame.colorStale = false;
    if (pixels_.size() != frame.color.size() || drawn_.first.size() != frame.drawn.first.size()) {
        // Another device of another size has shown a frame here since: this one's last frame
        // is gone, and what the buffer holds is not known.
        frame.drawn.background = DrawnColumns::Unknown;
        return;
    }
    std::copy(pixels_.begin(), pixels_.end(), frame.color.begin());
    frame.drawn = drawn_;
}

namespace {

class MemoryPresenter final : public Presenter {
public:
    explicit MemoryPresenter(MemoryWindow* window) : window_(window) {}
    HRESULT Show(RenderTarget& frame) override {
        window_->Show(frame);
        return S_OK;
    }
    void GiveBack(RenderTarget& frame) override { window_->GiveBack(frame); }

private:
    MemoryWindow* window_;
};

}  // namespace

std::unique_ptr<Presenter> MakeWindowPresenter(HWND window) {
    return std::make_unique<MemoryPresenter>(MemoryWindow::FromHandle(window));
}

}  // namespace varnoka::rm
