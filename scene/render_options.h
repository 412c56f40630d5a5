#pragma once
// How the device draws: fill, shading, colour model (a new device), dithering and texture
// filtering. Each returns 1, or 0 once the failure has been reported.

#include "scene/viewer_context.h"
#include "settings/saver_settings.h"

int SetFillMode(HWND window, ViewerContext* context, DWORD fill);
int SetShadeMode(HWND window, ViewerContext* context, DWORD shade);
int SetDeviceColorModel(HWND window, ViewerContext* context, int32_t colorModel);
int RebuildDevice(HWND window, ViewerContext* context, DWORD width, DWORD height);
int ToggleDithering(HWND window, ViewerContext* context);
int ToggleTextureFiltering(HWND window, ViewerContext* context);

// The options the settings ask for, in the order shading, fill, colour model, dithering,
// filtering; results are not looked at. A value outside an option's range applies nothing.
void ApplyRenderSettings(HWND window, ViewerContext* context, const SaverSettings& settings);
