#pragma once
#include <windows.h>

// Where the settings file lives. The Windows directory is not writable for a standard user on
// current Windows, so the file is kept in the user's application-data folder as
// "%APPDATA%\Varnoka\<file name>". Settings that an earlier installation kept in the Windows
// directory are still read while the user's own file does not exist, and are carried over
// into it on the first write.

// Full path of the file to read settings from.
void SettingsPathForReading(char (&path)[MAX_PATH]);

// Full path of the file to write a key to, with its folder made and any settings of an
// earlier installation copied in first.
void SettingsPathForWriting(char (&path)[MAX_PATH]);
