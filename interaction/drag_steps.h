#pragma once
// What one step of a mouse drag does to the selected frame: a left drag sets its standing
// rotation, a right drag moves it across the view.

#include "retained/d3drm_api.h"

struct DragRotation {
    D3DVALUE axisX;
    D3DVALUE axisY;
    D3DVALUE axisZ;
    D3DVALUE angle;  // radians per unit of time
};

// The rotation for a step of (dx, dy) pixels: about the axis in the view plane at right angles
// to the step, by an angle that grows with its length and stays below one radian. False for a
// step of no length.
bool RotationForStep(int dx, int dy, DragRotation& rotation);

// Sets the frame's standing rotation for the step, relative to the camera; nothing for a step of
// no length.
HRESULT RotateStep(IDirect3DRMFrame* frame, IDirect3DRMFrame* camera, int dx, int dy);

// Moves the frame's origin so that its point on the screen shifts by (dx, dy) pixels at
// unchanged depth. A failing call leaves the frame where it was.
HRESULT MoveStep(IDirect3DRMFrame* frame, IDirect3DRMFrame* scene, IDirect3DRMViewport* viewport, int dx, int dy);
