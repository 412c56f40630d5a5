#pragma once
// The one walk over the faces the eye sees, shared by drawing and picking so that what is picked
// is what is drawn: each gathered visual's mesh is transformed, then its front faces are handed
// on with their corners prepared.

#include <cstddef>

#include "retained/pipeline/face_stage.h"
#include "retained/pipeline/scene_gather.h"

namespace varnoka::rm {

// Calls visit(item, face) for every front face, item indexing scene.items and face the item's
// mesh faces, with the face's corners in faceScratch.corners and its mesh in transformed.
template <class Visit>
void ForEachFrontFace(const GatheredScene& scene, const Projection& projection, const FaceLighting& lighting,
                      TransformedMesh& transformed, FaceScratch& faceScratch, Visit&& visit) {
    for (std::size_t i = 0; i < scene.items.size(); ++i) {
        const CompiledMesh& mesh = *scene.items[i].mesh;
        TransformMesh(mesh, scene.items[i].modelToView, projection, transformed);
        BeginMesh(mesh, faceScratch);
        for (std::size_t f = 0; f < mesh.faces.size(); ++f) {
            if (!FaceIsFront(mesh, transformed, mesh.faces[f])) continue;
            PrepareCorners(mesh, transformed, f, lighting, faceScratch);
            visit(i, f);
        }
    }
}

}  // namespace varnoka::rm
