#include "scene/saver_window_proc.h"
#include "settings/options_dialog.h"
#include "shell/saver_shell.h"

// The C runtime's start-up calls WinMain once its own initialisation is done. Here the
// program's own procedures are handed to the shell, which runs them without naming them.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int showCommand) {
    programWindowProc = SaverWindowProc;
    optionsDialogProc = OptionsDialogProc;
    return SaverEntry(instance, previousInstance, commandLine, showCommand);
}
