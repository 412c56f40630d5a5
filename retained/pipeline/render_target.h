#pragma once
// The device's colour and depth buffers, sized once when the device is made.
//
// Two savings keep memory traffic down, since a large frame is bound by it: a cleared stretch of
// the depth buffer is only filled when something is first drawn on it, and a presenter may take the
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
        segmentsPerRow_ = (w + kSegment - 1) / kSegment;
        color.assign(static_cast<std::size_t>(w) * h, 0);
        depth_.assign(static_cast<std::size_t>(w) * h, 1.0f);
        segmentReady_.assign(static_cast<std::size_t>(segmentsPerRow_) * h, 1);
    }

    // Depth of row y, 0 at the front plane and 1 at the back plane, valid from first to last.
    float* DepthSpan(int y, int first, int last) {
        float* row = depth_.data() + static_cast<std::size_t>(y) * width;
        std::uint8_t* ready = segmentReady_.data() + static_cast<std::size_t>(y) * segmentsPerRow_;
        for (int segment = first / kSegment; segment <= last / kSegment; ++segment) {
            if (ready[segment]) continue;
            const int start = segment * kSegment;
            const int end = std::min(start + kSegment, width);
            std::fill(row + start, row + end, 1.0f);  // plain stores: used at once, from cache
            ready[segment] = 1;
        }
        return row;
    }

    // Asks for the ends of a stretch of row y a little ahead of drawing it. Rows lie further apart
    // than the processor's own prefetching looks, so each span would otherwise start by waiting
    // for memory.
    void Prefetch(int y, int first, int last) const {
#if defined(__GNUC__)
        const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        __builtin_prefetch(color.data() + row + first, 1);
        __builtin_prefetch(color.data() + row + last, 1);
        __builtin_prefetch(depth_.data() + row + first, 1);
        __builtin_prefetch(depth_.data() + row + last, 1);
#else
        (void)y, (void)first, (void)last;
#endif
    }

    void ClearDepth(const PixelRect& rect) {
        for (int y = rect.y; y < rect.y + rect.height; ++y) {
            if (rect.x == 0 && rect.width == width) {
                std::fill_n(segmentReady_.begin() + static_cast<std::ptrdiff_t>(y) * segmentsPerRow_,
                            segmentsPerRow_, 0);
            } else if (rect.width > 0) {
                float* row = DepthSpan(y, rect.x, rect.x + rect.width - 1);
                std::fill(row + rect.x, row + rect.x + rect.width, 1.0f);
            }
        }
    }

private:
    static constexpr int kSegment = 64;  // pixels of a row whose depth is filled together

    std::vector<float> depth_;
    std::vector<std::uint8_t> segmentReady_;
    int segmentsPerRow_ = 0;
};

}  // namespace varnoka::rm
