#include "scene/model_shelf.h"

#include <cstdio>

#include "settings/model_files.h"

namespace {

std::string modelPaths[ModelCount];
bool unreadable[ModelCount];

bool FileExists(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
}

}  // namespace

void PlaceModelsFrom(const std::vector<std::string>& folders) {
    for (int32_t index = 0; index < ModelCount; ++index) {
        unreadable[index] = false;
        const char* name = ModelFiles[index].fileName;
        modelPaths[index] = folders.empty() ? name : JoinPath(folders.front(), name);
        for (const std::string& folder : folders) {
            const std::string path = JoinPath(folder, name);
            if (FileExists(path)) {
                modelPaths[index] = path;
                break;
            }
        }
    }
}

void PlaceEveryModelAt(const std::string& path) {
    for (std::string& modelPath : modelPaths) modelPath = path;
}

const char* ModelPath(int32_t modelIndex) {
    const std::string& path = modelPaths[SafeModelIndex(modelIndex)];
    return path.empty() ? ModelFileFor(modelIndex).fileName : path.c_str();
}

std::string FolderOf(const std::string& path) {
    const std::string::size_type separator = path.find_last_of("/\\");
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
#ifdef _WIN32
    constexpr char Separator = '\\';
#else
    constexpr char Separator = '/';
#endif
    const char last = folder.back();
    return last == '/' || last == '\\' ? folder + name : folder + Separator + name;
}

void SetModelUnreadable(int32_t modelIndex) { unreadable[SafeModelIndex(modelIndex)] = true; }

bool ModelUnreadable(int32_t modelIndex) { return unreadable[SafeModelIndex(modelIndex)]; }

int32_t ReadableModelCount() {
    int32_t count = 0;
    for (bool found : unreadable) count += found ? 0 : 1;
    return count;
}
