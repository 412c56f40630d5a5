#pragma once
#include <windows.h>

// The program's own procedure for the saver window, between the shell's class procedure and
// its default handling.
LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
