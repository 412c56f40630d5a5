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

    // Pixels waiting to be lit together, from any rows of a face: interpolated normals, places,
    // texels, and then their light. Each pixel's normal goes in with its column in one piece,
    // which the lighting reads back whole.
    struct Batch {
        alignas(16) float normalAndColumn[4][4];
        float row[4];
        int dither[4];  // places in the dither pattern
        std::uint32_t* pixel[4];
        std::uint32_t texel[4];
        float light[3][4];
        int size = 0;
    };

    // Lights the pixels of the batch.
    void Light(Batch& batch) const {
#if defined(__SSE2__)
        for (int i = batch.size; i < 4; ++i) {  // spare lanes repeat the first
            _mm_store_ps(batch.normalAndColumn[i], _mm_load_ps(batch.normalAndColumn[0]));
            batch.row[i] = batch.row[0];
            batch.dither[i] = batch.dither[0];
            batch.texel[i] = batch.texel[0];
        }
        __m128 normal[3] = {_mm_load_ps(batch.normalAndColumn[0]), _mm_load_ps(batch.normalAndColumn[1]),
                            _mm_load_ps(batch.normalAndColumn[2])};
        __m128 column = _mm_load_ps(batch.normalAndColumn[3]);
        _MM_TRANSPOSE4_PS(normal[0], normal[1], normal[2], column);
        // Lane by lane: one load over the four separate stores would wait for all of them.
        const float* r = batch.row;
        const __m128 row = _mm_movelh_ps(_mm_unpacklo_ps(_mm_load_ss(r), _mm_load_ss(r + 1)),
                                         _mm_unpacklo_ps(_mm_load_ss(r + 2), _mm_load_ss(r + 3)));
        const __m128 half = _mm_set1_ps(0.5f), scale = _mm_set1_ps(inverseScale_);
        __m128 toEye[3] = {_mm_mul_ps(_mm_sub_ps(_mm_sub_ps(_mm_set1_ps(centerX_), column), half), scale),
                           _mm_mul_ps(_mm_sub_ps(_mm_add_ps(row, half), _mm_set1_ps(centerY_)), scale),
                           _mm_set1_ps(-1.0f)};
        MakeUnit(normal);
        MakeUnit(toEye);
        __m128 light[3];
        surface_.AtFour(normal, toEye, light);
        for (int c = 0; c < 3; ++c) _mm_storeu_ps(batch.light[c], light[c]);
#else
        for (int i = 0; i < batch.size; ++i) {
            const float* n = batch.normalAndColumn[i];
            const Vec3 light = At({n[0], n[1], n[2]}, static_cast<int>(n[3]), static_cast<int>(batch.row[i]));
            batch.light[0][i] = light.x, batch.light[1][i] = light.y, batch.light[2][i] = light.z;
        }
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
// the same rounding and dither as faces lit at their corners; dither is the pixel's DitherPlace.
struct RgbPaint {
    const Ramps* ramps;
    std::uint32_t operator()(Vec3 light, std::uint32_t, int dither) const {
        return PackUnit(light.x, light.y, light.z, ramps->Threshold(dither));
    }
};

struct MonoPaint {
    const Ramps* ramps;
    Vec3 base;  // the face colour whose ramp is used
    std::uint32_t operator()(Vec3 light, std::uint32_t, int dither) const {
        return MonoPixel(*ramps, base, light.x, ramps->Threshold(dither));
    }
};

struct RgbTexelPaint {
    const Ramps* ramps;
    std::uint32_t operator()(Vec3 light, std::uint32_t texel, int dither) const {
        return LightTexel(texel, FixedUnit(light.x), FixedUnit(light.y), FixedUnit(light.z),
                          ramps->FixedThreshold(dither));
    }
};

struct MonoTexelPaint {
    const Ramps* ramps;
    std::uint32_t operator()(Vec3 light, std::uint32_t texel, int dither) const {
        return MonoTexel(*ramps, texel, light.x, ramps->Threshold(dither));
    }
};

// Colours the lit pixels of a batch, one at a time.
template <class Paint>
void PaintBatch(const Paint& paint, const PixelLight::Batch& batch) {
    for (int i = 0; i < batch.size; ++i)
        *batch.pixel[i] =
            paint({batch.light[0][i], batch.light[1][i], batch.light[2][i]}, batch.texel[i], batch.dither[i]);
}

#if defined(__SSE2__)
// The RGB paints four at a time, with the same bits as one at a time.
inline void StoreBatch(__m128i colors, const PixelLight::Batch& batch) {
    std::uint32_t out[4];
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), colors);
    for (int i = 0; i < batch.size; ++i) *batch.pixel[i] = out[i];
}

inline void PaintBatch(const RgbPaint& paint, const PixelLight::Batch& batch) {
    const Ramps& r = *paint.ramps;
    const int* d = batch.dither;
    const __m128 offsets = _mm_setr_ps(r.Threshold(d[0]), r.Threshold(d[1]), r.Threshold(d[2]), r.Threshold(d[3]));
    StoreBatch(
        PackUnitFour(_mm_loadu_ps(batch.light[0]), _mm_loadu_ps(batch.light[1]), _mm_loadu_ps(batch.light[2]), offsets),
        batch);
}

inline void PaintBatch(const RgbTexelPaint& paint, const PixelLight::Batch& batch) {
    const Ramps& r = *paint.ramps;
    const int* d = batch.dither;
    const __m128 offsets = _mm_cvtepi32_ps(
        _mm_setr_epi32(r.FixedThreshold(d[0]), r.FixedThreshold(d[1]), r.FixedThreshold(d[2]), r.FixedThreshold(d[3])));
    __m128i light[3];
    for (int c = 0; c < 3; ++c) light[c] = FixedUnitFour(_mm_loadu_ps(batch.light[c]));
    const std::uint32_t* texel = batch.texel;
    const __m128i texels = _mm_setr_epi32(static_cast<int>(texel[0]), static_cast<int>(texel[1]),
                                          static_cast<int>(texel[2]), static_cast<int>(texel[3]));
    StoreBatch(LightTexelsFour(texels, light, offsets), batch);
}
#endif

enum class Texels { None, Nearest, Linear };

// Pixels are lit four at a time, gathered across the rows of a face: their colour is written when
// four are waiting, and by Finish, which comes once the face is drawn.
template <class Paint, Texels Source = Texels::None>
class PhongShader {
public:
    static constexpr unsigned Reads =
        Source == Texels::None ? AttributeSet<NormalOverW, NormalOverW + 1, NormalOverW + 2> : AllAttributes;

    PhongShader(const PixelLight& light, const Paint& paint, const TextureSampler& sampler = TextureSampler(nullptr))
        : light_(light), paint_(paint), sampler_(sampler) {}

    void Span(int first, int last, int y, const float* a, const float* step, float* depth, std::uint32_t* color) const {
        const SpanStart span(a, step, first, y);
        int waiting = batch_.size;  // in a register along the span
        if constexpr (Source == Texels::None) {
            for (int x = first; x <= last; ++x)
                Shade(
                    span, x - first, x, depth, color, [] { return 0u; }, waiting);
        } else if (!sampler_.powerOfTwo) {
            for (int x = first; x <= last; ++x)
                Shade(
                    span, x - first, x, depth, color,
                    [&, n = static_cast<float>(x - first)] {
                        const float w = 1.0f / (a[InverseW] + step[InverseW] * n);
                        const float u = (a[UOverW] + step[UOverW] * n) * w, v = (a[VOverW] + step[VOverW] * n) * w;
                        return Source == Texels::Linear ? sampler_.Linear(u, v) : sampler_.Nearest(u, v);
                    },
                    waiting);
        } else {
            ForEachTexelRun<Source == Texels::Linear>(
                sampler_, a, step, last - first,
                [&](int offset, int count, const std::uint32_t* texels, const std::uint32_t* texelIndex) {
                    for (int i = 0; i < count; ++i)
                        Shade(
                            span, offset + i, first + offset + i, depth, color, [&] { return texels[texelIndex[i]]; },
                            waiting);
                });
        }
        batch_.size = waiting;
    }

    // Colours the pixels still waiting for their light.
    void Finish() const {
        if (batch_.size == 0) return;
        light_.Light(batch_);
        PaintBatch(paint_, batch_);
        batch_.size = 0;
    }

    // A pixel of a point or a line, untextured, from its own attributes.
    std::uint32_t operator()(const float* a, int x, int y) const {
        return paint_(light_.At({a[NormalOverW], a[NormalOverW + 1], a[NormalOverW + 2]}, x, y), 0, DitherPlace(x, y));
    }

private:
    // Depth, normal and column at a span's first pixel and their steps per pixel, and its row.
    struct SpanStart {
        SpanStart(const float* a, const float* step, int first, int y)
            : depth(a[Depth]), depthStep(step[Depth]), row(static_cast<float>(y)), ditherRow(DitherPlace(0, y)) {
            for (int c = 0; c < 3; ++c) {
                normalAndColumn[c] = a[NormalOverW + c];
                perPixel[c] = step[NormalOverW + c];
            }
            normalAndColumn[3] = static_cast<float>(first);
            perPixel[3] = 1.0f;
        }
        float depth, depthStep, row;
        int ditherRow;
        alignas(16) float normalAndColumn[4];
        alignas(16) float perPixel[4];
    };

    // The n-th pixel of the span, at column x; texel() gives its texel once it is seen. waiting
    // counts the pixels in the batch.
    template <class Texel>
    void Shade(const SpanStart& span, int n, int x, float* depth, std::uint32_t* color, const Texel& texel,
               int& waiting) const {
        const float at = static_cast<float>(n);
        const float z = span.depth + span.depthStep * at;
        if (!(z < depth[x])) return;
        depth[x] = z;
        Batch& batch = batch_;
        const int i = waiting;
#if defined(__SSE2__)
        _mm_store_ps(batch.normalAndColumn[i], _mm_add_ps(_mm_load_ps(span.normalAndColumn),
                                                          _mm_mul_ps(_mm_load_ps(span.perPixel), _mm_set1_ps(at))));
#else
        for (int c = 0; c < 4; ++c) batch.normalAndColumn[i][c] = span.normalAndColumn[c] + span.perPixel[c] * at;
#endif
        batch.row[i] = span.row;
        batch.dither[i] = span.ditherRow | (x & 3);
        batch.pixel[i] = color + x;
        batch.texel[i] = texel();
        if (++waiting == 4) {
            batch.size = 4;
            Finish();
            waiting = 0;
        }
    }

    using Batch = typename PixelLight::Batch;
    PixelLight light_;
    Paint paint_;
    TextureSampler sampler_;
    mutable Batch batch_;  // pixels whose depth is written and whose colour waits for their light
};

}  // namespace varnoka::rm
