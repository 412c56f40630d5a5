#include "shell/saver_shell.h"

// The C runtime's start-up calls WinMain once its own initialisation is done.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int showCommand) {
    return SaverEntry(instance, previousInstance, commandLine, showCommand);
}
