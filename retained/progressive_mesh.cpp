#include "retained/progressive_mesh.h"

#include <cmath>

namespace varnoka::rm {

void* ProgressiveMesh::FindInterface(REFIID iid) {
    if (iid == IID_IDirect3DRMProgressiveMesh) return static_cast<IDirect3DRMProgressiveMesh*>(this);
    if (iid == IID_IDirect3DRMVisual) return static_cast<IDirect3DRMVisual*>(this);
    return ComObject::FindInterface(iid);
}

HRESULT ProgressiveMesh::SetDetail(D3DVALUE detail) {
    if (!std::isfinite(detail) || detail < 0.0f || detail > 1.0f) return D3DRMERR_BADVALUE;
    EngineLock lock;
    detail_ = detail;
    return D3DRM_OK;
}

HRESULT ProgressiveMesh::GetDetail(D3DVALUE* detail) {
    if (detail == nullptr) return D3DRMERR_BADVALUE;
    EngineLock lock;
    *detail = detail_;
    return D3DRM_OK;
}

}  // namespace varnoka::rm
