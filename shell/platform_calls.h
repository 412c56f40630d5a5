#pragma once
#include <windows.h>

// The platform calls whose outcome cannot be steered or observed under a test harness
// (platform version, registry switch, password modules, running state, tick count, the
// system's fault filter). Everything reaches them through this one table; it holds the real
// functions, and tests put their own in.
struct PlatformCalls {
    BOOL(WINAPI* GetVersionExA)(LPOSVERSIONINFOA info);
    LONG(WINAPI* RegOpenKeyA)(HKEY key, LPCSTR subKey, PHKEY result);
    LONG(WINAPI* RegQueryValueExA)(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size);
    LONG(WINAPI* RegCloseKey)(HKEY key);
    HMODULE(WINAPI* LoadLibraryA)(LPCSTR name);
    FARPROC(WINAPI* GetProcAddress)(HMODULE module, LPCSTR name);
    BOOL(WINAPI* FreeLibrary)(HMODULE module);
    BOOL(WINAPI* SystemParametersInfoA)(UINT action, UINT param, PVOID data, UINT winIni);
    DWORD(WINAPI* GetTickCount)();
    LONG(WINAPI* UnhandledExceptionFilter)(EXCEPTION_POINTERS* info);
};

extern PlatformCalls platform;

// The table as the program starts with it.
PlatformCalls RealPlatformCalls();

// An entry point looked up by name, as the function type it is known to have.
template <typename Function>
Function AsFunction(FARPROC entry) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(entry));
}
