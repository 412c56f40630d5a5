#include "scene/model_shelf.h"

#include <cstdio>
#include <cstring>

#include "settings/model_files.h"
#include "settings/own_cars.h"
#include "settings/random_generator.h"

namespace {

struct ShelfModel {
    std::string path;
    std::string ownFileName;  // empty for the nine
    std::string ownLabel;
    bool unreadable = false;
};

std::vector<ShelfModel> shelf;
int32_t storedModel = 0;

bool FileExists(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
}

int32_t SafeShelfIndex(int32_t modelIndex) { return modelIndex >= 0 && modelIndex < ShelfCount() ? modelIndex : 0; }

// The nine, from the table's own names, until models are placed.
void EnsureNine() {
    if (!shelf.empty()) return;
    for (const ModelFile& model : ModelFiles) shelf.push_back({model.fileName, {}, {}, false});
}

}  // namespace

void PlaceModelsFrom(const std::vector<std::string>& folders) {
    shelf.clear();
    for (const ModelFile& model : ModelFiles) {
        const char* name = model.fileName;
        ShelfModel placed{folders.empty() ? name : JoinPath(folders.front(), name), {}, {}, false};
        for (const std::string& folder : folders) {
            const std::string path = JoinPath(folder, name);
            if (FileExists(path)) {
                placed.path = path;
                break;
            }
        }
        shelf.push_back(placed);
    }
}

void PlaceOwnCars(const std::string& folder) {
    EnsureNine();
    shelf.resize(ModelCount);
    for (const OwnCar& car : ListOwnCars(folder))
        shelf.push_back({JoinPath(folder, car.fileName), car.fileName, car.label, false});
}

int32_t ShelfCount() {
    EnsureNine();
    return static_cast<int32_t>(shelf.size());
}

bool IsOwnCar(int32_t modelIndex) { return modelIndex >= ModelCount && modelIndex < ShelfCount(); }

std::string OwnCarLabel(int32_t modelIndex) { return IsOwnCar(modelIndex) ? shelf[modelIndex].ownLabel : ""; }

bool IsChosenOwnCar(int32_t modelIndex) {
    return IsOwnCar(modelIndex) && shelf[modelIndex].ownFileName == saverSettings.ownCar;
}

void ChooseFirstCar() {
    SaverSettings& settings = saverSettings;
    storedModel = SafeModelIndex(settings.modelIndex);
    if (settings.randomModels != 0) {
        if (ShelfCount() > ModelCount) settings.modelIndex = NextRandom() % ShelfCount();
        return;
    }
    if (settings.ownCar[0] == '\0') return;
    for (int32_t index = ModelCount; index < ShelfCount(); ++index) {
        if (IsChosenOwnCar(index)) {
            settings.modelIndex = index;
            return;
        }
    }
}

int32_t StoredModel() { return storedModel; }

void PlaceEveryModelAt(const std::string& path) {
    EnsureNine();
    for (ShelfModel& model : shelf) model.path = path;
}

void PlaceOwnCarAt(const std::string& path) {
    EnsureNine();
    shelf.resize(ModelCount);
    const OwnCar car = OwnCarNamed(path.substr(path.find_last_of("/\\") + 1));
    shelf.push_back({path, car.fileName, car.label, false});
}

const char* ModelPath(int32_t modelIndex) {
    EnsureNine();
    return shelf[SafeShelfIndex(modelIndex)].path.c_str();
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

void SetModelUnreadable(int32_t modelIndex) {
    EnsureNine();
    shelf[SafeShelfIndex(modelIndex)].unreadable = true;
}

bool ModelUnreadable(int32_t modelIndex) {
    EnsureNine();
    return shelf[SafeShelfIndex(modelIndex)].unreadable;
}

int32_t ReadableModelCount() {
    int32_t count = 0;
    for (int32_t index = 0; index < ShelfCount(); ++index) count += shelf[index].unreadable ? 0 : 1;
    return count;
}
