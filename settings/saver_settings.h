#pragma once
#include <cstdint>

// The saver's configuration, kept as INI text in one section of the settings file.

constexpr int MidiPathLength = 98;
constexpr int OwnCarNameLength = 259;  // the longest file name a folder holds

// How many models the saver has; a model index counts them from 0.
constexpr int32_t ModelCount = 9;

// What the RENDER, OBJECTS and COLORS keys store, in the order of the options dialog's buttons.
// The keys are read as they stand, so a setting may hold a value outside its list; such a value
// applies nothing.
enum ShadeSetting : int32_t { FlatShading, GouraudShading, PhongShading, ShadeSettingCount };
enum FillSetting : int32_t { PointsFill, WireframeFill, SolidFill, FillSettingCount };
enum ColorSetting : int32_t { MonoColors, RgbColors, ColorSettingCount };

struct SaverSettings {
    int32_t shadeMode;   // a ShadeSetting as stored
    int32_t fillMode;    // a FillSetting as stored
    int32_t colorModel;  // a ColorSetting as stored
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
    char ownCar[OwnCarNameLength + 1];  // the file name of the user's own car chosen; empty: one of the nine
};

extern SaverSettings saverSettings;

// The settings of a file that has none of the saver's keys, with the first model.
SaverSettings DefaultSaverSettings();

// Names of the file, the section and the keys, loaded from the string table; each buffer holds
// the longest text kept plus its terminator. A longer text is cut to that length.
constexpr int FileNameLength = 12;     // a short file name: eight, a dot and three
constexpr int SectionNameLength = 39;  // "Screen Saver." and the saver's name
constexpr int KeyNameLength = 51;
struct SettingsNames {
    char fileName[FileNameLength + 1];
    char sectionName[SectionNameLength + 1];
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
    char ownCar[KeyNameLength + 1];
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
void DeleteSettingKey(const char* key);
