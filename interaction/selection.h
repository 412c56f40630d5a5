#pragma once
#include <windows.h>

#include "retained/d3drm_api.h"

// The object last picked: its frame, or none. The selection holds no reference of its own;
// the scene keeps the frame alive for as long as the selection is read.
void SelectFrame(IDirect3DRMFrame* frame);
void ClearSelection();
IDirect3DRMFrame* SelectedFrame();

// The progressive mesh whose level of detail the window's vertical scroll bar shows (position 0
// full detail, 100 the least), held in `detailMesh`. With none, the held mesh is released and
// the bar disabled; with none held, nothing happens at all.
void SetDetailMesh(HWND window, IDirect3DRMProgressiveMesh*& detailMesh, IDirect3DRMProgressiveMesh* mesh);

// The scroll position for a detail: 100 - trunc(detail x 100), the product formed in double
// precision.
int DetailScrollPosition(D3DVALUE detail);

// Clears the selection, then selects the frame that directly carries the nearest visual under
// the client point (x, y), if that visual is a mesh builder or a progressive mesh.
void PickAndSelect(IDirect3DRMViewport* viewport, int x, int y, HWND window, IDirect3DRMProgressiveMesh*& detailMesh);
