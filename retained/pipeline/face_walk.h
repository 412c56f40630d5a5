#pragma once
// The one walk over the faces the eye sees, shared by drawing and picking so that what is picked
// is what is drawn: each gathered visual's mesh is transformed, then its front faces are handed
// on, for the visitor to prepare their corners under the lighting it chooses.

#include <cstddef>

#include "retained/pipeline/face_stage.h"
#include "retained/pipeline/scene_gather.h"

namespace varnoka::rm {

// Calls visit(item, face, prepare) for every front face, item indexing scene.items and face the
// item's mesh faces, with the mesh in transformed; prepare(lighting) puts the face's corners,
// prepared under that lighting, in faceScratch.corners.
template <class Visit>
void ForEachFrontFace(const GatheredScene& scene, const Projection& projection, TransformedMesh& transformed,
                      FaceScratch& faceScratch, Visit&& visit) {
    for (std::size_t i = 0; i < scene.items.size(); ++i) {
        const CompiledMesh& mesh = *scene.items[i].mesh;
        TransformMesh(mesh, scene.items[i].modelToView, projection, transformed);
        BeginMesh(mesh, faceScratch);
        for (std::size_t f = 0; f < mesh.faces.size(); ++f) {
            if (!FaceIsFront(mesh, transformed, mesh.faces[f])) continue;
            const auto prepare = [&](const FaceLighting& lighting) {
                PrepareCorners(mesh, transformed, f, lighting, faceScratch);
            };
            visit(i, f, prepare);
        }
    }
}

}  // namespace varnoka::rm
