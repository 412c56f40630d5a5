#include "tools/xrender/saver_view.h"

#include <cmath>

#include "retained/ddraw_api.h"
#include "tools/xrender/texture_folder.h"

namespace {

constexpr double Pi = 3.14159265358979323846;

// Releases what it holds at the end of the drawing, in reverse order.
class Held {
public:
    ~Held() {
        for (auto it = objects_.rbegin(); it != objects_.rend(); ++it) (*it)->Release();
    }
    template <typename T>
    T* operator()(T* object) {
        if (object != nullptr) objects_.push_back(object);
        return object;
    }

private:
    std::vector<IUnknown*> objects_;
};

}  // namespace

HRESULT ReadModelInfo(const std::string& modelPath, varnoka::rm::ModelLoadReport& report) {
    IDirect3DRM* d3drm = nullptr;
    HRESULT result = Direct3DRMCreate(&d3drm);
    if (FAILED(result)) return result;
    TextureFolder textures{d3drm, FolderOf(modelPath)};
    varnoka::rm::MeshData data;
    result = varnoka::rm::LoadModelFile(modelPath.c_str(), LoadTextureBesideModel, &textures, data, &report);
    data = varnoka::rm::MeshData{};  // its textures go before the engine object
    d3drm->Release();
    return result;
}

HRESULT DrawSaverView(const std::string& modelPath, int width, int height, double yawDegrees, SaverViewImage& image) {
    Held held;
    varnoka::rm::MemoryWindow window;
    IDirect3DRM* d3drm = nullptr;
    IDirect3DRM2* d3drm2 = nullptr;
    IDirectDrawClipper* clipper = nullptr;
    IDirect3DRMDevice2* device = nullptr;
    IDirect3DRMFrame2* scene = nullptr;
    IDirect3DRMFrame2* lightFrame = nullptr;
    IDirect3DRMFrame2* modelFrame = nullptr;
    IDirect3DRMFrame2* camera = nullptr;
    IDirect3DRMLight* sun = nullptr;
    IDirect3DRMLight* ambient = nullptr;
    IDirect3DRMMeshBuilder2* builder = nullptr;
    IDirect3DRMViewport* viewport = nullptr;

    HRESULT result = Direct3DRMCreate(&d3drm);
    held(d3drm);
    if (FAILED(result)) return result;
    if (FAILED(result = d3drm->QueryInterface(IID_IDirect3DRM2, reinterpret_cast<void**>(&d3drm2)))) return result;
    held(d3drm2);
    if (FAILED(result = DirectDrawCreateClipper(0, &clipper, nullptr))) return result;
    held(clipper);
    clipper->SetHWnd(0, window.Handle());
    GUID rgb = IID_IDirect3DRGBDevice;
    if (FAILED(result = d3drm2->CreateDeviceFromClipper(clipper, &rgb, width, height, &device))) return result;
    held(device);

    // A full-colour screen: 256 shades, dithering switched off and then on again by the default
    // settings, Gouraud shading, solid fill, nearest texels.
    device->SetShades(256);
    d3drm2->SetDefaultTextureColors(256);
    d3drm2->SetDefaultTextureShades(256);
    device->SetDither(TRUE);
    device->SetQuality(D3DRMRENDER_GOURAUD);
    device->SetTextureQuality(D3DRMTEXTURE_NEAREST);

    d3drm2->CreateFrame(nullptr, &scene);
    held(scene);
    d3drm2->CreateLightRGB(D3DRMLIGHT_DIRECTIONAL, 1.0f, 1.0f, 1.0f, &sun);
    held(sun);
    d3drm2->CreateLightRGB(D3DRMLIGHT_AMBIENT, 0.1f, 0.1f, 0.1f, &ambient);
    held(ambient);
    scene->SetSceneBackgroundRGB(0, 0, 0);
    d3drm2->CreateFrame(scene, &lightFrame);
    held(lightFrame);
    lightFrame->SetPosition(scene, 0, 5, -5);
    lightFrame->SetOrientation(scene, 0, -1, 1, 0, 1, 0);
    lightFrame->AddLight(sun);
    scene->AddLight(ambient);

    d3drm2->CreateFrame(scene, &modelFrame);
    held(modelFrame);
    modelFrame->SetPosition(scene, 0, 0, 10);
    d3drm2->CreateMeshBuilder(&builder);
    held(builder);
    TextureFolder textures{d3drm, FolderOf(modelPath)};
    result = builder->Load(const_cast<char*>(modelPath.c_str()), nullptr, D3DRMLOAD_FROMFILE, LoadTextureBesideModel,
                           &textures);
    if (FAILED(result)) return result;
    modelFrame->AddVisual(builder);

    const float k = 0.003921569f;
    d3drm2->CreateFrame(scene, &camera);
    held(camera);
    camera->SetPosition(scene, 0.0f * k, 510.0f * k, -1275.0f * k);
    camera->LookAt(modelFrame, scene, D3DRMCONSTRAIN_Z);

    if (FAILED(result =
                   d3drm2->CreateViewport(device, camera, 0, 0, device->GetWidth(), device->GetHeight(), &viewport)))
        return result;
    held(viewport);
    viewport->SetBack(5000.0f);

    // The saver turns the car by -0.02 radians each frame; one step turns it by the yaw asked.
    modelFrame->SetRotation(scene, 0, 1, 0, static_cast<float>(-yawDegrees * Pi / 180.0));
    scene->Move(1.0f);
    modelFrame->SetRotation(scene, 0, 1, 0, 0);
    viewport->Clear();
    viewport->Render(scene);
    device->Update();

    image.width = window.Width();
    image.height = window.Height();
    image.pixels = window.Pixels();
    return D3DRM_OK;
}
