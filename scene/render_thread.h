#pragma once
#include <windows.h>

// The thread that draws the scene, paced to the display, and switches the models. It exists
// from the saver window's first erase to its destruction.

extern HANDLE renderThread;

// Starts the render thread at the highest priority unless one runs already; false when none
// could be started.
bool StartRenderThread(HWND window);

// Asks the thread to stop and waits for it: no frame is in progress afterwards. A render thread
// that does not end within a few seconds is terminated rather than let the saver hang.
void StopRenderThread();

DWORD WINAPI RenderThreadProc(LPVOID);

// The render thread owns no window, so its reports are shown by the window thread, above the
// saver: the render thread posts WM_SAVER_SHOW_REPORT and waits, the picture standing still,
// until the window thread has shown it or a stop is asked for. A text already shown is not shown
// again, so a failure that repeats at every frame gives one box.
void ReportFromRenderThread(const char* text);
void ShowRenderThreadReport();
