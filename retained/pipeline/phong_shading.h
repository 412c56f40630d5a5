#pragma once
// Phong shading: the normal is interpolated across a face, divided by w as texture coordinates
// are so that it is correct in perspective, made unit length again at each pixel, and the
// material is lit there. A highlight then shows where it falls, also inside a triangle whose
// corners all miss it, and keeps its shape however coarse the mesh.

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
        return surface_.At(NormalizedOr(normal, {0, 0, -1}), NormalizedOr(toEye, {0, 0, -1}));
    }

private:
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
        if constexpr (Source == Texels::None) {
            for (int x = first; x <= last; ++x) Shade(a, step, x - first, x, y, depth, color, [] { return 0u; });
        } else if (!sampler_.powerOfTwo) {
            for (int x = first; x <= last; ++x)
                Shade(a, step, x - first, x, y, depth, color, [&, n = static_cast<float>(x - first)] {
                    const float w = 1.0f / (a[InverseW] + step[InverseW] * n);
                    const float u = (a[UOverW] + step[UOverW] * n) * w, v = (a[VOverW] + step[VOverW] * n) * w;
                    return Source == Texels::Linear ? sampler_.Linear(u, v) : sampler_.Nearest(u, v);
                });
        } else {
            ForEachTexelRun<Source == Texels::Linear>(
                sampler_, a, step, last - first,
                [&](int offset, int count, const std::uint32_t* texels, const std::uint32_t* texelIndex) {
                    for (int i = 0; i < count; ++i)
                        Shade(a, step, offset + i, first + offset + i, y, depth, color,
                              [&] { return texels[texelIndex[i]]; });
                });
        }
    }

    // A pixel of a point or a line, untextured, from its own attributes.
    std::uint32_t operator()(const float* a, int x, int y) const {
        return paint_(light_.At({a[NormalOverW], a[NormalOverW + 1], a[NormalOverW + 2]}, x, y), 0, x, y);
    }

private:
    // The n-th pixel of the span, at column x; texel() gives its texel once it is seen.
    template <class Texel>
    void Shade(const float* a, const float* step, int n, int x, int y, float* depth, std::uint32_t* color,
               const Texel& texel) const {
        const float at = static_cast<float>(n);
        const float z = a[Depth] + step[Depth] * at;
        if (!(z < depth[x])) return;
        depth[x] = z;
        const Vec3 normal{a[NormalOverW] + step[NormalOverW] * at, a[NormalOverW + 1] + step[NormalOverW + 1] * at,
                          a[NormalOverW + 2] + step[NormalOverW + 2] * at};
        color[x] = paint_(light_.At(normal, x, y), texel(), x, y);
    }

    PixelLight light_;
    Paint paint_;
    TextureSampler sampler_;
};

}  // namespace varnoka::rm
