#include <cstdio>

#include "retained/native_window.h"
#include "scene/scene_host.h"

ClientArea ClientAreaOf(HWND window) {
    const auto* native = varnoka::rm::NativeWindow::FromHandle(window);
    return {native->ClientWidth(), native->ClientHeight()};
}

int WindowBitsPerPixel(HWND) { return 32; }

int ScreenBitsPerPixel() { return 32; }

void ShowReport(const char* text) { std::fprintf(stderr, "Viewer Message: %s", text); }
