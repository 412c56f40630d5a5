#pragma once
// The scene the saver shows: one car turning slowly, lit by a white directional light shining
// down and away from the viewer and a dim ambient light, before the configured background, seen
// from the configured camera.

#include <string>

#include "scene/viewer_context.h"

// Builds the scene into the context, keeping modelFrame and modelBuilder. 1 on success; 0 once
// the failure has been reported, with what was made so far released except scene and camera.
int BuildScene(ViewerContext* context);

// The saver's two lights in a scene: a dim ambient light and, on a frame of its own, a white
// directional light shining down and away from a viewer on -z.
HRESULT AddSaverLights(IDirect3DRM2* rm, IDirect3DRMFrame2* scene);

// Where a model's textures are looked for: the folder its model came from.
struct TextureFolder {
    IDirect3DRM* d3drm;
    std::string folder;  // empty: names are opened as they stand
};

// The texture-load callback for model files; `argument` is a TextureFolder. A name that carries
// a folder of its own is opened as it stands.
HRESULT LoadTextureCallback(char* name, void* argument, LPDIRECT3DRMTEXTURE* texture);

// Loads a model file into a builder, its textures from beside it; the loader's result.
HRESULT LoadModel(IDirect3DRMMeshBuilder2* builder, const char* path);

// Loads a user's own car the same way, fitted to the view like the nine and within the triangle
// budget; on failure `reason`
// says why in words: the reader's own account where it gives one, else the code's text.
HRESULT LoadOwnCar(IDirect3DRMMeshBuilder2* builder, const char* path, std::string& reason);

// Loads the model of saverSettings.modelIndex into an empty builder. An own car that cannot be
// read is marked unreadable, reported when it is the car the settings chose (so once a run), and
// gives way to the stored one of the nine, which saverSettings.modelIndex then names.
HRESULT LoadCurrentModel(IDirect3DRMMeshBuilder2* builder);

// The camera position stored in the settings (times 255) as scene units.
constexpr D3DVALUE CameraUnitsPerStep = 0.003921569f;

// The model's standing turn about the vertical axis, per unit of time.
constexpr D3DVALUE ModelTurnPerUnit = -0.02f;
