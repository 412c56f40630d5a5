#pragma once
// Spans of textured faces. The hot path is the saver's default look, textured, lit, RGB: its span
// loops keep the light in 16.16 fixed point, so a pixel costs a handful of integer operations.

#include <algorithm>
#include <cstdint>

#include "retained/pipeline/lit_texel_run.h"
#include "retained/pipeline/pixel_shading.h"
#include "retained/pipeline/texel_runs.h"

namespace varnoka::rm {

// Light in 16.16 fixed point, held to [0, 1]; NaN counts as 0.
inline int FixedUnit(float v) { return static_cast<int>(std::min(std::max(0.0f, v), 1.0f) * 65536.0f); }

#if defined(__SSE2__)
// FixedUnit, four at a time.
inline __m128i FixedUnitFour(__m128 v) {
    const __m128 unit = _mm_min_ps(_mm_max_ps(v, _mm_setzero_ps()), _mm_set1_ps(1.0f));
    return _mm_cvttps_epi32(_mm_mul_ps(unit, _mm_set1_ps(65536.0f)));
}
#endif

// The three light channels along a span. Corner light is held to [0, 1], so along a span it only
// leaves that range by rounding; holding the span's ends there keeps every pixel inside without a
// test. Steps truncate toward zero, so no pixel passes the span's end value.
struct FixedLight {
    int channel[3], step[3];

    FixedLight(const float* a, const float* perPixel, int first, int last) {
        const float steps = static_cast<float>(last - first);
        const float perStep = last > first ? 1.0f / steps : 0.0f;
        for (int c = 0; c < 3; ++c) {
            channel[c] = FixedUnit(a[Red + c]);
            const int end = FixedUnit(a[Red + c] + perPixel[Red + c] * steps);
            step[c] = static_cast<int>(static_cast<float>(end - channel[c]) * perStep);
        }
    }
};

template <bool Linear>
struct RgbTextureShader {
    static constexpr unsigned Reads = AllAttributes;
    const Ramps* ramps;
    TextureSampler sampler;

    void Span(int first, int last, int y, const float* a, const float* step, float* depth, std::uint32_t* color) const {
        FixedLight light(a, step, first, last);
        if (sampler.powerOfTwo)
            RunPowerOfTwo(first, last, y, a, step, depth, color, light);
        else
            RunExact(first, last, y, a, step, depth, color, light);
    }

private:
    // A power-of-two texture, as the saver's are.
    void RunPowerOfTwo(int first, int last, int y, const float* a, const float* step, float* depth,
                       std::uint32_t* color, const FixedLight& light) const {
        // Runs start a multiple of four pixels apart, so they share the dither pattern.
        const int* thresholds = ramps->fixedThresholdsFrom[y & 3][first & 3];
        const float depthAt = a[Depth], depthStep = step[Depth];
        ForEachTexelRun<Linear>(
            sampler, a, step, last - first,
            [=](int offset, int count, const std::uint32_t* texels, const std::uint32_t* texelIndex) {
                const LitRun run{depthAt + depthStep * static_cast<float>(offset),
                                 depthStep,
                                 {light.channel[0] + light.step[0] * offset, light.channel[1] + light.step[1] * offset,
                                  light.channel[2] + light.step[2] * offset},
                                 {light.step[0], light.step[1], light.step[2]},
                                 thresholds};
                // Blended texels come one per pixel, in order.
                ShadeLitTexels(run, texels, Linear ? nullptr : texelIndex, count, depth + first + offset,
                               color + first + offset);
            });
    }

    // Any other texture, divided exactly at every pixel.
    void RunExact(int first, int last, int y, const float* a, const float* step, float* depth, std::uint32_t* color,
                  FixedLight light) const {
        float z = a[Depth], inverseW = a[InverseW];
        float u = a[UOverW] * sampler.fwidth, v = a[VOverW] * sampler.fheight;
        const float uStep = step[UOverW] * sampler.fwidth, vStep = step[VOverW] * sampler.fheight;
        const int* thresholds = ramps->fixedThresholds[y & 3];
        for (int x = first; x <= last; ++x) {
            if (z < depth[x]) {
                depth[x] = z;
                const float w = 1.0f / inverseW;
                const float tu = u * w / sampler.fwidth, tv = v * w / sampler.fheight;
                const std::uint32_t texel = Linear ? sampler.Linear(tu, tv) : sampler.Nearest(tu, tv);
                color[x] = LightTexel(texel, light.channel[0], light.channel[1], light.channel[2], thresholds[x & 3]);
            }
            z += step[Depth];
            inverseW += step[InverseW];
            u += uStep;
            v += vStep;
            for (int c = 0; c < 3; ++c) light.channel[c] += light.step[c];
        }
    }
};

// A texel on the mono model: the texture's colours on few levels, times the light on a ramp of
// shades, both rounded by the offset t.
inline std::uint32_t MonoTexel(const Ramps& ramps, std::uint32_t texel, float light, float t) {
    const float shade = ramps.textureShades.Quantize(Clamp01(light), t);
    const RampLevels& levels = ramps.textureLevels;
    const float r = levels.Quantize(ChannelUnit(texel >> 16), t);
    const float g = levels.Quantize(ChannelUnit(texel >> 8), t);
    const float b = levels.Quantize(ChannelUnit(texel), t);
    return PackUnit(r * shade, g * shade, b * shade, 0.5f);
}

// Textured faces on the mono model.
template <bool Linear>
struct MonoTextureShader : PerPixelSpan<MonoTextureShader<Linear>, InverseW, UOverW, VOverW, Red> {
    MonoTextureShader(const Ramps* r, const TextureSampler& s) : ramps(r), sampler(s) {}
    const Ramps* ramps;
    TextureSampler sampler;

    void Span(int first, int last, int y, const float* a, const float* step, float* depth, std::uint32_t* color) const {
        if (!sampler.powerOfTwo) {
            PerPixelSpan<MonoTextureShader, InverseW, UOverW, VOverW, Red>::Span(first, last, y, a, step, depth, color);
            return;
        }
        // Depth and light are worked out afresh at each pixel, as on the RGB model.
        const float* thresholds = ramps->thresholds[y & 3];
        ForEachTexelRun<Linear>(
            sampler, a, step, last - first,
            [&](int offset, int count, const std::uint32_t* texels, const std::uint32_t* texelIndex) {
                for (int i = 0; i < count; ++i) {
                    const float n = static_cast<float>(offset + i);
                    const int x = first + offset + i;
                    const float z = a[Depth] + step[Depth] * n;
                    if (z < depth[x]) {
                        depth[x] = z;
                        color[x] = MonoTexel(*ramps, texels[texelIndex[i]], a[Red] + step[Red] * n, thresholds[x & 3]);
                    }
                }
            });
    }

    // A pixel of any other texture.
    std::uint32_t operator()(const float* a, int x, int y) const {
        const float w = 1.0f / a[InverseW];
        const std::uint32_t texel =
            Linear ? sampler.Linear(a[UOverW] * w, a[VOverW] * w) : sampler.Nearest(a[UOverW] * w, a[VOverW] * w);
        return MonoTexel(*ramps, texel, a[Red], ramps->thresholds[y & 3][x & 3]);
    }
};

}  // namespace varnoka::rm
