#include "shell/fault_guard.h"

#include "shell/platform_calls.h"
#include "shell/saver_shell.h"

namespace {

LPTOP_LEVEL_EXCEPTION_FILTER outerFilter = nullptr;

LONG WINAPI ShellFaultFilter(EXCEPTION_POINTERS* info) {
    // The system's filter must decide as if we were not here, so it must not call us again.
    SetUnhandledExceptionFilter(outerFilter);
    const LONG verdict = JudgeShellFault(info);
    if (verdict == EXCEPTION_EXECUTE_HANDLER) ExitProcess(info->ExceptionRecord->ExceptionCode);
    return verdict;
}

}  // namespace

LONG JudgeShellFault(EXCEPTION_POINTERS* info) {
    const LONG verdict = platform.UnhandledExceptionFilter(info);
    if (verdict == EXCEPTION_EXECUTE_HANDLER) SetSaverRunning(FALSE);
    return verdict;
}

int RunGuarded(int (*routine)(const char* switchText), const char* switchText) {
    outerFilter = SetUnhandledExceptionFilter(ShellFaultFilter);
    const int result = routine(switchText);
    SetUnhandledExceptionFilter(outerFilter);
    return result;
}
