#include "settings/music.h"

#include <cstdio>
#include <cstring>

#include "settings/saver_settings.h"
#include "shell/platform_calls.h"

HWND musicWindow = nullptr;

namespace {

char musicFolder[MidiPathLength + 2];  // room for the backslash of a drive's root
char musicFileName[MidiPathLength + 1];

// "D:" alone names the current folder of drive D, not the folder the path meant: its root.
void MakeDriveRoot(char (&folder)[MidiPathLength + 2]) {
    if (std::strlen(folder) == 2 && folder[1] == ':') std::strcat(folder, "\\");
}

}  // namespace

const char* EnterFileDirectory(const char* path) {
    const char* lastBackslash = std::strrchr(path, '\\');
    if (lastBackslash == nullptr) {
        lstrcpynA(musicFileName, path, sizeof musicFileName);
        return musicFileName;
    }
    const size_t folderLength = static_cast<size_t>(lastBackslash - path);
    const size_t kept = folderLength < static_cast<size_t>(MidiPathLength) ? folderLength : MidiPathLength;
    std::memcpy(musicFolder, path, kept);
    musicFolder[kept] = '\0';
    lstrcpynA(musicFileName, lastBackslash + 1, sizeof musicFileName);
    if (musicFolder[0] != '\0') {
        MakeDriveRoot(musicFolder);
        SetCurrentDirectoryA(musicFolder);
    }
    return musicFileName;
}

bool StartMusic(const char* fileName) {
    if (platform.mciSendStringA("close all", nullptr, 0, nullptr) != 0) return false;
    // A name with a blank is quoted, or the command would stop at the blank; every other name is
    // sent as it stands.
    const char* format = std::strchr(fileName, ' ') != nullptr ? "open \"%s\" type sequencer alias MUSIC"
                                                               : "open %s type sequencer alias MUSIC";
    char command[256];
    const int length = std::snprintf(command, sizeof command, format, fileName);
    if (length < 0 || length >= static_cast<int>(sizeof command)) return false;
    if (platform.mciSendStringA(command, nullptr, 0, nullptr) != 0) return false;
    return platform.mciSendStringA("play MUSIC from 0", nullptr, 0, musicWindow) == 0;
}

bool StopMusic() { return platform.mciSendStringA("close all", nullptr, 0, nullptr) == 0; }

std::string ChooseMidiFile(HWND owner, const char* title) {
    char path[256] = {};
    char fileTitle[256] = {};
    OPENFILENAMEA chooser{};
    chooser.lStructSize = sizeof chooser;
    chooser.hwndOwner = owner;
    chooser.lpstrFilter = "MIDI files (*.mid)\0*.mid\0All Files (*.*)\0*.*\0";
    chooser.nFilterIndex = 1;
    chooser.lpstrFile = path;
    chooser.nMaxFile = sizeof path;
    chooser.lpstrFileTitle = fileTitle;
    chooser.nMaxFileTitle = sizeof fileTitle;
    chooser.lpstrTitle = title;
    chooser.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    chooser.lpstrDefExt = "mid";
    return platform.GetOpenFileNameA(&chooser) ? std::string(path) : std::string();
}
