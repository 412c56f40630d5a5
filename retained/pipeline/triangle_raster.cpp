#include "retained/pipeline/triangle_raster.h"

#include <algorithm>
#include <cmath>

#include "retained/exact_math.h"

namespace varnoka::rm {
namespace {

constexpr int SubpixelBits = 4;
constexpr std::int64_t Subpixels = 1 << SubpixelBits;
constexpr std::int64_t HalfPixel = Subpixels / 2;

std::int64_t Snap(float v) { return FloorToInteger(v * static_cast<float>(Subpixels) + 0.5f); }

// Exact floor(a / b). A 64-bit integer division takes tens of cycles and runs three times per
// row of every triangle; a double division is quicker and, with |a| below 2^53, off by at most
// one, which the two checks put right.
std::int64_t FloorDivide(std::int64_t a, std::int64_t b) {
    std::int64_t q = FloorToInteger(static_cast<double>(a) / static_cast<double>(b));
    if (b > 0) {
        if (q * b > a)
            --q;
        else if ((q + 1) * b <= a)
            ++q;
    } else {
        if (q * b < a)
            --q;
        else if ((q + 1) * b >= a)
            ++q;
    }
    return q;
}

std::int64_t CeilDivide(std::int64_t a, std::int64_t b) { return -FloorDivide(-a, b); }

// floor(a / Subpixels) and ceil(a / Subpixels): a shift, which floors for negative a too.
std::int64_t FloorToPixels(std::int64_t a) { return a >> SubpixelBits; }
std::int64_t CeilToPixels(std::int64_t a) { return -((-a) >> SubpixelBits); }

Edge MakeEdge(std::int64_t ax, std::int64_t ay, std::int64_t bx, std::int64_t by) {
    const std::int64_t dx = bx - ax;
    const std::int64_t dy = by - ay;
    // Corners run clockwise on screen (y down): a left edge climbs, a top edge runs right.
    const bool topLeft = dy < 0 || (dy == 0 && dx > 0);
    return {dx, dy, ax, ay, topLeft ? 0 : 1};
}

void MakePlane(TriangleSetup& setup, int i, float a0, float a1, float a2, float x10, float y10, float x20, float y20,
               float area) {
    const float d1 = a1 - a0;
    const float d2 = a2 - a0;
    setup.at[i] = a0;
    setup.perX[i] = (d1 * y20 - d2 * y10) / area;
    setup.perY[i] = (d2 * x10 - d1 * x20) / area;
}

}  // namespace

ScreenVertex ToScreen(const ClipVertex& v) {
    const float invW = 1.0f / v.position.w;
    ScreenVertex s;
    ToPixels(v.position, s.x, s.y);
    s.attributes[Depth] = v.position.z * invW;
    s.attributes[InverseW] = invW;
    s.attributes[UOverW] = v.u * invW;
    s.attributes[VOverW] = v.v * invW;
    s.attributes[Red] = v.color.x;
    s.attributes[Green] = v.color.y;
    s.attributes[Blue] = v.color.z;
    return s;
}

bool SetupTriangle(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c, const PixelRect& clip,
                   TriangleSetup& setup, unsigned reads) {
    if (!std::isfinite(a.x + a.y + b.x + b.y + c.x + c.y)) return false;
    const std::int64_t ax = Snap(a.x), ay = Snap(a.y);
    const std::int64_t bx = Snap(b.x), by = Snap(b.y);
    const std::int64_t cx = Snap(c.x), cy = Snap(c.y);
    const std::int64_t area = (bx - ax) * (cy - ay) - (cx - ax) * (by - ay);
    if (area <= 0) return false;

    const std::int64_t top = std::min({ay, by, cy});
    const std::int64_t bottom = std::max({ay, by, cy});
    const std::int64_t firstRow = CeilToPixels(top - HalfPixel);
    const std::int64_t lastRow = FloorToPixels(bottom - HalfPixel);
    setup.firstRow = static_cast<int>(std::max<std::int64_t>(firstRow, clip.y));
    setup.lastRow = static_cast<int>(std::min<std::int64_t>(lastRow, clip.y + clip.height - 1));
    if (setup.firstRow > setup.lastRow) return false;
    const std::int64_t firstColumn = CeilToPixels(std::min({ax, bx, cx}) - HalfPixel);
    const std::int64_t lastColumn = FloorToPixels(std::max({ax, bx, cx}) - HalfPixel);
    if (lastColumn < clip.x || firstColumn > static_cast<std::int64_t>(clip.x) + clip.width - 1) return false;

    setup.edges[0] = MakeEdge(ax, ay, bx, by);
    setup.edges[1] = MakeEdge(bx, by, cx, cy);
    setup.edges[2] = MakeEdge(cx, cy, ax, ay);

    const float scale = 1.0f / static_cast<float>(Subpixels);
    setup.originX = static_cast<float>(ax) * scale;
    setup.originY = static_cast<float>(ay) * scale;
    const float x10 = static_cast<float>(bx - ax) * scale, y10 = static_cast<float>(by - ay) * scale;
    const float x20 = static_cast<float>(cx - ax) * scale, y20 = static_cast<float>(cy - ay) * scale;
    const float areaPixels = x10 * y20 - x20 * y10;
    for (int i = 0; i < PlaneLanes; ++i) {
        if (i < AttributeCount && (reads & (1u << i)) != 0)
            MakePlane(setup, i, a.attributes[i], b.attributes[i], c.attributes[i], x10, y10, x20, y20, areaPixels);
        else
            setup.at[i] = setup.perX[i] = setup.perY[i] = 0;
    }
    return true;
}

RowWalker::RowWalker(const TriangleSetup& setup, const PixelRect& clip)
    : row_(setup.firstRow),
      lastRow_(setup.lastRow),
      handOverRow_(setup.lastRow + 1),
      low_(clip.x),
      high_(static_cast<std::int64_t>(clip.x) + clip.width - 1) {
    // With s = rest - bias at a row's centre, a pixel is covered when k x >= -s for every edge.
    const auto rowStart = [&](const Edge& e, int row) {
        const std::int64_t centerY = static_cast<std::int64_t>(row) * Subpixels + HalfPixel;
        return e.dx * (centerY - e.y0) - e.dy * (HalfPixel - e.x0) - e.bias;
    };
    // A horizontal edge (k = 0) covers a row whole or not at all. A top one covers every row, the
    // first row's centre lying on or below it; a bottom one, which owns no pixels, leaves out
    // the last row when that row's centre lies on it.
    for (const Edge& e : setup.edges)
        if (e.dy == 0 && rowStart(e, lastRow_) < 0) --lastRow_;
    // The other edges by side: a left edge (k > 0) climbs, a right one descends. A triangle of
    // positive area has one or two on each side.
    const Edge* sides[2][2] = {};
    int counts[2] = {0, 0};
    for (const Edge& e : setup.edges) {
        if (e.dy == 0) continue;
        const int side = e.dy < 0 ? 0 : 1;
        sides[side][counts[side]++] = &e;
    }
    const auto start = [&](EdgeBound& b, const Edge& e, int row) {
        // A left bound is ceil(-s / k) = -floor(s / k) and a right bound (k < 0) is
        // floor(s / -k): both floor(s / |k|), up to sign.
        const std::int64_t s = rowStart(e, row);
        const std::int64_t perRow = Subpixels * e.dx;
        b.divisor = Subpixels * (e.dy < 0 ? -e.dy : e.dy);
        b.quotient = FloorDivide(s, b.divisor);
        b.remainder = s - b.quotient * b.divisor;
        b.quotientStep = FloorDivide(perRow, b.divisor);
        b.remainderStep = perRow - b.quotientStep * b.divisor;
    };
    const auto top = [](const Edge& e) { return std::min(e.y0, e.y0 + e.dy); };
    for (int side = 0; side < 2; ++side) {
        EdgeBound& bound = side == 0 ? left_ : right_;
        if (counts[side] == 1) {
            start(bound, *sides[side][0], row_);
            continue;
        }
        // Two edges meet at the middle corner. Above it the upper edge lies nearer the inside than
        // the lower edge's line, below it the other way round; the row whose centre lies on
        // the corner is bounded by both.
        const Edge* upper = sides[side][0];
        const Edge* lower = sides[side][1];
        if (top(*lower) < top(*upper)) std::swap(upper, lower);
        const std::int64_t cornerY = std::max(upper->y0, upper->y0 + upper->dy);
        const int firstBelow = static_cast<int>(std::max<std::int64_t>(CeilToPixels(cornerY - HalfPixel), row_));
        if (firstBelow > lastRow_) {
            start(bound, *upper, row_);
        } else if (firstBelow == row_ && row_ * Subpixels + HalfPixel != cornerY) {
            start(bound, *lower, row_);
        } else {
            start(bound, *upper, row_);
            start(lower_, *lower, firstBelow);
            lowerIsLeft_ = side == 0;
            handOverRow_ = firstBelow;
        }
    }
}

void RowWalker::HandOver(std::int64_t& low, std::int64_t& high) {
    if (lowerIsLeft_) {
        low = std::max<std::int64_t>(low, -lower_.quotient);
        left_ = lower_;
    } else {
        high = std::min<std::int64_t>(high, lower_.quotient);
        right_ = lower_;
    }
}

void RowSpan(const TriangleSetup& setup, int row, const PixelRect& clip, int& first, int& last) {
    std::int64_t low = clip.x;
    std::int64_t high = static_cast<std::int64_t>(clip.x) + clip.width - 1;
    const std::int64_t centerY = static_cast<std::int64_t>(row) * Subpixels + HalfPixel;
    for (const Edge& e : setup.edges) {
        // E(x) = dx * (cy - y0) - dy * (cx - x0) at the centre cx = 16 x + 8; covered when
        // E >= bias, that is k * x >= t.
        const std::int64_t k = -Subpixels * e.dy;
        const std::int64_t rest = e.dx * (centerY - e.y0) - e.dy * (HalfPixel - e.x0);
        const std::int64_t t = e.bias - rest;
        if (k > 0) {
            low = std::max(low, CeilDivide(t, k));
        } else if (k < 0) {
            high = std::min(high, FloorDivide(t, k));
        } else if (t > 0) {
            high = low - 1;
        }
    }
    first = static_cast<int>(low);
    last = static_cast<int>(std::max(high, low - 1));
}

bool CoversPixel(const TriangleSetup& setup, int x, int y, float& depth) {
    if (y < setup.firstRow || y > setup.lastRow) return false;
    int first = 0, last = -1;
    RowSpan(setup, y, PixelRect{x, y, 1, 1}, first, last);
    if (first > last) return false;
    depth = setup.at[Depth] + setup.perX[Depth] * (static_cast<float>(x) + 0.5f - setup.originX) +
            setup.perY[Depth] * (static_cast<float>(y) + 0.5f - setup.originY);
    return true;
}

bool CoversAnyPixel(const TriangleSetup& setup, const PixelRect& clip, int lowX, int highX) {
    const int first = std::max(lowX, clip.x), last = std::min(highX, clip.x + clip.width - 1);
    for (int y = setup.firstRow; y <= setup.lastRow; ++y) {
        const std::int64_t centerY = static_cast<std::int64_t>(y) * Subpixels + HalfPixel;
        for (int x = first; x <= last; ++x) {
            const std::int64_t centerX = static_cast<std::int64_t>(x) * Subpixels + HalfPixel;
            bool inside = true;
            for (const Edge& e : setup.edges)  // covered when E >= bias, as in RowSpan
                inside = inside && e.dx * (centerY - e.y0) - e.dy * (centerX - e.x0) >= e.bias;
            if (inside) return true;
        }
    }
    return false;
}

}  // namespace varnoka::rm
