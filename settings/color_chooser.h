#pragma once
#include <windows.h>

#include "retained/d3drm_types.h"

// The background colour in the system's colour dialog, run with our template
// "ViewerChooseColor", which adds an Alpha field.

// The alpha shown in and read from the Alpha field, 0 to 255.
extern int chooserAlpha;

// Shows the packed colour (and its alpha); on OK replaces it with the choice and returns 1. On
// Cancel, or when the dialog fails, returns 0 and leaves the colour untouched.
int ChooseBackgroundColor(HWND owner, D3DCOLOR& color);

// The dialog's hook: shows the alpha when the dialog opens and takes it on OK. Always FALSE, so
// that the dialog's own handling follows.
UINT_PTR CALLBACK ColorChooserHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Puts the value into the Alpha field, replacing all of its text.
void ShowAlphaValue(HWND dialog, int value);

// Reads the Alpha field: 0 with `value` set when it holds 0 to 255, 1 when it holds more than
// three characters or a larger number, 2 when it is empty. The text is read as an unsigned
// number, so a minus sign makes it far too large.
int ReadAlphaValue(HWND dialog, int& value);
