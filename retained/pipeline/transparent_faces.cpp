#include "retained/pipeline/transparent_faces.h"

#include <algorithm>

namespace varnoka::rm {

void TransparentFaces::Clear() {
    faces_.clear();
    corners_.clear();
}

void TransparentFaces::Hold(float depth, const std::vector<ClipVertex>& corners, const CompiledMaterial& material,
                            const Texture* texture) {
    // A depth that is not a number would leave the sort without an order.
    if (depth != depth) depth = 0;
    faces_.push_back({depth, static_cast<std::uint32_t>(faces_.size()), static_cast<std::uint32_t>(corners_.size()),
                      static_cast<std::uint32_t>(corners.size()), &material, texture});
    corners_.insert(corners_.end(), corners.begin(), corners.end());
}

void TransparentFaces::SortBackToFront() {
    // std::sort with the order as a tie-break: stable without stable_sort's temporary buffer.
    std::sort(faces_.begin(), faces_.end(), [](const HeldFace& a, const HeldFace& b) {
        if (a.depth != b.depth) return a.depth > b.depth;
        return a.order < b.order;
    });
}

void TransparentFaces::CornersOf(const HeldFace& face, std::vector<ClipVertex>& corners) const {
    const auto first = corners_.begin() + face.firstCorner;
    corners.assign(first, first + face.cornerCount);
}

bool ShowsThrough(const CompiledMaterial& material, const Texture* texture) {
    return material.alpha < 1.0f || (texture != nullptr && texture->HasTranslucentTexels());
}

float FaceDepth(const CompiledMesh& mesh, const TransformedMesh& transformed, std::size_t faceIndex) {
    const CompiledFace& face = mesh.faces[faceIndex];
    float sum = 0;
    for (std::uint32_t i = 0; i < face.cornerCount; ++i)
        sum += transformed.viewPositions[mesh.cornerPosition[face.firstCorner + i]].z;
    return sum / static_cast<float>(face.cornerCount);
}

}  // namespace varnoka::rm
