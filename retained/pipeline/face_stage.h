#pragma once
// Turns the faces of a transformed mesh into screen triangles, lines or points: culls faces seen
// from behind, lights corners, fans polygons into triangles and clips them. Shared by drawing and
// picking, so that what is picked is what is drawn.

#include <vector>

#include "retained/d3drm_types.h"
#include "retained/pipeline/clipping.h"
#include "retained/pipeline/lighting.h"
#include "retained/pipeline/triangle_raster.h"
#include "retained/pipeline/vertex_stage.h"

namespace varnoka::rm {

struct FaceLighting {
    const LightSet* lights;
    ColorModel model;
    DWORD shadeMode;  // D3DRMSHADE_*
    bool lightingOn;
};

// The light at a corner depends only on its position, normal and material, which neighbouring
// faces share; it is worked out once per mesh and frame, keyed by the corner's normal.
struct LitCorner {
    std::uint32_t stamp = 0;
    std::uint32_t position = 0;
    std::uint32_t material = 0;
    Vec3 color;
};

// Reused buffers; they keep their capacity between faces and frames.
struct FaceScratch {
    std::vector<ClipVertex> corners;
    std::vector<ScreenVertex> triangles;  // three per triangle
    std::vector<LitCorner> litCorners;    // by normal index
    std::uint32_t stamp = 0;
    // Lit Phong faces are lit at every pixel: their corners carry the view-space normal in place
    // of light, and their triangles that normal divided by w.
    bool cornerNormals = false;
};

// True when a face is known to cover no pixel: wholly beyond the front plane, its corners' bounds
// hold no pixel centre; or, small and inside the volume, the fill's edge functions cover none
// of the few centres there. Most faces of a car in a small window are such, and need no light.
bool FaceMissesEveryPixel(const CompiledMesh& mesh, const TransformedMesh& transformed, const CompiledFace& face,
                          const ClipVolume& volume, const PixelRect& clip);

// Forgets the light worked out for the previous mesh.
void BeginMesh(const CompiledMesh& mesh, FaceScratch& scratch);

bool FaceIsFront(const CompiledMesh& mesh, const TransformedMesh& transformed, const CompiledFace& face);

// The face's corners, lit (or with their normals) and with texture coordinates, in scratch.corners.
void PrepareCorners(const CompiledMesh& mesh, const TransformedMesh& transformed, std::size_t faceIndex,
                    const FaceLighting& lighting, FaceScratch& scratch);

// Fans and clips scratch.corners into scratch.triangles.
void BuildTriangles(const ClipVolume& volume, FaceScratch& scratch);

}  // namespace varnoka::rm
