#include "interaction/selection.h"

namespace {

IDirect3DRMFrame* selectedFrame = nullptr;

template <typename Interface>
Interface* Query(IUnknown* object, REFIID iid) {
    Interface* result = nullptr;
    if (FAILED(object->QueryInterface(iid, reinterpret_cast<void**>(&result)))) return nullptr;
    return result;
}

// The frame that carries the visual directly: the last of the array, which runs from the root.
IDirect3DRMFrame* CarryingFrame(IDirect3DRMFrameArray* frames) {
    const DWORD size = frames->GetSize();
    IDirect3DRMFrame* frame = nullptr;
    if (size == 0 || FAILED(frames->GetElement(size - 1, &frame))) return nullptr;
    return frame;
}

void SelectPicked(IDirect3DRMVisual* visual, IDirect3DRMFrame* frame, HWND window,
                  IDirect3DRMProgressiveMesh*& detailMesh) {
    if (auto* mesh = Query<IDirect3DRMProgressiveMesh>(visual, IID_IDirect3DRMProgressiveMesh)) {
        SetDetailMesh(window, detailMesh, mesh);
        SelectFrame(frame);
        mesh->Release();
    }
    if (auto* builder = Query<IDirect3DRMMeshBuilder>(visual, IID_IDirect3DRMMeshBuilder)) {
        SetDetailMesh(window, detailMesh, nullptr);
        SelectFrame(frame);
        builder->Release();
    }
}

}  // namespace

void SelectFrame(IDirect3DRMFrame* frame) {
    ClearSelection();
    selectedFrame = frame;
}

void ClearSelection() { selectedFrame = nullptr; }

IDirect3DRMFrame* SelectedFrame() { return selectedFrame; }

int DetailScrollPosition(D3DVALUE detail) { return 100 - static_cast<int>(static_cast<double>(detail) * 100.0); }

void SetDetailMesh(HWND window, IDirect3DRMProgressiveMesh*& detailMesh, IDirect3DRMProgressiveMesh* mesh) {
    if (mesh == nullptr) {
        if (detailMesh == nullptr) return;
        detailMesh->Release();
        detailMesh = nullptr;
        EnableScrollBar(window, SB_VERT, ESB_DISABLE_BOTH);
        return;
    }
    mesh->AddRef();  // before the release, so that the mesh already held survives
    if (detailMesh != nullptr) detailMesh->Release();
    detailMesh = mesh;
    D3DVALUE detail = 0;
    if (SUCCEEDED(mesh->GetDetail(&detail))) SetScrollPos(window, SB_VERT, DetailScrollPosition(detail), TRUE);
    EnableScrollBar(window, SB_VERT, ESB_ENABLE_BOTH);
}

void PickAndSelect(IDirect3DRMViewport* viewport, int x, int y, HWND window, IDirect3DRMProgressiveMesh*& detailMesh) {
    ClearSelection();
    if (viewport == nullptr) return;
    IDirect3DRMPickedArray* picked = nullptr;
    if (FAILED(viewport->Pick(x, y, &picked)) || picked == nullptr) return;
    IDirect3DRMVisual* visual = nullptr;
    IDirect3DRMFrameArray* frames = nullptr;
    if (picked->GetSize() > 0 && SUCCEEDED(picked->GetPick(0, &visual, &frames, nullptr)) && visual != nullptr &&
        frames != nullptr) {
        if (IDirect3DRMFrame* frame = CarryingFrame(frames)) {
            SelectPicked(visual, frame, window, detailMesh);
            frame->Release();
        }
    }
    if (frames != nullptr) frames->Release();
    if (visual != nullptr) visual->Release();
    picked->Release();
}
