#include "retained/mesh_builder.h"

#include "retained/model_file_loading.h"

namespace varnoka::rm {

void* MeshBuilder::FindInterface(REFIID iid) {
    if (iid == IID_IDirect3DRMMeshBuilder2) return static_cast<IDirect3DRMMeshBuilder2*>(this);
    if (iid == IID_IDirect3DRMMeshBuilder) return static_cast<IDirect3DRMMeshBuilder*>(this);
    if (iid == IID_IDirect3DRMVisual) return static_cast<IDirect3DRMVisual*>(this);
    return ComObject::FindInterface(iid);
}

HRESULT MeshBuilder::Load(LPVOID source, LPVOID objectName, D3DRMLOADOPTIONS options,
                          D3DRMLOADTEXTURECALLBACK loadTexture, LPVOID argument) {
    // Whole files only: no resources, memory or named objects.
    if (source == nullptr || objectName != nullptr || options != D3DRMLOAD_FROMFILE) return D3DRMERR_BADVALUE;
    // The file is read without the engine lock, so the render thread keeps drawing meanwhile.
    MeshData data;
    HRESULT result = LoadModelFile(static_cast<const char*>(source), loadTexture, argument, data, nullptr);
    if (SUCCEEDED(result)) {
        const HRESULT assigned = AssignMeshData(this, data);
        if (FAILED(assigned)) result = assigned == D3DRMERR_BADALLOC ? assigned : D3DRMERR_BADFILE;
    }
    // Out of memory, even the empty mesh may not be had; the builder then keeps the mesh it had.
    if (FAILED(result)) AssignMeshData(this, MeshData{});
    return result;
}

HRESULT MeshBuilder::SetTexture(LPDIRECT3DRMTEXTURE texture) {
    const Texture* resolved = nullptr;
    if (texture != nullptr) {
        resolved = AsTexture(texture);
        if (resolved == nullptr) return D3DRMERR_BADOBJECT;
    }
    EngineLock lock;
    SetTextureOnAllMaterials(texture, resolved);
    return D3DRM_OK;
}

int MeshBuilder::GetFaceCount() {
    EngineLock lock;
    return static_cast<int>(Mesh().faces.size());
}

}  // namespace varnoka::rm
