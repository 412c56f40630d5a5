#pragma once
// Fourth and fifth stages: triangle setup and the fill. Corners snap to 1/16 pixel; integer edge
// functions with the top-left rule decide coverage exactly, so triangles sharing an edge neither
// overlap nor leave gaps. Attributes are planes evaluated at pixel centres; texture coordinates
// travel divided by w, which makes them correct in perspective.

#include <algorithm>
#include <cstdint>

#if defined(__SSE2__)
#include <xmmintrin.h>
#endif

#include "retained/pipeline/clipping.h"
#include "retained/pipeline/pixel_shading.h"
#include "retained/pipeline/render_target.h"

namespace varnoka::rm {

struct ScreenVertex {
    float x, y;  // pixels
    float attributes[AttributeCount];
};

ScreenVertex ToScreen(const ClipVertex& v);

// Where a clip-space point lies on the screen, in pixels, exactly as ToScreen places it.
inline void ToPixels(const Vec4& p, float& x, float& y) {
    const float invW = 1.0f / p.w;
    x = p.x * invW;
    y = p.y * invW;
}

struct Edge {
    std::int64_t dx, dy, x0, y0;
    std::int64_t bias;  // 0 on top and left edges, which own their pixels; 1 elsewhere
};

// Attributes side by side, padded to two groups of four, so that a row's values are worked out
// a group at a time.
constexpr int PlaneLanes = 8;
static_assert(AttributeCount <= PlaneLanes, "attributes fit the lanes");

struct TriangleSetup {
    Edge edges[3];
    int firstRow, lastRow;
    float originX, originY;  // reference corner, pixels
    // Each attribute's plane: its value at the reference corner and its change per pixel in x and
    // y; 0 for attributes not worked out.
    alignas(16) float at[PlaneLanes];
    alignas(16) float perX[PlaneLanes];
    alignas(16) float perY[PlaneLanes];
};

// False for triangles that face away, have no area, or miss the rectangle. Only the planes of
// the attributes in reads (bits 1 << Attribute, as a shader's Reads) are worked out.
bool SetupTriangle(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c, const PixelRect& clip,
                   TriangleSetup& setup, unsigned reads = AllAttributes);

// Covered pixels of a row, [first, last]; empty when first > last.
void RowSpan(const TriangleSetup& setup, int row, const PixelRect& clip, int& first, int& last);

// Whether the pixel is covered, and its depth.
bool CoversPixel(const TriangleSetup& setup, int x, int y, float& depth);

// Whether the triangle covers any pixel of columns lowX to highX within its rows and the
// rectangle it was set up with: the fill's own coverage, by the edge functions at each centre
// instead of a walk. For triangles of a few pixels, where a walk's divisions cost more.
bool CoversAnyPixel(const TriangleSetup& setup, const PixelRect& clip, int lowX, int highX);

// Walks the rows of a triangle top to bottom, giving each row's covered span. It keeps an edge's
// bound as an exact quotient and remainder stepped from row to row, so a row costs a few
// additions instead of divisions; the spans are exactly RowSpan's. Each row is bounded by one
// edge on either side: where two edges share a side, the upper one bounds the rows above their
// common corner and the lower one the rows below it, and the row through the corner takes the
// nearer of both. A last row that a bottom horizontal edge leaves uncovered is not walked.
class RowWalker {
public:
    RowWalker(const TriangleSetup& setup, const PixelRect& clip);
    // The span of the next row; false after the last row.
    bool Next(int& row, int& first, int& last);

private:
    struct EdgeBound {
        std::int64_t quotient, remainder, divisor;  // of s = rest - bias by |k|
        std::int64_t quotientStep, remainderStep;

        void Step() {
            quotient += quotientStep;
            remainder += remainderStep;
            // Without a branch: the carry comes at no pattern a predictor could learn.
            const bool carry = remainder >= divisor;
            remainder -= carry ? divisor : 0;
            quotient += carry;
        }
    };
    // At the row through the corner, the lower edge of a side joins the upper one's bound and
    // then takes its place.
    void HandOver(std::int64_t& low, std::int64_t& high);

    EdgeBound left_, right_;  // a row's span lies on or right of left_ and on or left of right_
    EdgeBound lower_;         // the lower edge of the side with two, from handOverRow_ on
    bool lowerIsLeft_ = false;
    int row_, lastRow_;
    int handOverRow_;  // past lastRow_ when no edge takes over within the walk
    std::int64_t low_, high_;
};

inline bool RowWalker::Next(int& row, int& first, int& last) {
    if (row_ > lastRow_) return false;
    std::int64_t low = std::max<std::int64_t>(low_, -left_.quotient);
    std::int64_t high = std::min<std::int64_t>(high_, right_.quotient);
    if (row_ == handOverRow_) HandOver(low, high);
    left_.Step();
    right_.Step();
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
        alignas(16) float a[PlaneLanes];
        const float dx = static_cast<float>(first) + 0.5f - setup.originX;
        const float dy = static_cast<float>(y) + 0.5f - setup.originY;
#if defined(__SSE2__)
        const __m128 across = _mm_set1_ps(dx), down = _mm_set1_ps(dy);
        for (int group = 0; group < PlaneLanes; group += 4) {
            if ((Shader::Reads & (0xFu << group)) == 0) continue;
            const __m128 alongRow =
                _mm_add_ps(_mm_load_ps(setup.at + group), _mm_mul_ps(_mm_load_ps(setup.perX + group), across));
            _mm_store_ps(a + group, _mm_add_ps(alongRow, _mm_mul_ps(_mm_load_ps(setup.perY + group), down)));
        }
#else
        for (int i = 0; i < PlaneLanes; ++i) a[i] = setup.at[i] + setup.perX[i] * dx + setup.perY[i] * dy;
#endif
        const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(target.width);
        if (y < setup.lastRow) target.Prefetch(y + 1, first, last);
        shader.Span(first, last, y, a, setup.perX, target.BeginSpan(y, first, last), target.color.data() + row);
    }
}

}  // namespace varnoka::rm
