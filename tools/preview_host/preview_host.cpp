// preview_host: a window the size of the monitor picture in Screen Saver Settings, for running
// the saver's preview inside it as that dialog does. It prints its window number, which goes
// after the saver's /p switch, and stays until it is closed.
//
//   preview_host [WIDTH HEIGHT]

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
    const int width = argc == 3 ? std::atoi(argv[1]) : 152;
    const int height = argc == 3 ? std::atoi(argv[2]) : 112;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = HostProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    windowClass.lpszClassName = "VarnokaPreviewHost";
    RegisterClassA(&windowClass);
    RECT frame{0, 0, width, height};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, "Preview host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40,
                                  40, frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
    if (window == nullptr) return 1;
    std::printf("%lu\n", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)));
    std::fflush(stdout);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
