#pragma once
// A device shows its window only what changed since the frame before. Asked for whole frames, it
// clears and shows every pixel of every frame instead: the picture the saving must match exactly,
// and the cost it is measured against.

#include "retained/d3drm_api.h"

namespace varnoka::rm {

HRESULT SetWholeFrames(IDirect3DRMDevice* device, BOOL whole);

}  // namespace varnoka::rm
