#pragma once
// Second stage: a mesh's positions and face normals in view space and its positions projected, into
// buffers that keep their capacity from frame to frame.

#include <cstdint>
#include <vector>

#include "retained/compiled_mesh.h"
#include "retained/pipeline/projection.h"

namespace varnoka::rm {

// The pixel centres within a hair of a projected point, column lowX to highX and row lowY to highY
// (low > high when there is none); unknown for a point the clipping will move.
struct NearCentres {
    std::int32_t lowX, highX, lowY, highY;
    bool known;
};

struct TransformedMesh {
    std::vector<Vec3> viewPositions;
    std::vector<Vec4> clipPositions;
    std::vector<NearCentres> nearCentres;  // of clipPositions
    Rotation normalsToView;                // normals are turned only when a drawn corner or flat face needs one
    Vec3 eyeInModel;                       // the view-space origin in the mesh's space
};

void TransformMesh(const CompiledMesh& mesh, const RigidTransform& modelToView, const Projection& projection,
                   TransformedMesh& out);

}  // namespace varnoka::rm
