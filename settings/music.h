#pragma once
#include <windows.h>

#include <string>

// Background music: a MIDI file played once from its start through the multimedia control
// interface's sequencer, under the alias MUSIC.

// The window the play command names for notifications; the saver window.
extern HWND musicWindow;

// Makes the folder of `path` the current directory (a failure is ignored) and returns the file
// name part, which stays valid until the next call. A path without a backslash is all name.
const char* EnterFileDirectory(const char* path);

// Closes every device of the process, opens the file on the sequencer and plays it from its
// start. False at the first command that fails.
bool StartMusic(const char* fileName);

// Closes every multimedia device of the process; false when the command failed.
bool StopMusic();

// The open-file dialog for a MIDI file: the full path chosen (at most 255 characters), or an empty
// text when the user cancelled or the dialog failed.
std::string ChooseMidiFile(HWND owner, const char* title);
