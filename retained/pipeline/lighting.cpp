#include "retained/pipeline/lighting.h"

#include "retained/exact_math.h"

namespace varnoka::rm {
namespace {

float Brightness(Vec3 c) { return (c.x + c.y + c.z) * (1.0f / 3.0f); }
Vec3 Gray(float v) { return {v, v, v}; }
Vec3 Modulate(Vec3 a, Vec3 b) { return {a.x * b.x, a.y * b.y, a.z * b.z}; }

}  // namespace

Vec3 LightPoint(const CompiledMaterial& material, Vec3 position, Vec3 normal, const LightSet& lights, ColorModel model,
                bool lightingOn) {
    const bool mono = model == ColorModel::Mono;
    if (!lightingOn) return mono ? Gray(1.0f) : material.faceColor;

    Vec3 diffuse = mono ? Gray(Brightness(lights.ambient)) : lights.ambient;
    Vec3 highlight;
    const bool shiny =
        material.power > 0 && (material.specular.x > 0 || material.specular.y > 0 || material.specular.z > 0);
    const Vec3 toEye = NormalizedOr(-position, {0, 0, -1});
    for (const DirectionalLight& light : lights.directional) {
        const Vec3 color = mono ? Gray(Brightness(light.color)) : light.color;
        const Vec3 toLight = -light.direction;
        const float facing = Dot(normal, toLight);
        if (!(facing > 0)) continue;
        diffuse = diffuse + color * facing;
        if (shiny) {
            const Vec3 halfway = NormalizedOr(toLight + toEye, normal);
            const float alignment = Dot(normal, halfway);
            if (alignment > 0) highlight = highlight + color * static_cast<float>(Power(alignment, material.power));
        }
    }
    if (mono) {
        return Gray(Brightness(material.emissive) + diffuse.x + highlight.x * Brightness(material.specular));
    }
    return material.emissive + Modulate(material.faceColor, diffuse) + Modulate(material.specular, highlight);
}

}  // namespace varnoka::rm
