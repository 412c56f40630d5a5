#pragma once
// The device's colour and depth buffers, sized once when the device is made.
//
// A large frame is bound by memory traffic, and most of a saver's frame is background. So a
// cleared stretch of the depth buffer is only filled when something is first drawn on it;
// clearing the colour buffer to the colour it was last cleared to only fills the columns drawn
// since; and the window is shown only what changed since it was last shown, unless it may be
// stale anywhere (a first frame, a new background colour or viewport, a repaint).

#include <algorithm>
#include <cstdint>
#include <vector>

#include "retained/pipeline/fill_memory.h"
#include "retained/pipeline/row_spans.h"

namespace varnoka::rm {

class RenderTarget {
public:
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> color;  // 0x00RRGGBB, row 0 the top row
    DrawnColumns drawn;                // of color
    bool frameInProgress = false;      // drawn on since it was last shown
    bool wholeUnshown = true;          // the window may differ from color anywhere
    bool wholeFrames = false;          // fill and show every pixel each frame, skipping nothing

    void Resize(int w, int h) {
        width = w;
        height = h;
        segmentsPerRow_ = (w + Segment - 1) / Segment;
        color.assign(static_cast<std::size_t>(w) * h, 0);
        drawn.Reset(h, 0);
        unshown_.Reset(h);
        wholeUnshown = true;
        depth_.assign(static_cast<std::size_t>(w) * h, 1.0f);
        segmentReady_.assign(static_cast<std::size_t>(segmentsPerRow_) * h, 1);
    }

    // Fills a rectangle of the colour buffer with one colour.
    void FillColor(const PixelRect& rect, std::uint32_t value) {
        frameInProgress = true;
        if (rect.x == 0 && rect.y == 0 && rect.width == width && rect.height == height) {
            if (wholeFrames || value != drawn.background) {
                Fill32(color.data(), value, color.size());
                wholeUnshown = true;
            } else {
                // What was drawn goes back to the background: the window must be shown that too.
                unshown_.AddAll(drawn.columns);
                // Plain stores: these pixels are likely drawn on again soon, and streaming stores
                // of a few lines each would cost more than they save.
                for (int y = 0; y < height; ++y) {
                    const int from = drawn.columns.first[static_cast<std::size_t>(y)];
                    const int to = drawn.columns.last[static_cast<std::size_t>(y)];
                    if (from <= to) std::fill_n(Row(y) + from, to - from + 1, value);
                }
            }
            drawn.Reset(height, value);
            return;
        }
        if (rect.width <= 0) return;
        for (int y = rect.y; y < rect.y + rect.height; ++y) {
            Fill32(Row(y) + rect.x, value, static_cast<std::size_t>(rect.width));
            drawn.columns.Add(y, rect.x, rect.x + rect.width - 1);
            unshown_.Add(y, rect.x, rect.x + rect.width - 1);
        }
    }

    // What the window must be shown to match the colour buffer; from here on it is taken as shown.
    ShownRects TakeUnshown() {
        ShownRects shown;
        if (wholeUnshown || wholeFrames) {
            shown = ShownRects::Whole(width, height);
        } else {
            unshown_.AddAll(drawn.columns);
            shown = CoverSpans(unshown_);
        }
        unshown_.Reset(height);
        wholeUnshown = false;
        frameInProgress = false;
        return shown;
    }

    // Marks columns first to last of row y as about to be drawn, and gives the row's depth, 0 at
    // the front plane and 1 at the back plane, valid from first to last.
    float* BeginSpan(int y, int first, int last) {
        drawn.columns.Add(y, first, last);
        return DepthRow(y, first, last);
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
                std::fill_n(segmentReady_.begin() + static_cast<std::ptrdiff_t>(y) * segmentsPerRow_, segmentsPerRow_,
                            0);
            } else if (rect.width > 0) {
                float* row = DepthRow(y, rect.x, rect.x + rect.width - 1);
                std::fill(row + rect.x, row + rect.x + rect.width, 1.0f);
            }
        }
    }

private:
    static constexpr int Segment = 64;  // pixels of a row whose depth is filled together

    std::uint32_t* Row(int y) { return color.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width); }

    // Depth of row y, valid from first to last.
    float* DepthRow(int y, int first, int last) {
        float* row = depth_.data() + static_cast<std::size_t>(y) * width;
        std::uint8_t* ready = segmentReady_.data() + static_cast<std::size_t>(y) * segmentsPerRow_;
        for (int segment = first / Segment; segment <= last / Segment; ++segment) {
            if (ready[segment]) continue;
            const int start = segment * Segment;
            const int end = std::min(start + Segment, width);
            std::fill(row + start, row + end, 1.0f);  // plain stores: used at once, from cache
            ready[segment] = 1;
        }
        return row;
    }

    RowSpans unshown_;  // besides drawn.columns, which is added when the frame is shown
    std::vector<float> depth_;
    std::vector<std::uint8_t> segmentReady_;
    int segmentsPerRow_ = 0;
};

}  // namespace varnoka::rm
