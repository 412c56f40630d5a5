#include <windows.h>

#include <cstdio>
#include <ctime>

#include "resources/resource_ids.h"
#include "settings/random_generator.h"
#include "settings/saver_settings.h"
#include "settings/setting_values.h"
#include "settings/settings_file.h"

SettingsNames settingsNames{};

namespace {

template <size_t N>
void LoadName(UINT id, char (&name)[N]) {
    // The names live in the string table of the program's own module.
    if (LoadStringA(GetModuleHandleA(nullptr), id, name, static_cast<int>(N)) == 0) name[0] = '\0';
}

int32_t ReadInteger(const char* path, const char* key, int32_t defaultValue) {
    char text[64];
    GetPrivateProfileStringA(settingsNames.sectionName, key, "", text, sizeof text, path);
    return ReadSettingInteger(text, defaultValue);
}

}  // namespace

void LoadSettingsNames() {
    SettingsNames& names = settingsNames;
    LoadName(SettingsFileString, names.fileName);
    LoadName(SettingsSectionString, names.sectionName);
    LoadName(RenderKeyString, names.render);
    LoadName(ObjectsKeyString, names.objects);
    LoadName(ColorsKeyString, names.colors);
    LoadName(DitheredKeyString, names.dithered);
    LoadName(FilteringKeyString, names.filtering);
    LoadName(CarsKeyString, names.cars);
    LoadName(RandomKeyString, names.random);
    LoadName(SwitchKeyString, names.switchModels);
    LoadName(DelayKeyString, names.delay);
    LoadName(MidiKeyString, names.midi);
    LoadName(RedKeyString, names.red);
    LoadName(GreenKeyString, names.green);
    LoadName(BlueKeyString, names.blue);
    LoadName(CameraXKeyString, names.cameraX);
    LoadName(CameraYKeyString, names.cameraY);
    LoadName(CameraZKeyString, names.cameraZ);
    LoadName(OwnCarKeyString, names.ownCar);
}

void LoadSettings() {
    char path[MAX_PATH];
    SettingsPathForReading(path);
    const SettingsNames& names = settingsNames;
    SaverSettings& settings = saverSettings;
    const SaverSettings defaults = DefaultSaverSettings();

    settings.shadeMode = ReadInteger(path, names.render, defaults.shadeMode);
    settings.fillMode = ReadInteger(path, names.objects, defaults.fillMode);
    settings.colorModel = ReadInteger(path, names.colors, defaults.colorModel);
    settings.dithered = ReadInteger(path, names.dithered, defaults.dithered);
    settings.textureFiltering = ReadInteger(path, names.filtering, defaults.textureFiltering);
    settings.randomModels = ReadInteger(path, names.random, defaults.randomModels);
    settings.backgroundRed = ReadInteger(path, names.red, defaults.backgroundRed);
    settings.backgroundGreen = ReadInteger(path, names.green, defaults.backgroundGreen);
    settings.backgroundBlue = ReadInteger(path, names.blue, defaults.backgroundBlue);
    settings.switchModels = ReadInteger(path, names.switchModels, defaults.switchModels);
    settings.switchDelay = ReadInteger(path, names.delay, defaults.switchDelay);
    settings.cameraX = ReadInteger(path, names.cameraX, defaults.cameraX);
    settings.cameraY = ReadInteger(path, names.cameraY, defaults.cameraY);
    settings.cameraZ = ReadInteger(path, names.cameraZ, defaults.cameraZ);

    if (settings.randomModels != 0) {
        SeedRandom(static_cast<uint32_t>(std::time(nullptr)));
        settings.modelIndex = NextRandom() % ModelCount;
    } else {
        settings.modelIndex = ReadInteger(path, names.cars, defaults.modelIndex);
    }

    GetPrivateProfileStringA(names.sectionName, names.midi, "", settings.midiPath, sizeof settings.midiPath, path);
    GetPrivateProfileStringA(names.sectionName, names.ownCar, "", settings.ownCar, sizeof settings.ownCar, path);
}

int32_t ReadSettingKey(const char* key, int32_t defaultValue) {
    char path[MAX_PATH];
    SettingsPathForReading(path);
    return ReadInteger(path, key, defaultValue);
}

void WriteSettingText(const char* key, const char* value) {
    char path[MAX_PATH];
    SettingsPathForWriting(path);
    WritePrivateProfileStringA(settingsNames.sectionName, key, value, path);
}

void DeleteSettingKey(const char* key) {
    char path[MAX_PATH];
    SettingsPathForWriting(path);
    WritePrivateProfileStringA(settingsNames.sectionName, key, nullptr, path);
}

void WriteSettingInteger(const char* key, int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
    WriteSettingText(key, text);
}
