#pragma once
// Lighting of one point of a face: ambient and directional lights on the material's face colour,
// its emissive colour, and highlights of its specular colour and power.

#include <cmath>

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
            if (shiny_) {
                const Vec3 toward = toLight + toEye;
                if (faintestAlignmentSquared_ > 0) {
                    // The alignment below is near = along / |toward|; a faint one needs no root.
                    const float along = Dot(normal, toward);
                    if (!(along > 0 && along * along > faintestAlignmentSquared_ * Dot(toward, toward))) continue;
                }
                const Vec3 halfway = NormalizedOr(toward, normal);
                const float alignment = Dot(normal, halfway);
                if (alignment > 0) {
                    const double strength =
                        wholePower_ != 0 ? WholePower(alignment, wholePower_) : Power(alignment, material_->power);
                    highlight = highlight + color * static_cast<float>(strength);
                }
            }
        }
        if (mono_) return Gray(emissiveBrightness_ + diffuse.x + highlight.x * specularBrightness_);
        return material_->emissive + Modulate(material_->faceColor, diffuse) + Modulate(material_->specular, highlight);
    }

private:
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
