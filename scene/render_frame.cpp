#include "scene/render_frame.h"

#include "scene/build_scene.h"
#include "scene/model_shelf.h"
#include "scene/report_error.h"
#include "settings/random_generator.h"
#include "settings/saver_settings.h"

uint32_t lastSwitchTick = 0;

int RenderFrame(ViewerContext* context, D3DVALUE elapsedUnits) {
    if (context->scene == nullptr || context->viewport == nullptr || context->device2 == nullptr) return 0;
    if (FAILED(context->scene->Move(elapsedUnits))) {
        ReportError("Move failed");
        return 0;
    }
    if (FAILED(context->viewport->Clear())) {
        ReportError("Clear failed");
        return 0;
    }
    if (FAILED(context->viewport->Render(context->scene))) {
        ReportError("Render failed");
        return 0;
    }
    if (FAILED(context->device2->Update())) {
        ReportError("Update failed");
        return 0;
    }
    return 1;
}

HRESULT RenderPass(ViewerContext* context, FramePacer& pacer, double (*seconds)(), uint32_t (*tickNow)()) {
    if (ModelSwitchDue(tickNow())) {
        const HRESULT result = SwitchModel(context, tickNow);
        if (result != D3DRM_OK) return result;
    }
    RenderFrame(context, pacer.FrameStarted(seconds()));
    return D3DRM_OK;
}

bool ModelSwitchDue(uint32_t now) {
    if (saverSettings.switchModels == 0) return false;
    const uint32_t delay = static_cast<uint32_t>(saverSettings.switchDelay) * 1000u;
    return now - lastSwitchTick > delay;
}

HRESULT SwitchModel(ViewerContext* context, uint32_t (*tickNow)()) {
    if (modelFrame == nullptr || context->device2 == nullptr) return D3DRMERR_BADOBJECT;
    if (modelBuilder != nullptr) modelFrame->DeleteVisual(modelBuilder);
    ReleaseAndClear(modelBuilder);
    HRESULT result = context->device2->Update();
    if (FAILED(result)) return result;

    const int32_t current = saverSettings.modelIndex;
    const int32_t others = ReadableModelCount() - (ModelUnreadable(current) ? 0 : 1);
    if (saverSettings.randomModels != 0 && others > 0) {
        do {
            saverSettings.modelIndex = NextRandom() % ShelfCount();
        } while (saverSettings.modelIndex == current || ModelUnreadable(saverSettings.modelIndex));
    }

    if (FAILED(result = d3drm2->CreateMeshBuilder(&modelBuilder))) return result;
    if ((result = LoadCurrentModel(modelBuilder)) != D3DRM_OK) {
        ReleaseAndClear(modelBuilder);
        return result;
    }
    modelFrame->AddVisual(modelBuilder);
    lastSwitchTick = tickNow();
    return D3DRM_OK;
}
