#include "retained/light.h"

namespace varnoka::rm {

void* Light::FindInterface(REFIID iid) {
    if (iid == IID_IDirect3DRMLight) return static_cast<IDirect3DRMLight*>(this);
    return ComObject::FindInterface(iid);
}

Light* AsLight(IDirect3DRMLight* light) { return dynamic_cast<Light*>(light); }

}  // namespace varnoka::rm
