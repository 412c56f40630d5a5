#pragma once
// Texels along a span of a power-of-two texture, a run of pixels at a time: texture coordinates
// are divided exactly at the ends of each run and step in 16.16 fixed point between, wrapping in
// modular arithmetic as the texture does. Faces are shifted by whole periods, so coordinates are
// positive.

#include <algorithm>
#include <cstdint>

#include "retained/pipeline/pixel_shading.h"

namespace varnoka::rm {

// Pixels whose texture coordinates are divided exactly; between them, coordinates step in a
// straight line. Over so few pixels the line strays from the exact curve by less than a texel
// where a pixel covers a texel or two; where it covers many, nearest texels are noise either way.
constexpr int PerspectiveRun = 16;

// Texel coordinates in 16.16 fixed point at pixels of a span, exact in perspective.
struct PerspectiveTexelWalk {
    float inverseW, inverseWStep, u, uStep, v, vStep;

    PerspectiveTexelWalk(const float* a, const float* perPixel, const TextureSampler& sampler)
        : inverseW(a[InverseW]),
          inverseWStep(perPixel[InverseW]),
          u(a[UOverW] * sampler.fwidth),
          uStep(perPixel[UOverW] * sampler.fwidth),
          v(a[VOverW] * sampler.fheight),
          vStep(perPixel[VOverW] * sampler.fheight) {}

    // At the n-th pixel of the span. Stray coordinates (and NaN) read texel 0 rather than overflow.
    void Sample(int n, std::int64_t& fixedU, std::int64_t& fixedV) const {
        const float at = static_cast<float>(n);
        const float w = 1.0f / (inverseW + inverseWStep * at);
        float tu = (u + uStep * at) * w;
        float tv = (v + vStep * at) * w;
        tu = (tu >= 0.0f && tu < 1e9f) ? tu : 0.0f;
        tv = (tv >= 0.0f && tv < 1e9f) ? tv : 0.0f;
        fixedU = static_cast<std::int64_t>(tu * 65536.0f);
        fixedV = static_cast<std::int64_t>(tv * 65536.0f);
    }
};

// 1 / n for the steps n of a run shorter than PerspectiveRun (0 for none), looked up: most spans
// are short, and a division would hold each one up.
struct RunStepReciprocalTable {
    double of[PerspectiveRun] = {};
    constexpr RunStepReciprocalTable() {
        for (int n = 1; n < PerspectiveRun; ++n) of[n] = 1.0 / n;
    }
};
constexpr RunStepReciprocalTable RunStepReciprocals;

// Calls visit(offset, count, texels, texelIndex) for each run of the span's length + 1 pixels:
// the run's first pixel from the span's start, its pixel count, and the texel of its i-th pixel
// as texels[texelIndex[i]] (linear filtering blends them first).
template <bool Linear, class Visit>
void ForEachTexelRun(const TextureSampler& sampler, const float* a, const float* step, int length, Visit&& visit) {
    // Texels already blended, one per pixel of a run.
    static constexpr std::uint32_t InOrder[PerspectiveRun] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    const PerspectiveTexelWalk walk(a, step, sampler);
    const std::uint32_t widthMask = static_cast<std::uint32_t>(sampler.width - 1);
    const std::uint32_t heightMask = static_cast<std::uint32_t>(sampler.height - 1);
    const int shift = sampler.widthShift;
    const std::uint32_t* const texels = sampler.texels;
    // The exact divisions of several runs are worked out together: one after another, each would
    // wait out the latency of a division before its run could start.
    constexpr int RunsAhead = 8;
    const int lastRunSteps = length % PerspectiveRun;
    const double lastRunReciprocal = RunStepReciprocals.of[lastRunSteps];
    std::int64_t u[RunsAhead + 1], v[RunsAhead + 1];
    walk.Sample(0, u[0], v[0]);
    for (int chunk = 0; chunk <= length; chunk += RunsAhead * PerspectiveRun) {
        const int runs = std::min(RunsAhead, (length - chunk) / PerspectiveRun + 1);
        // Run j covers pixels from its sample j on, up to the next sample or the span's end.
        for (int j = 1; j <= runs; ++j) walk.Sample(std::min(chunk + j * PerspectiveRun, length), u[j], v[j]);
        for (int j = 0; j < runs; ++j) {
            const int offset = chunk + j * PerspectiveRun;
            const bool full = offset + PerspectiveRun <= length;
            const int count = full ? PerspectiveRun : length - offset + 1;
            // Both truncate toward zero, exactly, as integer division would; from here on
            // coordinates are modular, a texture being at most 2^16 texels a side.
            const double perStep = full ? 1.0 / PerspectiveRun : lastRunReciprocal;
            const std::uint32_t uStep =
                static_cast<std::uint32_t>(static_cast<std::int64_t>(static_cast<double>(u[j + 1] - u[j]) * perStep));
            const std::uint32_t vStep =
                static_cast<std::uint32_t>(static_cast<std::int64_t>(static_cast<double>(v[j + 1] - v[j]) * perStep));
            std::uint32_t uAt = static_cast<std::uint32_t>(u[j]), vAt = static_cast<std::uint32_t>(v[j]);
            if constexpr (Linear) {
                // Texel centres lie half a texel in: the four around a pixel start half a texel
                // back, and the fraction's top eight bits weigh them.
                uAt -= 0x8000;
                vAt -= 0x8000;
                std::uint32_t blended[PerspectiveRun];
                // The four texels around the next pixel and its weights; then on to the one after.
                // Where the texels to the right wrap to the rows' starts, they are copied into
                // spare, side by side as elsewhere.
                const auto next = [&](TexelQuad& quad, std::uint32_t* spare) {
                    const std::uint32_t x = (uAt >> 16) & widthMask;
                    const std::uint32_t texelRow = (vAt >> 16) & heightMask;
                    quad.above = texels + (texelRow << shift) + x;
                    quad.below = texels + (((texelRow + 1) & heightMask) << shift) + x;
                    if (x == widthMask) {
                        spare[0] = quad.above[0], spare[1] = quad.above[-static_cast<std::ptrdiff_t>(x)];
                        spare[2] = quad.below[0], spare[3] = quad.below[-static_cast<std::ptrdiff_t>(x)];
                        quad.above = spare;
                        quad.below = spare + 2;
                    }
                    quad.wx = static_cast<int>((uAt >> 8) & 0xFF);
                    quad.wy = static_cast<int>((vAt >> 8) & 0xFF);
                    uAt += uStep;
                    vAt += vStep;
                };
                TexelQuad quad[2];
                std::uint32_t spare[2][4];
                int i = 0;
#if defined(__SSE2__)
                for (; i + 2 <= count; i += 2) {
                    next(quad[0], spare[0]);
                    next(quad[1], spare[1]);
                    BlendTexelPair(quad[0], quad[1], blended + i);
                }
#endif
                for (; i < count; ++i) {
                    next(quad[0], spare[0]);
                    blended[i] = BlendTexels(quad[0].above[0], quad[0].above[1], quad[0].below[0], quad[0].below[1],
                                             quad[0].wx, quad[0].wy);
                }
                visit(offset, count, static_cast<const std::uint32_t*>(blended), InOrder);
            } else {
                // Addresses first, in a loop without branches that compilers turn into vector code.
                std::uint32_t texelIndex[PerspectiveRun];
                for (int i = 0; i < count; ++i) {
                    texelIndex[i] = (((vAt >> 16) & heightMask) << shift) | ((uAt >> 16) & widthMask);
                    uAt += uStep;
                    vAt += vStep;
                }
                visit(offset, count, texels, static_cast<const std::uint32_t*>(texelIndex));
            }
        }
        u[0] = u[runs];
        v[0] = v[runs];
    }
}

}  // namespace varnoka::rm
