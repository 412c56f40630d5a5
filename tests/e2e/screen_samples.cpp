#include "e2e/screen_samples.h"

#include <algorithm>

std::vector<COLORREF> Snapshot(HWND window, int step) {
    RECT client{};
    GetClientRect(window, &client);
    const int width = client.right;
    const int height = client.bottom;
    std::vector<COLORREF> pixels;
    if (width <= 0 || height <= 0) return pixels;
    HDC windowDc = GetDC(window);
    HDC memoryDc = CreateCompatibleDC(windowDc);
    HBITMAP bitmap = CreateCompatibleBitmap(windowDc, width, height);
    HGDIOBJ previous = SelectObject(memoryDc, bitmap);
    BitBlt(memoryDc, 0, 0, width, height, windowDc, 0, 0, SRCCOPY);
    SelectObject(memoryDc, previous);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> rows(static_cast<size_t>(width) * height);
    GetDIBits(memoryDc, bitmap, 0, height, rows.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memoryDc);
    ReleaseDC(window, windowDc);
    for (int y = step / 2; y < height; y += step)
        for (int x = step / 2; x < width; x += step) {
            const DWORD bgr = rows[static_cast<size_t>(y) * width + x];
            pixels.push_back(RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF));
        }
    return pixels;
}

int CountNot(const std::vector<COLORREF>& pixels, COLORREF color) {
    int count = 0;
    for (COLORREF pixel : pixels) count += pixel != color;
    return count;
}

int CountDifferent(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
    int count = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) count += a[i] != b[i];
    return count;
}

COLORREF CornerOf(HWND window) {
    HDC dc = GetDC(window);
    const COLORREF color = GetPixel(dc, 1, 1);
    ReleaseDC(window, dc);
    return color;
}

bool ShowsABox(const SaverProcess& saver) {
    for (HWND window : saver.Windows()) {
        char className[16] = {};
        GetClassNameA(window, className, sizeof className);
        if (std::string(className) == "#32770") return true;
    }
    return false;
}

HWND WaitForSaverWindow() {
    HWND window = nullptr;
    PumpUntil(
        [&] {
            window = FindWindowA("WindowsScreenSaverClass", "Screen Saver");
            return window != nullptr && IsWindowVisible(window);
        },
        Patience);
    return window;
}

bool WaitForCar(HWND window, COLORREF background, int step) {
    return PumpUntil([&] {
        const std::vector<COLORREF> pixels = Snapshot(window, step);
        return CountNot(pixels, background) > static_cast<int>(pixels.size() / 50);
    });
}

int TopOf(const std::vector<COLORREF>& pixels, int columns, COLORREF background) {
    for (size_t i = 0; i < pixels.size(); ++i)
        if (pixels[i] != background) return static_cast<int>(i) / columns;
    return -1;
}

int SampleColumns(HWND window, int step) {
    RECT client{};
    GetClientRect(window, &client);
    return (client.right - step / 2 + step - 1) / step;
}

HWND WaitForBox(const SaverProcess& saver, const std::string& title, DWORD milliseconds) {
    HWND box = nullptr;
    PumpUntil(
        [&] {
            for (HWND window : saver.Windows()) {
                char text[64] = {};
                char className[16] = {};
                GetWindowTextA(window, text, sizeof text);
                GetClassNameA(window, className, sizeof className);
                if (std::string(className) == "#32770" && title == text && IsWindowVisible(window)) box = window;
            }
            return box != nullptr;
        },
        milliseconds);
    return box;
}

SampleBounds BoundsOfAllBut(HWND window, COLORREF background, int step) {
    const std::vector<COLORREF> pixels = Snapshot(window, step);
    const int columns = SampleColumns(window, step);
    SampleBounds bounds;
    for (size_t i = 0; i < pixels.size() && columns > 0; ++i) {
        if (pixels[i] == background) continue;
        const int row = static_cast<int>(i) / columns, column = static_cast<int>(i) % columns;
        if (!bounds.found) bounds = {true, column, row, column, row};
        bounds.left = std::min(bounds.left, column);
        bounds.right = std::max(bounds.right, column);
        bounds.top = std::min(bounds.top, row);
        bounds.bottom = std::max(bounds.bottom, row);
    }
    return bounds;
}

std::string BoxText(HWND box) {
    // A message box's text is its static control 0xFFFF.
    char text[512] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    return text;
}
