#include "windows_support/shell_fixture.h"

#include "shell/platform_calls.h"

FakeSystem fake;
std::vector<UINT> ShellTest::seenByProgram;
bool ShellTest::programForwards = true;
LRESULT ShellTest::programAnswer = 0x5A5A;

namespace {

constexpr char PlainClassName[] = "VarnokaTestPlainWindow";
HMODULE const FakePasswordModule = reinterpret_cast<HMODULE>(0x7A000000);
HMODULE const FakeRouterModule = reinterpret_cast<HMODULE>(0x7B000000);
HKEY const FakeDesktopKey = reinterpret_cast<HKEY>(0x7C000000);

BOOL WINAPI FakeGetVersionEx(LPOSVERSIONINFOA info) {
    fake.events.push_back("version size " + std::to_string(info->dwOSVersionInfoSize));
    if (fake.versionCallFails) return FALSE;
    info->dwPlatformId = fake.platformId;
    return TRUE;
}

LONG WINAPI FakeRegOpenKey(HKEY root, LPCSTR subKey, PHKEY result) {
    fake.events.push_back(std::string("open key ") + (root == HKEY_CURRENT_USER ? "HKCU\\" : "?\\") + subKey);
    if (!fake.desktopKeyExists) return ERROR_FILE_NOT_FOUND;
    *result = FakeDesktopKey;
    return ERROR_SUCCESS;
}

LONG WINAPI FakeRegQueryValueEx(HKEY key, LPCSTR name, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD size) {
    fake.events.push_back(std::string("query ") + name + (key == FakeDesktopKey ? "" : " on wrong key") +
                          (type == nullptr ? "" : " asking type") + " size " + std::to_string(*size));
    if (!fake.passwordValueReadable) return ERROR_MORE_DATA;
    *reinterpret_cast<DWORD*>(data) = fake.passwordSwitch;
    return ERROR_SUCCESS;
}

LONG WINAPI FakeRegCloseKey(HKEY key) {
    fake.events.push_back(key == FakeDesktopKey ? "close key" : "close wrong key");
    return ERROR_SUCCESS;
}

HMODULE WINAPI FakeLoadLibrary(LPCSTR name) {
    fake.events.push_back(std::string("load ") + name);
    const std::string module = name;
    if (module == "PASSWORD.CPL" && fake.passwordModulePresent) return FakePasswordModule;
    if (module == "MPR.DLL" && fake.routerModulePresent) return FakeRouterModule;
    return nullptr;
}

BOOL WINAPI FakeVerifier(HWND window) {
    fake.events.push_back("verify");
    ++fake.verifierCalls;
    fake.verifierWindow = window;
    return fake.verifierAnswer;
}

DWORD WINAPI FakeChangePassword(LPCSTR provider, HWND parent, DWORD, LPVOID) {
    fake.events.push_back("change password");
    fake.changeProvider = provider;
    fake.changeParent = parent;
    return 0;
}

FARPROC WINAPI FakeGetProcAddress(HMODULE module, LPCSTR name) {
    fake.events.push_back(std::string("entry ") + name);
    const std::string entry = name;
    if (module == FakePasswordModule && entry == "VerifyScreenSavePwd" && fake.verifierEntryPresent)
        return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(FakeVerifier));
    if (module == FakeRouterModule && entry == "PwdChangePasswordA" && fake.changeEntryPresent)
        return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(FakeChangePassword));
    return nullptr;
}

BOOL WINAPI FakeFreeLibrary(HMODULE module) {
    fake.events.push_back(module == FakePasswordModule ? "free PASSWORD.CPL"
                          : module == FakeRouterModule ? "free MPR.DLL"
                                                       : "free unknown");
    return TRUE;
}

BOOL WINAPI FakeSystemParametersInfo(UINT action, UINT param, PVOID data, UINT winIni) {
    fake.events.push_back("system parameter " + std::to_string(action) + " " + std::to_string(param) +
                          (data == nullptr ? " no scratch" : "") + (winIni != 0 ? " with profile update" : ""));
    return TRUE;
}

DWORD WINAPI FakeGetTickCount() { return fake.ticks; }

LONG WINAPI FakeUnhandledExceptionFilter(EXCEPTION_POINTERS*) {
    fake.events.push_back("fault filter");
    return fake.filterVerdict;
}

LRESULT CALLBACK RecordingProgramProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ShellTest::seenByProgram.push_back(message);
    if (ShellTest::programForwards) return SaverDefaultProc(window, message, wParam, lParam);
    return ShellTest::programAnswer;
}

}  // namespace

int FakeSystem::Count(const std::string& event) const {
    int count = 0;
    for (const std::string& e : events) count += e == event;
    return count;
}

void ShellTest::SetUp() {
    fake = FakeSystem{};
    saverShellState = SaverShellState{};
    saverShellState.mouseMoveLimit = 4;
    saverShellState.lastVerifyTick = NoVerifyYet;
    saverShellState.instance = GetModuleHandleA(nullptr);

    platform.GetVersionExA = FakeGetVersionEx;
    platform.RegOpenKeyA = FakeRegOpenKey;
    platform.RegQueryValueExA = FakeRegQueryValueEx;
    platform.RegCloseKey = FakeRegCloseKey;
    platform.LoadLibraryA = FakeLoadLibrary;
    platform.GetProcAddress = FakeGetProcAddress;
    platform.FreeLibrary = FakeFreeLibrary;
    platform.SystemParametersInfoA = FakeSystemParametersInfo;
    platform.GetTickCount = FakeGetTickCount;
    platform.UnhandledExceptionFilter = FakeUnhandledExceptionFilter;

    seenByProgram.clear();
    programForwards = true;
    programWindowProc = RecordingProgramProc;

    WNDCLASSA plain{};
    plain.lpfnWndProc = DefWindowProcA;
    plain.hInstance = saverShellState.instance;
    plain.lpszClassName = PlainClassName;
    RegisterClassA(&plain);
}

void ShellTest::TearDown() {
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it)
        if (IsWindow(*it)) DestroyWindow(*it);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    UnregisterClassA("WindowsScreenSaverClass", saverShellState.instance);
    platform = RealPlatformCalls();
}

HWND ShellTest::PlainWindow(HWND parent) {
    HWND window = CreateWindowExA(0, PlainClassName, "plain", parent ? WS_CHILD : WS_POPUP, 0, 0, 100, 80, parent,
                                  nullptr, saverShellState.instance, nullptr);
    windows_.push_back(window);
    return window;
}

HWND ShellTest::SaverClassWindow(HWND parent) {
    if (RegisterSaverClass() == 0) ADD_FAILURE() << "saver class not registered";
    HWND window = CreateWindowExA(0, "WindowsScreenSaverClass", "Test Saver", parent ? WS_CHILD : WS_POPUP, 0, 0, 120,
                                  90, parent, nullptr, saverShellState.instance, nullptr);
    windows_.push_back(window);
    return window;
}

int ShellTest::TakePosted(HWND window, UINT message) {
    int count = 0;
    MSG posted;
    while (PeekMessageA(&posted, window, message, message, PM_REMOVE)) ++count;
    return count;
}

void ShellTest::CursorAt(int x, int y) {
    SetCursorPos(x, y);
    POINT now{};
    GetCursorPos(&now);
    ASSERT_EQ(now.x, x);
    ASSERT_EQ(now.y, y);
}
