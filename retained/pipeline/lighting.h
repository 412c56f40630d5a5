#pragma once
// Lighting of one point of a face: ambient and directional lights on the material's face colour,
// its emissive colour, and highlights of its specular colour and power.

#include "retained/compiled_mesh.h"
#include "retained/exact_math.h"
#include "retained/pipeline/scene_gather.h"

namespace varnoka::rm {

enum class ColorModel { Rgb, Mono };

// One material under one set of lights, lit at any point of its surface: at corners for Gouraud
// shading, at every pixel for Phong shading. What does not vary from point to point is worked
// out once.
class SurfaceLight {
public:
    SurfaceLight(const CompiledMaterial& material, const LightSet& lights, ColorModel model)
        : material_(&material),
          lights_(&lights),
          mono_(model == ColorModel::Mono),
          shiny_(material.power > 0 && (material.specular.x > 0 || material.specular.y > 0 || material.specular.z > 0)),
          ambient_(mono_ ? Gray(Brightness(lights.ambient)) : lights.ambient),
          specularBrightness_(Brightness(material.specular)),
          emissiveBrightness_(Brightness(material.emissive)) {}

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
                const Vec3 halfway = NormalizedOr(toLight + toEye, normal);
                const float alignment = Dot(normal, halfway);
                if (alignment > 0)
                    highlight = highlight + color * static_cast<float>(Power(alignment, material_->power));
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
};

// The light at a point at position (view space), as SurfaceLight gives it. Without lighting, the
// face colour, or full intensity.
Vec3 LightPoint(const CompiledMaterial& material, Vec3 position, Vec3 normal, const LightSet& lights, ColorModel model,
                bool lightingOn);

}  // namespace varnoka::rm
