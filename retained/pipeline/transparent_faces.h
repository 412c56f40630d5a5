#pragma once
// Faces that show through, held back until every opaque face of the scene is drawn, and then
// drawn farthest first so that each mixes over what lies behind it. A face keeps its prepared
// corners: its mesh's transform is gone by the time it is drawn, and a copy costs less than
// transforming the mesh again.

#include <cstdint>
#include <vector>

#include "retained/compiled_mesh.h"
#include "retained/pipeline/clipping.h"
#include "retained/pipeline/vertex_stage.h"

namespace varnoka::rm {

struct HeldFace {
    float depth;          // view-space z of the corners' mean, larger farther away
    std::uint32_t order;  // as the faces came, so that equal depths keep it
    std::uint32_t firstCorner, cornerCount;
    const CompiledMaterial* material;
    const Texture* texture;  // the texture the face is painted with, or null
};

// Kept in the render scratch from frame to frame; it allocates only while it grows.
class TransparentFaces {
public:
    void Clear();
    void Hold(float depth, const std::vector<ClipVertex>& corners, const CompiledMaterial& material,
              const Texture* texture);
    // Farthest first; the order faces came in among equal depths.
    void SortBackToFront();

    const std::vector<HeldFace>& Faces() const { return faces_; }
    // A held face's corners into corners, whose capacity is kept.
    void CornersOf(const HeldFace& face, std::vector<ClipVertex>& corners) const;

private:
    std::vector<HeldFace> faces_;
    std::vector<ClipVertex> corners_;
};

// Whether a face of this material, painted with texture (or null), shows through.
bool ShowsThrough(const CompiledMaterial& material, const Texture* texture);

// The depth faces are sorted by: the mean view-space z of the face's corners. Faces that cross
// or overlap in depth have no right order; the mean is cheap and right for faces apart.
float FaceDepth(const CompiledMesh& mesh, const TransformedMesh& transformed, std::size_t faceIndex);

}  // namespace varnoka::rm
