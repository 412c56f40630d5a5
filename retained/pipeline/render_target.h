#pragma once
// The device's colour and depth buffers, sized once when the device is made.

#include <cstdint>
#include <vector>

namespace varnoka::rm {

struct RenderTarget {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> color;  // 0x00RRGGBB, row 0 the top row
    std::vector<float> depth;          // 0 at the front plane, 1 at the back plane

    void Resize(int w, int h) {
        width = w;
        height = h;
        color.assign(static_cast<std::size_t>(w) * h, 0);
        depth.assign(static_cast<std::size_t>(w) * h, 1.0f);
    }
};

// A rectangle of the target, in pixels.
struct PixelRect {
    int x = 0, y = 0, width = 0, height = 0;
};

}  // namespace varnoka::rm
