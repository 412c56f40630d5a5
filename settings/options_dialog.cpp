#include "settings/options_dialog.h"

// The dialog shows OK and Cancel only until its settings controls are built: OK ends it with 1,
// Cancel (or closing it) with 0.
INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK:
                    EndDialog(dialog, 1);
                    return TRUE;
                case IDCANCEL:
                    EndDialog(dialog, 0);
                    return TRUE;
            }
            break;
    }
    return FALSE;
}
