#include "bench_scene.h"

#include "procedural_model.h"
#include "retained/d3drm_api.h"
#include "scene/model_shelf.h"
#include "scene/render_frame.h"
#include "scene/saver_picture.h"

namespace bench {

BenchScene::BenchScene(int width, int height, const Look& look, int carNumber) : window(width, height) {
    saverSettings = DefaultSaverSettings();
    saverSettings.shadeMode = look.shade;
    saverSettings.textureFiltering = look.linearFiltering ? 1 : 0;
    saverSettings.colorModel = look.colors;
    saverSettings.modelIndex = carNumber - 1;
    PlaceModelsFrom({VARNOKA_MODELS_DIR});
    opened = OpenPicture(window.Handle()) == PictureStep::Ready;
    if (opened) triangles = modelBuilder->GetFaceCount();
}

BenchScene::BenchScene(int width, int height, const std::string& modelPath) : window(width, height) {
    saverSettings = DefaultSaverSettings();
    PlaceModelsFrom({VARNOKA_MODELS_DIR});
    PlaceOwnCarAt(modelPath);
    saverSettings.modelIndex = ModelCount;
    opened = OpenPicture(window.Handle()) == PictureStep::Ready;
    if (opened) triangles = modelBuilder->GetFaceCount();
}

BenchScene::~BenchScene() { ClosePicture(); }

bool BenchScene::MakeEllipsoid(int rings, int segments) {
    IDirect3DRMTexture* texture = StripedTexture();
    if (texture == nullptr) return false;
    varnoka::rm::AssignMeshData(modelBuilder, Ellipsoid(rings, segments, {4.5f, 3.0f, 4.5f}, texture));
    texture->Release();
    triangles = modelBuilder->GetFaceCount();
    return true;
}

void BenchScene::Frame() { RenderFrame(viewerContext, 1.0f); }

int BenchScene::CoveredPixels() const {
    int covered = 0;
    for (std::uint32_t p : window.Pixels()) covered += p != 0;
    return covered;
}

}  // namespace bench
