#include "e2e/process_runner.h"

#include <algorithm>

std::string SaverProgramPath() {
    char self[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, self, sizeof self);
    std::string path(self, length);
    return path.substr(0, path.find_last_of('\\') + 1) + "varnoka.scr";
}

namespace {

// Our models, seen from Windows through Wine's drive for the root of the file system.
std::vector<std::string> ModelFileNames() {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA("Z:" VARNOKA_MODELS_DIR "\\*", &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = found.cFileName;
        const std::string::size_type dot = name.find_last_of('.');
        const std::string extension = dot == std::string::npos ? "" : name.substr(dot);
        if (extension == ".x" || extension == ".bmp") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

}  // namespace

bool CopyModelsTo(const std::string& folder) {
    const std::vector<std::string> names = ModelFileNames();
    if (names.empty()) return false;
    for (const std::string& name : names) {
        const std::string from = "Z:" VARNOKA_MODELS_DIR "\\" + name;
        if (!CopyFileA(from.c_str(), (folder + "\\" + name).c_str(), FALSE)) return false;
    }
    return true;
}

void RemoveModelsFrom(const std::string& folder) {
    for (const std::string& name : ModelFileNames()) DeleteFileA((folder + "\\" + name).c_str());
}

std::string WindowsDirectory() {
    char folder[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(folder, sizeof folder);
    return std::string(folder, length < sizeof folder ? length : 0);
}

SaverProcess::SaverProcess(const std::string& commandLine, const std::string& program) {
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
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

ParentWindow::ParentWindow() {
    window_ = CreateWindowExA(0, "STATIC", "Preview parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 320, 240,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

ParentWindow::~ParentWindow() {
    if (IsWindow(window_)) DestroyWindow(window_);
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

std::vector<HWND> TopLevelWindows(const char* className, const char* title) {
    std::vector<HWND> found;
    for (HWND window = FindWindowExA(nullptr, nullptr, className, title); window != nullptr;
         window = FindWindowExA(nullptr, window, className, title))
        found.push_back(window);
    return found;
}
