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

// Shows a finished report to the user.
void ShowReport(const char* text);
