#pragma once
#include <windows.h>

// Whether the saver's picture can be seen: the console display must be on, and the preview must
// show on its Settings page. While either is not so, the render thread draws nothing (drawing
// holds). The window thread calls all of these, for the saver window.

// While the window is being made: follows the console display's power state (the system sends
// the present state at once) and, for the preview, its sight.
void StartWatchingSight(HWND window);

// When the window goes.
void StopWatchingSight();

// WM_POWERBROADCAST: a change of the console display's state holds or releases drawing.
void OnPowerBroadcast(WPARAM event, LPARAM data);

// The preview is hidden when it is, or an ancestor is, hidden, or its top-level window is
// minimised. Its own changes come as WM_WINDOWPOSCHANGED. Its ancestors, in the Settings page's
// process, send it nothing, and the system's window events for them do not come under Wine, so
// they are looked at once a second (the timer below).
void CheckPreviewSight(HWND window);
constexpr UINT_PTR PreviewSightTimer = 0x5167;
