#pragma once
// The rendering device on the saver window's clipper, made for the screen's colour depth, with
// the scene, a viewport over the whole device and the render options of the settings.

#include "scene/viewer_context.h"

// 1 on success; 0 once the failure has been reported. Objects made before a failure stay in
// the context for the window's destruction to release.
int CreateDevice(HWND window, ViewerContext* context);

// The device for a colour model (1 mono, anything else RGB), or null when the search finds none
// and the library is to choose. The GUID stays valid until the next search.
GUID* FindDeviceGuid(int32_t colorModel, bool softwareOnly);

DWORD RenderBitDepthFlag(int bitsPerPixel);

// Back clipping planes: after the device is first made, and after a rebuild for another colour
// model.
constexpr D3DVALUE CreatedBackPlane = 5000.0f;
constexpr D3DVALUE RebuiltBackPlane = 400.0f;
