#include "x11/hack_loop.h"

#include <algorithm>

#include "scene/frame_pacer.h"
#include "scene/model_shelf.h"
#include "scene/render_frame.h"
#include "scene/render_options.h"
#include "scene/saver_picture.h"
#include "scene/scene_host.h"
#include "settings/saver_settings.h"

namespace {

HackHost* activeHost = nullptr;  // for the clock the render pass reads

double HostSeconds() { return activeHost->Seconds(); }
uint32_t HostTicks() { return activeHost->Ticks(); }

// The next model after `index`, in table order, that is not marked unreadable; there must be one.
int32_t NextReadableModel(int32_t index) {
    for (int32_t step = 1; step <= ShelfCount(); ++step) {
        const int32_t next = (index + step) % ShelfCount();
        if (!ModelUnreadable(next)) return next;
    }
    return index;
}

// After the model in saverSettings failed to load: loads the next readable one in its place,
// marking each that fails. False when none is left.
bool ReplaceFailedModel(ViewerContext* context) {
    const int32_t random = saverSettings.randomModels;
    saverSettings.randomModels = 0;
    bool replaced = false;
    while (!replaced) {
        SetModelUnreadable(saverSettings.modelIndex);
        if (ReadableModelCount() == 0) break;
        saverSettings.modelIndex = NextReadableModel(saverSettings.modelIndex);
        replaced = SwitchModel(context, HostTicks) == D3DRM_OK;
    }
    saverSettings.randomModels = random;
    return replaced;
}

}  // namespace

bool OpenHackPicture(HWND window) {
    for (;;) {
        const PictureStep step = OpenPicture(window);
        if (step == PictureStep::Ready) return true;
        ClosePicture();
        // The scene fails with the model it cannot read. A device that cannot be made fails with
        // every model alike, so then the tries run out.
        if (step != PictureStep::NoDevice) return false;
        SetModelUnreadable(saverSettings.modelIndex);
        if (ReadableModelCount() == 0) return false;
        saverSettings.modelIndex = NextReadableModel(saverSettings.modelIndex);
    }
}

int RunHackLoop(HackHost& host, HWND window, const LoopSettings& settings) {
    activeHost = &host;
    ClientArea area = ClientAreaOf(window);
    FramePacer pacer(settings.refreshHz, IsSmallWindow(area.width, area.height));
    // The model the picture opened with stays for a whole switch delay.
    lastSwitchTick = host.Ticks();
    const double delay = static_cast<double>(settings.delayMicroseconds) / 1e6;
    double delayedUntil = 0;
    int status = 0;
    for (;;) {
        const double now = host.Seconds();
        const double due = std::max(now + pacer.RemainingWait(now), delayedUntil);
        const HostEvents events = host.Wait(due);
        if (events.stop) break;
        if (events.resized && (events.width != area.width || events.height != area.height)) {
            area = {std::max(events.width, 1), std::max(events.height, 1)};
            RebuildDevice(viewerContext, static_cast<DWORD>(area.width), static_cast<DWORD>(area.height));
            pacer = FramePacer(settings.refreshHz, IsSmallWindow(area.width, area.height));
        } else if (events.exposed) {
            RepaintPicture(nullptr);
        }
        if (host.Seconds() < due) continue;
        if (RenderPass(viewerContext, pacer, HostSeconds, HostTicks) != D3DRM_OK &&
            !ReplaceFailedModel(viewerContext)) {
            status = 1;
            break;
        }
        host.FrameShown();
        if (delay > 0) delayedUntil = host.Seconds() + delay;
    }
    activeHost = nullptr;
    return status;
}
