#pragma once
// What a pick returns: the visuals under a point, nearest first, each with the frames from the
// scene root down to the one carrying it.

#include <vector>

#include "retained/com_base.h"

namespace varnoka::rm {

class FrameArray final : public ComObject<IDirect3DRMFrameArray> {
public:
    explicit FrameArray(std::vector<ComRef<IDirect3DRMFrame>> frames) : frames_(std::move(frames)) {}

    DWORD STDMETHODCALLTYPE GetSize() override;
    HRESULT STDMETHODCALLTYPE GetElement(DWORD index, LPDIRECT3DRMFRAME* frame) override;

protected:
    void* FindInterface(REFIID iid) override;

private:
    std::vector<ComRef<IDirect3DRMFrame>> frames_;
};

struct PickEntry {
    ComRef<IDirect3DRMVisual> visual;
    ComRef<FrameArray> frames;
    D3DRMPICKDESC description;
};

class PickedArray final : public ComObject<IDirect3DRMPickedArray> {
public:
    explicit PickedArray(std::vector<PickEntry> entries) : entries_(std::move(entries)) {}

    DWORD STDMETHODCALLTYPE GetSize() override;
    HRESULT STDMETHODCALLTYPE GetPick(DWORD index, LPDIRECT3DRMVISUAL* visual, LPDIRECT3DRMFRAMEARRAY* frames,
                                      LPD3DRMPICKDESC description) override;

protected:
    void* FindInterface(REFIID iid) override;

private:
    std::vector<PickEntry> entries_;
};

}  // namespace varnoka::rm
