#include "shell/platform_calls.h"
#include "shell/saver_shell.h"

namespace {

// The user's registry switch: is a screen-saver password in force?
bool PasswordSwitchIsOn(HKEY desktopKey) {
    DWORD value = 0;
    DWORD size = sizeof value;
    return platform.RegQueryValueExA(desktopKey, "ScreenSaveUsePassword", nullptr, nullptr,
                                     reinterpret_cast<LPBYTE>(&value), &size) == ERROR_SUCCESS &&
           value != 0;
}

}  // namespace

void LoadPasswordVerifier() {
    SaverShellState& state = saverShellState;
    if (!state.isWin95Family) return;
    if (state.passwordModule != nullptr) ReleasePasswordVerifier();

    HKEY desktopKey = nullptr;
    if (platform.RegOpenKeyA(HKEY_CURRENT_USER, "Control Panel\\Desktop", &desktopKey) != ERROR_SUCCESS) return;
    if (PasswordSwitchIsOn(desktopKey)) {
        state.passwordModule = platform.LoadLibraryA("PASSWORD.CPL");
        if (state.passwordModule != nullptr) {
            state.verifyPassword = AsFunction<decltype(state.verifyPassword)>(
                platform.GetProcAddress(state.passwordModule, "VerifyScreenSavePwd"));
            if (state.verifyPassword != nullptr)
                SetSaverRunning(TRUE);
            else
                ReleasePasswordVerifier();
        }
    }
    platform.RegCloseKey(desktopKey);
}

void ReleasePasswordVerifier() {
    SaverShellState& state = saverShellState;
    if (!state.isWin95Family || state.passwordModule == nullptr) return;
    platform.FreeLibrary(state.passwordModule);
    state.passwordModule = nullptr;
    if (state.verifyPassword != nullptr) {
        state.verifyPassword = nullptr;
        SetSaverRunning(FALSE);
    }
}

void SetSaverRunning(BOOL on) {
    if (!saverShellState.isWin95Family) return;
    DWORD previousState = 0;
    platform.SystemParametersInfoA(SPI_SCREENSAVERRUNNING, static_cast<UINT>(on), &previousState, 0);
}

void ChangeSaverPassword(HWND parent) {
    using ChangePasswordEntry = DWORD(WINAPI*)(LPCSTR provider, HWND parent, DWORD, LPVOID);
    HMODULE router = platform.LoadLibraryA("MPR.DLL");
    if (router == nullptr) return;
    auto changePassword = AsFunction<ChangePasswordEntry>(platform.GetProcAddress(router, "PwdChangePasswordA"));
    if (changePassword != nullptr) changePassword("SCRSAVE", parent, 0, nullptr);
    platform.FreeLibrary(router);
}
