#pragma once
// Second stage: a mesh's positions and normals in view space and its positions projected, into
// buffers that keep their capacity from frame to frame.

#include <vector>

#include "retained/compiled_mesh.h"
#include "retained/pipeline/projection.h"

namespace varnoka::rm {

struct TransformedMesh {
    std::vector<Vec3> viewPositions;
    std::vector<Vec4> clipPositions;
    std::vector<Vec3> viewNormals;
    std::vector<Vec3> viewFaceNormals;
};

void TransformMesh(const CompiledMesh& mesh, const RigidTransform& modelToView, const Projection& projection,
                   TransformedMesh& out);

}  // namespace varnoka::rm
