#include "retained/mesh_builder.h"

namespace varnoka::rm {

void* MeshBuilder::FindInterface(REFIID iid) {
    if (iid == IID_IDirect3DRMMeshBuilder2) return static_cast<IDirect3DRMMeshBuilder2*>(this);
    if (iid == IID_IDirect3DRMMeshBuilder) return static_cast<IDirect3DRMMeshBuilder*>(this);
    if (iid == IID_IDirect3DRMVisual) return static_cast<IDirect3DRMVisual*>(this);
    return ComObject::FindInterface(iid);
}

HRESULT MeshBuilder::Load(LPVOID, LPVOID, D3DRMLOADOPTIONS, D3DRMLOADTEXTURECALLBACK, LPVOID) {
    return D3DRMERR_NOTDONEYET;
}

HRESULT MeshBuilder::SetTexture(LPDIRECT3DRMTEXTURE texture) {
    EngineLock lock;
    const Texture* resolved = nullptr;
    if (texture != nullptr) {
        resolved = AsTexture(texture);
        if (resolved == nullptr) return D3DRMERR_BADOBJECT;
    }
    SetTextureOnAllMaterials(texture, resolved);
    return D3DRM_OK;
}

int MeshBuilder::GetFaceCount() {
    EngineLock lock;
    return static_cast<int>(Mesh().faces.size());
}

}  // namespace varnoka::rm
