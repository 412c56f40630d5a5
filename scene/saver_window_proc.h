#pragma once
#include <windows.h>

// The program's own procedure for the saver window, full screen and preview alike, between the
// shell's class procedure and its default handling. It builds the scene when the window is
// made, starts drawing at the first erase, and draws only while the picture can be seen; it
// steers the camera and the selected object with keys and the mouse, and tears everything down,
// saving the camera, when the window goes.
LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
