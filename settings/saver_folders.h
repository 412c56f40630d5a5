#pragma once
// Where the saver's own files may be besides the Windows directory: beside the running program
// and in the folder the installer put them in.

#include <string>

// The running program's folder, without its separator; empty when it is not known.
std::string ProgramFolder();

// The folder the installer recorded (HKLM\Software\Varnoka, value InstallDir, in the 64-bit view);
// empty when none is recorded or the record is not a full path.
std::string InstalledFolder();
