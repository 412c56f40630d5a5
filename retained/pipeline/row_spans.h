#pragma once
// Which parts of a buffer something happened to, kept per row, and the few rectangles that cover
// them when the window is brought up to date.

#include <algorithm>
#include <cstdint>
#include <vector>

namespace varnoka::rm {

// A rectangle of the target, in pixels.
struct PixelRect {
    int x = 0, y = 0, width = 0, height = 0;
};

// Per row, the columns from first to last (none where first > last).
struct RowSpans {
    std::vector<int> first, last;

    void Reset(int rows) {
        first.assign(static_cast<std::size_t>(rows), 0x7FFFFFFF);
        last.assign(static_cast<std::size_t>(rows), -1);
    }
    void Add(int y, int from, int to) {
        first[static_cast<std::size_t>(y)] = std::min(first[static_cast<std::size_t>(y)], from);
        last[static_cast<std::size_t>(y)] = std::max(last[static_cast<std::size_t>(y)], to);
    }
    // Row by row, from the leftmost to the rightmost column of either.
    void AddAll(const RowSpans& other) {
        for (std::size_t y = 0; y < first.size(); ++y) {
            first[y] = std::min(first[y], other.first[y]);
            last[y] = std::max(last[y], other.last[y]);
        }
    }
};

// Where a colour buffer may differ from the colour it was last filled with.
struct DrawnColumns {
    std::uint32_t background = 0;
    RowSpans columns;

    void Reset(int rows, std::uint32_t filledWith) {
        background = filledWith;
        columns.Reset(rows);
    }
};

// The rectangles one frame shows. Each showing is one call into the window system, so the spans
// are covered by a few bands of rows rather than row by row; a band is no lower than
// MinShownBand rows, since a call costs about as much as copying that many short rows.
constexpr int MaxShownRects = 8;
constexpr int MinShownBand = 32;

struct ShownRects {
    PixelRect rects[MaxShownRects];
    int count = 0;

    static ShownRects Whole(int width, int height) {
        ShownRects whole;
        if (width > 0 && height > 0) whole.rects[whole.count++] = {0, 0, width, height};
        return whole;
    }
};

ShownRects CoverSpans(const RowSpans& spans);

}  // namespace varnoka::rm
