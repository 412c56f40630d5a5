#pragma once
// The progressive mesh visual. It draws its mesh at full detail; the detail value is kept for
// whoever shows it (the saver's scroll bar).

#include "retained/compiled_mesh.h"

namespace varnoka::rm {

class ProgressiveMesh final : public ComObject<IDirect3DRMProgressiveMesh>, public MeshVisual {
public:
    HRESULT STDMETHODCALLTYPE SetDetail(D3DVALUE detail) override;
    HRESULT STDMETHODCALLTYPE GetDetail(D3DVALUE* detail) override;

protected:
    void* FindInterface(REFIID iid) override;

private:
    D3DVALUE detail_ = 1.0f;
};

}  // namespace varnoka::rm
