#include <windows.h>

#include "scene/saver_picture.h"
#include "shown_window.h"

namespace {

constexpr char ClassName[] = "VarnokaShownWindow";

// Paints as the saver window does: the black class background, then the last frame.
LRESULT CALLBACK ShownWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(window, &paint);
        RepaintPicture(dc);
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

struct ShownWindow::State {
    HWND window = nullptr;
    int width = 0;
    int height = 0;
};

ShownWindow::ShownWindow(int width, int height) : state_(new State{nullptr, width, height}) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ShownWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = ClassName;
    RegisterClassA(&windowClass);
    state_->window = CreateWindowExA(0, ClassName, "Shown", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr,
                                     nullptr, windowClass.hInstance, nullptr);
    UpdateWindow(state_->window);
}

ShownWindow::~ShownWindow() { DestroyWindow(state_->window); }

HWND ShownWindow::Handle() const { return state_->window; }

std::vector<std::uint32_t> ShownWindow::Pixels() const {
    const int width = state_->width;
    const int height = state_->height;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC windowDc = GetDC(state_->window);
    HDC memoryDc = CreateCompatibleDC(windowDc);
    HBITMAP bitmap = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memoryDc, bitmap);
    BitBlt(memoryDc, 0, 0, width, height, windowDc, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* read = static_cast<const std::uint32_t*>(bits);
    for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = read[i] & 0xFFFFFFu;
    SelectObject(memoryDc, old);
    DeleteObject(bitmap);
    DeleteDC(memoryDc);
    ReleaseDC(state_->window, windowDc);
    return pixels;
}

// The system erases what must be repainted with the class background, then sends WM_PAINT.
void ShownWindow::Damage(int x, int y, int width, int height) {
    const RECT damaged{x, y, x + width, y + height};
    RedrawWindow(state_->window, &damaged, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}
