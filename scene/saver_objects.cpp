#include "scene/viewer_context.h"

ViewerContext* viewerContext = nullptr;
IDirect3DRM* d3drm = nullptr;
IDirect3DRM2* d3drm2 = nullptr;
IDirectDrawClipper* clipper = nullptr;
IDirect3DRMFrame2* modelFrame = nullptr;
IDirect3DRMMeshBuilder2* modelBuilder = nullptr;
