#pragma once
// A small scene the way the saver builds one: root, camera, a device on a clipper bound to a
// memory window, and a viewport over the whole device; the meshes to fill it with are
// test_meshes.h's.

#include <cstdint>
#include <string>
#include <vector>

#include "retained/d3drm_api.h"
#include "retained/memory_window.h"
#include "retained/mesh_data.h"
#include "test_meshes.h"

namespace rigs {

struct SceneRig {
    SceneRig(int width, int height, const GUID* deviceGuid = nullptr);
    ~SceneRig();
    SceneRig(const SceneRig&) = delete;
    SceneRig& operator=(const SceneRig&) = delete;

    // Move, Clear, Render, Update, as the render thread does.
    void Frame();
    IDirect3DRMFrame2* AddChildFrame(float x, float y, float z);
    void AddLights();  // the saver's: dim ambient and a white directional light shining down and away

    varnoka::rm::MemoryWindow window;
    IDirect3DRM* d3drm = nullptr;
    IDirect3DRM2* d3drm2 = nullptr;
    IDirectDrawClipper* clipper = nullptr;
    IDirect3DRMDevice2* device = nullptr;
    IDirect3DRMFrame2* scene = nullptr;
    IDirect3DRMFrame2* camera = nullptr;
    IDirect3DRMViewport* viewport = nullptr;
    std::vector<IUnknown*> owned;  // released at the end
};

// A mesh builder filled with data; owned by the rig.
IDirect3DRMMeshBuilder2* MakeBuilder(SceneRig& rig, const varnoka::rm::MeshData& data);
// A checkerboard texture of n x n cells of cell pixels, red and white.
IDirect3DRMTexture* MakeChecker(SceneRig& rig, int cells, int cell);

// Compares the window with tests/retained/golden/<name>.ppm, allowing per-channel differences up
// to `tolerance` on at most `outliers` pixels. With VARNOKA_UPDATE_GOLDEN set, writes the image.
::testing::AssertionResult MatchesGolden(const varnoka::rm::MemoryWindow& window, const std::string& name,
                                         int tolerance = 6, int outliers = 8);

int CountDifferentPixels(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b);
int CountPixelsNot(const varnoka::rm::MemoryWindow& window, std::uint32_t color);

}  // namespace rigs
