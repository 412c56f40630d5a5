#pragma once
// The saver window's retained-mode objects, and the process-wide objects beside them. Every
// interface pointer here is owned where it is stored: whoever replaces or drops one releases it
// first and clears the field.

#include <cstdint>

#include "retained/d3drm_api.h"

struct ViewerContext {
    IDirect3DRMFrame2* scene;   // root of the scene
    IDirect3DRMFrame2* camera;  // child of scene
    IDirect3DRMDevice* device;  // the same device as device2, through its first interface
    IDirect3DRMDevice2* device2;
    IDirect3DRMViewport* viewport;           // on device2, seen through camera, covering the device
    int32_t deviceColorModel;                // asked of the device search: 1 mono, 2 RGB
    IDirect3DRMProgressiveMesh* detailMesh;  // whose detail the vertical scroll bar shows
    HWND window;
};

// Colour models as the device search takes them.
constexpr int32_t MonoColorModel = 1;
constexpr int32_t RgbColorModel = 2;

extern ViewerContext* viewerContext;
extern IDirect3DRM* d3drm;
extern IDirect3DRM2* d3drm2;         // of d3drm
extern IDirectDrawClipper* clipper;  // bound to the saver window
// The frame that carries the car for the whole run, and the builder with the current model.
extern IDirect3DRMFrame2* modelFrame;
extern IDirect3DRMMeshBuilder2* modelBuilder;

// Releases an owned interface where one is held and clears the field.
template <typename Interface>
void ReleaseAndClear(Interface*& object) {
    if (object == nullptr) return;
    object->Release();
    object = nullptr;
}
