#include "tools/xrender/saver_view.h"

#include "retained/memory_window.h"
#include "scene/build_scene.h"
#include "scene/model_shelf.h"
#include "scene/render_frame.h"
#include "scene/saver_picture.h"

namespace {

constexpr double Pi = 3.14159265358979323846;

}  // namespace

HRESULT ReadModelInfo(const std::string& modelPath, varnoka::rm::ModelLoadReport& report) {
    IDirect3DRM* rm = nullptr;
    HRESULT result = Direct3DRMCreate(&rm);
    if (FAILED(result)) return result;
    TextureFolder textures{rm, FolderOf(modelPath)};
    varnoka::rm::MeshData data;
    result = varnoka::rm::LoadModelFile(modelPath.c_str(), LoadTextureCallback, &textures, data, &report);
    data = varnoka::rm::MeshData{};  // its textures go before the engine object
    rm->Release();
    return result;
}

HRESULT DrawSaverView(const std::string& modelPath, int width, int height, double yawDegrees, SaverViewImage& image,
                      const SaverSettings& settings, ModelRole role) {
    saverSettings = settings;
    saverSettings.modelIndex = 0;
    PlaceEveryModelAt(modelPath);
    if (role == ModelRole::OwnCar) {
        PlaceOwnCarAt(modelPath);
        saverSettings.modelIndex = ModelCount;
    }
    varnoka::rm::MemoryWindow window(width, height);
    if (OpenPicture(window.Handle()) != PictureStep::Ready) {
        ClosePicture();
        varnoka::rm::ModelLoadReport report;
        const HRESULT loaded = ReadModelInfo(modelPath, report);
        return FAILED(loaded) ? loaded : E_FAIL;
    }
    // The saver turns the car a little at every unit of time; one unit turns it by the yaw asked.
    modelFrame->SetRotation(viewerContext->scene, 0, 1, 0, static_cast<D3DVALUE>(-yawDegrees * Pi / 180.0));
    const int drawn = RenderFrame(viewerContext, 1.0f);
    ClosePicture();
    if (!drawn) return E_FAIL;
    image.width = window.Width();
    image.height = window.Height();
    image.pixels = window.Pixels();
    return D3DRM_OK;
}
