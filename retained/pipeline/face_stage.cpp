#include "retained/pipeline/face_stage.h"

namespace varnoka::rm {

bool FaceIsFront(const CompiledMesh& mesh, const TransformedMesh& transformed, const CompiledFace& face) {
    // The eye sits at the view-space origin; a face is seen from the front when its normal
    // points back toward the eye.
    const Vec3 corner = transformed.viewPositions[mesh.cornerPosition[face.firstCorner]];
    const Vec3 normal = transformed.viewFaceNormals[&face - mesh.faces.data()];
    return Dot(normal, corner) < 0;
}

void PrepareCorners(const CompiledMesh& mesh, const TransformedMesh& transformed, std::size_t faceIndex,
                    const FaceLighting& lighting, FaceScratch& scratch) {
    const CompiledFace& face = mesh.faces[faceIndex];
    const CompiledMaterial& material = mesh.materials[face.material];
    const bool textured = !mesh.textureCoordinates.empty();
    scratch.corners.resize(face.cornerCount);

    Vec3 flatColor;
    if (lighting.shadeMode == D3DRMSHADE_FLAT) {
        Vec3 center;
        for (std::uint32_t i = 0; i < face.cornerCount; ++i)
            center = center + transformed.viewPositions[mesh.cornerPosition[face.firstCorner + i]];
        center = center * (1.0f / static_cast<float>(face.cornerCount));
        flatColor = LightPoint(material, center, transformed.viewFaceNormals[faceIndex], *lighting.lights,
                               lighting.model, lighting.lightingOn);
    }
    for (std::uint32_t i = 0; i < face.cornerCount; ++i) {
        const std::uint32_t position = mesh.cornerPosition[face.firstCorner + i];
        ClipVertex& v = scratch.corners[i];
        v.position = transformed.clipPositions[position];
        v.u = textured ? mesh.textureCoordinates[position].u : 0.0f;
        v.v = textured ? mesh.textureCoordinates[position].v : 0.0f;
        v.color = lighting.shadeMode == D3DRMSHADE_FLAT
                      ? flatColor
                      : LightPoint(material, transformed.viewPositions[position],
                                   transformed.viewNormals[mesh.cornerNormal[face.firstCorner + i]],
                                   *lighting.lights, lighting.model, lighting.lightingOn);
    }
}

void BuildTriangles(const ClipVolume& volume, FaceScratch& scratch) {
    scratch.triangles.clear();
    const std::vector<ClipVertex>& corners = scratch.corners;
    for (std::size_t i = 1; i + 1 < corners.size(); ++i) {
        ClipVertex polygon[kMaxClippedCorners] = {corners[0], corners[i], corners[i + 1]};
        int count = 3;
        if (!InsideVolume(polygon[0].position, volume) || !InsideVolume(polygon[1].position, volume) ||
            !InsideVolume(polygon[2].position, volume))
            count = ClipPolygon(polygon, 3, volume);
        if (count < 3) continue;
        const ScreenVertex first = ToScreen(polygon[0]);
        ScreenVertex previous = ToScreen(polygon[1]);
        for (int k = 2; k < count; ++k) {
            const ScreenVertex next = ToScreen(polygon[k]);
            scratch.triangles.push_back(first);
            scratch.triangles.push_back(previous);
            scratch.triangles.push_back(next);
            previous = next;
        }
    }
}

}  // namespace varnoka::rm
