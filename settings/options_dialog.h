#pragma once
#include <windows.h>

// Resource number of the options dialog template.
constexpr int OptionsDialogId = 2003;

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
