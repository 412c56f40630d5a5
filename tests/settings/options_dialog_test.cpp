#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "settings/options_dialog.h"
#include "settings/saver_settings.h"
#include "windows_support/saver_window_fixture.h"

namespace {

std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The dialog made from its template with its real controls, driven by messages.
class OptionsDialogTest : public SaverWindowTest {
protected:
    void TearDown() override {
        if (dialog_ != nullptr && IsWindow(dialog_)) DestroyWindow(dialog_);
        SaverWindowTest::TearDown();
    }
    HWND Open() {
        dialog_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(OptionsDialogId), nullptr,
                                     OptionsDialogProc, 0);
        EXPECT_NE(dialog_, nullptr);
        return dialog_;
    }
    void Press(int id) { SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    bool Checked(int id) { return IsDlgButtonChecked(dialog_, id) == BST_CHECKED; }
    std::string Text(int id) {
        char text[512] = {};
        GetDlgItemTextA(dialog_, id, text, sizeof text);
        return text;
    }
    int Selected() { return static_cast<int>(SendDlgItemMessageA(dialog_, ModelListId, CB_GETCURSEL, 0, 0)); }
    std::string Stored(const char* key) {
        char text[512] = {};
        GetPrivateProfileStringA("Screen Saver.Varnoka", key, "<none>", text, sizeof text, settingsFile.c_str());
        return text;
    }

    HWND dialog_ = nullptr;
};

TEST_F(OptionsDialogTest, OpensWithTheStoredSettings) {
    Setting("RENDER", "40");
    Setting("OBJECTS", "1");
    Setting("COLORS", "0");
    Setting("DITHERED", "0");
    Setting("FILTERING", "1");
    Setting("SWITCH", "0");
    Setting("DELAY", "45");
    Setting("CARS", "4");
    Setting("MIDI", "C:\\Music\\tune.mid");
    Open();
    EXPECT_FALSE(Checked(FlatButtonId) || Checked(GouraudButtonId) || Checked(PhongButtonId)) << "40 checks none";
    EXPECT_TRUE(Checked(WireframeButtonId));
    EXPECT_TRUE(Checked(MonoButtonId));
    EXPECT_FALSE(Checked(DitheredBoxId));
    EXPECT_TRUE(Checked(FilteringBoxId));
    EXPECT_FALSE(Checked(RandomBoxId));
    EXPECT_FALSE(Checked(SwitchBoxId));
    EXPECT_EQ(Text(DelayEditId), "45");
    EXPECT_EQ(Text(MidiEditId), "C:\\Music\\tune.mid");
    ASSERT_EQ(SendDlgItemMessageA(dialog_, ModelListId, CB_GETCOUNT, 0, 0), 9);
    for (int i = 0; i < 9; ++i) {
        char label[32] = {};
        SendDlgItemMessageA(dialog_, ModelListId, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(label));
        EXPECT_EQ(std::string(label), "Model " + std::to_string(i + 1));
    }
    EXPECT_EQ(Selected(), 4);

    // OK writes no RENDER while none is checked, and keeps the camera keys out of it.
    Press(IDOK);
    EXPECT_EQ(Stored("RENDER"), "40");
    EXPECT_EQ(Stored("OBJECTS"), "1");
    EXPECT_EQ(Stored("CARS"), "4");
    EXPECT_EQ(Stored("DELAY"), "45");
    EXPECT_EQ(Stored("X"), "<none>");
}

std::string Label(HWND dialog, int entry) {
    char label[300] = {};
    SendDlgItemMessageA(dialog, ModelListId, CB_GETLBTEXT, entry, reinterpret_cast<LPARAM>(label));
    return label;
}

void Touch(const std::string& path) {
    CloseHandle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
}

TEST_F(OptionsDialogTest, OwnCarsFollowTheNineAndAreStoredByFileNameKeepingCars) {
    const std::string cars = fakeScene.documentsFolder + "\\Varnoka Cars";
    CreateDirectoryA(cars.c_str(), nullptr);
    for (const char* name : {"zeta.glb", "Alpha.x", "readme.txt", "Beta.gltf", "Beta.bin"}) Touch(cars + "\\" + name);
    Setting("CARS", "4");
    Open();
    ASSERT_EQ(SendDlgItemMessageA(dialog_, ModelListId, CB_GETCOUNT, 0, 0), 12);
    EXPECT_EQ(Label(dialog_, 8), "Model 9");
    EXPECT_EQ(Label(dialog_, 9), "Alpha");
    EXPECT_EQ(Label(dialog_, 10), "Beta");
    EXPECT_EQ(Label(dialog_, 11), "zeta");
    EXPECT_EQ(Selected(), 4);

    SendDlgItemMessageA(dialog_, ModelListId, CB_SETCURSEL, 11, 0);
    Press(IDOK);
    EXPECT_EQ(Stored("OWNCAR"), "zeta.glb");
    EXPECT_EQ(Stored("CARS"), "4") << "kept for when the file is gone";

    DestroyWindow(dialog_);
    Open();
    EXPECT_EQ(Selected(), 11);
    // A car dropped in while the dialog is open is listed when the dialog is back in front.
    Touch(cars + "\\Aardvark.glb");
    SendMessageA(dialog_, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(Label(dialog_, 9), "Aardvark");
    EXPECT_EQ(Selected(), 12) << "the car chosen stays chosen";
    SendDlgItemMessageA(dialog_, ModelListId, CB_SETCURSEL, 2, 0);
    Press(IDOK);
    EXPECT_EQ(Stored("CARS"), "2");
    EXPECT_EQ(Stored("OWNCAR"), "<none>") << "one of the nine: no own car";

    // A stored own car whose file is gone shows CARS.
    Setting("OWNCAR", "gone.glb");
    DestroyWindow(dialog_);
    Open();
    EXPECT_EQ(Selected(), 2);
}

TEST_F(OptionsDialogTest, TheOwnCarsButtonMakesTheFolderAndOpensIt) {
    const std::string cars = fakeScene.documentsFolder + "\\Varnoka Cars";
    Open();
    Press(OwnCarsButtonId);
    EXPECT_NE(GetFileAttributesA(cars.c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_EQ(fakeScene.opened.size(), 1u);
    EXPECT_EQ(fakeScene.opened[0], cars);
    Press(OwnCarsButtonId);
    EXPECT_EQ(fakeScene.opened.size(), 2u) << "an existing folder opens as well";

    // Without a Documents folder there is nothing to open, and no list of own cars.
    fakeScene.documentsFolder.clear();
    Press(OwnCarsButtonId);
    EXPECT_EQ(fakeScene.opened.size(), 2u);
    SendMessageA(dialog_, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(SendDlgItemMessageA(dialog_, ModelListId, CB_GETCOUNT, 0, 0), 9);
}

TEST_F(OptionsDialogTest, UseDefaultsThenCancelWritesNothingAndThenOkWritesTheDefaults) {
    Setting("RENDER", "0");
    Setting("RED", "200");
    Setting("CARS", "6");
    Setting("MIDI", "tune.mid");
    Setting("X", "77");
    WritePrivateProfileStringA("Other Program", "Key", "kept", settingsFile.c_str());
    Setting("UNKNOWN", "kept too");
    const std::string before = FileText(settingsFile);
    Open();
    Press(UseDefaultsButtonId);
    Press(IDCANCEL);
    EXPECT_EQ(FileText(settingsFile), before) << "byte for byte";

    DestroyWindow(dialog_);
    Open();
    Press(UseDefaultsButtonId);
    Press(IDOK);
    for (const auto& [key, value] : {std::pair<const char*, const char*>{"RENDER", "1"},
                                     {"OBJECTS", "2"},
                                     {"COLORS", "1"},
                                     {"DITHERED", "1"},
                                     {"FILTERING", "0"},
                                     {"RANDOM", "1"},
                                     {"RED", "0"},
                                     {"GREEN", "0"},
                                     {"BLUE", "0"},
                                     {"SWITCH", "1"},
                                     {"DELAY", "30"},
                                     {"CARS", "6"},
                                     {"MIDI", "tune.mid"},
                                     {"X", "77"},
                                     {"UNKNOWN", "kept too"}})
        EXPECT_EQ(Stored(key), value) << key;
    char other[16] = {};
    GetPrivateProfileStringA("Other Program", "Key", "", other, sizeof other, settingsFile.c_str());
    EXPECT_STREQ(other, "kept");
}

TEST_F(OptionsDialogTest, TextsAreStoredAsTypedAndCutAt98Characters) {
    Open();
    SetDlgItemTextA(dialog_, DelayEditId, "abc");
    const std::string longPath = "C:\\" + std::string(120, 'm') + ".mid";
    SetDlgItemTextA(dialog_, MidiEditId, longPath.c_str());
    EXPECT_EQ(Text(MidiEditId), longPath) << "shown whole";
    Press(IDOK);
    EXPECT_EQ(Stored("DELAY"), "abc");
    EXPECT_EQ(Stored("MIDI"), longPath.substr(0, 98));
    LoadSettings();
    EXPECT_EQ(saverSettings.switchDelay, 0);
}

TEST_F(OptionsDialogTest, TheSpinnerWrapsAndShowsPlainDigits) {
    Setting("DELAY", "1000");
    Open();
    HWND spinner = GetDlgItem(dialog_, DelaySpinnerId);
    ASSERT_NE(spinner, nullptr);
    EXPECT_EQ(Text(DelayEditId), "1000") << "no digit grouping";
    // Up from 1000 wraps to 10, down from 10 to 1000, by the arrow keys in the field.
    HWND edit = GetDlgItem(dialog_, DelayEditId);
    SendMessageA(edit, WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(Text(DelayEditId), "10");
    SendMessageA(edit, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(Text(DelayEditId), "1000");
}

TEST_F(OptionsDialogTest, WithRandomModelsTheListShowsTheModelDrawnAtOpening) {
    Setting("RANDOM", "1");
    Setting("CARS", "8");
    for (int i = 0; i < 3; ++i) {
        saverSettings.modelIndex = -1;
        Open();
        EXPECT_TRUE(Checked(RandomBoxId));
        EXPECT_GE(Selected(), 0);
        EXPECT_LT(Selected(), 9);
        EXPECT_EQ(Selected(), saverSettings.modelIndex);
        DestroyWindow(dialog_);
    }
}

TEST_F(OptionsDialogTest, BrowseTakesTheChosenFileAndHelpOpensThePage) {
    Open();
    Press(BrowseButtonId);  // the fake chooser picks a file
    EXPECT_EQ(Text(MidiEditId), "C:\\Music\\Chosen piece.mid");
    EXPECT_STREQ(saverSettings.midiPath, "C:\\Music\\Chosen piece.mid");
    ASSERT_EQ(fakeScene.fileChooserCalls, 1);
    EXPECT_EQ(fakeScene.chooserTitle, "Open a MIDI file");
    EXPECT_EQ(fakeScene.chooserFilter, std::string("MIDI files (*.mid)|*.mid|All Files (*.*)|*.*|"));
    EXPECT_EQ(fakeScene.chooserFilterIndex, 1u);
    EXPECT_EQ(fakeScene.chooserFlags, static_cast<DWORD>(OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST));
    EXPECT_EQ(fakeScene.chooserDefaultExtension, "mid");

    Press(HelpButtonId);
    ASSERT_EQ(fakeScene.opened.size(), 1u);
    EXPECT_NE(fakeScene.opened[0].find("varnoka.htm"), std::string::npos);
}

TEST_F(OptionsDialogTest, HelpLooksBesideTheProgramThenInTheInstalledFolderThenInTheWindowsDirectory) {
    const std::string program = FreshTestFolder("help-program");
    const std::string installed = FreshTestFolder("help-installed");
    fakeScene.programPath = program + "\\varnoka.scr";
    RecordInstalledFolder(installed);
    Open();
    Press(HelpButtonId);
    std::ofstream(installed + "\\varnoka.htm") << "<html></html>";
    Press(HelpButtonId);
    std::ofstream(program + "\\varnoka.htm") << "<html></html>";
    Press(HelpButtonId);
    const std::vector<std::string> expected = {fakeScene.windowsDirectory + "\\varnoka.htm",
                                               installed + "\\varnoka.htm", program + "\\varnoka.htm"};
    EXPECT_EQ(fakeScene.opened, expected);
    for (const std::string& folder : {program, installed}) {
        DeleteFileA((folder + "\\varnoka.htm").c_str());
        RemoveDirectoryA(folder.c_str());
    }
}

TEST_F(OptionsDialogTest, ChangeKeepsTheChosenColourAndCancelKeepsTheOldOne) {
    Setting("RED", "10");
    Setting("GREEN", "20");
    Setting("BLUE", "30");
    Open();
    fakeScene.chosenColor = RGB(250, 128, 3);
    Press(ChangeColorButtonId);
    EXPECT_EQ(fakeScene.initialColor, RGB(10, 20, 30));
    EXPECT_EQ(saverSettings.backgroundRed, 250);
    EXPECT_EQ(saverSettings.backgroundGreen, 128);
    EXPECT_EQ(saverSettings.backgroundBlue, 3);
    fakeScene.colorCancelled = true;
    Press(ChangeColorButtonId);
    EXPECT_EQ(saverSettings.backgroundRed, 250);
    Press(IDOK);
    EXPECT_EQ(Stored("RED"), "250");
    EXPECT_EQ(Stored("GREEN"), "128");
    EXPECT_EQ(Stored("BLUE"), "3");
}

TEST_F(OptionsDialogTest, TheAboutBoxClosesOnlyThroughOk) {
    HWND about = CreateDialogParamA(GetModuleHandleA(nullptr), "AboutBox", nullptr, AboutDialogProc, 0);
    ASSERT_NE(about, nullptr);
    ShowWindow(about, SW_SHOW);
    char caption[64] = {};
    GetWindowTextA(about, caption, sizeof caption);
    EXPECT_STREQ(caption, "About Varnoka Screen Saver v2.1");
    SendMessageA(about, WM_COMMAND, IDCANCEL, 0);  // Esc
    SendMessageA(about, WM_CLOSE, 0, 0);           // the close box
    EXPECT_TRUE(IsWindowVisible(about));
    SendMessageA(about, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_FALSE(IsWindowVisible(about)) << "ended";
    DestroyWindow(about);
}

}  // namespace
