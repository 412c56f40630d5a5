#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "windows_support/pump_until.h"

// Starts the saver program as the system would and watches what it does.

// Full path of varnoka.scr, which is built beside the test program.
std::string SaverProgramPath();

// The model files and their textures, copied into a folder or removed from it again, as an
// installation would place them. False when a file could not be copied.
bool CopyModelsTo(const std::string& folder);
void RemoveModelsFrom(const std::string& folder);
std::string WindowsDirectory();

class SaverProcess {
public:
    // `commandLine` is the whole line, program name included; `program` the file started.
    explicit SaverProcess(const std::string& commandLine, const std::string& program = SaverProgramPath());
    ~SaverProcess();
    SaverProcess(const SaverProcess&) = delete;
    SaverProcess& operator=(const SaverProcess&) = delete;

    bool started() const { return info_.hProcess != nullptr; }
    DWORD id() const { return info_.dwProcessId; }
    bool Exited() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0; }

    // Exit code, or STILL_ACTIVE when it did not end within the time; messages of this thread are
    // handled meanwhile (the preview's parent belongs to it).
    DWORD WaitForExit(DWORD milliseconds);

    // Top-level or child windows of this process.
    std::vector<HWND> Windows() const;

private:
    PROCESS_INFORMATION info_{};
};

// A window of the test's own, as the display settings would give for a preview.
class ParentWindow {
public:
    ParentWindow();
    ~ParentWindow();
    ParentWindow(const ParentWindow&) = delete;
    ParentWindow& operator=(const ParentWindow&) = delete;

    HWND handle() const { return window_; }
    std::string number() const { return std::to_string(reinterpret_cast<UINT_PTR>(window_)); }
    HWND Preview() const { return FindWindowExA(window_, nullptr, "WindowsScreenSaverClass", "Preview"); }

private:
    HWND window_ = nullptr;
};

// Visible top-level windows of a class and title, of any process.
std::vector<HWND> TopLevelWindows(const char* className, const char* title);
