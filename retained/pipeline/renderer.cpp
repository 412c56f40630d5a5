#include "retained/pipeline/renderer.h"

#include <algorithm>
#include <cmath>

#include "retained/pipeline/blending.h"
#include "retained/pipeline/face_walk.h"
#include "retained/pipeline/line_raster.h"
#include "retained/pipeline/phong_shading.h"
#include "retained/pipeline/textured_span.h"

namespace varnoka::rm {
namespace {

Ramps MakeRamps(const RenderSettings& settings) {
    Ramps ramps;
    ramps.model = settings.model;
    FillThresholds(ramps, settings.dither);
    ramps.shades.Set(settings.shades);
    int levels = 2;
    while ((levels + 1) * (levels + 1) * (levels + 1) <= settings.textureColors && levels < 256) ++levels;
    ramps.textureLevels.Set(levels);
    ramps.textureShades.Set(std::max(2, std::min(settings.textureShades, settings.shades)));
    return ramps;
}

template <class Shader>
void FillFace(const FaceScratch& face, const Shader& shader, const PixelRect& clip, RenderTarget& target) {
    TriangleSetup setup;
    for (std::size_t i = 0; i + 2 < face.triangles.size(); i += 3)
        if (SetupTriangle(face.triangles[i], face.triangles[i + 1], face.triangles[i + 2], clip, setup, Shader::Reads))
            FillTriangle(setup, shader, clip, target);
}

template <class Shader>
void OutlineFace(const FaceScratch& face, const ClipVolume& volume, const Shader& shader, const PixelRect& clip,
                 RenderTarget& target) {
    const std::size_t n = face.corners.size();
    for (std::size_t i = 0; i < n; ++i) {
        ClipVertex a = face.corners[i];
        ClipVertex b = face.corners[(i + 1) % n];
        if (ClipSegment(a, b, volume)) DrawLine(ToScreen(a), ToScreen(b), shader, clip, target);
    }
}

template <class Shader>
void DotFace(const FaceScratch& face, const ClipVolume& volume, const Shader& shader, const PixelRect& clip,
             RenderTarget& target) {
    for (const ClipVertex& corner : face.corners)
        if (InsideVolume(corner.position, volume)) PlotPoint(ToScreen(corner), shader, clip, target);
}

template <class Shader>
void DrawFace(DWORD fill, const FaceScratch& face, const ClipVolume& volume, const Shader& shader,
              const PixelRect& clip, RenderTarget& target) {
    if (fill == D3DRMFILL_SOLID)
        FillFace(face, shader, clip, target);
    else if (fill == D3DRMFILL_WIREFRAME)
        OutlineFace(face, volume, shader, clip, target);
    else
        DotFace(face, volume, shader, clip, target);
}

// Only solid faces with texture coordinates show their material's texture.
const Texture* FaceTexture(DWORD fill, const CompiledMaterial& material, bool hasTextureCoordinates) {
    return hasTextureCoordinates && fill == D3DRMFILL_SOLID ? material.texture : nullptr;
}

void DrawShadedFace(DWORD fill, const FaceLighting& lighting, const CompiledMaterial& material,
                    bool hasTextureCoordinates, const Ramps& ramps, bool linear, FaceScratch& face,
                    const ClipVolume& volume, const Projection& projection, RenderTarget& target) {
    const PixelRect& clip = projection.rect;
    if (fill == D3DRMFILL_SOLID) BuildTriangles(volume, face);
    const Texture* texture = FaceTexture(fill, material, hasTextureCoordinates);
    const bool mono = ramps.model == ColorModel::Mono;
    if (face.cornerNormals) {
        // Highlights a quarter of a colour level faint are left out: most pixels need no power.
        const PixelLight light(SurfaceLight(material, *lighting.lights, lighting.model, true), projection);
        const auto draw = [&](const auto& shader) {
            DrawFace(fill, face, volume, shader, clip, target);
            shader.Finish();
        };
        if (texture == nullptr) {
            if (mono)
                draw(PhongShader<MonoPaint>(light, {&ramps, material.faceColor}));
            else
                draw(PhongShader<RgbPaint>(light, {&ramps}));
            return;
        }
        const TextureSampler sampler(texture);
        if (mono && linear)
            draw(PhongShader<MonoTexelPaint, Texels::Linear>(light, {&ramps}, sampler));
        else if (mono)
            draw(PhongShader<MonoTexelPaint, Texels::Nearest>(light, {&ramps}, sampler));
        else if (linear)
            draw(PhongShader<RgbTexelPaint, Texels::Linear>(light, {&ramps}, sampler));
        else
            draw(PhongShader<RgbTexelPaint, Texels::Nearest>(light, {&ramps}, sampler));
        return;
    }
    if (texture == nullptr) {
        if (mono)
            DrawFace(fill, face, volume, MonoShader{&ramps, material.faceColor}, clip, target);
        else
            DrawFace(fill, face, volume, RgbShader{&ramps}, clip, target);
        return;
    }
    const TextureSampler sampler(texture);
    if (mono && linear)
        FillFace(face, MonoTextureShader<true>{&ramps, sampler}, clip, target);
    else if (mono)
        FillFace(face, MonoTextureShader<false>{&ramps, sampler}, clip, target);
    else if (linear)
        FillFace(face, RgbTextureShader<true>{&ramps, sampler}, clip, target);
    else
        FillFace(face, RgbTextureShader<false>{&ramps, sampler}, clip, target);
}

void DrawBlendedFace(DWORD fill, const HeldFace& held, const Ramps& ramps, bool linear, FaceScratch& face,
                     const ClipVolume& volume, const PixelRect& clip, RenderTarget& target) {
    if (fill == D3DRMFILL_SOLID) BuildTriangles(volume, face);
    const float alpha = held.material->alpha;
    const bool mono = ramps.model == ColorModel::Mono;
    if (held.texture == nullptr) {
        if (mono)
            DrawFace(fill, face, volume, BlendedSpan<MonoOver>{{MonoShader{&ramps, held.material->faceColor}, alpha}},
                     clip, target);
        else
            DrawFace(fill, face, volume, BlendedSpan<RgbOver>{{&ramps, alpha}}, clip, target);
        return;
    }
    const TextureSampler sampler(held.texture);
    if (mono && linear)
        FillFace(face, BlendedSpan<MonoTextureOver<true>>{{{&ramps, sampler}, alpha}}, clip, target);
    else if (mono)
        FillFace(face, BlendedSpan<MonoTextureOver<false>>{{{&ramps, sampler}, alpha}}, clip, target);
    else if (linear)
        FillFace(face, BlendedSpan<RgbTextureOver<true>>{{&ramps, sampler, alpha}}, clip, target);
    else
        FillFace(face, BlendedSpan<RgbTextureOver<false>>{{&ramps, sampler, alpha}}, clip, target);
}

}  // namespace

void RenderScene(Frame* scene, const RigidTransform& worldToView, const Projection& projection,
                 const RenderSettings& settings, RenderScratch& scratch, RenderTarget& target) {
    if (projection.rect.width <= 0 || projection.rect.height <= 0) return;
    GatherScene(scene, worldToView, scratch.scene);
    const Ramps ramps = MakeRamps(settings);
    const ClipVolume volume = MakeClipVolume(projection);
    const FaceLighting lighting{&scratch.scene.lights, settings.model, settings.quality & D3DRMSHADE_MASK,
                                (settings.quality & D3DRMLIGHT_MASK) == D3DRMLIGHT_ON};
    const DWORD fill = settings.quality & D3DRMFILL_MASK;

    const bool blend = (settings.renderMode & D3DRMRENDERMODE_BLENDEDTRANSPARENCY) != 0;
    scratch.transparent.Clear();
    // Held faces are blended with light worked out at their corners, Phong or not.
    FaceLighting heldLighting = lighting;
    if (heldLighting.shadeMode == D3DRMSHADE_PHONG) heldLighting.shadeMode = D3DRMSHADE_GOURAUD;

    const auto draw = [&](std::size_t i, std::size_t f, const auto& prepare) {
        const CompiledMesh& mesh = *scratch.scene.items[i].mesh;
        if (fill == D3DRMFILL_SOLID && FaceMissesEveryPixel(mesh, scratch.mesh, mesh.faces[f], volume, projection.rect))
            return;
        const CompiledMaterial& material = mesh.materials[mesh.faces[f].material];
        const bool hasTextureCoordinates = !mesh.textureCoordinates.empty();
        if (blend) {
            const Texture* texture = FaceTexture(fill, material, hasTextureCoordinates);
            if (ShowsThrough(material, texture)) {
                prepare(heldLighting);
                scratch.transparent.Hold(FaceDepth(mesh, scratch.mesh, f), scratch.face.corners, material, texture);
                return;
            }
        }
        prepare(lighting);
        DrawShadedFace(fill, lighting, material, hasTextureCoordinates, ramps, settings.linearFiltering, scratch.face,
                       volume, projection, target);
    };
    ForEachFrontFace(scratch.scene, projection, scratch.mesh, scratch.face, draw);

    if (settings.renderMode & D3DRMRENDERMODE_SORTEDTRANSPARENCY) scratch.transparent.SortBackToFront();
    scratch.face.cornerNormals = false;  // held corners carry light, never normals
    for (const HeldFace& held : scratch.transparent.Faces()) {
        scratch.transparent.CornersOf(held, scratch.face.corners);
        DrawBlendedFace(fill, held, ramps, settings.linearFiltering, scratch.face, volume, projection.rect, target);
    }
}

void PickScene(Frame* scene, const RigidTransform& worldToView, const Projection& projection, int x, int y,
               RenderScratch& scratch, std::vector<PickHit>& hits) {
    hits.clear();
    const PixelRect& rect = projection.rect;
    if (x < rect.x || y < rect.y || x >= rect.x + rect.width || y >= rect.y + rect.height) return;
    GatherScene(scene, worldToView, scratch.scene);
    const ClipVolume volume = MakeClipVolume(projection);
    // Coverage only: lighting is not needed to know what is hit.
    const FaceLighting lighting{&scratch.scene.lights, ColorModel::Rgb, D3DRMSHADE_FLAT, false};

    // Items come one after another, so the item being walked, once hit, is the last hit.
    const auto hitTest = [&](std::size_t i, std::size_t f, const auto& prepare) {
        prepare(lighting);
        BuildTriangles(volume, scratch.face);
        TriangleSetup setup;
        const std::vector<ScreenVertex>& t = scratch.face.triangles;
        for (std::size_t k = 0; k + 2 < t.size(); k += 3) {
            float depth = 0;
            if (!SetupTriangle(t[k], t[k + 1], t[k + 2], rect, setup, 1u << Depth) ||
                !CoversPixel(setup, x, y, depth) || !(depth <= 1.0f))
                continue;
            const PickHit hit{static_cast<int>(i), depth, static_cast<ULONG>(f), {}};
            if (hits.empty() || hits.back().item != hit.item)
                hits.push_back(hit);
            else if (depth < hits.back().depth)
                hits.back() = hit;
        }
    };
    ForEachFrontFace(scratch.scene, projection, scratch.mesh, scratch.face, hitTest);
    // Back from depth to view space: depth = (z - front) * back / ((back - front) * z).
    const float front = projection.front, back = projection.back;
    for (PickHit& hit : hits) {
        const float z = front * back / (back - hit.depth * (back - front));
        hit.viewPosition =
            projection.FromClip({(static_cast<float>(x) + 0.5f) * z, (static_cast<float>(y) + 0.5f) * z, 0.0f, z});
    }
    std::stable_sort(hits.begin(), hits.end(), [](const PickHit& a, const PickHit& b) { return a.depth < b.depth; });
}

}  // namespace varnoka::rm
