#pragma once
// Lighting of one point of a face: ambient and directional lights on the material's face colour,
// its emissive colour, and highlights of its specular colour and power.

#include <cmath>

#if defined(__SSE2__)
#include <xmmintrin.h>
#endif

#include "retained/compiled_mesh.h"
#include "retained/exact_math.h"
#include "retained/pipeline/scene_gather.h"

namespace varnoka::rm {

enum class ColorModel { Rgb, Mono };

// One material under one set of lights, lit at any point of its surface: at corners for Gouraud
// shading, at every pixel for Phong shading. What does not vary from point to point is worked
// out once. With leaveOutFaint, highlights below 1/1024 of the light and specular colours are
// left out, which saves a power at most pixels.
class SurfaceLight {
public:
    SurfaceLight(const CompiledMaterial& material, const LightSet& lights, ColorModel model, bool leaveOutFaint = false)
        : material_(&material),
          lights_(&lights),
          mono_(model == ColorModel::Mono),
          shiny_(material.power > 0 && (material.specular.x > 0 || material.specular.y > 0 || material.specular.z > 0)),
          ambient_(mono_ ? Gray(Brightness(lights.ambient)) : lights.ambient),
          specularBrightness_(Brightness(material.specular)),
          emissiveBrightness_(Brightness(material.emissive)) {
        if (shiny_ && material.power == std::floor(material.power) && material.power <= 1024)
            wholePower_ = static_cast<unsigned>(material.power);
        // (1 - k / p)^p stays below e^-k: alignments under this bound give highlights under
        // e^-k = 1/1024.
        constexpr float K = 6.9314718f;  // ln 1024
        if (leaveOutFaint && shiny_ && material.power > K) {
            const float alignment = 1.0f - K / material.power;
            faintestAlignmentSquared_ = alignment * alignment;
        }
    }

    // In the RGB model the lit colour; in the mono model the light's intensity (light colours
    // count only by their brightness) in all three channels, which the face colour's ramp then
    // turns into a colour. normal and toEye (from the point toward the eye) are unit vectors.
    Vec3 At(Vec3 normal, Vec3 toEye) const {
        Vec3 diffuse = ambient_;
        Vec3 highlight;
        for (const DirectionalLight& light : lights_->directional) {
            const Vec3 color = mono_ ? Gray(Brightness(light.color)) : light.color;
            const Vec3 toLight = -light.direction;
            const float facing = Dot(normal, toLight);
            if (!(facing > 0)) continue;
            diffuse = diffuse + color * facing;
            if (shiny_) AddHighlight(normal, toLight + toEye, color, highlight);
        }
        return Combine(diffuse, highlight);
    }

#if defined(__SSE2__)
    // At for four points at once, their unit normals and directions toward the eye given lane by
    // lane in x, y and z, and so the light in out. A whole power is taken in float here, not in
    // double. Inlined where it is called, so that its values stay in registers.
    [[gnu::always_inline]] void AtFour(const __m128 normal[3], const __m128 toEye[3], __m128 out[3]) const {
        const __m128 zero = _mm_setzero_ps();
        __m128 diffuse[3] = {_mm_set1_ps(ambient_.x), _mm_set1_ps(ambient_.y), _mm_set1_ps(ambient_.z)};
        __m128 highlight[3] = {zero, zero, zero};
        for (const DirectionalLight& light : lights_->directional) {
            const Vec3 color = mono_ ? Gray(Brightness(light.color)) : light.color;
            const Vec3 toLight = -light.direction;
            const float colors[3] = {color.x, color.y, color.z}, l[3] = {toLight.x, toLight.y, toLight.z};
            __m128 facing = zero;
            for (int c = 0; c < 3; ++c) facing = _mm_add_ps(facing, _mm_mul_ps(normal[c], _mm_set1_ps(l[c])));
            const __m128 lit = _mm_cmpgt_ps(facing, zero);
            if (_mm_movemask_ps(lit) == 0) continue;
            const __m128 weight = _mm_and_ps(lit, facing);
            for (int c = 0; c < 3; ++c) diffuse[c] = _mm_add_ps(diffuse[c], _mm_mul_ps(_mm_set1_ps(colors[c]), weight));
            if (!shiny_) continue;
            __m128 toward[3], along = zero, length = zero;
            for (int c = 0; c < 3; ++c) {
                toward[c] = _mm_add_ps(_mm_set1_ps(l[c]), toEye[c]);
                along = _mm_add_ps(along, _mm_mul_ps(normal[c], toward[c]));
                length = _mm_add_ps(length, _mm_mul_ps(toward[c], toward[c]));
            }
            // As in AddHighlight: the alignment along / |toward|, past the faint ones.
            __m128 shown = _mm_and_ps(lit, _mm_cmpgt_ps(along, zero));
            shown = _mm_and_ps(shown, _mm_cmpgt_ps(_mm_mul_ps(along, along),
                                                   _mm_mul_ps(_mm_set1_ps(faintestAlignmentSquared_), length)));
            const int lanes = _mm_movemask_ps(shown);
            if (lanes == 0) continue;
            if (wholePower_ == 0) {
                float n[3][4], e[3][4], strength[3][4] = {};
                for (int c = 0; c < 3; ++c) {
                    _mm_storeu_ps(n[c], normal[c]);
                    _mm_storeu_ps(e[c], toEye[c]);
                }
                for (int i = 0; i < 4; ++i) {
                    if ((lanes & (1 << i)) == 0) continue;
                    Vec3 h;
                    AddHighlight({n[0][i], n[1][i], n[2][i]}, toLight + Vec3{e[0][i], e[1][i], e[2][i]}, color, h);
                    strength[0][i] = h.x, strength[1][i] = h.y, strength[2][i] = h.z;
                }
                for (int c = 0; c < 3; ++c) highlight[c] = _mm_add_ps(highlight[c], _mm_loadu_ps(strength[c]));
                continue;
            }
            const __m128 alignment = _mm_and_ps(shown, _mm_div_ps(along, _mm_sqrt_ps(length)));
            __m128 power = _mm_set1_ps(1.0f), square = alignment;
            for (unsigned k = wholePower_; k != 0; k >>= 1) {
                if (k & 1) power = _mm_mul_ps(power, square);
                square = _mm_mul_ps(square, square);
            }
            for (int c = 0; c < 3; ++c)
                highlight[c] = _mm_add_ps(highlight[c], _mm_mul_ps(_mm_set1_ps(colors[c]), power));
        }
        CombineFour(diffuse, highlight, out);
    }
#endif

private:
    // Adds the highlight of a light of this colour, toward = toLight + toEye.
    void AddHighlight(Vec3 normal, Vec3 toward, Vec3 color, Vec3& highlight) const {
        if (faintestAlignmentSquared_ > 0) {
            // The alignment below is near along / |toward|; a faint one needs no root.
            const float along = Dot(normal, toward);
            if (!(along > 0 && along * along > faintestAlignmentSquared_ * Dot(toward, toward))) return;
        }
        const Vec3 halfway = NormalizedOr(toward, normal);
        const float alignment = Dot(normal, halfway);
        if (alignment > 0) {
            const double strength =
                wholePower_ != 0 ? WholePower(alignment, wholePower_) : Power(alignment, material_->power);
            highlight = highlight + color * static_cast<float>(strength);
        }
    }

    Vec3 Combine(Vec3 diffuse, Vec3 highlight) const {
        if (mono_) return Gray(emissiveBrightness_ + diffuse.x + highlight.x * specularBrightness_);
        return material_->emissive + Modulate(material_->faceColor, diffuse) + Modulate(material_->specular, highlight);
    }

#if defined(__SSE2__)
    // Combine, lane by lane, with the same operations in the same order.
    void CombineFour(const __m128 diffuse[3], const __m128 highlight[3], __m128 out[3]) const {
        if (mono_) {
            out[0] = out[1] = out[2] = _mm_add_ps(_mm_add_ps(_mm_set1_ps(emissiveBrightness_), diffuse[0]),
                                                  _mm_mul_ps(highlight[0], _mm_set1_ps(specularBrightness_)));
            return;
        }
        const Vec3& e = material_->emissive;
        const Vec3& f = material_->faceColor;
        const Vec3& s = material_->specular;
        const float emissive[3] = {e.x, e.y, e.z}, face[3] = {f.x, f.y, f.z}, specular[3] = {s.x, s.y, s.z};
        for (int c = 0; c < 3; ++c)
            out[c] = _mm_add_ps(_mm_add_ps(_mm_set1_ps(emissive[c]), _mm_mul_ps(_mm_set1_ps(face[c]), diffuse[c])),
                                _mm_mul_ps(_mm_set1_ps(specular[c]), highlight[c]));
    }
#endif

    static float Brightness(Vec3 c) { return (c.x + c.y + c.z) * (1.0f / 3.0f); }
    static Vec3 Gray(float v) { return {v, v, v}; }
    static Vec3 Modulate(Vec3 a, Vec3 b) { return {a.x * b.x, a.y * b.y, a.z * b.z}; }

    const CompiledMaterial* material_;
    const LightSet* lights_;
    bool mono_;
    bool shiny_;
    Vec3 ambient_;
    float specularBrightness_, emissiveBrightness_;
    unsigned wholePower_ = 0;             // the power when whole, else 0
    float faintestAlignmentSquared_ = 0;  // 0: every highlight counts
};

// The light at a point at position (view space), as SurfaceLight gives it. Without lighting, the
// face colour, or full intensity.
Vec3 LightPoint(const CompiledMaterial& material, Vec3 position, Vec3 normal, const LightSet& lights, ColorModel model,
                bool lightingOn);

}  // namespace varnoka::rm
