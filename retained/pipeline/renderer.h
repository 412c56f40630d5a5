#pragma once
// Draws a scene into a render target and finds what lies under a pixel, one pass over the scene
// each: gather, transform, faces, raster.

#include <vector>

#include "retained/pipeline/face_stage.h"
#include "retained/pipeline/scene_gather.h"
#include "retained/pipeline/transparent_faces.h"

namespace varnoka::rm {

struct RenderSettings {
    D3DRMRENDERQUALITY quality = D3DRMRENDER_FLAT;
    bool linearFiltering = false;
    ColorModel model = ColorModel::Rgb;
    bool dither = true;
    int shades = 32;
    int textureColors = 8;
    int textureShades = 16;
    // D3DRMRENDERMODE_*. Blended transparency holds faces that show through back until the opaque
    // ones are drawn and mixes them over those, in the order given or, sorted too, farthest first;
    // sorted alone changes nothing, as opaque faces need no order.
    DWORD renderMode = 0;
};

// Everything a frame needs besides the target, kept between frames so that drawing allocates
// nothing once the buffers have grown to the scene.
struct RenderScratch {
    GatheredScene scene;
    TransformedMesh mesh;
    FaceScratch face;
    TransparentFaces transparent;
};

void RenderScene(Frame* scene, const RigidTransform& worldToView, const Projection& projection,
                 const RenderSettings& settings, RenderScratch& scratch, RenderTarget& target);

struct PickHit {
    int item;  // index into scratch.scene.items
    float depth;
    ULONG face;
    Vec3 viewPosition;
};

// Hits at pixel (x, y), nearest first, at most one per drawn visual.
void PickScene(Frame* scene, const RigidTransform& worldToView, const Projection& projection, int x, int y,
               RenderScratch& scratch, std::vector<PickHit>& hits);

}  // namespace varnoka::rm
