#pragma once
// The mesh builder visual: a mesh the program fills and frames carry.

#include "retained/compiled_mesh.h"

namespace varnoka::rm {

class MeshBuilder final : public ComObject<IDirect3DRMMeshBuilder2>, public MeshVisual {
public:
    HRESULT STDMETHODCALLTYPE Load(LPVOID source, LPVOID objectName, D3DRMLOADOPTIONS options,
                                   D3DRMLOADTEXTURECALLBACK loadTexture, LPVOID argument) override;
    HRESULT STDMETHODCALLTYPE SetTexture(LPDIRECT3DRMTEXTURE texture) override;
    int STDMETHODCALLTYPE GetFaceCount() override;

protected:
    void* FindInterface(REFIID iid) override;
};

}  // namespace varnoka::rm
