#include "e2e/process_runner.h"

#include <algorithm>

std::string SaverProgramPath() {
    char self[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, self, sizeof self);
    std::string path(self, length);
    return path.substr(0, path.find_last_of('\\') + 1) + "varnoka.scr";
}

SaverProcess::SaverProcess(const std::string& commandLine) {
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    const std::string program = SaverProgramPath();
    if (!CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_))
        info_ = PROCESS_INFORMATION{};
}

SaverProcess::~SaverProcess() {
    if (info_.hProcess == nullptr) return;
    if (WaitForExit(0) == STILL_ACTIVE) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

DWORD SaverProcess::WaitForExit(DWORD milliseconds) {
    PumpUntil([this] { return Exited(); }, milliseconds);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

namespace {

struct WindowSearch {
    DWORD process;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectIfOurs(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->process &&
        std::find(search->found.begin(), search->found.end(), window) == search->found.end())
        search->found.push_back(window);
    return TRUE;
}

// Children of other processes' windows (a preview) are found through their parents.
BOOL CALLBACK CollectWithChildren(HWND top, LPARAM param) {
    CollectIfOurs(top, param);
    EnumChildWindows(top, CollectIfOurs, param);
    return TRUE;
}

}  // namespace

std::vector<HWND> SaverProcess::Windows() const {
    WindowSearch search{info_.dwProcessId, {}};
    EnumWindows(CollectWithChildren, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool PumpUntil(const std::function<bool()>& ready, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (ready()) return true;
        if (GetTickCount() - start >= milliseconds) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

std::vector<HWND> TopLevelWindows(const char* className, const char* title) {
    std::vector<HWND> found;
    for (HWND window = FindWindowExA(nullptr, nullptr, className, title); window != nullptr;
         window = FindWindowExA(nullptr, window, className, title))
        found.push_back(window);
    return found;
}
