#include "retained/pipeline/vertex_stage.h"

#include <cmath>

#include "retained/exact_math.h"

namespace varnoka::rm {
namespace {

// Wider than the snapping of corners to sixteenths of a pixel and than rounding, so that a face
// touching a centre is never taken for one that misses it.
constexpr float CentreMargin = 0.125f;

NearCentres CentresNear(const Vec4& p) {
    if (!(p.z >= 0) || !(p.w > 0)) return {0, -1, 0, -1, false};
    const float x = p.x / p.w, y = p.y / p.w;
    if (!(std::fabs(x) < 1e9f) || !(std::fabs(y) < 1e9f)) return {0, -1, 0, -1, false};
    // Centres lie at n + 0.5: n from ceil(v - 0.5 - margin) to floor(v - 0.5 + margin).
    return {static_cast<std::int32_t>(-FloorToInteger(0.5f + CentreMargin - x)),
            static_cast<std::int32_t>(FloorToInteger(x - 0.5f + CentreMargin)),
            static_cast<std::int32_t>(-FloorToInteger(0.5f + CentreMargin - y)),
            static_cast<std::int32_t>(FloorToInteger(y - 0.5f + CentreMargin)), true};
}

}  // namespace

void TransformMesh(const CompiledMesh& mesh, const RigidTransform& modelToView, const Projection& projection,
                   TransformedMesh& out) {
    const std::size_t count = mesh.positions.size();
    out.viewPositions.resize(count);
    out.clipPositions.resize(count);
    out.nearCentres.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const Vec3 v = TransformPoint(mesh.positions[i], modelToView);
        out.viewPositions[i] = v;
        out.clipPositions[i] = projection.ToClip(v);
        out.nearCentres[i] = CentresNear(out.clipPositions[i]);
    }
    out.normalsToView = modelToView.rotation;
    out.eyeInModel = InverseTransformPoint({}, modelToView);
}

}  // namespace varnoka::rm
