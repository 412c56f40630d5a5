#include "resources/resource_ids.h"
#include "shell/saver_shell.h"

namespace {

constexpr char SaverClassName[] = "WindowsScreenSaverClass";
constexpr char FullScreenTitle[] = "Screen Saver";
constexpr char PreviewTitle[] = "Preview";
constexpr DWORD FullScreenStyle = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr DWORD PreviewStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;

// A full-screen saver already running is brought to the front instead of starting another.
bool BringRunningSaverToFront() {
    HWND running = FindWindowA(SaverClassName, FullScreenTitle);
    if (running == nullptr || !IsWindow(running)) return false;
    SetForegroundWindow(running);
    RaiseMonitorCovers(running);
    return true;
}

}  // namespace

ATOM RegisterSaverClass() {
    WNDCLASSA windowClass{};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC;
    windowClass.lpfnWndProc = SaverClassProc;
    windowClass.hInstance = saverShellState.instance;
    windowClass.hIcon = LoadIconA(saverShellState.instance, MAKEINTRESOURCEA(SaverIconId));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = SaverClassName;
    return RegisterClassA(&windowClass);
}

int RunSaverWindow(HWND parent) {
    int width = 0;
    int height = 0;
    DWORD extendedStyle = 0;
    DWORD style = PreviewStyle;
    const char* title = PreviewTitle;
    if (parent != nullptr) {
        RECT client{};
        GetClientRect(parent, &client);
        width = client.right;
        height = client.bottom;
        saverShellState.isPreview = TRUE;
    } else {
        width = GetSystemMetrics(SM_CXSCREEN);
        height = GetSystemMetrics(SM_CYSCREEN);
        if (BringRunningSaverToFront()) return 0;
        LoadPasswordVerifier();
        extendedStyle = WS_EX_TOPMOST;
        style = FullScreenStyle;
        title = FullScreenTitle;
    }

    if (RegisterSaverClass() != 0) {
        saverShellState.window = CreateWindowExA(extendedStyle, SaverClassName, title, style, 0, 0, width, height,
                                                 parent, nullptr, saverShellState.instance, nullptr);
    }

    int exitCode = -1;  // no window could be made
    MSG message{};
    if (saverShellState.window != nullptr) {
        if (parent == nullptr) {
            CoverOtherMonitors(saverShellState.window);
            SetForegroundWindow(saverShellState.window);
        }
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        exitCode = static_cast<int>(message.wParam);
    } else if (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        // The window was made and destroyed again inside its own creation (a preview whose parent
        // closed meanwhile): it ended as a window ends.
        exitCode = static_cast<int>(message.wParam);
    }
    ReleasePasswordVerifier();
    return exitCode;
}
