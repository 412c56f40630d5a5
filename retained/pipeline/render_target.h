#pragma once
// The device's colour and depth buffers, sized once when the device is made.
//
// A large frame is bound by memory traffic, and most of a saver's frame is background. So
// clearing only fills the columns drawn since the last clear: the depth buffer is kept far
// everywhere else, and so is the colour buffer when it is cleared to the colour it was last
// cleared to. The window is shown only what changed since it was last shown, unless it may be
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
        color.assign(static_cast<std::size_t>(w) * h, 0);
        drawn.Reset(h, 0);
        unshown_.Reset(h);
        wholeUnshown = true;
        depth_.assign(static_cast<std::size_t>(w) * h, 1.0f);
    }

    // Fills a rectangle of the colour buffer with one colour, and of the depth buffer with the
    // back plane.
    void Clear(const PixelRect& rect, std::uint32_t value) {
        frameInProgress = true;
        if (rect.x == 0 && rect.y == 0 && rect.width == width && rect.height == height) {
            const bool wholeFill = wholeFrames || value != drawn.background;
            if (wholeFill) {
                Fill32(color.data(), value, color.size());
                wholeUnshown = true;
            } else {
                // What was drawn goes back to the background: the window must be shown that too.
                unshown_.AddAll(drawn.columns);
            }
            // Plain stores: these pixels are likely drawn on again soon, and streaming stores of
            // a few lines each would cost more than they save.
            for (int y = 0; y < height; ++y) {
                const int from = drawn.columns.first[static_cast<std::size_t>(y)];
                const int to = drawn.columns.last[static_cast<std::size_t>(y)];
                if (from > to) continue;
                if (!wholeFill) std::fill_n(Row(y) + from, to - from + 1, value);
                std::fill_n(DepthRow(y) + from, to - from + 1, 1.0f);
            }
            drawn.Reset(height, value);
            return;
        }
        if (rect.width <= 0) return;
        for (int y = rect.y; y < rect.y + rect.height; ++y) {
            Fill32(Row(y) + rect.x, value, static_cast<std::size_t>(rect.width));
            std::fill_n(DepthRow(y) + rect.x, rect.width, 1.0f);
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
    // the front plane and 1 at the back plane. Depth may be written only where marked, since a
    // clear resets no other.
    float* BeginSpan(int y, int first, int last) {
        drawn.columns.Add(y, first, last);
        return DepthRow(y);
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

private:
    std::uint32_t* Row(int y) { return color.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width); }
    float* DepthRow(int y) { return depth_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width); }

    RowSpans unshown_;          // besides drawn.columns, which is added when the frame is shown
    std::vector<float> depth_;  // far (1) wherever drawn.columns marks nothing
};

}  // namespace varnoka::rm
