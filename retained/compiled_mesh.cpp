#include "retained/compiled_mesh.h"

#include <cmath>

namespace varnoka::rm {
namespace {

bool Finite(float v) { return std::isfinite(v); }
bool Finite(TexCoord t) { return Finite(t.u) && Finite(t.v); }

bool MaterialValid(const MeshMaterial& m) {
    if (!IsFinite(m.faceColor) || !IsFinite(m.specular) || !IsFinite(m.emissive)) return false;
    if (!Finite(m.alpha) || !Finite(m.power) || m.power < 0) return false;
    return !m.texture || AsTexture(m.texture.Get()) != nullptr;
}

bool FaceValid(const MeshFace& face, const MeshData& data, std::size_t materialCount) {
    if (face.positions.size() < 3 || face.material >= materialCount) return false;
    if (!face.normals.empty() && face.normals.size() != face.positions.size()) return false;
    for (std::uint32_t index : face.positions)
        if (index >= data.positions.size()) return false;
    for (std::uint32_t index : face.normals)
        if (index >= data.normals.size()) return false;
    return true;
}

bool DataValid(const MeshData& data) {
    for (Vec3 p : data.positions)
        if (!IsFinite(p)) return false;
    for (Vec3 n : data.normals)
        if (!IsFinite(n)) return false;
    for (TexCoord t : data.textureCoordinates)
        if (!Finite(t)) return false;
    if (!data.textureCoordinates.empty() && data.textureCoordinates.size() != data.positions.size()) return false;
    for (const MeshMaterial& m : data.materials)
        if (!MaterialValid(m)) return false;
    const std::size_t materialCount = data.materials.empty() ? 1 : data.materials.size();
    for (const MeshFace& face : data.faces)
        if (!FaceValid(face, data, materialCount)) return false;
    return true;
}

// Newell's method: robust for slightly non-planar polygons; its length is twice the area. In
// left-handed space it points to the side from which the corners run clockwise, the front.
Vec3 PolygonNormal(const MeshData& data, const MeshFace& face) {
    Vec3 sum;
    const std::size_t n = face.positions.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Vec3 a = data.positions[face.positions[i]];
        const Vec3 b = data.positions[face.positions[(i + 1) % n]];
        sum.x += (a.y - b.y) * (a.z + b.z);
        sum.y += (a.z - b.z) * (a.x + b.x);
        sum.z += (a.x - b.x) * (a.y + b.y);
    }
    return sum;
}

}  // namespace

HRESULT CompileMesh(const MeshData& data, CompiledMesh& mesh) {
    if (!DataValid(data)) return D3DRMERR_BADVALUE;
    CompiledMesh out;
    out.positions = data.positions;
    out.textureCoordinates = data.textureCoordinates;
    if (data.materials.empty()) {
        out.materials.push_back({{1, 1, 1}, 0, {0, 0, 0}, {0, 0, 0}, {}, nullptr});
    } else {
        for (const MeshMaterial& m : data.materials)
            out.materials.push_back({m.faceColor, m.power, m.specular, m.emissive, m.texture,
                                     AsTexture(m.texture.Get()), std::fmin(std::fmax(m.alpha, 0.0f), 1.0f)});
    }

    // Smooth normals for corners that bring none: the area-weighted mean of the faces around
    // each position.
    std::vector<Vec3> smooth(data.positions.size());
    out.faceNormals.reserve(data.faces.size());
    for (const MeshFace& face : data.faces) {
        const Vec3 weighted = PolygonNormal(data, face);
        out.faceNormals.push_back(NormalizedOr(weighted, {0, 0, -1}));
        if (face.normals.empty())
            for (std::uint32_t index : face.positions) smooth[index] = smooth[index] + weighted;
    }
    for (Vec3& n : smooth) n = NormalizedOr(n, {0, 0, -1});

    out.normals = smooth;
    const std::uint32_t given = static_cast<std::uint32_t>(out.normals.size());
    for (Vec3 n : data.normals) out.normals.push_back(NormalizedOr(n, {0, 0, -1}));

    for (const MeshFace& face : data.faces) {
        const std::uint32_t first = static_cast<std::uint32_t>(out.cornerPosition.size());
        for (std::size_t i = 0; i < face.positions.size(); ++i) {
            out.cornerPosition.push_back(face.positions[i]);
            out.cornerNormal.push_back(face.normals.empty() ? face.positions[i] : given + face.normals[i]);
        }
        out.faces.push_back({first, static_cast<std::uint32_t>(face.positions.size()), face.material});
    }
    mesh = std::move(out);
    return D3DRM_OK;
}

HRESULT MeshVisual::Assign(const MeshData& data) { return CompileMesh(data, mesh_); }

void MeshVisual::SetTextureOnAllMaterials(IDirect3DRMTexture* texture, const Texture* resolved) {
    for (CompiledMaterial& m : mesh_.materials) {
        m.textureReference = ComRef<IDirect3DRMTexture>(texture);
        m.texture = resolved;
    }
}

MeshVisual* AsMeshVisual(IUnknown* visual) { return dynamic_cast<MeshVisual*>(visual); }

HRESULT AssignMeshData(IUnknown* visual, const MeshData& data) {
    MeshVisual* mesh = visual ? AsMeshVisual(visual) : nullptr;
    if (mesh == nullptr) return D3DRMERR_BADOBJECT;
    EngineLock lock;
    return GuardAllocation(D3DRMERR_BADALLOC, [&] { return mesh->Assign(data); });
}

}  // namespace varnoka::rm
