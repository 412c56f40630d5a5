#include "settings/own_cars.h"

#include <algorithm>
#include <cctype>

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <sys/stat.h>
#endif

namespace {

std::string Lowered(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool EndsWith(const std::string& text, const char* ending) {
    const std::string end = ending;
    return text.size() > end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Every plain file directly in the folder, in the order the system gives them.
std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    if (folder.empty()) return names;
#ifdef _WIN32
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const DWORD skipped = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
        if ((found.dwFileAttributes & skipped) == 0) names.emplace_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
#else
    DIR* directory = opendir(folder.c_str());
    if (directory == nullptr) return names;
    while (const dirent* entry = readdir(directory)) {
        const std::string name = entry->d_name;
        struct stat status {};
        if (name.empty() || name[0] == '.') continue;
        if (stat((folder + "/" + name).c_str(), &status) == 0 && S_ISREG(status.st_mode)) names.push_back(name);
    }
    closedir(directory);
#endif
    return names;
}

}  // namespace

OwnCar OwnCarNamed(const std::string& fileName) { return {fileName, fileName.substr(0, fileName.find_last_of('.'))}; }

bool IsCarFileName(const std::string& fileName) {
    const std::string lowered = Lowered(fileName);
    return EndsWith(lowered, ".x") || EndsWith(lowered, ".glb") || EndsWith(lowered, ".gltf");
}

std::vector<OwnCar> ListOwnCars(const std::string& folder) {
    std::vector<OwnCar> cars;
    for (const std::string& name : FilesIn(folder))
        if (IsCarFileName(name)) cars.push_back(OwnCarNamed(name));
    std::sort(cars.begin(), cars.end(), [](const OwnCar& a, const OwnCar& b) {
        const std::string left = Lowered(a.label), right = Lowered(b.label);
        return left != right ? left < right : a.fileName < b.fileName;
    });
    if (cars.size() > MaxOwnCars) cars.resize(MaxOwnCars);
    return cars;
}
