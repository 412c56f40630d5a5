#pragma once
#include <windows.h>

// The options dialog (resource 2003): every setting but the camera, written back on OK.
INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The About box: closes only through its OK button.
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Puts an up-down control on the right edge of an edit, which shows its position in plain
// digits; null when it cannot be made.
HWND AttachDelaySpinner(HWND dialog, int editId, int spinnerId, int maximum, int minimum, int position);
