#include "retained/pipeline/row_spans.h"

namespace varnoka::rm {

ShownRects CoverSpans(const RowSpans& spans) {
    ShownRects cover;
    const int rows = static_cast<int>(spans.first.size());
    int top = 0;
    while (top < rows && spans.first[static_cast<std::size_t>(top)] > spans.last[static_cast<std::size_t>(top)]) ++top;
    int bottom = rows - 1;
    while (bottom > top && spans.first[static_cast<std::size_t>(bottom)] > spans.last[static_cast<std::size_t>(bottom)])
        --bottom;
    if (top >= rows) return cover;

    const int height = bottom - top + 1;
    const int bands = std::max(1, std::min(MaxShownRects, height / MinShownBand));
    for (int band = 0; band < bands; ++band) {
        const int from = top + static_cast<int>(static_cast<long long>(height) * band / bands);
        const int to = top + static_cast<int>(static_cast<long long>(height) * (band + 1) / bands);
        int left = 0x7FFFFFFF, right = -1, first = to, last = from - 1;
        for (int y = from; y < to; ++y) {
            const int spanFirst = spans.first[static_cast<std::size_t>(y)];
            const int spanLast = spans.last[static_cast<std::size_t>(y)];
            if (spanFirst > spanLast) continue;
            left = std::min(left, spanFirst);
            right = std::max(right, spanLast);
            first = std::min(first, y);
            last = y;
        }
        if (left > right) continue;
        cover.rects[cover.count++] = {left, first, right - left + 1, last - first + 1};
    }
    return cover;
}

}  // namespace varnoka::rm
