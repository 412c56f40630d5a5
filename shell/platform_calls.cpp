#include "shell/platform_calls.h"

#include <dwmapi.h>
#include <shellapi.h>
#include <shlobj.h>

PlatformCalls RealPlatformCalls() {
    PlatformCalls calls{};
    calls.GetVersionExA = ::GetVersionExA;
    calls.RegOpenKeyA = ::RegOpenKeyA;
    calls.RegQueryValueExA = ::RegQueryValueExA;
    calls.RegCloseKey = ::RegCloseKey;
    calls.LoadLibraryA = ::LoadLibraryA;
    calls.GetProcAddress = ::GetProcAddress;
    calls.FreeLibrary = ::FreeLibrary;
    calls.SystemParametersInfoA = ::SystemParametersInfoA;
    calls.UnhandledExceptionFilter = ::UnhandledExceptionFilter;
    calls.MessageBoxA = ::MessageBoxA;
    calls.mciSendStringA = ::mciSendStringA;
    calls.GetWindowsDirectoryA = ::GetWindowsDirectoryA;
    calls.GetDeviceCaps = ::GetDeviceCaps;
    calls.EnumDisplayMonitors = ::EnumDisplayMonitors;
    calls.GetMonitorInfoA = ::GetMonitorInfoA;
    calls.GetTickCount = ::GetTickCount;
    calls.QueryPerformanceCounter = ::QueryPerformanceCounter;
    calls.QueryPerformanceFrequency = ::QueryPerformanceFrequency;
    calls.DwmFlush = ::DwmFlush;
    calls.SetWaitableTimer = ::SetWaitableTimer;
    calls.WaitForMultipleObjects = ::WaitForMultipleObjects;
    calls.GetOpenFileNameA = ::GetOpenFileNameA;
    calls.ChooseColorA = ::ChooseColorA;
    calls.ShellExecuteA = ::ShellExecuteA;
    calls.CreateThread = ::CreateThread;
    calls.GetModuleFileNameA = ::GetModuleFileNameA;
    calls.RegOpenKeyExA = ::RegOpenKeyExA;
    calls.SHGetFolderPathA = ::SHGetFolderPathA;
    calls.RegisterPowerSettingNotification = ::RegisterPowerSettingNotification;
    calls.UnregisterPowerSettingNotification = ::UnregisterPowerSettingNotification;
    return calls;
}

PlatformCalls platform = RealPlatformCalls();
