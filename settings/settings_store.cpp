#include <windows.h>

#include <cstdio>
#include <ctime>

#include "resources/resource_ids.h"
#include "scene/model_files.h"
#include "settings/random_generator.h"
#include "settings/saver_settings.h"
#include "settings/setting_values.h"
#include "settings/settings_file.h"
#include "shell/saver_shell.h"

SaverSettings saverSettings{};
SettingsNames settingsNames{};

namespace {

template <size_t N>
void LoadName(UINT id, char (&name)[N]) {
    if (LoadStringA(saverShellState.instance, id, name, static_cast<int>(N)) == 0) name[0] = '\0';
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
}

void LoadSettings() {
    char path[MAX_PATH];
    SettingsPathForReading(path);
    const SettingsNames& names = settingsNames;
    SaverSettings& settings = saverSettings;

    settings.shadeMode = ReadInteger(path, names.render, 1);
    settings.fillMode = ReadInteger(path, names.objects, 2);
    settings.colorModel = ReadInteger(path, names.colors, 1);
    settings.dithered = ReadInteger(path, names.dithered, 1);
    settings.textureFiltering = ReadInteger(path, names.filtering, 0);
    settings.randomModels = ReadInteger(path, names.random, 1);
    settings.backgroundRed = ReadInteger(path, names.red, 0);
    settings.backgroundGreen = ReadInteger(path, names.green, 0);
    settings.backgroundBlue = ReadInteger(path, names.blue, 0);
    settings.switchModels = ReadInteger(path, names.switchModels, 1);
    settings.switchDelay = ReadInteger(path, names.delay, 30);
    settings.cameraX = ReadInteger(path, names.cameraX, 0);
    settings.cameraY = ReadInteger(path, names.cameraY, 510);
    settings.cameraZ = ReadInteger(path, names.cameraZ, -1275);

    if (settings.randomModels != 0) {
        SeedRandom(static_cast<uint32_t>(std::time(nullptr)));
        settings.modelIndex = NextRandom() % ModelCount;
    } else {
        settings.modelIndex = ReadInteger(path, names.cars, 0);
    }

    GetPrivateProfileStringA(names.sectionName, names.midi, "", settings.midiPath, sizeof settings.midiPath, path);
}

void WriteSettingText(const char* key, const char* value) {
    char path[MAX_PATH];
    SettingsPathForWriting(path);
    WritePrivateProfileStringA(settingsNames.sectionName, key, value, path);
}

void WriteSettingInteger(const char* key, int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
    WriteSettingText(key, text);
}
