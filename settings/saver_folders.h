#pragma once
// Where the saver's own files may be besides the Windows directory: beside the running program
// and in the folder the installer put them in.

#include <windows.h>

#include <string>

// The running program's folder, without its separator; empty when it is not known.
std::string ProgramFolder();

// The folder the installer recorded (HKLM\Software\Varnoka, value InstallDir, in the 64-bit view);
// empty when none is recorded or the record is not a full path.
std::string InstalledFolder();

// The folder of the user's own cars: "Varnoka Cars" in their Documents folder (wherever it was
// moved to); empty when the Documents folder is not known.
std::string OwnCarsFolder();

// Opens the folder of the user's own cars in Explorer, making it first when missing. False when
// there is no such folder to be had.
bool ShowOwnCarsFolder(HWND owner);
