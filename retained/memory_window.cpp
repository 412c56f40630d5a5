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

std::int64_t MemoryWindow::PixelsCopied() const {
    EngineLock lock;
    return pixelsCopied_;
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

void MemoryWindow::Show(const RenderTarget& frame, const ShownRects& rects) {
    if (width_ != frame.width || height_ != frame.height) {
        // Copied before anything changes, so running out of memory leaves the last frame whole.
        std::vector<std::uint32_t> pixels = frame.color;
        pixels_.swap(pixels);
        width_ = frame.width;
        height_ = frame.height;
        pixelsCopied_ += static_cast<std::int64_t>(pixels_.size());
    } else {
        for (int i = 0; i < rects.count; ++i) {
            const PixelRect& rect = rects.rects[i];
            pixelsCopied_ += static_cast<std::int64_t>(rect.width) * rect.height;
            for (int y = rect.y; y < rect.y + rect.height; ++y) {
                const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
                std::copy_n(frame.color.begin() + static_cast<std::ptrdiff_t>(row + rect.x), rect.width,
                            pixels_.begin() + static_cast<std::ptrdiff_t>(row + rect.x));
            }
        }
    }
    ++framesShown_;
}

void MemoryWindow::Cover(const PixelRect& rect, std::uint32_t color) {
    EngineLock lock;
    for (int y = std::max(rect.y, 0); y < std::min(rect.y + rect.height, height_); ++y)
        for (int x = std::max(rect.x, 0); x < std::min(rect.x + rect.width, width_); ++x)
            pixels_[static_cast<std::size_t>(y) * width_ + x] = color;
}

namespace {

class NativeWindowPresenter final : public Presenter {
public:
    explicit NativeWindowPresenter(NativeWindow* window) : window_(window) {}
    HRESULT Show(const RenderTarget& frame, const ShownRects& rects) override {
        window_->Show(frame, rects);
        return S_OK;
    }
    HRESULT Paint(const RenderTarget& frame, HDC) override {
        window_->Show(frame, ShownRects::Whole(frame.width, frame.height));
        return S_OK;
    }

private:
    NativeWindow* window_;
};

}  // namespace

std::unique_ptr<Presenter> MakeWindowPresenter(HWND window) {
    return std::make_unique<NativeWindowPresenter>(NativeWindow::FromHandle(window));
}

}  // namespace varnoka::rm
