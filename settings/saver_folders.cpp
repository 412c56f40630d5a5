#include "settings/saver_folders.h"

#include <shlobj.h>

#include "shell/platform_calls.h"

namespace {

constexpr char InstallKeyName[] = "Software\\Varnoka";
constexpr char InstallDirValue[] = "InstallDir";

// Files are opened by full path, so that the current directory never decides what is found.
bool IsFullPath(const std::string& path) {
    const bool driveRoot = path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
    return driveRoot || path.compare(0, 2, "\\\\") == 0;
}

}  // namespace

std::string ProgramFolder() {
    char path[MAX_PATH];
    const DWORD length = platform.GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path) return std::string();
    const std::string program(path, length);
    const std::string::size_type separator = program.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : program.substr(0, separator);
}

std::string InstalledFolder() {
    HKEY key = nullptr;
    // The 64-bit view is where a 64-bit installer writes, whichever view this program would get.
    if (platform.RegOpenKeyExA(HKEY_LOCAL_MACHINE, InstallKeyName, 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, &key) !=
        ERROR_SUCCESS)
        return std::string();
    // One byte more than the value may fill: a stored string need not end in its terminator.
    char folder[MAX_PATH + 1] = {};
    DWORD type = REG_NONE;
    DWORD size = MAX_PATH;
    const LONG result =
        platform.RegQueryValueExA(key, InstallDirValue, nullptr, &type, reinterpret_cast<LPBYTE>(folder), &size);
    platform.RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_SZ || size > MAX_PATH) return std::string();
    folder[size] = '\0';
    const std::string path(folder);
    return IsFullPath(path) ? path : std::string();
}

std::string OwnCarsFolder() {
    char documents[MAX_PATH];
    // CSIDL_PERSONAL is the Documents known folder, followed wherever the user has moved it.
    if (FAILED(platform.SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents)))
        return std::string();
    const std::string folder(documents);
    if (!IsFullPath(folder)) return std::string();
    return folder + (folder.back() == '\\' ? "" : "\\") + "Varnoka Cars";
}

bool ShowOwnCarsFolder(HWND owner) {
    const std::string folder = OwnCarsFolder();
    if (folder.empty()) return false;
    if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
    // ShellExecute reports success with any value above 32.
    const HINSTANCE shown = platform.ShellExecuteA(owner, "explore", folder.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(shown) > 32;
}
