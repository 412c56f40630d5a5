#pragma once
// The inner loop of textured, lit RGB spans: depth test, light and dither for a run of pixels
// whose texels are known. Where the processor has SSE2 (every x86-64) four pixels go at once,
// with arithmetic chosen so that both ways give the same bits.

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "retained/pipeline/pixel_shading.h"

namespace varnoka::rm {

// A texel's channels scaled by the light, rounded by the dither offset t (in 1/65536).
inline std::uint32_t LightTexel(std::uint32_t texel, int r, int g, int b, int t) {
    return PackBytes((static_cast<int>((texel >> 16) & 0xFF) * r + t) >> 16,
                     (static_cast<int>((texel >> 8) & 0xFF) * g + t) >> 16,
                     (static_cast<int>(texel & 0xFF) * b + t) >> 16);
}

// Depth and light at the first pixel of a run and their steps per pixel. Light is in 16.16 fixed
// point and stays within [0, 1] along the run.
struct LitRun {
    float depth, depthStep;
    int light[3], lightStep[3];
    const int* thresholds;  // dither offsets of the run's first four pixels, repeating
};

// The texel of the run's i-th pixel is texels[texelIndex[i]], or texels[i] without texelIndex.

// Pixels [from, count) of the run, one at a time. Depth is worked out afresh at each pixel rather
// than summed: a sum would chain every pixel to the one before by the latency of an addition,
// and would depend on how many pixels go at once.
inline void ShadeLitTexelsOneByOne(const LitRun& run, const std::uint32_t* texels, const std::uint32_t* texelIndex,
                                   int from, int count, float* depth, std::uint32_t* color) {
    for (int i = from; i < count; ++i) {
        const float z = run.depth + run.depthStep * static_cast<float>(i);
        if (z < depth[i]) {
            depth[i] = z;
            color[i] = LightTexel(texels[texelIndex ? texelIndex[i] : i], run.light[0] + run.lightStep[0] * i,
                                  run.light[1] + run.lightStep[1] * i, run.light[2] + run.lightStep[2] * i,
                                  run.thresholds[i & 3]);
        }
    }
}

#if defined(__SSE2__)
// LightTexel for four texels, light in 16.16 and dither offsets in 1/65536 given lane by lane.
// The products are exact in float: a channel times the light is an integer of at most
// 255 * 65536, and with the offset still below 2^24, so truncating a sixty-five-thousandth of it
// is the integer shift.
inline __m128i LightTexelsFour(__m128i texel, const __m128i light[3], __m128 offsets) {
    const __m128i byteMask = _mm_set1_epi32(0xFF);
    const __m128 unit = _mm_set1_ps(1.0f / 65536.0f);
    const auto lit = [&](__m128i channel, __m128i l) {
        const __m128 product = _mm_mul_ps(_mm_cvtepi32_ps(channel), _mm_cvtepi32_ps(l));
        return _mm_cvttps_epi32(_mm_mul_ps(_mm_add_ps(product, offsets), unit));
    };
    const __m128i red = _mm_and_si128(_mm_srli_epi32(texel, 16), byteMask);
    const __m128i green = _mm_and_si128(_mm_srli_epi32(texel, 8), byteMask);
    const __m128i blue = _mm_and_si128(texel, byteMask);
    return _mm_or_si128(_mm_or_si128(_mm_slli_epi32(lit(red, light[0]), 16), _mm_slli_epi32(lit(green, light[1]), 8)),
                        lit(blue, light[2]));
}

// Four pixels at a time while four remain; returns where it stopped.
inline int ShadeLitTexelsByFours(const LitRun& run, const std::uint32_t* texels, const std::uint32_t* texelIndex,
                                 int count, float* depth, std::uint32_t* color) {
    const __m128 lanes = _mm_setr_ps(0.0f, 1.0f, 2.0f, 3.0f);
    const __m128 depthAt = _mm_set1_ps(run.depth), depthStep = _mm_set1_ps(run.depthStep);
    const __m128 offsets = _mm_cvtepi32_ps(_mm_loadu_si128(reinterpret_cast<const __m128i*>(run.thresholds)));
    __m128i light[3], lightStep[3];
    for (int c = 0; c < 3; ++c) {
        const int l = run.light[c], s = run.lightStep[c];
        light[c] = _mm_setr_epi32(l, l + s, l + 2 * s, l + 3 * s);
        lightStep[c] = _mm_set1_epi32(4 * s);
    }
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128 at = _mm_add_ps(_mm_set1_ps(static_cast<float>(i)), lanes);
        const __m128 z = _mm_add_ps(depthAt, _mm_mul_ps(depthStep, at));
        const __m128 before = _mm_loadu_ps(depth + i);
        const __m128 nearer = _mm_cmplt_ps(z, before);
        const int shown = _mm_movemask_ps(nearer);
        if (shown != 0) {
            _mm_storeu_ps(depth + i, _mm_min_ps(z, before));
            const __m128i texel = texelIndex ? _mm_setr_epi32(static_cast<int>(texels[texelIndex[i]]),
                                                              static_cast<int>(texels[texelIndex[i + 1]]),
                                                              static_cast<int>(texels[texelIndex[i + 2]]),
                                                              static_cast<int>(texels[texelIndex[i + 3]]))
                                             : _mm_loadu_si128(reinterpret_cast<const __m128i*>(texels + i));
            const __m128i out = LightTexelsFour(texel, light, offsets);
            __m128i* target = reinterpret_cast<__m128i*>(color + i);
            if (shown == 15) {
                _mm_storeu_si128(target, out);
            } else {
                const __m128i keep = _mm_castps_si128(nearer);
                const __m128i previous = _mm_loadu_si128(target);
                _mm_storeu_si128(target, _mm_or_si128(_mm_and_si128(keep, out), _mm_andnot_si128(keep, previous)));
            }
        }
        for (int c = 0; c < 3; ++c) light[c] = _mm_add_epi32(light[c], lightStep[c]);
    }
    return i;
}
#endif

// The same pixels as ShadeLitTexelsOneByOne, as fast as the processor allows.
inline void ShadeLitTexels(const LitRun& run, const std::uint32_t* texels, const std::uint32_t* texelIndex, int count,
                           float* depth, std::uint32_t* color) {
    int from = 0;
#if defined(__SSE2__)
    if (count >= 4) from = ShadeLitTexelsByFours(run, texels, texelIndex, count, depth, color);
#endif
    ShadeLitTexelsOneByOne(run, texels, texelIndex, from, count, depth, color);
}

}  // namespace varnoka::rm
