#pragma once
// The saver's picture on a window: the retained-mode objects, the device, the scene and the
// render options, as the settings in saverSettings ask, and their release. The saver window,
// xrender, the benchmarks and the tests all open it here.

#include "scene/viewer_context.h"

enum class PictureStep {
    Ready,
    NoDirect3DRM,   // reported
    NoDirect3DRM2,  // reported
    NoClipper,
    NoWindow,  // the clipper could not be bound to the window
    NoDevice,  // the device or the scene failed; reported
};

// Makes d3drm, d3drm2, the clipper bound to the window and a fresh viewerContext, then the
// device and scene. Objects made before a failure are kept for ClosePicture.
PictureStep OpenPicture(HWND window);

// Repaints the window with the last frame shown, through the painting context of WM_PAINT (null:
// the window's own). False when there is no device to paint from.
bool RepaintPicture(HDC dc);

// Releases the selection's mesh aside, every object of the picture, in the order the context, the
// model, then d3drm2, d3drm and the clipper. Nothing may draw meanwhile.
void ClosePicture();
