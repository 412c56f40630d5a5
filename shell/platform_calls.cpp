#include "shell/platform_calls.h"

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
    calls.GetTickCount = ::GetTickCount;
    calls.UnhandledExceptionFilter = ::UnhandledExceptionFilter;
    return calls;
}

PlatformCalls platform = RealPlatformCalls();
