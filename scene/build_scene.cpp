#include "scene/build_scene.h"

#include "retained/model_file_loading.h"
#include "scene/error_text.h"
#include "scene/fit_to_view.h"
#include "scene/model_shelf.h"
#include "scene/report_error.h"
#include "scene/triangle_budget.h"
#include "settings/saver_settings.h"

namespace {

struct SceneParts {
    IDirect3DRMLight* sun = nullptr;
    IDirect3DRMLight* ambient = nullptr;
    IDirect3DRMFrame2* lightFrame = nullptr;
};

HRESULT MakeLights(IDirect3DRM2* rm, IDirect3DRMFrame2* scene, SceneParts& parts) {
    HRESULT result;
    if (FAILED(result = rm->CreateLightRGB(D3DRMLIGHT_DIRECTIONAL, 1.0f, 1.0f, 1.0f, &parts.sun))) return result;
    if (FAILED(result = rm->CreateLightRGB(D3DRMLIGHT_AMBIENT, 0.1f, 0.1f, 0.1f, &parts.ambient))) return result;
    if (FAILED(result = rm->CreateFrame(scene, &parts.lightFrame))) return result;
    if (FAILED(result = parts.lightFrame->SetPosition(scene, 0.0f, 5.0f, -5.0f))) return result;
    if (FAILED(result = parts.lightFrame->SetOrientation(scene, 0.0f, -1.0f, 1.0f, 0.0f, 1.0f, 0.0f))) return result;
    if (FAILED(result = parts.lightFrame->AddLight(parts.sun))) return result;
    ReleaseAndClear(parts.sun);
    if (FAILED(result = scene->AddLight(parts.ambient))) return result;
    ReleaseAndClear(parts.ambient);
    ReleaseAndClear(parts.lightFrame);
    return D3DRM_OK;
}

void SetBackground(IDirect3DRMFrame2* scene) {
    scene->SetSceneBackgroundRGB(static_cast<D3DVALUE>(saverSettings.backgroundRed / 255.0),
                                 static_cast<D3DVALUE>(saverSettings.backgroundGreen / 255.0),
                                 static_cast<D3DVALUE>(saverSettings.backgroundBlue / 255.0));
}

bool AddModelFrame(ViewerContext* context) {
    IDirect3DRMFrame2* scene = context->scene;
    return SUCCEEDED(d3drm2->CreateFrame(scene, &modelFrame)) &&
           SUCCEEDED(modelFrame->SetRotation(scene, 0.0f, 1.0f, 0.0f, ModelTurnPerUnit)) &&
           SUCCEEDED(modelFrame->SetPosition(scene, 0.0f, 0.0f, 10.0f));
}

bool AddCamera(ViewerContext* context) {
    IDirect3DRMFrame2* scene = context->scene;
    const D3DVALUE k = CameraUnitsPerStep;
    return SUCCEEDED(d3drm2->CreateFrame(scene, &context->camera)) &&
           SUCCEEDED(context->camera->SetPosition(scene, static_cast<D3DVALUE>(saverSettings.cameraX) * k,
                                                  static_cast<D3DVALUE>(saverSettings.cameraY) * k,
                                                  static_cast<D3DVALUE>(saverSettings.cameraZ) * k)) &&
           SUCCEEDED(context->camera->LookAt(modelFrame, scene, D3DRMCONSTRAIN_Z));
}

int CleanUp(SceneParts& parts, bool report) {
    if (report) ReportError("A failure occurred while creating the scene.\n");
    ReleaseAndClear(modelFrame);
    ReleaseAndClear(parts.lightFrame);
    ReleaseAndClear(modelBuilder);
    ReleaseAndClear(parts.sun);
    ReleaseAndClear(parts.ambient);
    return 0;
}

}  // namespace

HRESULT AddSaverLights(IDirect3DRM2* rm, IDirect3DRMFrame2* scene) {
    SceneParts parts;
    const HRESULT result = MakeLights(rm, scene, parts);
    ReleaseAndClear(parts.lightFrame);
    ReleaseAndClear(parts.sun);
    ReleaseAndClear(parts.ambient);
    return result;
}

HRESULT LoadTextureCallback(char* name, void* argument, LPDIRECT3DRMTEXTURE* texture) {
    const auto* source = static_cast<const TextureFolder*>(argument);
    const std::string text = name;
    const bool hasFolder = text.find_first_of("/\\:") != std::string::npos;
    return source->d3drm->LoadTexture(hasFolder ? text.c_str() : JoinPath(source->folder, text).c_str(), texture);
}

HRESULT LoadModel(IDirect3DRMMeshBuilder2* builder, const char* path) {
    TextureFolder textures{d3drm, FolderOf(path)};
    return builder->Load(const_cast<char*>(path), nullptr, D3DRMLOAD_FROMFILE, LoadTextureCallback, &textures);
}

HRESULT LoadOwnCar(IDirect3DRMMeshBuilder2* builder, const char* path, std::string& reason) {
    TextureFolder textures{d3drm, FolderOf(path)};
    varnoka::rm::MeshData mesh;
    varnoka::rm::ModelLoadReport report;
    HRESULT result = varnoka::rm::LoadModelFile(path, LoadTextureCallback, &textures, mesh, &report);
    if (result == D3DRM_OK) {
        FitToView(mesh);
        KeepWithinTriangleBudget(mesh, OwnCarTriangleBudget);
        result = varnoka::rm::AssignMeshData(builder, mesh);
        // Mesh data the engine refuses came from the file.
        if (result == D3DRMERR_BADVALUE) result = D3DRMERR_BADFILE;
    }
    if (result != D3DRM_OK) reason = report.problem.empty() ? ErrorText(result) : report.problem;
    return result;
}

HRESULT LoadCurrentModel(IDirect3DRMMeshBuilder2* builder) {
    const int32_t index = saverSettings.modelIndex;
    if (!IsOwnCar(index)) return LoadModel(builder, ModelPath(index));
    std::string reason;
    const HRESULT result = LoadOwnCar(builder, ModelPath(index), reason);
    if (result == D3DRM_OK || result == D3DRMERR_BADALLOC) return result;
    SetModelUnreadable(index);
    if (IsChosenOwnCar(index))
        ReportError("Your car \"%s\" cannot be shown.\n%s", OwnCarLabel(index).c_str(), reason.c_str());
    saverSettings.modelIndex = StoredModel();
    return LoadModel(builder, ModelPath(saverSettings.modelIndex));
}

int BuildScene(ViewerContext* context) {
    SceneParts parts;
    if (FAILED(d3drm2->CreateFrame(nullptr, &context->scene))) return CleanUp(parts, true);
    SetBackground(context->scene);
    if (FAILED(MakeLights(d3drm2, context->scene, parts)) || !AddModelFrame(context)) return CleanUp(parts, true);
    if (FAILED(d3drm2->CreateMeshBuilder(&modelBuilder))) return CleanUp(parts, true);
    const HRESULT loaded = LoadCurrentModel(modelBuilder);
    if (loaded != D3DRM_OK) {
        ReportError("Failed to load .x file.\n%s", ErrorText(loaded));
        return CleanUp(parts, false);
    }
    if (FAILED(modelFrame->AddVisual(modelBuilder))) return CleanUp(parts, true);
    if (!AddCamera(context)) return CleanUp(parts, true);
    return 1;
}
