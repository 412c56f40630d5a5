#include "scene/saver_window_proc.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "interaction/mouse_handlers.h"
#include "interaction/selection.h"
#include "scene/camera_keys.h"
#include "scene/model_shelf.h"
#include "scene/picture_sight.h"
#include "scene/render_thread.h"
#include "scene/saver_picture.h"
#include "scene/scene_host.h"
#include "scene/viewer_context.h"
#include "settings/music.h"
#include "settings/saver_folders.h"
#include "settings/saver_settings.h"
#include "shell/platform_calls.h"
#include "shell/saver_messages.h"
#include "shell/saver_shell.h"

namespace {

// A report box shown while the window is being made takes the focus away from it, and the close
// request that follows would destroy the window inside its own creation, which ends the saver as
// if no window could be made. Such a request is held back until creation is over.
bool creatingWindow = false;
bool closeHeldBack = false;

// The preview's parent may close while the window is still being made: a report box's message
// loop then hands the window its destruction. The teardown waits until creation, which is still
// using the objects, is over, and no further box is shown, as it would stand over nothing.
bool destroyedWhileCreating = false;

constexpr int WindowsDirectoryLength = 100;

int ErrorBox(HWND window, const char* text) {
    if (destroyedWhileCreating) return 0;
    return platform.MessageBoxA(VisibleOwner(window), text, "Error", MB_ICONERROR | MB_TOPMOST);
}

// The models are looked for in the Windows directory, then beside the program, then in the folder
// they were installed in; either way they are opened by full path, so that the music's change of
// folder never affects them. The user's own cars follow them, from their Documents folder.
void PlaceModels() {
    char windowsDirectory[WindowsDirectoryLength];
    const UINT length = platform.GetWindowsDirectoryA(windowsDirectory, sizeof windowsDirectory);
    std::vector<std::string> folders;
    if (length > 0 && length < sizeof windowsDirectory) {
        SetCurrentDirectoryA(windowsDirectory);
        folders.push_back(windowsDirectory);
    }
    for (const std::string& folder : {ProgramFolder(), InstalledFolder()})
        if (!folder.empty()) folders.push_back(folder);
    PlaceModelsFrom(folders);
    PlaceOwnCars(OwnCarsFolder());
    ChooseFirstCar();
}

// A coordinate times 255, truncated toward zero; what does not fit 32 bits is held at the end of
// the range instead of wrapping.
int32_t StoredCoordinate(D3DVALUE value) {
    const double scaled = std::trunc(static_cast<double>(value) * 255.0);
    if (!(scaled == scaled)) return 0;
    if (scaled >= 2147483647.0) return INT32_MAX;
    if (scaled <= -2147483648.0) return INT32_MIN;
    return static_cast<int32_t>(scaled);
}

void SaveCameraPosition() {
    if (viewerContext == nullptr || viewerContext->camera == nullptr || viewerContext->scene == nullptr) return;
    D3DVECTOR position{};
    if (FAILED(viewerContext->camera->GetPosition(viewerContext->scene, &position))) return;
    WriteSettingInteger(settingsNames.cameraX, StoredCoordinate(position.x));
    WriteSettingInteger(settingsNames.cameraY, StoredCoordinate(position.y));
    WriteSettingInteger(settingsNames.cameraZ, StoredCoordinate(position.z));
}

void TearDown() {
    SaveCameraPosition();
    StopMusic();
    StopRenderThread();
    StopWatchingSight();
    if (viewerContext != nullptr) SetDetailMesh(viewerContext->window, viewerContext->detailMesh, nullptr);
    ClearSelection();
    ClosePicture();
}

LRESULT Create(HWND window) {
    LoadSettingsNames();
    LoadSettings();
    PlaceModels();
    ShowCursor(FALSE);
    const bool fullScreen = !saverShellState.isPreview;

    switch (OpenPicture(window)) {
        case PictureStep::NoDirect3DRM:
        case PictureStep::NoDirect3DRM2:
            return 1;
        case PictureStep::NoClipper:
            return ErrorBox(window, "Error creating Clipper");
        case PictureStep::NoWindow:
            return ErrorBox(window, "Error creating main window");
        case PictureStep::NoDevice:
            return ErrorBox(window, "Error creating main device");
        case PictureStep::Ready:
            break;
    }
    if (fullScreen && saverSettings.midiPath[0] != '\0') StartMusic(EnterFileDirectory(saverSettings.midiPath));
    return 0;
}

LRESULT OnCreate(HWND window) {
    creatingWindow = true;
    closeHeldBack = false;
    destroyedWhileCreating = false;
    StartWatchingSight(window);
    const LRESULT result = Create(window);
    creatingWindow = false;
    if (destroyedWhileCreating) {
        TearDown();
        return result;
    }
    if (closeHeldBack) PostMessageA(window, WM_CLOSE, 0, 0);
    return result;
}

// The quit ends the message loop of any box open now, as well as the saver's own.
void OnDestroy() {
    if (creatingWindow)
        destroyedWhileCreating = true;
    else
        TearDown();
    PostQuitMessage(0);
}

MouseView MouseViewOf(HWND window) {
    ViewerContext* context = viewerContext;
    if (context == nullptr) return {window, nullptr, nullptr, nullptr, nullptr};
    return {window, context->viewport, context->scene, context->camera, &context->detailMesh};
}

IDirect3DRMFrame* SceneFrame() { return viewerContext != nullptr ? viewerContext->scene : nullptr; }
IDirect3DRMFrame* CameraFrame() { return viewerContext != nullptr ? viewerContext->camera : nullptr; }

}  // namespace

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    IDirect3DRMFrame* selected = SelectedFrame();
    // The music names the saver window; the shell's record of it is only set once creation has
    // returned, after the music started.
    musicWindow = window;
    switch (message) {
        case WM_CREATE:
            return OnCreate(window);
        case WM_DESTROY:
            OnDestroy();
            return 0;
        case WM_ERASEBKGND:
            ShowCursor(TRUE);
            StartRenderThread(window);
            break;
        case WM_PAINT: {
            // What a window that covered the saver left behind is repainted from the last frame.
            PAINTSTRUCT paint{};
            HDC dc = BeginPaint(window, &paint);
            RepaintPicture(dc);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_SETCURSOR:
            SetCursor(LoadCursorA(nullptr, IDC_ARROW));
            return 0;
        case WM_KEYDOWN:
            if (SteerOnKeyDown(static_cast<uint32_t>(wParam), CameraFrame(), SceneFrame(), selected)) return 0;
            break;
        case WM_KEYUP:
            if (SteerOnKeyUp(static_cast<uint32_t>(wParam), CameraFrame(), SceneFrame(), selected)) return 0;
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            OnButtonDown(MouseViewOf(window), lParam, message == WM_LBUTTONDOWN);
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            OnButtonUp(message == WM_LBUTTONUP);
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(MouseViewOf(window), selected, wParam, lParam);
            return 0;
        case WM_CLOSE:
            if (creatingWindow) {
                closeHeldBack = true;
                return 0;
            }
            break;
        case WM_SAVER_SHOW_REPORT:
            ShowRenderThreadReport();
            return 0;
        case WM_POWERBROADCAST:
            OnPowerBroadcast(wParam, lParam);
            break;
        case WM_WINDOWPOSCHANGED:
            CheckPreviewSight(window);
            break;
        case WM_TIMER:
            if (wParam != PreviewSightTimer) break;
            CheckPreviewSight(window);
            return 0;
    }
    return SaverDefaultProc(window, message, wParam, lParam);
}
