#pragma once
// Fourth and fifth stages: triangle setup and the fill. Corners snap to 1/16 pixel; integer edge
// functions with the top-left rule decide coverage exactly, so triangles sharing an edge neither
// overlap nor leave gaps. Attributes are planes evaluated at pixel centres; texture coordinates
// travel divided by w, which makes them correct in perspective.

#include <cstdint>

#include "retained/pipeline/clipping.h"
#include "retained/pipeline/pixel_shading.h"
#include "retained/pipeline/render_target.h"

namespace varnoka::rm {

struct ScreenVertex {
    float x, y;  // pixels
    float attributes[kAttributeCount];
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
    AttributePlane planes[kAttributeCount];
};

// False for triangles that face away, have no area, or miss the rectangle.
bool SetupTriangle(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c, const PixelRect& clip,
                   TriangleSetup& setup);

// Covered pixels of a row, [first, last]; empty when first > last.
void RowSpan(const TriangleSetup& setup, int row, const PixelRect& clip, int& first, int& last);

// Whether the pixel is covered, and its depth.
bool CoversPixel(const TriangleSetup& setup, int x, int y, float& depth);

template <class Shader>
void FillTriangle(const TriangleSetup& setup, const Shader& shader, const PixelRect& clip, RenderTarget& target) {
    for (int y = setup.firstRow; y <= setup.lastRow; ++y) {
        int first = 0, last = -1;
        RowSpan(setup, y, clip, first, last);
        if (first > last) continue;
        float a[kAttributeCount];
        float step[kAttributeCount];
        const float dx = static_cast<float>(first) + 0.5f - setup.originX;
        const float dy = static_cast<float>(y) + 0.5f - setup.originY;
        for (int i = 0; i < kAttributeCount; ++i) {
            a[i] = setup.planes[i].at + setup.planes[i].perX * dx + setup.planes[i].perY * dy;
            step[i] = setup.planes[i].perX;
        }
        const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(target.width);
        float* depth = target.depth.data() + row;
        std::uint32_t* color = target.color.data() + row;
        for (int x = first; x <= last; ++x) {
            if (a[kDepth] < depth[x]) {
                depth[x] = a[kDepth];
                color[x] = shader(a, x, y);
            }
            for (int i = 0; i < kAttributeCount; ++i) a[i] += step[i];
        }
    }
}

}  // namespace varnoka::rm
