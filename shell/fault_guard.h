#pragma once
#include <windows.h>

// The guard around the mode routine. A fault nobody handles goes to the system's unhandled-
// exception filter, as it would without us; when that filter elects to handle it, the system's
// screen-saver-running state is switched off and the process ends with the fault's code.
// Without structured exception handling in this compiler, the guard is a top-level filter
// installed for the routine's run.
int RunGuarded(int (*routine)(const char* switchText), const char* switchText);

// The filter's decision, with its consequence for the running state; ending the process is
// left to the caller.
LONG JudgeShellFault(EXCEPTION_POINTERS* info);
