#pragma once
// A window in memory: a device made on a clipper bound to it leaves each finished frame here,
// where tests and tools read it back.

#include <cstdint>
#include <vector>

#include "retained/native_window.h"

namespace varnoka::rm {

class MemoryWindow final : public NativeWindow {
public:
    // The client area a window of this size would have; frames shown may be of any size.
    explicit MemoryWindow(int clientWidth = 0, int clientHeight = 0)
        : clientWidth_(clientWidth), clientHeight_(clientHeight) {}

    int ClientWidth() const override { return clientWidth_; }
    int ClientHeight() const override { return clientHeight_; }

    // These read under the engine lock, so they are safe while another thread draws.
    int Width() const;
    int Height() const;
    int FramesShown() const;
    std::int64_t PixelsCopied() const;        // by every Show so far
    std::uint32_t Pixel(int x, int y) const;  // 0x00RRGGBB
    std::vector<std::uint32_t> Pixels() const;

    // Copies these rectangles of the frame here; a frame of another size than the last is copied
    // whole.
    void Show(const RenderTarget& frame, const ShownRects& rects) override;
    // Paints over part of the window, as another window over it would leave it until repainted.
    void Cover(const PixelRect& rect, std::uint32_t color);

private:
    int clientWidth_;
    int clientHeight_;
    int width_ = 0;
    int height_ = 0;
    int framesShown_ = 0;
    std::int64_t pixelsCopied_ = 0;
    std::vector<std::uint32_t> pixels_;
};

}  // namespace varnoka::rm
