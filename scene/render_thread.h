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

// What keeps the picture from being seen. While any of them holds, the render thread draws
// nothing and waits, without a timeout, on an event; once the last is released it draws again
// within a frame, the scene going on where it stood. Set on the window thread only; they outlast
// a render thread's stop and start, and are the window's to release.
enum DrawingHold : unsigned { DisplayOffHold = 1u, PreviewHiddenHold = 2u };
void SetDrawingHold(DrawingHold hold, bool held);

// The render thread owns no window, so its reports are shown by the window thread, above the
// saver: the render thread posts WM_SAVER_SHOW_REPORT and waits, the picture standing still,
// until the window thread has shown it or a stop is asked for. A text already shown is not shown
// again, so a failure that repeats at every frame gives one box.
void ReportFromRenderThread(const char* text);
void ShowRenderThreadReport();
