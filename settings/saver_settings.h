#pragma once
#include <cstdint>

// The saver's configuration, kept as INI text in one section of the settings file.

constexpr int MidiPathLength = 98;

// How many models the saver has; a model index counts them from 0.
constexpr int32_t ModelCount = 9;

struct SaverSettings {
    int32_t shadeMode;
    int32_t fillMode;
    int32_t colorModel;
    int32_t dithered;
    int32_t textureFiltering;
    int32_t randomModels;
    int32_t backgroundRed;
    int32_t backgroundGreen;
    int32_t backgroundBlue;
    int32_t switchModels;
    int32_t switchDelay;  // seconds
    int32_t cameraX;      // camera position times 255
    int32_t cameraY;
    int32_t cameraZ;
    int32_t modelIndex;  // as stored: may lie outside the model table
    char midiPath[MidiPathLength + 1];
};

extern SaverSettings saverSettings;

// The settings of a file that has none of the saver's keys, with the first model.
SaverSettings DefaultSaverSettings();

// Names of the file, the section and the keys, loaded from the string table; each buffer holds
// the longest text kept plus its terminator.
constexpr int KeyNameLength = 51;
struct SettingsNames {
    char fileName[12 + 1];
    char sectionName[39 + 1];
    char render[KeyNameLength + 1];
    char objects[KeyNameLength + 1];
    char colors[KeyNameLength + 1];
    char dithered[KeyNameLength + 1];
    char filtering[KeyNameLength + 1];
    char cars[KeyNameLength + 1];
    char random[KeyNameLength + 1];
    char switchModels[KeyNameLength + 1];
    char delay[KeyNameLength + 1];
    char midi[KeyNameLength + 1];
    char red[KeyNameLength + 1];
    char green[KeyNameLength + 1];
    char blue[KeyNameLength + 1];
    char cameraX[KeyNameLength + 1];
    char cameraY[KeyNameLength + 1];
    char cameraZ[KeyNameLength + 1];
};

extern SettingsNames settingsNames;

void LoadSettingsNames();

// Fills saverSettings from the file. Never fails: what is missing takes its default.
void LoadSettings();

// Reads one integer key of the saver's section as LoadSettings does.
int32_t ReadSettingKey(const char* key, int32_t defaultValue);

// Write one key of the saver's section; nothing else in the file changes.
void WriteSettingInteger(const char* key, int32_t value);
void WriteSettingText(const char* key, const char* value);
