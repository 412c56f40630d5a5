#pragma once
// Points and lines for the point and wireframe fills, depth tested like triangles.

#include <cmath>
#include <cstdint>

#include "retained/pipeline/triangle_raster.h"

namespace varnoka::rm {

template <class Shader>
void PlotPoint(const ScreenVertex& v, const Shader& shader, const PixelRect& clip, RenderTarget& target) {
    const float fx = std::floor(v.x), fy = std::floor(v.y);
    if (!(fx >= static_cast<float>(clip.x) && fx < static_cast<float>(clip.x + clip.width))) return;
    if (!(fy >= static_cast<float>(clip.y) && fy < static_cast<float>(clip.y + clip.height))) return;
    const int x = static_cast<int>(fx), y = static_cast<int>(fy);
    // A span of one pixel, so that every shader, blending ones too, plots the way it fills.
    static constexpr float Still[AttributeCount] = {};
    shader.Span(x, x, y, v.attributes, Still, target.BeginSpan(y, x, x),
                target.color.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(target.width));
}

// Steps one pixel at a time along the longer axis, from a up to b but without b, which the next
// line of an outline starts with: a pixel plotted twice would show twice through a face that
// blends.
template <class Shader>
void DrawLine(const ScreenVertex& a, const ScreenVertex& b, const Shader& shader, const PixelRect& clip,
              RenderTarget& target) {
    const float length = std::fmax(std::fabs(b.x - a.x), std::fabs(b.y - a.y));
    if (!std::isfinite(length)) return;
    const int steps = static_cast<int>(std::ceil(length));
    ScreenVertex point = a;
    for (int i = 0; i < steps; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(steps);
        point.x = a.x + (b.x - a.x) * t;
        point.y = a.y + (b.y - a.y) * t;
        for (int k = 0; k < AttributeCount; ++k)
            point.attributes[k] = a.attributes[k] + (b.attributes[k] - a.attributes[k]) * t;
        PlotPoint(point, shader, clip, target);
    }
}

}  // namespace varnoka::rm
