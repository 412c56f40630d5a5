#include "scene/render_thread.h"

#include <atomic>
#include <cstring>

#include "scene/frame_pacer.h"
#include "scene/render_frame.h"
#include "scene/report_error.h"
#include "scene/report_route.h"
#include "scene/scene_host.h"
#include "shell/platform_calls.h"
#include "shell/saver_messages.h"

HANDLE renderThread = nullptr;

namespace {

constexpr DWORD StopPatience = 5000;  // milliseconds
constexpr int ReportKinds = 8;

HWND drawingWindow = nullptr;
HANDLE stopEvent = nullptr;
HANDLE reportShownEvent = nullptr;
std::atomic<bool> stopRequested{false};

// Set while no hold is on (manual reset); it exists from the first start of a render thread.
HANDLE drawingAllowedEvent = nullptr;
std::atomic<unsigned> drawingHolds{0};

// A report on its way from the render thread to the window thread, and the texts shown so far:
// a failure that repeats at every frame is shown once.
char pendingReport[ReportBufferSize];
char shownReports[ReportKinds][ReportBufferSize];
int shownReportCount = 0;

bool AlreadyShown(const char* text) {
    for (int i = 0; i < shownReportCount; ++i)
        if (std::strcmp(shownReports[i], text) == 0) return true;
    if (shownReportCount < ReportKinds) lstrcpynA(shownReports[shownReportCount++], text, ReportBufferSize);
    return false;
}

double Seconds() {
    LARGE_INTEGER count{};
    LARGE_INTEGER frequency{};
    platform.QueryPerformanceCounter(&count);
    platform.QueryPerformanceFrequency(&frequency);
    return frequency.QuadPart > 0 ? static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart) : 0;
}

uint32_t TickNow() { return platform.GetTickCount(); }

double RefreshRate() {
    HDC screen = GetDC(nullptr);
    const int rate = screen != nullptr ? platform.GetDeviceCaps(screen, VREFRESH) : 0;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    return rate;
}

HANDLE MakeFrameTimer() {
#ifdef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
    HANDLE timer = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
    if (timer != nullptr) return timer;
#endif
    return CreateWaitableTimerA(nullptr, FALSE, nullptr);
}

// While a hold is on, waits for the last one to go, the pacer starting afresh after it; false
// when a stop was asked for meanwhile.
bool WaitWhileHeld(FramePacer& pacer) {
    if (drawingHolds == 0) return !stopRequested;
    const HANDLE handles[] = {stopEvent, drawingAllowedEvent};
    if (platform.WaitForMultipleObjects(2, handles, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) return false;
    pacer.Restart();
    return !stopRequested;
}

// Waits until no hold is on, then for the display's next composition where there is one, and
// then for whatever is left of the frame interval; false when a stop was asked for meanwhile.
bool WaitForNextFrame(FramePacer& pacer, HANDLE timer) {
    if (!WaitWhileHeld(pacer)) return false;
    platform.DwmFlush();
    const double remaining = pacer.RemainingWait(Seconds());
    if (remaining <= 0 || timer == nullptr) return !stopRequested;
    LARGE_INTEGER due{};
    due.QuadPart = -static_cast<LONGLONG>(remaining * 1e7);  // relative, in 100 ns
    if (!platform.SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE)) return !stopRequested;
    const HANDLE handles[] = {stopEvent, timer};
    return platform.WaitForMultipleObjects(2, handles, FALSE, INFINITE) != WAIT_OBJECT_0 && !stopRequested;
}

}  // namespace

void ReportFromRenderThread(const char* text) {
    if (stopRequested || AlreadyShown(text)) return;
    lstrcpynA(pendingReport, text, ReportBufferSize);
    if (!PostMessageA(drawingWindow, WM_SAVER_SHOW_REPORT, 0, 0)) return;
    const HANDLE handles[] = {stopEvent, reportShownEvent};
    WaitForMultipleObjects(2, handles, FALSE, INFINITE);
}

DWORD WINAPI RenderThreadProc(LPVOID) {
    SetThreadReportRoute(ReportFromRenderThread);
    HANDLE timer = MakeFrameTimer();
    const ClientArea area = ClientAreaOf(drawingWindow);
    FramePacer pacer(RefreshRate(), IsSmallWindow(area.width, area.height));
    DWORD exitCode = 0;
    while (WaitForNextFrame(pacer, timer)) {
        const HRESULT result = RenderPass(viewerContext, pacer, Seconds, TickNow);
        if (result != D3DRM_OK) {
            exitCode = static_cast<DWORD>(result);  // the window keeps what it showed last
            break;
        }
    }
    if (timer != nullptr) CloseHandle(timer);
    SetThreadReportRoute(nullptr);
    return exitCode;
}

bool StartRenderThread(HWND window) {
    if (renderThread != nullptr) return true;
    if (viewerContext == nullptr || viewerContext->viewport == nullptr) return false;  // nothing to draw
    drawingWindow = window;
    stopRequested = false;
    shownReportCount = 0;
    if (stopEvent == nullptr) stopEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (reportShownEvent == nullptr) reportShownEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (drawingAllowedEvent == nullptr) drawingAllowedEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (stopEvent == nullptr || reportShownEvent == nullptr || drawingAllowedEvent == nullptr) return false;
    ResetEvent(stopEvent);
    ResetEvent(reportShownEvent);
    if (drawingHolds == 0)
        SetEvent(drawingAllowedEvent);
    else
        ResetEvent(drawingAllowedEvent);
    renderThread = platform.CreateThread(nullptr, 0, RenderThreadProc, nullptr, 0, nullptr);
    if (renderThread == nullptr) return false;
    SetThreadPriority(renderThread, THREAD_PRIORITY_HIGHEST);
    return true;
}

void StopRenderThread() {
    if (renderThread == nullptr) return;
    stopRequested = true;
    SetEvent(stopEvent);
    if (WaitForSingleObject(renderThread, StopPatience) != WAIT_OBJECT_0) TerminateThread(renderThread, 0);
    CloseHandle(renderThread);
    renderThread = nullptr;
}

// The event is reset before a hold shows and set after the last is gone: a render thread that
// sees a hold never finds the event still set from before it.
void SetDrawingHold(DrawingHold hold, bool held) {
    if (held) {
        if (drawingAllowedEvent != nullptr) ResetEvent(drawingAllowedEvent);
        drawingHolds |= hold;
    } else if ((drawingHolds &= ~static_cast<unsigned>(hold)) == 0 && drawingAllowedEvent != nullptr) {
        SetEvent(drawingAllowedEvent);
    }
}

void ShowRenderThreadReport() {
    if (!stopRequested) ShowReport(pendingReport);
    SetEvent(reportShownEvent);
}
