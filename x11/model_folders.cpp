#include "x11/model_folders.h"

#include <unistd.h>

#include <climits>

#include "scene/model_shelf.h"

namespace {

// The user's data folder: an unset, empty or relative XDG_DATA_HOME means ~/.local/share.
std::string DataFolder(const char* xdgDataHome, const char* home) {
    if (xdgDataHome != nullptr && xdgDataHome[0] == '/') return xdgDataHome;
    if (home != nullptr && home[0] == '/') return JoinPath(home, ".local/share");
    return {};
}

}  // namespace

std::vector<std::string> ModelFolders(const std::string& modelsOption, const char* xdgDataHome, const char* home,
                                      const std::string& programFolder) {
    if (!modelsOption.empty()) return {modelsOption};
    std::vector<std::string> folders;
    const std::string data = DataFolder(xdgDataHome, home);
    if (!data.empty()) folders.push_back(JoinPath(data, "varnoka/models"));
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

std::string OwnCarsFolderFor(const std::string& carsOption, const char* xdgDataHome, const char* home) {
    if (!carsOption.empty()) return carsOption;
    const std::string data = DataFolder(xdgDataHome, home);
    return data.empty() ? data : JoinPath(data, "varnoka/cars");
}
