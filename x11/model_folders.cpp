#include "x11/model_folders.h"

#include <unistd.h>

#include <climits>

#include "scene/model_shelf.h"

std::vector<std::string> ModelFolders(const std::string& modelsOption, const char* xdgDataHome, const char* home,
                                      const std::string& programFolder) {
    if (!modelsOption.empty()) return {modelsOption};
    std::vector<std::string> folders;
    // An unset, empty or relative XDG_DATA_HOME means ~/.local/share.
    if (xdgDataHome != nullptr && xdgDataHome[0] == '/')
        folders.push_back(JoinPath(xdgDataHome, "varnoka/models"));
    else if (home != nullptr && home[0] == '/')
        folders.push_back(JoinPath(home, ".local/share/varnoka/models"));
    folders.push_back(InstalledModelsFolder);
    if (!programFolder.empty()) folders.push_back(JoinPath(programFolder, "models"));
    return folders;
}

std::string RunningProgramFolder() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return {};
    return FolderOf(std::string(path, static_cast<std::size_t>(length)));
}
