#include "resources/resource_ids.h"
#include "shell/fault_guard.h"
#include "shell/platform_calls.h"
#include "shell/saver_shell.h"

DLGPROC optionsDialogProc = nullptr;

namespace {

bool IsWin95Family() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    return platform.GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

// Window handles are 32-bit values that 64-bit Windows sign-extends.
HWND WindowFromNumber(DWORD number) { return reinterpret_cast<HWND>(static_cast<LONG_PTR>(static_cast<LONG>(number))); }

// The window named after a switch letter, or null when there is none or it does not exist.
HWND WindowAfterLetter(const char* afterLetter) {
    while (*afterLetter == ' ') ++afterLetter;
    const DWORD number = ParseWindowNumber(afterLetter);
    if (number == 0) return nullptr;
    HWND window = WindowFromNumber(number);
    return IsWindow(window) ? window : nullptr;
}

int RunModeFor(const char* switchText) {
    for (const char* p = switchText;; ++p) {
        switch (static_cast<signed char>(*p)) {
            case ' ':
            case '-':
            case '/':
                continue;
            case '\0':
                return static_cast<int>(RunOptionsDialog(nullptr));
            case 'S':
            case 's':
                return RunSaverWindow(nullptr);
            case 'P':
            case 'p':
            case 'L':
            case 'l': {
                HWND parent = WindowAfterLetter(p + 1);
                return parent != nullptr ? RunSaverWindow(parent) : -1;
            }
            case 'C':
            case 'c':
                return static_cast<int>(RunOptionsDialog(GetForegroundWindow()));
            case 'A':
            case 'a': {
                if (!saverShellState.isWin95Family) return -1;
                HWND owner = WindowAfterLetter(p + 1);
                ChangeSaverPassword(owner != nullptr ? owner : GetForegroundWindow());
                return 0;
            }
            default:
                return -1;
        }
    }
}

}  // namespace

int DispatchMode(HINSTANCE instance, const char* switchText) {
    saverShellState.instance = instance;
    saverShellState.isWin95Family = IsWin95Family();
    return RunGuarded(RunModeFor, switchText);
}

DWORD ParseWindowNumber(const char* text) {
    DWORD value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) value = value * 10u + static_cast<DWORD>(*text - '0');
    return value;
}

INT_PTR RunOptionsDialog(HWND parent) {
    return DialogBoxParamA(saverShellState.instance, MAKEINTRESOURCEA(OptionsDialogId), parent, optionsDialogProc, 0);
}
