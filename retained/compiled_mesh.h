#pragma once
// The drawable form of a mesh: flat corner arrays, one normal per corner, face normals, and the
// materials' textures resolved.

#include <cstdint>
#include <vector>

#include "retained/mesh_data.h"
#include "retained/texture.h"

namespace varnoka::rm {

struct CompiledFace {
    std::uint32_t firstCorner;
    std::uint32_t cornerCount;
    std::uint32_t material;
};

struct CompiledMaterial {
    Vec3 faceColor;
    float power;
    Vec3 specular;
    Vec3 emissive;
    ComRef<IDirect3DRMTexture> textureReference;
    const Texture* texture = nullptr;  // kept alive by textureReference
    float alpha = 1;                   // in [0, 1]; below 1 the face shows what lies behind it
};

struct CompiledMesh {
    std::vector<Vec3> positions;
    std::vector<TexCoord> textureCoordinates;  // empty or one per position
    std::vector<Vec3> normals;                 // indexed by cornerNormal
    std::vector<std::uint32_t> cornerPosition;
    std::vector<std::uint32_t> cornerNormal;
    std::vector<CompiledFace> faces;
    std::vector<Vec3> faceNormals;
    std::vector<CompiledMaterial> materials;
};

// Checks data and builds its drawable form; D3DRMERR_BADVALUE when data is malformed.
HRESULT CompileMesh(const MeshData& data, CompiledMesh& mesh);

// Implemented by every visual that draws a mesh.
class MeshVisual {
public:
    const CompiledMesh& Mesh() const { return mesh_; }
    HRESULT Assign(const MeshData& data);
    void SetTextureOnAllMaterials(IDirect3DRMTexture* texture, const Texture* resolved);

protected:
    MeshVisual() = default;
    virtual ~MeshVisual() = default;

private:
    CompiledMesh mesh_;
};

MeshVisual* AsMeshVisual(IUnknown* visual);

}  // namespace varnoka::rm
