#include <cstdio>

#include "retained/memory_window.h"
#include "scene/scene_host.h"

ClientArea ClientAreaOf(HWND window) {
    const auto* memory = varnoka::rm::MemoryWindow::FromHandle(window);
    return {memory->ClientWidth(), memory->ClientHeight()};
}

int WindowBitsPerPixel(HWND) { return 32; }

int ScreenBitsPerPixel() { return 32; }

void ShowReport(const char* text) { std::fprintf(stderr, "Viewer Message: %s", text); }
