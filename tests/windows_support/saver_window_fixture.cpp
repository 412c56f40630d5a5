#include "windows_support/saver_window_fixture.h"

#include <dwmapi.h>
#include <shlobj.h>

#include <cstring>

#include "scene/saver_window_proc.h"
#include "shell/platform_calls.h"

FakeScene fakeScene;

namespace {

std::string ModelFolder() {
    static std::string folder;
    if (!folder.empty()) return folder;
    folder = FreshTestFolder("models");
    for (const char* pattern : {"\\*.x", "\\*.bmp"}) {
        WIN32_FIND_DATAA found{};
        const std::string source = "Z:" VARNOKA_MODELS_DIR;
        HANDLE search = FindFirstFileA((source + pattern).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) continue;
        do {
            CopyFileA((source + "\\" + found.cFileName).c_str(), (folder + "\\" + found.cFileName).c_str(), FALSE);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    return folder;
}

int WINAPI FakeMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    fakeScene.boxOwners.push_back(owner);
    fakeScene.boxes.push_back(std::string(caption) + "|" + text);
    fakeScene.boxTypes.push_back(type);
    return IDOK;
}

MCIERROR WINAPI FakeMciSendString(LPCSTR command, LPSTR, UINT, HWND callback) {
    fakeScene.commands.push_back(command);
    fakeScene.commandWindows.push_back(callback);
    return 0;
}

UINT WINAPI FakeGetWindowsDirectory(LPSTR buffer, UINT size) {
    const std::string& folder = fakeScene.windowsDirectory;
    if (folder.size() >= size) return static_cast<UINT>(folder.size() + 1);
    lstrcpynA(buffer, folder.c_str(), static_cast<int>(size));
    return static_cast<UINT>(folder.size());
}

int WINAPI FakeGetDeviceCaps(HDC dc, int index) {
    if (index == BITSPIXEL && fakeScene.bitsPerPixel != 0) return fakeScene.bitsPerPixel;
    if (index == VREFRESH && fakeScene.refreshRate != 0) return fakeScene.refreshRate;
    return GetDeviceCaps(dc, index);
}

BOOL WINAPI FakeGetOpenFileName(LPOPENFILENAMEA chooser) {
    ++fakeScene.fileChooserCalls;
    fakeScene.chooserTitle = chooser->lpstrTitle != nullptr ? chooser->lpstrTitle : "";
    std::string filter;
    for (const char* p = chooser->lpstrFilter; p != nullptr && *p != '\0'; p += lstrlenA(p) + 1)
        filter += std::string(p) + "|";
    fakeScene.chooserFilter = filter;
    fakeScene.chooserFilterIndex = chooser->nFilterIndex;
    fakeScene.chooserFlags = chooser->Flags;
    fakeScene.chooserDefaultExtension = chooser->lpstrDefExt != nullptr ? chooser->lpstrDefExt : "";
    lstrcpynA(chooser->lpstrFile, "C:\\Music\\Chosen piece.mid", static_cast<int>(chooser->nMaxFile));
    return TRUE;
}

HINSTANCE WINAPI FakeShellExecute(HWND, LPCSTR, LPCSTR file, LPCSTR, LPCSTR, INT) {
    fakeScene.opened.push_back(file);
    return reinterpret_cast<HINSTANCE>(INT_PTR{33});
}

HRESULT WINAPI FakeSHGetFolderPath(HWND, int folder, HANDLE, DWORD, LPSTR path) {
    if (folder != CSIDL_PERSONAL || fakeScene.documentsFolder.empty()) return E_FAIL;
    lstrcpynA(path, fakeScene.documentsFolder.c_str(), MAX_PATH);
    return S_OK;
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

std::string AlphaText(HWND dialog) {
    char text[32] = {};
    GetDlgItemTextA(dialog, 714, text, sizeof text);
    return text;
}

BOOL WINAPI FakeChooseColor(LPCHOOSECOLORA chooser) {
    fakeScene.initialColor = chooser->rgbResult;
    fakeScene.colorFlags = chooser->Flags;
    fakeScene.colorTemplate = chooser->lpTemplateName != nullptr ? chooser->lpTemplateName : "";
    fakeScene.customColorsWhite = true;
    for (int i = 0; i < 16; ++i) fakeScene.customColorsWhite &= chooser->lpCustColors[i] == RGB(255, 255, 255);
    HWND dialog = CreateDialogParamA(reinterpret_cast<HINSTANCE>(chooser->hInstance), chooser->lpTemplateName,
                                     chooser->hwndOwner, PlainDialogProc, 0);
    if (dialog == nullptr) return FALSE;
    chooser->lpfnHook(dialog, WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(chooser));
    fakeScene.alphaShown = AlphaText(dialog);
    if (fakeScene.typeAlpha) SetDlgItemTextA(dialog, 714, fakeScene.typedAlpha.c_str());
    BOOL accepted = FALSE;
    if (!fakeScene.colorCancelled) {
        chooser->lpfnHook(dialog, WM_COMMAND, IDOK, 0);
        fakeScene.alphaAfterOk = AlphaText(dialog);
        chooser->rgbResult = fakeScene.chosenColor;
        accepted = TRUE;
    }
    DestroyWindow(dialog);
    return accepted;
}

HANDLE WINAPI FakeCreateThread(LPSECURITY_ATTRIBUTES security, SIZE_T stack, LPTHREAD_START_ROUTINE start,
                               LPVOID argument, DWORD flags, LPDWORD id) {
    if (fakeScene.threadStartFails) return nullptr;
    ++fakeScene.threadsStarted;
    return CreateThread(security, stack, start, argument, flags, id);
}

BOOL WINAPI FakeQueryPerformanceCounter(LARGE_INTEGER* count) {
    if (!fakeScene.fakeClock) return QueryPerformanceCounter(count);
    count->QuadPart = fakeScene.microseconds;
    return TRUE;
}

BOOL WINAPI FakeQueryPerformanceFrequency(LARGE_INTEGER* frequency) {
    if (!fakeScene.fakeClock) return QueryPerformanceFrequency(frequency);
    frequency->QuadPart = 1000000;
    return TRUE;
}

// As where the desktop does not compose: returns at once, leaving the pacing to the timer.
HRESULT WINAPI FakeDwmFlush() {
    ++fakeScene.displayWaits;
    return fakeScene.fakeClock ? E_FAIL : DwmFlush();
}

LONGLONG fakeTimerDue = 0;    // relative, in 100 ns
HANDLE frameTimer = nullptr;  // the last the render thread set

BOOL WINAPI FakeSetWaitableTimer(HANDLE timer, const LARGE_INTEGER* due, LONG period, PTIMERAPCROUTINE routine,
                                 LPVOID argument, BOOL resume) {
    frameTimer = timer;
    if (!fakeScene.fakeClock) return SetWaitableTimer(timer, due, period, routine, argument, resume);
    fakeTimerDue = -due->QuadPart;
    return TRUE;
}

DWORD HeldWait(DWORD count, const HANDLE* handles, BOOL all, DWORD milliseconds) {
    fakeScene.heldWaitTimeout = milliseconds;
    fakeScene.framesBeforeHeldWait = fakeScene.displayWaits.load();
    ++fakeScene.heldWaits;
    const DWORD result = WaitForMultipleObjects(count, handles, all, milliseconds);
    fakeScene.heldWaitResult = result;
    ++fakeScene.heldWaitsEnded;
    return result;
}

// The frame timer "fires" by moving the clock to its due time; a stop request still wins. Every
// other wait is real, and recorded.
DWORD WINAPI FakeWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL all, DWORD milliseconds) {
    if (count != 2 || handles[1] != frameTimer) return HeldWait(count, handles, all, milliseconds);
    if (!fakeScene.fakeClock) return WaitForMultipleObjects(count, handles, all, milliseconds);
    if (WaitForSingleObject(handles[0], 0) == WAIT_OBJECT_0) return WAIT_OBJECT_0;
    fakeScene.microseconds += fakeTimerDue / 10;
    Sleep(1);  // gives the window thread its turn, as a real frame wait would
    return WAIT_OBJECT_0 + 1;
}

DWORD WINAPI FakeGetModuleFileName(HMODULE module, LPSTR path, DWORD size) {
    const std::string& program = fakeScene.programPath;
    if (program.empty()) return GetModuleFileNameA(module, path, size);
    lstrcpynA(path, program.c_str(), static_cast<int>(size));
    return program.size() < size ? static_cast<DWORD>(program.size()) : size;
}

// As the system does, the present state is sent at once.
HPOWERNOTIFY WINAPI FakeRegisterPowerSettingNotification(HANDLE recipient, LPCGUID setting, DWORD flags) {
    const auto notification = reinterpret_cast<HPOWERNOTIFY>(0x70000 + fakeScene.powerRegistrations.size());
    fakeScene.powerRegistrations.push_back({recipient, *setting, flags, notification});
    if (IsEqualGUID(*setting, ConsoleDisplayStateGuid))
        SendDisplayState(static_cast<HWND>(recipient), fakeScene.displayState);
    return notification;
}

BOOL WINAPI FakeUnregisterPowerSettingNotification(HPOWERNOTIFY notification) {
    fakeScene.powerUnregistered.push_back(notification);
    return TRUE;
}

HKEY const FakeInstallKey = reinterpret_cast<HKEY>(0x7D000000);
decltype(PlatformCalls::RegQueryValueExA) shellQueryValue = nullptr;
decltype(PlatformCalls::RegCloseKey) shellCloseKey = nullptr;

LONG WINAPI FakeRegOpenKeyEx(HKEY root, LPCSTR subKey, DWORD, REGSAM access, PHKEY result) {
    if (root != HKEY_LOCAL_MACHINE || lstrcmpiA(subKey, "Software\\Varnoka") != 0 || !fakeScene.installKeyPresent)
        return ERROR_FILE_NOT_FOUND;
    fakeScene.installKeyAccess = access;
    ++fakeScene.installKeysOpen;
    *result = FakeInstallKey;
    return ERROR_SUCCESS;
}

// As the registry answers: the stored bytes as they are, or the size they need.
LONG WINAPI FakeRegQueryValueEx(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size) {
    if (key != FakeInstallKey) return shellQueryValue(key, name, reserved, type, data, size);
    if (lstrcmpiA(name, "InstallDir") != 0) return ERROR_FILE_NOT_FOUND;
    const std::string& value = fakeScene.installValue;
    const DWORD needed = static_cast<DWORD>(value.size());
    if (type != nullptr) *type = fakeScene.installValueType;
    if (data != nullptr && *size < needed) {
        *size = needed;
        return ERROR_MORE_DATA;
    }
    if (data != nullptr) CopyMemory(data, value.data(), needed);
    *size = needed;
    return ERROR_SUCCESS;
}

LONG WINAPI FakeRegCloseKey(HKEY key) {
    if (key != FakeInstallKey) return shellCloseKey(key);
    --fakeScene.installKeysOpen;
    return ERROR_SUCCESS;
}

}  // namespace

std::string FreshTestFolder(const std::string& purpose) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string folder = std::string(temp) + "varnoka-" + purpose + "-" + std::to_string(GetCurrentProcessId()) +
                               (purpose == "models" || test == nullptr ? "" : std::string("-") + test->name());
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

void SaverWindowTest::SetUp() {
    ShellTest::SetUp();
    fakeScene.boxes.clear();
    fakeScene.boxTypes.clear();
    fakeScene.boxOwners.clear();
    fakeScene.commands.clear();
    fakeScene.commandWindows.clear();
    fakeScene.windowsDirectory = ModelFolder();
    fakeScene.bitsPerPixel = 0;
    fakeScene.refreshRate = 0;
    fakeScene.threadStartFails = false;
    fakeScene.threadsStarted = 0;
    fakeScene.fileChooserCalls = 0;
    fakeScene.opened.clear();
    // A Documents folder of the test's own, without the saver's folder in it: Wine gives a new
    // process the same id, so what an earlier run left there goes first.
    fakeScene.documentsFolder = FreshTestFolder("documents");
    const std::string cars = fakeScene.documentsFolder + "\\Varnoka Cars";
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((cars + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            DeleteFileA((cars + "\\" + found.cFileName).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(cars.c_str());
    fakeScene.colorCancelled = false;
    fakeScene.chosenColor = RGB(0, 0, 0);
    fakeScene.typeAlpha = false;
    fakeScene.alphaShown.clear();
    fakeScene.alphaAfterOk.clear();
    fakeScene.fakeClock = false;
    fakeScene.microseconds = 0;
    fakeScene.displayWaits = 0;
    fakeScene.programPath.clear();
    fakeScene.installKeyPresent = false;
    fakeScene.installValueType = REG_SZ;
    fakeScene.installValue.clear();
    fakeScene.installKeyAccess = 0;
    fakeScene.installKeysOpen = 0;
    fakeScene.displayState = 1;
    fakeScene.powerRegistrations.clear();
    fakeScene.powerUnregistered.clear();
    fakeScene.heldWaits = 0;
    fakeScene.heldWaitsEnded = 0;
    fakeScene.heldWaitTimeout = 0;
    fakeScene.heldWaitResult = 0;
    fakeScene.framesBeforeHeldWait = 0;
    frameTimer = nullptr;

    platform.MessageBoxA = FakeMessageBox;
    platform.mciSendStringA = FakeMciSendString;
    platform.GetWindowsDirectoryA = FakeGetWindowsDirectory;
    platform.GetDeviceCaps = FakeGetDeviceCaps;
    platform.CreateThread = FakeCreateThread;
    platform.GetOpenFileNameA = FakeGetOpenFileName;
    platform.ShellExecuteA = FakeShellExecute;
    platform.SHGetFolderPathA = FakeSHGetFolderPath;
    platform.ChooseColorA = FakeChooseColor;
    platform.QueryPerformanceCounter = FakeQueryPerformanceCounter;
    platform.QueryPerformanceFrequency = FakeQueryPerformanceFrequency;
    platform.DwmFlush = FakeDwmFlush;
    platform.SetWaitableTimer = FakeSetWaitableTimer;
    platform.WaitForMultipleObjects = FakeWaitForMultipleObjects;
    platform.GetTickCount = GetTickCount;
    platform.GetModuleFileNameA = FakeGetModuleFileName;
    shellQueryValue = platform.RegQueryValueExA;
    shellCloseKey = platform.RegCloseKey;
    platform.RegOpenKeyExA = FakeRegOpenKeyEx;
    platform.RegQueryValueExA = FakeRegQueryValueEx;
    platform.RegCloseKey = FakeRegCloseKey;
    platform.RegisterPowerSettingNotification = FakeRegisterPowerSettingNotification;
    platform.UnregisterPowerSettingNotification = FakeUnregisterPowerSettingNotification;
    programWindowProc = SaverWindowProc;

    appData_ = FreshTestFolder("appdata");
    SetEnvironmentVariableA("APPDATA", appData_.c_str());
    CreateDirectoryA((appData_ + "\\Varnoka").c_str(), nullptr);
    settingsFile = appData_ + "\\Varnoka\\control.ini";
    DeleteFileA(settingsFile.c_str());
    // A known first model and no switching unless a test asks for them.
    Setting("RANDOM", "0");
    Setting("CARS", "0");
    Setting("SWITCH", "0");
}

void SaverWindowTest::TearDown() {
    for (HWND window : savers_)
        if (IsWindow(window)) DestroyWindow(window);
    ShellTest::TearDown();
    DeleteFileA(settingsFile.c_str());
    RemoveDirectoryA((appData_ + "\\Varnoka").c_str());
    RemoveDirectoryA(appData_.c_str());
}

void SaverWindowTest::Setting(const std::string& key, const std::string& value) {
    WritePrivateProfileStringA("Screen Saver.Varnoka", key.c_str(), value.c_str(), settingsFile.c_str());
}

int SaverWindowTest::StoredSetting(const std::string& key, int missing) {
    return static_cast<int>(GetPrivateProfileIntA("Screen Saver.Varnoka", key.c_str(), missing, settingsFile.c_str()));
}

HWND SaverWindowTest::CreateSaver(int width, int height) {
    if (RegisterSaverClass() == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        ADD_FAILURE() << "saver class not registered";
    HWND window = CreateWindowExA(0, "WindowsScreenSaverClass", "Test Saver", WS_POPUP | WS_VISIBLE, 0, 0, width,
                                  height, nullptr, nullptr, saverShellState.instance, nullptr);
    saverShellState.window = window;
    savers_.push_back(window);
    return window;
}

HWND SaverWindowTest::CreatePreview(HWND parent) {
    if (RegisterSaverClass() == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        ADD_FAILURE() << "saver class not registered";
    RECT client{};
    GetClientRect(parent, &client);
    saverShellState.isPreview = TRUE;
    HWND window = CreateWindowExA(0, "WindowsScreenSaverClass", "Preview", WS_CHILD | WS_VISIBLE, 0, 0, client.right,
                                  client.bottom, parent, nullptr, saverShellState.instance, nullptr);
    saverShellState.window = window;
    savers_.push_back(window);
    return window;
}

void SaverWindowTest::Destroy(HWND window) { DestroyWindow(window); }

void SendPowerSetting(HWND window, const GUID& setting, DWORD value, DWORD length) {
    // The data follows the header unaligned, as the system lays it out.
    alignas(POWERBROADCAST_SETTING) BYTE message[sizeof(POWERBROADCAST_SETTING) + sizeof(DWORD)] = {};
    auto* header = reinterpret_cast<POWERBROADCAST_SETTING*>(message);
    header->PowerSetting = setting;
    header->DataLength = length;
    std::memcpy(header->Data, &value, sizeof value);
    SendMessageA(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(message));
}

void SaverWindowTest::WithoutModels() { fakeScene.windowsDirectory = FreshTestFolder("empty-windows"); }

void SaverWindowTest::RecordInstalledFolder(const std::string& folder) {
    fakeScene.installKeyPresent = true;
    fakeScene.installValueType = REG_SZ;
    fakeScene.installValue = folder + '\0';
}
