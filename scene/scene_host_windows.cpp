#include <windows.h>

#include "scene/report_route.h"
#include "scene/scene_host.h"
#include "shell/platform_calls.h"

namespace {

thread_local ReportRoute threadReportRoute = nullptr;

int BitsPerPixelOf(HWND window) {
    HDC dc = GetDC(window);
    if (dc == nullptr) return 0;
    const int bits = platform.GetDeviceCaps(dc, BITSPIXEL);
    ReleaseDC(window, dc);
    return bits;
}

}  // namespace

HWND VisibleOwner(HWND window) { return window != nullptr && IsWindowVisible(window) ? window : nullptr; }

ClientArea ClientAreaOf(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

int WindowBitsPerPixel(HWND window) { return BitsPerPixelOf(window); }

int ScreenBitsPerPixel() { return BitsPerPixelOf(nullptr); }

void SetThreadReportRoute(ReportRoute route) { threadReportRoute = route; }

void ShowReport(const char* text) {
    if (threadReportRoute != nullptr) {
        threadReportRoute(text);
        return;
    }
    platform.MessageBoxA(VisibleOwner(GetActiveWindow()), text, "Viewer Message", MB_OK | MB_TOPMOST);
}
