#include "retained/pipeline/face_stage.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "retained/pipeline/pixel_shading.h"

namespace varnoka::rm {
namespace {

// Faces tested centre by centre: the few pixels of a car's small parts in a small window.
constexpr std::int32_t MaxCentresTested = 4;
constexpr std::uint32_t MaxCornersTested = 4;

}  // namespace

bool FaceIsFront(const CompiledMesh& mesh, const TransformedMesh& transformed, const CompiledFace& face) {
    // A face is seen from the front when its normal points back toward the eye. Asked in the
    // mesh's own space, where the normals already are: the eye is moved there once per mesh
    // instead of every face normal into view space.
    const Vec3 corner = mesh.positions[mesh.cornerPosition[face.firstCorner]];
    const Vec3 normal = mesh.faceNormals[&face - mesh.faces.data()];
    return Dot(normal, corner - transformed.eyeInModel) < 0;
}

bool FaceMissesEveryPixel(const CompiledMesh& mesh, const TransformedMesh& transformed, const CompiledFace& face,
                          const ClipVolume& volume, const PixelRect& clip) {
    std::int32_t lowX = INT32_MAX, highX = INT32_MIN, lowY = INT32_MAX, highY = INT32_MIN;
    for (std::uint32_t k = 0; k < face.cornerCount; ++k) {
        const NearCentres& centres = transformed.nearCentres[mesh.cornerPosition[face.firstCorner + k]];
        if (!centres.known) return false;  // to be clipped: the bounds say nothing yet
        lowX = std::min(lowX, centres.lowX);
        highX = std::max(highX, centres.highX);
        lowY = std::min(lowY, centres.lowY);
        highY = std::max(highY, centres.highY);
    }
    if (highX < lowX || highY < lowY) return true;
    // A face near a few centres is set up as the fill sets it up, corners where BuildTriangles
    // puts them, and its centres tested: that costs less than lighting a face that covers none.
    if ((highX - lowX + 1) * (highY - lowY + 1) > MaxCentresTested || face.cornerCount > MaxCornersTested) return false;
    ScreenVertex corners[MaxCornersTested];
    for (std::uint32_t k = 0; k < face.cornerCount; ++k) {
        const Vec4& p = transformed.clipPositions[mesh.cornerPosition[face.firstCorner + k]];
        if (!InsideVolume(p, volume)) return false;
        ToPixels(p, corners[k].x, corners[k].y);
    }
    TriangleSetup setup;
    for (std::uint32_t i = 1; i + 1 < face.cornerCount; ++i)
        if (SetupTriangle(corners[0], corners[i], corners[i + 1], clip, setup, 0) &&
            CoversAnyPixel(setup, clip, lowX, highX))
            return false;
    return true;
}

void BeginMesh(const CompiledMesh& mesh, FaceScratch& scratch) {
    if (scratch.litCorners.size() < mesh.normals.size()) scratch.litCorners.resize(mesh.normals.size());
    if (++scratch.stamp == 0) {  // wrapped: old stamps could match again
        for (LitCorner& corner : scratch.litCorners) corner.stamp = 0;
        scratch.stamp = 1;
    }
}

void PrepareCorners(const CompiledMesh& mesh, const TransformedMesh& transformed, std::size_t faceIndex,
                    const FaceLighting& lighting, FaceScratch& scratch) {
    const CompiledFace& face = mesh.faces[faceIndex];
    const CompiledMaterial& material = mesh.materials[face.material];
    const bool textured = !mesh.textureCoordinates.empty();
    scratch.corners.resize(face.cornerCount);
    scratch.cornerNormals = lighting.shadeMode == D3DRMSHADE_PHONG && lighting.lightingOn;

    Vec3 flatColor;
    if (lighting.shadeMode == D3DRMSHADE_FLAT) {
        Vec3 center;
        for (std::uint32_t i = 0; i < face.cornerCount; ++i)
            center = center + transformed.viewPositions[mesh.cornerPosition[face.firstCorner + i]];
        center = center * (1.0f / static_cast<float>(face.cornerCount));
        flatColor = LightPoint(material, center, Rotate(mesh.faceNormals[faceIndex], transformed.normalsToView),
                               *lighting.lights, lighting.model, lighting.lightingOn);
    }
    for (std::uint32_t i = 0; i < face.cornerCount; ++i) {
        const std::uint32_t position = mesh.cornerPosition[face.firstCorner + i];
        ClipVertex& v = scratch.corners[i];
        v.position = transformed.clipPositions[position];
        v.u = textured ? mesh.textureCoordinates[position].u : 0.0f;
        v.v = textured ? mesh.textureCoordinates[position].v : 0.0f;
        if (lighting.shadeMode == D3DRMSHADE_FLAT) {
            v.color = flatColor;
            continue;
        }
        const std::uint32_t normal = mesh.cornerNormal[face.firstCorner + i];
        if (scratch.cornerNormals) {
            v.color = Rotate(mesh.normals[normal], transformed.normalsToView);
            continue;
        }
        LitCorner& lit = scratch.litCorners[normal];
        if (lit.stamp != scratch.stamp || lit.position != position || lit.material != face.material) {
            lit = {scratch.stamp, position, face.material,
                   LightPoint(material, transformed.viewPositions[position],
                              Rotate(mesh.normals[normal], transformed.normalsToView), *lighting.lights, lighting.model,
                              lighting.lightingOn)};
        }
        v.color = lit.color;
    }
    // Colours saturate at the corners, as vertex colours do; what lies between stays in range.
    if (!scratch.cornerNormals)
        for (ClipVertex& v : scratch.corners) v.color = {Clamp01(v.color.x), Clamp01(v.color.y), Clamp01(v.color.z)};
    if (textured) {
        // Texture coordinates wrap, so whole periods may be added freely; starting each face at
        // one or more keeps every interpolated coordinate positive, where truncation is floor.
        float lowU = scratch.corners[0].u, lowV = scratch.corners[0].v;
        for (const ClipVertex& v : scratch.corners) {
            lowU = std::min(lowU, v.u);  // coordinates are finite: a compiled mesh has no other
            lowV = std::min(lowV, v.v);
        }
        const float shiftU = 1.0f - std::floor(lowU), shiftV = 1.0f - std::floor(lowV);
        for (ClipVertex& v : scratch.corners) {
            v.u += shiftU;
            v.v += shiftV;
        }
    }
}

void BuildTriangles(const ClipVolume& volume, FaceScratch& scratch) {
    scratch.triangles.clear();
    const std::vector<ClipVertex>& corners = scratch.corners;
    // Normals travel divided by w, as texture coordinates do, to be correct in perspective.
    const auto toScreen = [normals = scratch.cornerNormals](const ClipVertex& v) {
        ScreenVertex s = ToScreen(v);
        if (normals)
            for (int i = Red; i <= Blue; ++i) s.attributes[i] *= s.attributes[InverseW];
        return s;
    };
    for (std::size_t i = 1; i + 1 < corners.size(); ++i) {
        const ClipVertex& a = corners[0];
        const ClipVertex& b = corners[i];
        const ClipVertex& c = corners[i + 1];
        // Most triangles lie inside: they go straight on, without a copy of their corners.
        if (InsideVolume(a.position, volume) && InsideVolume(b.position, volume) && InsideVolume(c.position, volume)) {
            scratch.triangles.push_back(toScreen(a));
            scratch.triangles.push_back(toScreen(b));
            scratch.triangles.push_back(toScreen(c));
            continue;
        }
        ClipVertex polygon[MaxClippedCorners];
        polygon[0] = a;
        polygon[1] = b;
        polygon[2] = c;
        const int count = ClipPolygon(polygon, 3, volume);
        if (count < 3) continue;
        const ScreenVertex first = toScreen(polygon[0]);
        ScreenVertex previous = toScreen(polygon[1]);
        for (int k = 2; k < count; ++k) {
            const ScreenVertex next = toScreen(polygon[k]);
            scratch.triangles.push_back(first);
            scratch.triangles.push_back(previous);
            scratch.triangles.push_back(next);
            previous = next;
        }
    }
}

}  // namespace varnoka::rm
