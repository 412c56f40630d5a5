#pragma once
// The hot path of the saver's default look: textured, lit, RGB. Its span loops keep the light in
// 16.16 fixed point and texture coordinates positive (faces are shifted by whole periods), so a
// pixel costs a handful of integer operations.

#include <algorithm>
#include <cstdint>

#include "retained/pipeline/lit_texel_run.h"
#include "retained/pipeline/pixel_shading.h"

namespace varnoka::rm {

// Light in 16.16 fixed point, held to [0, 1]; NaN counts as 0.
inline int FixedUnit(float v) { return static_cast<int>(std::min(std::max(0.0f, v), 1.0f) * 65536.0f); }

// The three light channels along a span. Corner light is held to [0, 1], so along a span it only
// leaves that range by rounding; holding the span's ends there keeps every pixel inside without a
// test. Steps truncate toward zero, so no pixel passes the span's end value.
struct FixedLight {
    int channel[3], step[3];

    FixedLight(const float* a, const float* perPixel, int first, int last) {
        const float steps = static_cast<float>(last - first);
        const float perStep = last > first ? 1.0f / steps : 0.0f;
        for (int c = 0; c < 3; ++c) {
            channel[c] = FixedUnit(a[kRed + c]);
            const int end = FixedUnit(a[kRed + c] + perPixel[kRed + c] * steps);
            step[c] = static_cast<int>(static_cast<float>(end - channel[c]) * perStep);
        }
    }
};

// Pixels whose texture coordinates are divided exactly; between them, coordinates step in a
// straight line. Over so few pixels the line strays from the exact curve by less than a texel
// where a pixel covers a texel or two; where it covers many, nearest texels are noise either way.
constexpr int kPerspectiveRun = 16;

// Texel coordinates in 16.16 fixed point at pixels of a span, exact in perspective.
struct PerspectiveTexelWalk {
    float inverseW, inverseWStep, u, uStep, v, vStep;

    PerspectiveTexelWalk(const float* a, const float* perPixel, const TextureSampler& sampler)
        : inverseW(a[kInverseW]), inverseWStep(perPixel[kInverseW]), u(a[kUOverW] * sampler.fwidth),
          uStep(perPixel[kUOverW] * sampler.fwidth), v(a[kVOverW] * sampler.fheight),
          vStep(perPixel[kVOverW] * sampler.fheight) {}

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

// Texels already picked, one per pixel of a run.
constexpr std::uint32_t kInOrder[kPerspectiveRun] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};

template <bool Linear>
struct RgbTextureShader {
    const Ramps* ramps;
    TextureSampler sampler;

    void Span(int first, int last, int y, const float* a, const float* step, float* depth,
              std::uint32_t* color) const {
        FixedLight light(a, step, first, last);
        if (sampler.powerOfTwo)
            RunPowerOfTwo(first, last, y, a, step, depth, color, light);
        else
            RunExact(first, last, y, a, step, depth, color, light);
    }

private:
    // A power-of-two texture, as the saver's are; coordinates wrap in modular arithmetic, as the
    // texture does.
    void RunPowerOfTwo(int first, int last, int y, const float* a, const float* step, float* depth,
                       std::uint32_t* color, const FixedLight& light) const {
        const PerspectiveTexelWalk walk(a, step, sampler);
        const std::uint32_t widthMask = static_cast<std::uint32_t>(sampler.width - 1);
        const std::uint32_t heightMask = static_cast<std::uint32_t>(sampler.height - 1);
        const int shift = sampler.widthShift;
        // Runs start a multiple of four pixels apart, so they share the dither pattern.
        LitRun run{0.0f, step[kDepth], {}, {light.step[0], light.step[1], light.step[2]},
                   ramps->fixedThresholdsFrom[y & 3][first & 3]};
        // The exact divisions of several runs are worked out together: one after another, each
        // would wait out the latency of a division before its run could start.
        constexpr int kRunsAhead = 8;
        const int length = last - first;
        const int lastRunSteps = length % kPerspectiveRun;
        const double lastRunReciprocal = lastRunSteps > 0 ? 1.0 / lastRunSteps : 0.0;
        std::int64_t u[kRunsAhead + 1], v[kRunsAhead + 1];
        walk.Sample(0, u[0], v[0]);
        for (int chunk = 0; chunk <= length; chunk += kRunsAhead * kPerspectiveRun) {
            const int runs = std::min(kRunsAhead, (length - chunk) / kPerspectiveRun + 1);
            // Run j covers pixels from its sample j on, up to the next sample or the span's end.
            for (int j = 1; j <= runs; ++j)
                walk.Sample(std::min(chunk + j * kPerspectiveRun, length), u[j], v[j]);
            for (int j = 0; j < runs; ++j) {
                const int offset = chunk + j * kPerspectiveRun;
                const bool full = offset + kPerspectiveRun <= length;
                const int count = full ? kPerspectiveRun : length - offset + 1;
                // Both truncate toward zero, exactly, as integer division would; from here on
                // coordinates are modular, a texture being at most 2^16 texels a side.
                const double perStep = full ? 1.0 / kPerspectiveRun : lastRunReciprocal;
                const std::uint32_t uStep =
                    static_cast<std::uint32_t>(static_cast<std::int64_t>(static_cast<double>(u[j + 1] - u[j]) * perStep));
                const std::uint32_t vStep =
                    static_cast<std::uint32_t>(static_cast<std::int64_t>(static_cast<double>(v[j + 1] - v[j]) * perStep));
                std::uint32_t uAt = static_cast<std::uint32_t>(u[j]), vAt = static_cast<std::uint32_t>(v[j]);
                run.depth = a[kDepth] + run.depthStep * static_cast<float>(offset);
                for (int c = 0; c < 3; ++c) run.light[c] = light.channel[c] + light.step[c] * offset;
                if constexpr (Linear) {
                    // Texel centres lie half a texel in: the four around a pixel start half a
                    // texel back, and the fraction's top eight bits weigh them.
                    uAt -= 0x8000;
                    vAt -= 0x8000;
                    std::uint32_t blended[kPerspectiveRun];
                    for (int i = 0; i < count; ++i) {
                        const std::uint32_t x = (uAt >> 16) & widthMask, nextX = (x + 1) & widthMask;
                        const std::uint32_t texelRow = (vAt >> 16) & heightMask;
                        const std::uint32_t row = texelRow << shift, nextRow = ((texelRow + 1) & heightMask) << shift;
                        const std::uint32_t* texels = sampler.texels;
                        blended[i] = BlendTexels(texels[row | x], texels[row | nextX], texels[nextRow | x],
                                                 texels[nextRow | nextX], static_cast<int>((uAt >> 8) & 0xFF),
                                                 static_cast<int>((vAt >> 8) & 0xFF));
                        uAt += uStep;
                        vAt += vStep;
                    }
                    ShadeLitTexels(run, blended, kInOrder, count, depth + first + offset, color + first + offset);
                } else {
                    // Addresses first, in a loop without branches that compilers turn into vector code.
                    std::uint32_t texelIndex[kPerspectiveRun];
                    for (int i = 0; i < count; ++i) {
                        texelIndex[i] = (((vAt >> 16) & heightMask) << shift) | ((uAt >> 16) & widthMask);
                        uAt += uStep;
                        vAt += vStep;
                    }
                    ShadeLitTexels(run, sampler.texels, texelIndex, count, depth + first + offset,
                                   color + first + offset);
                }
            }
            u[0] = u[runs];
            v[0] = v[runs];
        }
    }

    // Any other texture, divided exactly at every pixel.
    void RunExact(int first, int last, int y, const float* a, const float* step, float* depth, std::uint32_t* color,
                  FixedLight light) const {
        float z = a[kDepth], inverseW = a[kInverseW];
        float u = a[kUOverW] * sampler.fwidth, v = a[kVOverW] * sampler.fheight;
        const float uStep = step[kUOverW] * sampler.fwidth, vStep = step[kVOverW] * sampler.fheight;
        const int* thresholds = ramps->fixedThresholds[y & 3];
        for (int x = first; x <= last; ++x) {
            if (z < depth[x]) {
                depth[x] = z;
                const float w = 1.0f / inverseW;
                const float tu = u * w / sampler.fwidth, tv = v * w / sampler.fheight;
                const std::uint32_t texel = Linear ? sampler.Linear(tu, tv) : sampler.Nearest(tu, tv);
                color[x] = LightTexel(texel, light.channel[0], light.channel[1], light.channel[2], thresholds[x & 3]);
            }
            z += step[kDepth];
            inverseW += step[kInverseW];
            u += uStep;
            v += vStep;
            for (int c = 0; c < 3; ++c) light.channel[c] += light.step[c];
        }
    }
};

}  // namespace varnoka::rm
