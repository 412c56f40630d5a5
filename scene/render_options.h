#pragma once
// How the device draws: fill, shading, colour model (a new device), dithering and texture
// filtering. Each returns 1, or 0 once the failure has been reported.

#include "scene/viewer_context.h"
#include "settings/saver_settings.h"

int SetFillMode(ViewerContext* context, DWORD fill);
int SetShadeMode(ViewerContext* context, DWORD shade);
int SetDeviceColorModel(ViewerContext* context, int32_t colorModel);
int RebuildDevice(ViewerContext* context, DWORD width, DWORD height);
int ToggleDithering(ViewerContext* context);
int ToggleTextureFiltering(ViewerContext* context);

// The options the settings ask for, in the order shading, fill, colour model, dithering,
// filtering; results are not looked at. A value outside an option's list applies nothing.
void ApplyRenderSettings(ViewerContext* context, const SaverSettings& settings);

// The back clipping plane of a device rebuilt for another colour model.
constexpr D3DVALUE RebuiltBackPlane = 400.0f;
