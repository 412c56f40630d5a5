#pragma once
// The keys that steer the camera and the selected object while the saver runs. They set a
// velocity that the render thread applies at every move of the scene; a key of these tables is
// consumed, so it does not end the saver.

#include <cstdint>

#include "retained/d3drm_api.h"

// Handles a key press; false for a key outside the table. Missing frames make a key of the
// table do nothing.
bool SteerOnKeyDown(uint32_t key, IDirect3DRMFrame* camera, IDirect3DRMFrame* scene, IDirect3DRMFrame* selected);

// Handles a key release; false for a key outside the release table ('E' and 'Y' among them:
// the camera launched by them keeps going).
bool SteerOnKeyUp(uint32_t key, IDirect3DRMFrame* camera, IDirect3DRMFrame* scene, IDirect3DRMFrame* selected);
