#include "scene/saver_window_proc.h"

#include "shell/saver_shell.h"

// Until the scene is drawn here, the window shows the class's black background and every
// message takes the shell's default handling.
LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return SaverDefaultProc(window, message, wParam, lParam);
}
