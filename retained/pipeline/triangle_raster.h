#pragma once
// Fourth and fifth stages: triangle setup and the fill. Corners snap to 1/16 pixel; integer edge
// functions with the top-left rule decide coverage exactly, so triangles sharing an edge neither
// overlap nor leave gaps. Attributes are planes evaluated at pixel centres; texture coordinates
// travel divided by w, which makes them correct in perspective.

#include <algorithm>
#include <cstdint>

#include "retained/pipeline/clipping.h"
#include "retained/pipeline/pixel_shading.h"
#include "retained/pipeline/render_target.h"

namespace varnoka::rm {

struct ScreenVertex {
    float x, y;  // pixels
    float attributes[AttributeCount];
};

ScreenVertex ToScreen(const ClipVertex& v);

struct Edge {
    std::int64_t dx, dy, x0, y0;
    std::int64_t bias;  // 0 on top and left edges, which own their pixels; 1 elsewhere
};

struct AttributePlane {
    float at, perX, perY;  // value at the reference corner, change per pixel in x and y
};

struct TriangleSetup {
    Edge edges[3];
    int firstRow, lastRow;
    float originX, originY;  // reference corner, pixels
    AttributePlane planes[AttributeCount];
};

// False for triangles that face away, have no area, or miss the rectangle. Only the planes of
// the attributes in reads (bits 1 << Attribute, as a shader's Reads) are worked out.
bool SetupTriangle(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c, const PixelRect& clip,
                   TriangleSetup& setup, unsigned reads = AllAttributes);

// Covered pixels of a row, [first, last]; empty when first > last.
void RowSpan(const TriangleSetup& setup, int row, const PixelRect& clip, int& first, int& last);

// Whether the pixel is covered, and its depth.
bool CoversPixel(const TriangleSetup& setup, int x, int y, float& depth);

// Walks the rows of a triangle top to bottom, giving each row's covered span. It keeps every
// edge's bound as an exact quotient and remainder stepped from row to row, so a row costs a few
// additions instead of divisions; the spans are exactly RowSpan's.
class RowWalker {
public:
    RowWalker(const TriangleSetup& setup, const PixelRect& clip);
    // The span of the next row; false after the last row.
    bool Next(int& row, int& first, int& last);

private:
    struct EdgeBound {
        std::int64_t quotient, remainder, divisor;  // of s = rest - bias by |k|
        std::int64_t quotientStep, remainderStep;
        int kind;  // +1 bounds from the left, -1 from the right, 0 horizontal
    };
    EdgeBound bounds_[3];
    int row_, lastRow_;
    std::int64_t low_, high_;
};

inline bool RowWalker::Next(int& row, int& first, int& last) {
    if (row_ > lastRow_) return false;
    std::int64_t low = low_, high = high_;
    for (EdgeBound& b : bounds_) {
        if (b.kind == 0) {
            if (b.quotient < 0) high = low - 1;
            b.quotient += b.quotientStep;
            continue;
        }
        if (b.kind > 0)
            low = std::max<std::int64_t>(low, -b.quotient);
        else
            high = std::min<std::int64_t>(high, b.quotient);
        b.quotient += b.quotientStep;
        b.remainder += b.remainderStep;
        // Without a branch: the carry comes at no pattern a predictor could learn.
        const bool carry = b.remainder >= b.divisor;
        b.remainder -= carry ? b.divisor : 0;
        b.quotient += carry;
    }
    row = row_++;
    first = static_cast<int>(low);
    last = static_cast<int>(std::max<std::int64_t>(high, low - 1));
    return true;
}

template <class Shader>
void FillTriangle(const TriangleSetup& setup, const Shader& shader, const PixelRect& clip, RenderTarget& target) {
    RowWalker rows(setup, clip);
    int y = 0, first = 0, last = -1;
    while (rows.Next(y, first, last)) {
        if (first > last) continue;
        float a[AttributeCount] = {};
        float step[AttributeCount] = {};
        const float dx = static_cast<float>(first) + 0.5f - setup.originX;
        const float dy = static_cast<float>(y) + 0.5f - setup.originY;
        for (int i = 0; i < AttributeCount; ++i) {
            if ((Shader::Reads & (1u << i)) == 0) continue;
            a[i] = setup.planes[i].at + setup.planes[i].perX * dx + setup.planes[i].perY * dy;
            step[i] = setup.planes[i].perX;
        }
        const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(target.width);
        if (y < setup.lastRow) target.Prefetch(y + 1, first, last);
        shader.Span(first, last, y, a, step, target.BeginSpan(y, first, last), target.color.data() + row);
    }
}

}  // namespace varnoka::rm
