#pragma once
// The device's colour and depth buffers, sized once when the device is made.
//
// Two savings keep memory traffic down, since a large frame is bound by it: a cleared row of the
// depth buffer is only filled when something is first drawn on it, and a presenter may take the
// colour buffer instead of copying it (colorStale then says the buffer must be given back before
// it is drawn on again).

#include <algorithm>
#include <cstdint>
#include <vector>

namespace varnoka::rm {

// A rectangle of the target, in pixels.
struct PixelRect {
    int x = 0, y = 0, width = 0, height = 0;
};

class RenderTarget {
public:
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> color;  // 0x00RRGGBB, row 0 the top row
    bool colorStale = false;           // the presenter holds the last frame's pixels
    bool drawnSinceShown = false;

    void Resize(int w, int h) {
        width = w;
        height = h;
        color.assign(static_cast<std::size_t>(w) * h, 0);
        depth_.assign(static_cast<std::size_t>(w) * h, 1.0f);
        depthRowReady_.assign(static_cast<std::size_t>(h), 1);
    }

    // Depth of row y, 0 at the front plane and 1 at the back plane.
    float* DepthRow(int y) {
        float* row = depth_.data() + static_cast<std::size_t>(y) * width;
        if (!depthRowReady_[y]) {
            std::fill(row, row + width, 1.0f);  // plain stores: the row is used at once, from cache
            depthRowReady_[y] = 1;
        }
        return row;
    }

    void ClearDepth(const PixelRect& rect) {
        for (int y = rect.y; y < rect.y + rect.height; ++y) {
            if (rect.x == 0 && rect.width == width) {
                depthRowReady_[y] = 0;
            } else {
                float* row = DepthRow(y);
                std::fill(row + rect.x, row + rect.x + rect.width, 1.0f);
            }
        }
    }

private:
    std::vector<float> depth_;
    std::vector<std::uint8_t> depthRowReady_;
};

}  // namespace varnoka::rm
