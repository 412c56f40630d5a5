#include "retained/pipeline/lighting.h"

namespace varnoka::rm {

Vec3 LightPoint(const CompiledMaterial& material, Vec3 position, Vec3 normal, const LightSet& lights, ColorModel model,
                bool lightingOn) {
    if (!lightingOn) return model == ColorModel::Mono ? Vec3{1.0f, 1.0f, 1.0f} : material.faceColor;
    return SurfaceLight(material, lights, model).At(normal, NormalizedOr(-position, {0, 0, -1}));
}

}  // namespace varnoka::rm
