#pragma once
// Phong shading: the normal is interpolated across a face, divided by w as texture coordinates
// are so that it is correct in perspective, made unit length again at each pixel, and the
// material is lit there. A highlight then shows where it falls, also inside a triangle whose
// corners all miss it, and keeps its shape however coarse the mesh.

#include <cmath>
#include <cstdint>

#include "retained/pipeline/lighting.h"
#include "retained/pipeline/projection.h"
#include "retained/pipeline/textured_span.h"

namespace varnoka::rm {

// The light of one face at its pixels.
class PixelLight {
public:
    PixelLight(const SurfaceLight& surface, const Projection& projection)
        : surface_(surface),
          centerX_(projection.centerX),
          centerY_(projection.centerY),
          inverseScale_(1.0f / projection.scale) {}

    // At pixel (x, y), with the interpolated normal of any length.
    Vec3 At(Vec3 normal, int x, int y) const {
        // The eye sits at the view-space origin, so the direction toward it is that of the ray
        // through the pixel's centre, whatever the depth of the point.
        const Vec3 toEye{(centerX_ - static_cast<float>(x) - 0.5f) * inverseScale_,
                         (static_cast<float>(y) + 0.5f - centerY_) * inverseScale_, -1.0f};
        return surface_.At(Unit(normal), Unit(toEye));
    }

    // Pixels waiting to be lit together: interpolated normals, columns, and then their light.
    struct Batch {
        float normal[3][4];
        int x[4];
        std::uint32_t texel[4];
        Vec3 light[4];
        int size = 0;
    };

    // Lights the pixels of the batch, all of row y.
    void Light(Batch& batch, int y) const {
#if defined(__SSE2__)
        for (int i = batch.size; i < 4; ++i) {  // spare lanes repeat the first
            for (int c = 0; c < 3; ++c) batch.normal[c][i] = batch.normal[c][0];
            batch.x[i] = batch.x[0];
        }
        __m128 normal[3] = {_mm_loadu_ps(batch.normal[0]), _mm_loadu_ps(batch.normal[1]),
                            _mm_loadu_ps(batch.normal[2])};
        const __m128 column = _mm_cvtepi32_ps(_mm_loadu_si128(reinterpret_cast<const __m128i*>(batch.x)));
        const __m128 half = _mm_set1_ps(0.5f), scale = _mm_set1_ps(inverseScale_);
        __m128 toEye[3] = {_mm_mul_ps(_mm_sub_ps(_mm_sub_ps(_mm_set1_ps(centerX_), column), half), scale),
                           _mm_set1_ps((static_cast<float>(y) + 0.5f - centerY_) * inverseScale_), _mm_set1_ps(-1.0f)};
        MakeUnit(normal);
        MakeUnit(toEye);
        surface_.AtFour(normal, toEye, batch.light);
#else
        for (int i = 0; i < batch.size; ++i)
            batch.light[i] = At({batch.normal[0][i], batch.normal[1][i], batch.normal[2][i]}, batch.x[i], y);
#endif
    }

private:
#if defined(__SSE2__)
    // Unit, four at a time.
    static void MakeUnit(__m128 v[3]) {
        const __m128 square =
            _mm_add_ps(_mm_add_ps(_mm_mul_ps(v[0], v[0]), _mm_mul_ps(v[1], v[1])), _mm_mul_ps(v[2], v[2]));
        const __m128 usable =
            _mm_and_ps(_mm_cmpgt_ps(square, _mm_set1_ps(1e-30f)), _mm_cmplt_ps(square, _mm_set1_ps(1e30f)));
        const __m128 inverse = _mm_div_ps(_mm_set1_ps(1.0f), _mm_sqrt_ps(square));
        const __m128 fallback[3] = {_mm_setzero_ps(), _mm_setzero_ps(), _mm_set1_ps(-1.0f)};
        for (int c = 0; c < 3; ++c)
            v[c] = _mm_or_ps(_mm_and_ps(usable, _mm_mul_ps(v[c], inverse)), _mm_andnot_ps(usable, fallback[c]));
    }
#endif

    // Along v, or toward the eye where v has no usable length: one test instead of
    // NormalizedOr's two, at every pixel.
    static Vec3 Unit(Vec3 v) {
        const float square = Dot(v, v);
        if (!(square > 1e-30f && square < 1e30f)) return {0, 0, -1};
        return v * (1.0f / std::sqrt(square));
    }

    SurfaceLight surface_;
    float centerX_, centerY_, inverseScale_;
};

// How a lit pixel is coloured, from its light and its texel (0 on faces without texture), with
// the same rounding and dither as faces lit at their corners.
struct RgbPaint {
    const Ramps* ramps;
    std::uint32_t operator()(Vec3 light, std::uint32_t, int x, int y) const {
        return PackUnit(light.x, light.y, light.z, ramps->thresholds[y & 3][x & 3]);
    }
};

struct MonoPaint {
    const Ramps* ramps;
    Vec3 base;  // the face colour whose ramp is used
    std::uint32_t operator()(Vec3 light, std::uint32_t, int x, int y) const {
        return MonoPixel(*ramps, base, light.x, ramps->thresholds[y & 3][x & 3]);
    }
};

struct RgbTexelPaint {
    const Ramps* ramps;
    std::uint32_t operator()(Vec3 light, std::uint32_t texel, int x, int y) const {
        return LightTexel(texel, FixedUnit(light.x), FixedUnit(light.y), FixedUnit(light.z),
                          ramps->fixedThresholds[y & 3][x & 3]);
    }
};

struct MonoTexelPaint {
    const Ramps* ramps;
    std::uint32_t operator()(Vec3 light, std::uint32_t texel, int x, int y) const {
        return MonoTexel(*ramps, texel, light.x, ramps->thresholds[y & 3][x & 3]);
    }
};

enum class Texels { None, Nearest, Linear };

template <class Paint, Texels Source = Texels::None>
class PhongShader {
public:
    static constexpr unsigned Reads =
        Source == Texels::None ? AttributeSet<NormalOverW, NormalOverW + 1, NormalOverW + 2> : AllAttributes;

    PhongShader(const PixelLight& light, const Paint& paint, const TextureSampler& sampler = TextureSampler(nullptr))
        : light_(light), paint_(paint), sampler_(sampler) {}

    void Span(int first, int last, int y, const float* a, const float* step, float* depth, std::uint32_t* color) const {
        Batch batch;
        if constexpr (Source == Texels::None) {
            for (int x = first; x <= last; ++x)
                Shade(
                    a, step, x - first, x, y, depth, color, [] { return 0u; }, batch);
        } else if (!sampler_.powerOfTwo) {
            for (int x = first; x <= last; ++x)
                Shade(
                    a, step, x - first, x, y, depth, color,
                    [&, n = static_cast<float>(x - first)] {
                        const float w = 1.0f / (a[InverseW] + step[InverseW] * n);
                        const float u = (a[UOverW] + step[UOverW] * n) * w, v = (a[VOverW] + step[VOverW] * n) * w;
                        return Source == Texels::Linear ? sampler_.Linear(u, v) : sampler_.Nearest(u, v);
                    },
                    batch);
        } else {
            ForEachTexelRun<Source == Texels::Linear>(
                sampler_, a, step, last - first,
                [&](int offset, int count, const std::uint32_t* texels, const std::uint32_t* texelIndex) {
                    for (int i = 0; i < count; ++i)
                        Shade(
                            a, step, offset + i, first + offset + i, y, depth, color,
                            [&] { return texels[texelIndex[i]]; }, batch);
                });
        }
        Flush(batch, y, color);
    }

    // A pixel of a point or a line, untextured, from its own attributes.
    std::uint32_t operator()(const float* a, int x, int y) const {
        return paint_(light_.At({a[NormalOverW], a[NormalOverW + 1], a[NormalOverW + 2]}, x, y), 0, x, y);
    }

private:
    using Batch = typename PixelLight::Batch;

    // The n-th pixel of the span, at column x; texel() gives its texel once it is seen. Seen
    // pixels are lit four at a time.
    template <class Texel>
    void Shade(const float* a, const float* step, int n, int x, int y, float* depth, std::uint32_t* color,
               const Texel& texel, Batch& batch) const {
        const float at = static_cast<float>(n);
        const float z = a[Depth] + step[Depth] * at;
        if (!(z < depth[x])) return;
        depth[x] = z;
        const int i = batch.size++;
        for (int c = 0; c < 3; ++c) batch.normal[c][i] = a[NormalOverW + c] + step[NormalOverW + c] * at;
        batch.x[i] = x;
        batch.texel[i] = texel();
        if (batch.size == 4) Flush(batch, y, color);
    }

    void Flush(Batch& batch, int y, std::uint32_t* color) const {
        if (batch.size == 0) return;
        light_.Light(batch, y);
        for (int i = 0; i < batch.size; ++i) color[batch.x[i]] = paint_(batch.light[i], batch.texel[i], batch.x[i], y);
        batch.size = 0;
    }

    PixelLight light_;
    Paint paint_;
    TextureSampler sampler_;
};

}  // namespace varnoka::rm
