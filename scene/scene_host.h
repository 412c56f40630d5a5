#pragma once
// What the scene asks of the system it runs on: on Windows the window system, natively the
// engine's memory windows (whose screen is full colour, and whose reports go to the error
// stream).

#include "retained/com_types.h"

struct ClientArea {
    int width;
    int height;
};

ClientArea ClientAreaOf(HWND window);
int WindowBitsPerPixel(HWND window);
int ScreenBitsPerPixel();

// Shows a finished report to the user, above the saver: owned by the active window (the saver
// window once it shows, so the box stands above it), and topmost.
void ShowReport(const char* text);

#ifdef _WIN32
// The window as the owner of a box: a box owned by a window not yet shown would stay hidden with
// it, and the saver would wait on a box nobody can see.
HWND VisibleOwner(HWND window);
#endif
