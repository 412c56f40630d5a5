#pragma once
// The rendering device on the saver window's clipper, made for the screen's colour depth, with
// the scene and a viewport over the whole device. The render options are applied after it.

#include "scene/viewer_context.h"

// 1 on success; 0 once the failure has been reported. Objects made before a failure stay in
// the context for the window's destruction to release.
int CreateDevice(HWND window, ViewerContext* context);

// The back clipping plane of the device first made.
constexpr D3DVALUE CreatedBackPlane = 5000.0f;
