#include "retained/pick_arrays.h"

namespace varnoka::rm {

void* FrameArray::FindInterface(REFIID iid) {
    if (iid == IID_IDirect3DRMFrameArray) return static_cast<IDirect3DRMFrameArray*>(this);
    return ComObject::FindInterface(iid);
}

DWORD FrameArray::GetSize() {
    EngineLock lock;
    return static_cast<DWORD>(frames_.size());
}

HRESULT FrameArray::GetElement(DWORD index, LPDIRECT3DRMFRAME* frame) {
    if (frame == nullptr) return D3DRMERR_BADVALUE;
    *frame = nullptr;
    if (index >= frames_.size()) return D3DRMERR_BADVALUE;  // the array never changes
    EngineLock lock;
    return HandOut(frames_[index].Get(), frame);
}

void* PickedArray::FindInterface(REFIID iid) {
    if (iid == IID_IDirect3DRMPickedArray) return static_cast<IDirect3DRMPickedArray*>(this);
    return ComObject::FindInterface(iid);
}

DWORD PickedArray::GetSize() {
    EngineLock lock;
    return static_cast<DWORD>(entries_.size());
}

HRESULT PickedArray::GetPick(DWORD index, LPDIRECT3DRMVISUAL* visual, LPDIRECT3DRMFRAMEARRAY* frames,
                             LPD3DRMPICKDESC description) {
    if (visual == nullptr || frames == nullptr) return D3DRMERR_BADVALUE;
    *visual = nullptr;
    *frames = nullptr;
    if (index >= entries_.size()) return D3DRMERR_BADVALUE;  // the array never changes
    EngineLock lock;
    const PickEntry& entry = entries_[index];
    HandOut(entry.visual.Get(), visual);
    IDirect3DRMFrameArray* array = entry.frames.Get();
    HandOut(array, frames);
    if (description != nullptr) *description = entry.description;
    return D3DRM_OK;
}

}  // namespace varnoka::rm
