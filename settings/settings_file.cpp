#include "settings/settings_file.h"

#include <shlobj.h>

#include <cstdio>
#include <vector>

#include "settings/saver_settings.h"

namespace {

constexpr char FolderName[] = "Varnoka";

bool FileExists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

bool UserFolder(char (&folder)[MAX_PATH]) {
    char appData[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("APPDATA", appData, sizeof appData);
    if (length == 0 || length >= sizeof appData) {
        if (SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData) != S_OK) return false;
    }
    const int written = std::snprintf(folder, sizeof folder, "%s\\%s", appData, FolderName);
    return written > 0 && written < static_cast<int>(sizeof folder);
}

bool JoinPath(char (&path)[MAX_PATH], const char* folder, const char* fileName) {
    const int written = std::snprintf(path, sizeof path, "%s\\%s", folder, fileName);
    return written > 0 && written < static_cast<int>(sizeof path);
}

// The user's file; the bare file name (the Windows directory's file) when no user folder is known.
void UserSettingsPath(char (&path)[MAX_PATH], char (&folder)[MAX_PATH]) {
    if (!UserFolder(folder) || !JoinPath(path, folder, settingsNames.fileName)) {
        folder[0] = '\0';
        lstrcpynA(path, settingsNames.fileName, MAX_PATH);
    }
}

bool EarlierInstallationPath(char (&path)[MAX_PATH]) {
    char windowsFolder[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(windowsFolder, sizeof windowsFolder);
    return length != 0 && length < sizeof windowsFolder && JoinPath(path, windowsFolder, settingsNames.fileName);
}

bool HasOurSection(const char* path) {
    if (!FileExists(path)) return false;
    std::vector<char> names(32768);
    const DWORD length = GetPrivateProfileSectionNamesA(names.data(), static_cast<DWORD>(names.size()), path);
    for (const char* name = names.data(); name < names.data() + length && *name != '\0'; name += lstrlenA(name) + 1)
        if (lstrcmpiA(name, settingsNames.sectionName) == 0) return true;
    return false;
}

void CopyOurSection(const char* from, const char* to) {
    std::vector<char> keys(32768);
    const DWORD length =
        GetPrivateProfileSectionA(settingsNames.sectionName, keys.data(), static_cast<DWORD>(keys.size()), from);
    if (length > 0) WritePrivateProfileSectionA(settingsNames.sectionName, keys.data(), to);
}

}  // namespace

void SettingsPathForReading(char (&path)[MAX_PATH]) {
    char folder[MAX_PATH];
    UserSettingsPath(path, folder);
    if (FileExists(path)) return;
    char earlier[MAX_PATH];
    if (EarlierInstallationPath(earlier) && HasOurSection(earlier)) lstrcpynA(path, earlier, MAX_PATH);
}

void SettingsPathForWriting(char (&path)[MAX_PATH]) {
    char folder[MAX_PATH];
    UserSettingsPath(path, folder);
    if (folder[0] == '\0' || FileExists(path)) return;
    CreateDirectoryA(folder, nullptr);
    char earlier[MAX_PATH];
    if (EarlierInstallationPath(earlier) && HasOurSection(earlier)) CopyOurSection(earlier, path);
}
