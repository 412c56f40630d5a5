#pragma once
#include <windows.h>

#include <commdlg.h>
#include <mmsystem.h>

// The platform calls whose outcome cannot be steered or observed under a test harness
// (platform version, registry switch, password modules, running state, the system's fault
// filter, message boxes, the file and colour choosers, opening the help page, multimedia commands, the
// Windows directory, screen depth and refresh, time and waiting, the start of the render
// thread and the display's power notifications). Everything reaches them through this
// one table; it holds the real functions, and tests put their own in.
struct PlatformCalls {
    BOOL(WINAPI* GetVersionExA)(LPOSVERSIONINFOA info);
    LONG(WINAPI* RegOpenKeyA)(HKEY key, LPCSTR subKey, PHKEY result);
    LONG(WINAPI* RegQueryValueExA)(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size);
    LONG(WINAPI* RegCloseKey)(HKEY key);
    HMODULE(WINAPI* LoadLibraryA)(LPCSTR name);
    FARPROC(WINAPI* GetProcAddress)(HMODULE module, LPCSTR name);
    BOOL(WINAPI* FreeLibrary)(HMODULE module);
    BOOL(WINAPI* SystemParametersInfoA)(UINT action, UINT param, PVOID data, UINT winIni);
    LONG(WINAPI* UnhandledExceptionFilter)(EXCEPTION_POINTERS* info);

    int(WINAPI* MessageBoxA)(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
    MCIERROR(WINAPI* mciSendStringA)(LPCSTR command, LPSTR answer, UINT answerLength, HWND callback);
    UINT(WINAPI* GetWindowsDirectoryA)(LPSTR buffer, UINT size);
    int(WINAPI* GetDeviceCaps)(HDC dc, int index);
    // The monitors of the desktop, so that tests can give any arrangement of them.
    BOOL(WINAPI* EnumDisplayMonitors)(HDC dc, LPCRECT clip, MONITORENUMPROC callback, LPARAM data);
    BOOL(WINAPI* GetMonitorInfoA)(HMONITOR monitor, LPMONITORINFO info);

    DWORD(WINAPI* GetTickCount)();
    BOOL(WINAPI* QueryPerformanceCounter)(LARGE_INTEGER* count);
    BOOL(WINAPI* QueryPerformanceFrequency)(LARGE_INTEGER* frequency);
    // Waits for the desktop's next composition; fails where there is none.
    HRESULT(WINAPI* DwmFlush)();
    BOOL(WINAPI* SetWaitableTimer)
    (HANDLE timer, const LARGE_INTEGER* due, LONG period, PTIMERAPCROUTINE routine, LPVOID argument, BOOL resume);
    DWORD(WINAPI* WaitForMultipleObjects)(DWORD count, const HANDLE* handles, BOOL all, DWORD milliseconds);
    BOOL(WINAPI* GetOpenFileNameA)(LPOPENFILENAMEA chooser);
    BOOL(WINAPI* ChooseColorA)(LPCHOOSECOLORA chooser);
    HINSTANCE(WINAPI* ShellExecuteA)(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder, INT show);
    HANDLE(WINAPI* CreateThread)
    (LPSECURITY_ATTRIBUTES security, SIZE_T stackSize, LPTHREAD_START_ROUTINE start, LPVOID argument, DWORD flags,
     LPDWORD threadId);
    // The running program's own path and the installer's record of its folder.
    DWORD(WINAPI* GetModuleFileNameA)(HMODULE module, LPSTR path, DWORD size);
    LONG(WINAPI* RegOpenKeyExA)(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result);
    // The user's Documents folder, where their own cars are kept.
    HRESULT(WINAPI* SHGetFolderPathA)(HWND owner, int folder, HANDLE token, DWORD flags, LPSTR path);
    // Power setting changes (the console display's state) sent to a window as WM_POWERBROADCAST.
    HPOWERNOTIFY(WINAPI* RegisterPowerSettingNotification)(HANDLE recipient, LPCGUID setting, DWORD flags);
    BOOL(WINAPI* UnregisterPowerSettingNotification)(HPOWERNOTIFY notification);
};

extern PlatformCalls platform;

// The table as the program starts with it.
PlatformCalls RealPlatformCalls();

// An entry point looked up by name, as the function type it is known to have.
template <typename Function>
Function AsFunction(FARPROC entry) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(entry));
}
