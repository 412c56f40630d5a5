#include "scene/saver_window_proc.h"
#include "settings/options_dialog.h"
#include "shell/saver_shell.h"

// The program's entry, above the folders it joins: the shell runs the saver window and the
// options dialog without naming the procedures of scene and settings, which are handed to it
// here. The C runtime's start-up calls WinMain once its own initialisation is done.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int showCommand) {
    programWindowProc = SaverWindowProc;
    optionsDialogProc = OptionsDialogProc;
    return SaverEntry(instance, previousInstance, commandLine, showCommand);
}
