#include "retained/pipeline/scene_gather.h"

namespace varnoka::rm {
namespace {

void Visit(Frame* frame, int parent, const RigidTransform& frameToWorld, const RigidTransform& worldToView,
           GatheredScene& out) {
    const int index = static_cast<int>(out.frames.size());
    out.frames.push_back({frame, parent});
    const RigidTransform frameToView = Compose(frameToWorld, worldToView);

    for (const ComRef<Light>& light : frame->Lights()) {
        if (light->Type() == D3DRMLIGHT_AMBIENT) {
            out.lights.ambient = out.lights.ambient + light->Color();
        } else {
            out.lights.directional.push_back({NormalizedOr(frameToView.rotation.row[2], {0, 0, 1}), light->Color()});
        }
    }
    for (const ComRef<IDirect3DRMVisual>& visual : frame->Visuals()) {
        if (const MeshVisual* mesh = AsMeshVisual(visual.Get()))
            out.items.push_back({&mesh->Mesh(), visual.Get(), frameToView, index});
    }
    for (const ComRef<Frame>& child : frame->Children())
        Visit(child.Get(), index, Compose(child->Local(), frameToWorld), worldToView, out);
}

}  // namespace

void GatherScene(Frame* scene, const RigidTransform& worldToView, GatheredScene& out) {
    out.frames.clear();
    out.items.clear();
    out.lights.ambient = {};
    out.lights.directional.clear();
    Visit(scene, -1, scene->WorldTransform(), worldToView, out);
}

}  // namespace varnoka::rm
