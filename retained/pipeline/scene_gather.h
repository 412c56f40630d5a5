#pragma once
// First stage of a frame: walks the scene once, placing every visual and light in view space.

#include <vector>

#include "retained/compiled_mesh.h"
#include "retained/frame.h"

namespace varnoka::rm {

struct DirectionalLight {
    Vec3 direction;  // unit vector along which the light travels, in view space
    Vec3 color;
};

struct LightSet {
    Vec3 ambient;
    std::vector<DirectionalLight> directional;
};

struct GatheredFrame {
    Frame* frame;
    int parent;  // index into GatheredScene::frames, -1 for the root
};

struct DrawItem {
    const CompiledMesh* mesh;
    IDirect3DRMVisual* visual;
    RigidTransform modelToView;
    int frame;  // index into GatheredScene::frames
};

// Reused from frame to frame; clearing keeps the capacity.
struct GatheredScene {
    std::vector<GatheredFrame> frames;
    std::vector<DrawItem> items;
    LightSet lights;
};

void GatherScene(Frame* scene, const RigidTransform& worldToView, GatheredScene& out);

}  // namespace varnoka::rm
