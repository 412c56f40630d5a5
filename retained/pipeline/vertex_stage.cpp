#include "retained/pipeline/vertex_stage.h"

namespace varnoka::rm {

void TransformMesh(const CompiledMesh& mesh, const RigidTransform& modelToView, const Projection& projection,
                   TransformedMesh& out) {
    const std::size_t count = mesh.positions.size();
    out.viewPositions.resize(count);
    out.clipPositions.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const Vec3 v = TransformPoint(mesh.positions[i], modelToView);
        out.viewPositions[i] = v;
        out.clipPositions[i] = projection.ToClip(v);
    }
    out.viewNormals.resize(mesh.normals.size());
    for (std::size_t i = 0; i < mesh.normals.size(); ++i)
        out.viewNormals[i] = Rotate(mesh.normals[i], modelToView.rotation);
    out.viewFaceNormals.resize(mesh.faceNormals.size());
    for (std::size_t i = 0; i < mesh.faceNormals.size(); ++i)
        out.viewFaceNormals[i] = Rotate(mesh.faceNormals[i], modelToView.rotation);
}

}  // namespace varnoka::rm
