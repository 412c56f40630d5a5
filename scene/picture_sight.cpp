#include "scene/picture_sight.h"

#include <cstring>

#include "scene/render_thread.h"
#include "shell/platform_calls.h"
#include "shell/saver_shell.h"

namespace {

// GUID_CONSOLE_DISPLAY_STATE, whose platform definition sits in a GUID library the program does
// not link.
constexpr GUID ConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
constexpr DWORD DisplayOff = 0;  // 1 is on, 2 dimmed: both still show the picture

constexpr UINT PreviewSightCheckInterval = 1000;  // milliseconds

HWND watchedWindow = nullptr;
HPOWERNOTIFY displayNotification = nullptr;

}  // namespace

void StartWatchingSight(HWND window) {
    watchedWindow = window;
    SetDrawingHold(DisplayOffHold, false);
    SetDrawingHold(PreviewHiddenHold, false);
    displayNotification =
        platform.RegisterPowerSettingNotification(window, &ConsoleDisplayState, DEVICE_NOTIFY_WINDOW_HANDLE);
    if (!saverShellState.isPreview) return;
    CheckPreviewSight(window);
    SetTimer(window, PreviewSightTimer, PreviewSightCheckInterval, nullptr);
}

void StopWatchingSight() {
    if (displayNotification != nullptr) platform.UnregisterPowerSettingNotification(displayNotification);
    displayNotification = nullptr;
    if (watchedWindow != nullptr) KillTimer(watchedWindow, PreviewSightTimer);
    watchedWindow = nullptr;
}

// The setting's data is read only as far as its stated length, and copied, as the system gives
// no alignment for it.
void OnPowerBroadcast(WPARAM event, LPARAM data) {
    const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(data);
    if (event != PBT_POWERSETTINGCHANGE || setting == nullptr) return;
    if (!IsEqualGUID(setting->PowerSetting, ConsoleDisplayState) || setting->DataLength < sizeof(DWORD)) return;
    DWORD state = 0;
    std::memcpy(&state, setting->Data, sizeof state);
    SetDrawingHold(DisplayOffHold, state == DisplayOff);
}

void CheckPreviewSight(HWND window) {
    if (!saverShellState.isPreview || window != watchedWindow) return;
    const bool seen = IsWindowVisible(window) && !IsIconic(GetAncestor(window, GA_ROOT));
    SetDrawingHold(PreviewHiddenHold, !seen);
}
