#include <cstdlib>

#include "shell/platform_calls.h"
#include "shell/saver_shell.h"

namespace {

void RequestClose(HWND window) { PostMessageA(window, WM_CLOSE, 0, 0); }

// Mouse travel past the limit closes the saver. Small moves add up, since the reference
// point only moves when a close is requested.
void ApplyMouseTravelRule(HWND window) {
    SaverShellState& state = saverShellState;
    POINT cursor{};
    GetCursorPos(&cursor);
    const DWORD travel = static_cast<DWORD>(std::llabs(static_cast<long long>(cursor.x) - state.referenceCursor.x) +
                                            std::llabs(static_cast<long long>(cursor.y) - state.referenceCursor.y));
    if (travel > state.mouseMoveLimit) {
        RequestClose(window);
        state.referenceCursor = cursor;
    }
}

}  // namespace

LRESULT CALLBACK SaverDefaultProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    SaverShellState& state = saverShellState;
    if (state.isPreview || state.closeApproved) return DefWindowProcA(window, message, wParam, lParam);

    switch (message) {
        case WM_CLOSE:
            if (state.isWin95Family && !ConfirmClose(window)) {
                GetCursorPos(&state.referenceCursor);
                return 0;
            }
            return DefWindowProcA(window, message, wParam, lParam);
        case WM_SAVER_CHECK_PASSWORD:
            if (!state.isWin95Family) return DefWindowProcA(window, message, wParam, lParam);
            return state.verifyPassword != nullptr ? state.verifyPassword(window) : 1;
    }
    return FilterSaverInput(window, window, message, wParam, lParam);
}

LRESULT FilterSaverInput(HWND window, HWND saver, UINT message, WPARAM wParam, LPARAM lParam) {
    const SaverShellState& state = saverShellState;
    if (state.isPreview || state.closeApproved || state.verifying)
        return DefWindowProcA(window, message, wParam, lParam);

    switch (message) {
        case WM_SHOWWINDOW:
            if (wParam != 0) SetCursor(nullptr);
            break;
        case WM_ACTIVATEAPP:
            if (wParam == 0) RequestClose(saver);
            break;
        case WM_SETCURSOR:
            SetCursor(nullptr);
            return 1;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            RequestClose(saver);
            break;
        case WM_MOUSEMOVE:
            ApplyMouseTravelRule(saver);
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

BOOL ConfirmClose(HWND window) {
    SaverShellState& state = saverShellState;
    if (state.verifying || state.closeApproved) return FALSE;
    if (state.verifyPassword == nullptr) {
        state.closeApproved = TRUE;
        return TRUE;
    }

    const DWORD now = platform.GetTickCount();
    if (state.lastVerifyTick != NoVerifyYet && now - state.lastVerifyTick < 200) return FALSE;

    state.verifying = TRUE;
    MSG timer;
    PeekMessageA(&timer, window, WM_TIMER, WM_TIMER, PM_REMOVE | PM_NOYIELD);
    PeekMessageA(&timer, window, WM_TIMER, WM_TIMER, PM_REMOVE | PM_NOYIELD);
    state.closeApproved = SendMessageA(window, WM_SAVER_CHECK_PASSWORD, 0, 0) != 0;
    state.verifying = FALSE;

    if (!state.closeApproved) SetCursor(nullptr);
    state.lastVerifyTick = platform.GetTickCount();
    return state.closeApproved;
}
