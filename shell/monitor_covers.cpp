#include "shell/platform_calls.h"
#include "shell/saver_shell.h"

namespace {

constexpr DWORD CoverExtendedStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;

LRESULT CALLBACK MonitorCoverProc(HWND cover, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND saver = GetWindow(cover, GW_OWNER);
    switch (message) {
        case WM_MOUSEACTIVATE:
            // The click still arrives and ends the saver, but the saver window keeps the focus.
            return MA_NOACTIVATE;
        case WM_CLOSE:
            // A cover closed alone would show the desktop on its monitor: it asks the saver to close.
            PostMessageA(saver, WM_CLOSE, 0, 0);
            return 0;
        case WM_ACTIVATEAPP:
            // The saver window hears of it as well, and asks once.
            return DefWindowProcA(cover, message, wParam, lParam);
    }
    return FilterSaverInput(cover, saver, message, wParam, lParam);
}

bool CoverClassRegistered() {
    static const ATOM coverClass = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = MonitorCoverProc;
        windowClass.hInstance = saverShellState.instance;
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        windowClass.lpszClassName = MonitorCoverClassName;
        return RegisterClassA(&windowClass);
    }();
    return coverClass != 0;
}

BOOL CALLBACK CoverMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM saver) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!platform.GetMonitorInfoA(monitor, &info) || (info.dwFlags & MONITORINFOF_PRIMARY) != 0) return TRUE;
    if (!CoverClassRegistered()) return FALSE;
    const RECT& area = info.rcMonitor;
    HWND cover = CreateWindowExA(CoverExtendedStyle, MonitorCoverClassName, "", WS_POPUP, area.left, area.top,
                                 area.right - area.left, area.bottom - area.top, reinterpret_cast<HWND>(saver), nullptr,
                                 saverShellState.instance, nullptr);
    if (cover != nullptr) ShowWindow(cover, SW_SHOWNOACTIVATE);
    return TRUE;
}

}  // namespace

void CoverOtherMonitors(HWND saver) {
    platform.EnumDisplayMonitors(nullptr, nullptr, CoverMonitor, reinterpret_cast<LPARAM>(saver));
}

void RaiseMonitorCovers(HWND saver) {
    for (HWND cover = FindWindowExA(nullptr, nullptr, MonitorCoverClassName, nullptr); cover != nullptr;
         cover = FindWindowExA(nullptr, cover, MonitorCoverClassName, nullptr)) {
        if (GetWindow(cover, GW_OWNER) == saver)
            SetWindowPos(cover, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}
