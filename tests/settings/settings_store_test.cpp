#include <windows.h>

#include <gtest/gtest.h>

#include <ctime>
#include <fstream>
#include <sstream>
#include <string>

#include "settings/random_generator.h"
#include "settings/saver_settings.h"
#include "shell/saver_shell.h"

namespace {

std::string ReadFileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFileText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Each test gets an application-data folder of its own and a Windows-directory settings file
// that it may fill; whatever that file held before is put back afterwards.
class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        saverShellState.instance = GetModuleHandleA(nullptr);
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        appData = std::string(temp) + "varnoka-settings-" + std::to_string(GetCurrentProcessId()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name();
        CreateDirectoryA(appData.c_str(), nullptr);
        SetEnvironmentVariableA("APPDATA", appData.c_str());
        userFile = appData + "\\Varnoka\\control.ini";

        char windows[MAX_PATH];
        GetWindowsDirectoryA(windows, sizeof windows);
        windowsFile = std::string(windows) + "\\control.ini";
        hadWindowsFile = Exists(windowsFile);
        if (hadWindowsFile) savedWindowsFile = ReadFileText(windowsFile);
        DeleteFileA(windowsFile.c_str());

        LoadSettingsNames();
    }

    void TearDown() override {
        DeleteFileA(userFile.c_str());
        RemoveDirectoryA((appData + "\\Varnoka").c_str());
        RemoveDirectoryA(appData.c_str());
        if (hadWindowsFile)
            WriteFileText(windowsFile, savedWindowsFile);
        else
            DeleteFileA(windowsFile.c_str());
    }

    void WriteUserFile(const std::string& text) {
        CreateDirectoryA((appData + "\\Varnoka").c_str(), nullptr);
        WriteFileText(userFile, text);
    }

    SaverSettings Loaded() {
        LoadSettings();
        return saverSettings;
    }

    static void ExpectDefaults(const SaverSettings& s) {
        EXPECT_EQ(s.shadeMode, 1);
        EXPECT_EQ(s.fillMode, 2);
        EXPECT_EQ(s.colorModel, 1);
        EXPECT_EQ(s.dithered, 1);
        EXPECT_EQ(s.textureFiltering, 0);
        EXPECT_EQ(s.randomModels, 1);
        EXPECT_EQ(s.backgroundRed, 0);
        EXPECT_EQ(s.backgroundGreen, 0);
        EXPECT_EQ(s.backgroundBlue, 0);
        EXPECT_EQ(s.switchModels, 1);
        EXPECT_EQ(s.switchDelay, 30);
        EXPECT_EQ(s.cameraX, 0);
        EXPECT_EQ(s.cameraY, 510);
        EXPECT_EQ(s.cameraZ, -1275);
        EXPECT_GE(s.modelIndex, 0);
        EXPECT_LE(s.modelIndex, 8);
        EXPECT_STREQ(s.midiPath, "");
    }

    std::string appData, userFile, windowsFile, savedWindowsFile;
    bool hadWindowsFile = false;
};

TEST_F(SettingsStoreTest, NamesComeFromTheStringTable) {
    EXPECT_STREQ(settingsNames.fileName, "control.ini");
    EXPECT_STREQ(settingsNames.sectionName, "Screen Saver.Varnoka");
    const std::pair<const char*, const char*> keys[] = {{settingsNames.render, "RENDER"},
                                                        {settingsNames.objects, "OBJECTS"},
                                                        {settingsNames.colors, "COLORS"},
                                                        {settingsNames.dithered, "DITHERED"},
                                                        {settingsNames.filtering, "FILTERING"},
                                                        {settingsNames.cars, "CARS"},
                                                        {settingsNames.random, "RANDOM"},
                                                        {settingsNames.switchModels, "SWITCH"},
                                                        {settingsNames.delay, "DELAY"},
                                                        {settingsNames.midi, "MIDI"},
                                                        {settingsNames.red, "RED"},
                                                        {settingsNames.green, "GREEN"},
                                                        {settingsNames.blue, "BLUE"},
                                                        {settingsNames.cameraX, "X"},
                                                        {settingsNames.cameraY, "Y"},
                                                        {settingsNames.cameraZ, "Z"}};
    for (const auto& [loaded, expected] : keys) EXPECT_STREQ(loaded, expected);
}

TEST_F(SettingsStoreTest, NoFileOrNoSectionGivesEveryDefault) {
    ExpectDefaults(Loaded());
    WriteUserFile("[Other]\nRENDER=0\nDELAY=99\n");
    ExpectDefaults(Loaded());
}

TEST_F(SettingsStoreTest, ValuesAreReadByTheIntegerRules) {
    WriteUserFile(
        "[screen saver.varnoka]\nrender=0\nOBJECTS=  1\nCOLORS=-3\nDELAY=45s\nZ=-1275\nX=abc\nY=\nRED=255\n"
        "GREEN=12 34\nBLUE=+7\nRANDOM=0\nCARS=4\n");
    const SaverSettings s = Loaded();
    EXPECT_EQ(s.shadeMode, 0);
    EXPECT_EQ(s.fillMode, 1);
    EXPECT_EQ(s.colorModel, -3);
    EXPECT_EQ(s.switchDelay, 45);
    EXPECT_EQ(s.cameraZ, -1275);
    EXPECT_EQ(s.cameraX, 0);
    EXPECT_EQ(s.cameraY, 510);
    EXPECT_EQ(s.backgroundRed, 255);
    EXPECT_EQ(s.backgroundGreen, 12);
    EXPECT_EQ(s.backgroundBlue, 7);
    EXPECT_EQ(s.modelIndex, 4);
}

TEST_F(SettingsStoreTest, DelayTextWithoutDigitsIsZeroEmptyIsTheDefault) {
    WriteUserFile("[Screen Saver.Varnoka]\nDELAY=abc\n");
    EXPECT_EQ(Loaded().switchDelay, 0);
    WriteUserFile("[Screen Saver.Varnoka]\nDELAY=\n");
    EXPECT_EQ(Loaded().switchDelay, 30);
}

TEST_F(SettingsStoreTest, ModelIndexIsStoredAsReadWhenNotRandom) {
    WriteUserFile("[Screen Saver.Varnoka]\nRANDOM=0\nCARS=12\n");
    EXPECT_EQ(Loaded().modelIndex, 12);
    WriteUserFile("[Screen Saver.Varnoka]\nRANDOM=0\n");
    EXPECT_EQ(Loaded().modelIndex, 0);
}

TEST_F(SettingsStoreTest, RandomFirstModelIsDrawnFromTheGeneratorSeededWithTheTime) {
    WriteUserFile("[Screen Saver.Varnoka]\nRANDOM=1\nCARS=4\n");
    const std::time_t before = std::time(nullptr);
    const int picked = Loaded().modelIndex;
    const std::time_t after = std::time(nullptr);
    bool matches = false;
    for (std::time_t t = before; t <= after; ++t) {
        SeedRandom(static_cast<uint32_t>(t));
        matches |= NextRandom() % 9 == picked;
    }
    EXPECT_TRUE(matches);
}

TEST_F(SettingsStoreTest, MusicPathIsCutAt98Characters) {
    const std::string longPath = "C:\\" + std::string(150, 'm') + ".mid";
    WriteUserFile("[Screen Saver.Varnoka]\nMIDI=" + longPath + "\n");
    EXPECT_EQ(std::string(Loaded().midiPath), longPath.substr(0, 98));
}

TEST_F(SettingsStoreTest, WritingOneKeyLeavesEverythingElseAsItWas) {
    WriteUserFile("[Other]\nRED=1\nkeep=this\n[Screen Saver.Varnoka]\nUNKNOWN=stays\nRED=3\nDELAY=45s\n");
    WriteSettingInteger("RED", -7);
    WriteSettingText("MIDI", "C:\\Music\\song.mid");
    const std::string text = ReadFileText(userFile);
    EXPECT_NE(text.find("[Other]\r\nRED=1\r\nkeep=this"), std::string::npos) << text;
    EXPECT_NE(text.find("UNKNOWN=stays"), std::string::npos) << text;
    EXPECT_NE(text.find("DELAY=45s"), std::string::npos) << text;
    const SaverSettings s = Loaded();
    EXPECT_EQ(s.backgroundRed, -7);
    EXPECT_STREQ(s.midiPath, "C:\\Music\\song.mid");
}

TEST_F(SettingsStoreTest, WritingMakesTheUsersOwnFileAndLeavesTheWindowsDirectoryAlone) {
    WriteSettingInteger("X", 255);
    EXPECT_TRUE(Exists(userFile));
    EXPECT_FALSE(Exists(windowsFile));
    EXPECT_EQ(Loaded().cameraX, 255);
}

TEST_F(SettingsStoreTest, EarlierInstallationsSettingsAreReadUntilTheUsersFileExists) {
    WriteFileText(windowsFile, "[Desktop]\nPattern=1\n[Screen Saver.Varnoka]\nRED=9\nRANDOM=0\nCARS=2\n");
    EXPECT_EQ(Loaded().backgroundRed, 9);

    WriteUserFile("[Screen Saver.Varnoka]\nRED=5\n");
    EXPECT_EQ(Loaded().backgroundRed, 5);
}

TEST_F(SettingsStoreTest, WindowsDirectoryFileWithoutOurSectionIsNotUsed) {
    WriteFileText(windowsFile, "[Desktop]\nRED=9\n");
    EXPECT_EQ(Loaded().backgroundRed, 0);
}

TEST_F(SettingsStoreTest, FirstWriteCarriesTheEarlierSettingsOver) {
    WriteFileText(windowsFile, "[Desktop]\nPattern=1\n[Screen Saver.Varnoka]\nRED=9\nGREEN=8\nRANDOM=0\nCARS=2\n");
    WriteSettingInteger("Z", -2550);
    const SaverSettings s = Loaded();
    EXPECT_EQ(s.backgroundRed, 9);
    EXPECT_EQ(s.backgroundGreen, 8);
    EXPECT_EQ(s.modelIndex, 2);
    EXPECT_EQ(s.cameraZ, -2550);
    EXPECT_EQ(ReadFileText(userFile).find("Pattern"), std::string::npos);
    EXPECT_NE(ReadFileText(windowsFile).find("Pattern=1"), std::string::npos);
}

}  // namespace
