#pragma once
#include <windows.h>

#include <cstdint>

#include "retained/d3drm_api.h"

// The mouse while the saver runs: a press of the left or right button picks the object under
// the cursor, a left drag turns the selected frame and a right drag moves it across the view.

struct DragState {
    int32_t lastX;  // client point of the last press, or of the last drag step that ran
    int32_t lastY;
    BOOL rotating;        // a left drag is in progress
    BOOL moving;          // a right drag is in progress
    HCURSOR savedCursor;  // the cursor the arrow replaced at the last press; one for both buttons
};

extern DragState dragState;

// The saver window's scene, as the handlers use it; missing objects leave the scene alone.
struct MouseView {
    HWND window;
    IDirect3DRMViewport* viewport;
    IDirect3DRMFrame* scene;
    IDirect3DRMFrame* camera;
    IDirect3DRMProgressiveMesh** detailMesh;
};

void OnButtonDown(const MouseView& view, LPARAM position, bool leftButton);
void OnButtonUp(bool leftButton);
void OnMouseMove(const MouseView& view, IDirect3DRMFrame* selected, WPARAM keys, LPARAM position);
