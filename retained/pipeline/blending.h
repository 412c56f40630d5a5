#pragma once
// Spans of faces that show through: each pixel in front of what is drawn mixes the face's colour
// over it by alpha, src * alpha + dst * (1 - alpha) per channel, and leaves the depth as it was,
// so that what lies behind still shows through every face in front of it. The face's own colour
// comes as an opaque face's would, dithered the same way; in the mono model that is its ramp's
// shade, whose intensity is then mixed with what lies beneath.

#include <cstdint>

#include "retained/pipeline/pixel_shading.h"
#include "retained/pipeline/textured_span.h"

namespace varnoka::rm {

// Channels in [0, 1] over a pixel, rounded once by the offset t.
inline std::uint32_t MixOver(float r, float g, float b, float alpha, std::uint32_t beneath, float t) {
    const float keep = 1.0f - alpha;
    return PackUnit(r * alpha + ChannelUnit(beneath >> 16) * keep, g * alpha + ChannelUnit(beneath >> 8) * keep,
                    b * alpha + ChannelUnit(beneath) * keep, t);
}

// A colour already in bytes, as the mono model's ramps give it, over a pixel.
inline std::uint32_t MixOver(std::uint32_t color, float alpha, std::uint32_t beneath) {
    return MixOver(ChannelUnit(color >> 16), ChannelUnit(color >> 8), ChannelUnit(color), alpha, beneath, 0.5f);
}

// The texel at a pixel, its alpha filtered along with its colour.
template <bool Linear>
std::uint32_t SampleWithAlpha(const TextureSampler& sampler, const float* a) {
    const float w = 1.0f / a[InverseW];
    const float u = a[UOverW] * w, v = a[VOverW] * w;
    if (!Linear) return sampler.Nearest(u, v);
    return sampler.Filtered(
        u, v, [](std::uint32_t p, std::uint32_t q, std::uint32_t r, std::uint32_t s, int wx, int wy) {
            return BlendTexels(p, q, r, s, wx, wy) | BlendTexels(p >> 24, q >> 24, r >> 24, s >> 24, wx, wy) << 24;
        });
}

// A span loop for faces that show through; Source gives a pixel's colour mixed over what is there.
template <class Source>
struct BlendedSpan {
    static constexpr unsigned Reads = AllAttributes;
    Source source;

    void Span(int first, int last, int y, const float* start, const float* step, const float* depth,
              std::uint32_t* color) const {
        float a[AttributeCount];
        for (int i = 0; i < AttributeCount; ++i) a[i] = start[i];
        for (int x = first; x <= last; ++x) {
            if (a[Depth] < depth[x]) color[x] = source.Over(a, x, y, color[x]);
            for (int i = 0; i < AttributeCount; ++i) a[i] += step[i];
        }
    }
};

struct RgbOver {
    const Ramps* ramps;
    float alpha;
    std::uint32_t Over(const float* a, int x, int y, std::uint32_t beneath) const {
        return MixOver(a[Red], a[Green], a[Blue], alpha, beneath, ramps->thresholds[y & 3][x & 3]);
    }
};

struct MonoOver {
    MonoShader shader;
    float alpha;
    std::uint32_t Over(const float* a, int x, int y, std::uint32_t beneath) const {
        return MixOver(shader(a, x, y), alpha, beneath);
    }
};

template <bool Linear>
struct RgbTextureOver {
    const Ramps* ramps;
    TextureSampler sampler;
    float alpha;
    std::uint32_t Over(const float* a, int x, int y, std::uint32_t beneath) const {
        const std::uint32_t texel = SampleWithAlpha<Linear>(sampler, a);
        return MixOver(ChannelUnit(texel >> 16) * Clamp01(a[Red]), ChannelUnit(texel >> 8) * Clamp01(a[Green]),
                       ChannelUnit(texel) * Clamp01(a[Blue]), alpha * ChannelUnit(texel >> 24), beneath,
                       ramps->thresholds[y & 3][x & 3]);
    }
};

template <bool Linear>
struct MonoTextureOver {
    MonoTextureShader<Linear> shader;
    float alpha;
    std::uint32_t Over(const float* a, int x, int y, std::uint32_t beneath) const {
        const std::uint32_t texel = SampleWithAlpha<Linear>(shader.sampler, a);
        const std::uint32_t shaded = MonoTexel(*shader.ramps, texel, a[Red], shader.ramps->thresholds[y & 3][x & 3]);
        return MixOver(shaded, alpha * ChannelUnit(texel >> 24), beneath);
    }
};

}  // namespace varnoka::rm
