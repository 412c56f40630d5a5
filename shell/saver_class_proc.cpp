#include "shell/platform_calls.h"
#include "shell/saver_shell.h"

// Until the program puts its own in, the shell's default handling.
WNDPROC programWindowProc = SaverDefaultProc;

namespace {

LRESULT PassOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return programWindowProc(window, message, wParam, lParam);
}

void HideCursorUnlessPreview() {
    if (!saverShellState.isPreview) SetCursor(nullptr);
}

// Keeps the input method from popping up over the saver; undone when the window goes.
void DetachInputMethod(HWND window) {
    SaverShellState& state = saverShellState;
    state.imeModule = GetModuleHandleA("IMM32.DLL");
    if (state.imeModule == nullptr) return;
    state.associateContext =
        AsFunction<decltype(state.associateContext)>(GetProcAddress(state.imeModule, "ImmAssociateContext"));
    if (state.associateContext == nullptr) return;
    state.savedInputContext = state.associateContext(window, nullptr);
}

void RestoreInputMethod(HWND window) {
    const SaverShellState& state = saverShellState;
    if (state.imeModule != nullptr && state.associateContext != nullptr && state.savedInputContext != nullptr)
        state.associateContext(window, state.savedInputContext);
}

bool IsFullScreenSwitchCommand(WPARAM command) {
    // Compared whole: the low four bits are not masked off.
    return command == SC_NEXTWINDOW || command == SC_PREVWINDOW || command == SC_SCREENSAVE;
}

}  // namespace

LRESULT CALLBACK SaverClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    SaverShellState& state = saverShellState;
    switch (message) {
        case WM_CREATE:
            DetachInputMethod(window);
            GetCursorPos(&state.referenceCursor);
            HideCursorUnlessPreview();
            break;
        case WM_DESTROY:
            RestoreInputMethod(window);
            PostQuitMessage(0);
            break;
        case WM_SETTEXT:
            return 0;
        case WM_PAINT:
            if (state.closeApproved) return DefWindowProcA(window, message, wParam, lParam);
            HideCursorUnlessPreview();
            break;
        case WM_HELP:
        case WM_CONTEXTMENU:
            if (state.isPreview) {
                HWND parent = GetParent(window);
                if (parent != nullptr && IsWindow(parent))
                    PostMessageA(parent, message, reinterpret_cast<WPARAM>(parent), lParam);
                return 1;
            }
            break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            if (state.closeApproved) return DefWindowProcA(window, message, wParam, lParam);
            break;
        case WM_SYSCOMMAND:
            if (!state.isPreview && IsFullScreenSwitchCommand(wParam)) return 0;
            break;
        case WM_TIMER:
            if (state.closeApproved) return 0;
            Sleep(0);
            break;
    }
    return PassOn(window, message, wParam, lParam);
}
