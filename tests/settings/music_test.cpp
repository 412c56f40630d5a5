#include <string>

#include "settings/music.h"
#include "windows_support/saver_window_fixture.h"

namespace {

class MusicTest : public SaverWindowTest {
protected:
    void SetUp() override {
        SaverWindowTest::SetUp();
        GetCurrentDirectoryA(sizeof startFolder, startFolder);
    }
    void TearDown() override {
        SetCurrentDirectoryA(startFolder);
        SaverWindowTest::TearDown();
    }
    HWND FullScreenSaver() { return CreateSaver(GetSystemMetrics(SM_CXSCREEN), 120); }
    std::string CurrentFolder() {
        char folder[MAX_PATH];
        GetCurrentDirectoryA(sizeof folder, folder);
        return folder;
    }

    char startFolder[MAX_PATH] = {};
};

TEST_F(MusicTest, TheFullScreenSaverPlaysTheFileOnceAndClosesEveryDeviceAtTheEnd) {
    Setting("MIDI", "D:\\Music\\song.mid");
    HWND window = FullScreenSaver();
    ASSERT_EQ(fakeScene.commands.size(), 3u);
    EXPECT_EQ(fakeScene.commands[0], "close all");
    EXPECT_EQ(fakeScene.commands[1], "open song.mid type sequencer alias MUSIC");
    EXPECT_EQ(fakeScene.commands[2], "play MUSIC from 0");
    EXPECT_EQ(fakeScene.commandWindows[0], nullptr);
    EXPECT_EQ(fakeScene.commandWindows[2], window) << "the play command names the saver window";
    Destroy(window);
    ASSERT_EQ(fakeScene.commands.size(), 4u);
    EXPECT_EQ(fakeScene.commands[3], "close all");
}

TEST_F(MusicTest, NoMusicIsSetOrThePreviewIsRunning) {
    HWND window = FullScreenSaver();
    EXPECT_TRUE(fakeScene.commands.empty()) << "an empty MIDI key sends nothing at the start";
    Destroy(window);
    ASSERT_EQ(fakeScene.commands.size(), 1u);
    EXPECT_EQ(fakeScene.commands[0], "close all");

    fakeScene.commands.clear();
    Setting("MIDI", "C:\\song.mid");
    saverShellState.isPreview = TRUE;
    window = CreateSaver(320, 240);
    EXPECT_TRUE(fakeScene.commands.empty());
    Destroy(window);
    EXPECT_EQ(fakeScene.commands.size(), 1u);
}

TEST_F(MusicTest, NamesAreSentAsTheyStandUnlessABlankNeedsQuotes) {
    Setting("MIDI", "tune.mid");
    const std::string before = CurrentFolder();
    EnterFileDirectory("tune.mid");
    EXPECT_EQ(CurrentFolder(), before) << "no backslash: all of it is the name";
    EXPECT_STREQ(EnterFileDirectory("tune.mid"), "tune.mid");
    EXPECT_TRUE(StartMusic("tune.mid"));
    EXPECT_EQ(fakeScene.commands[1], "open tune.mid type sequencer alias MUSIC");
    EXPECT_TRUE(StartMusic("my tune.mid"));
    EXPECT_EQ(fakeScene.commands[4], "open \"my tune.mid\" type sequencer alias MUSIC");
    EXPECT_TRUE(StopMusic());
}

TEST_F(MusicTest, TheFilesFolderBecomesCurrentButTheModelsAreStillFound) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string folder = std::string(temp) + "vk-music";
    CreateDirectoryA(folder.c_str(), nullptr);
    Setting("MIDI", folder + "\\piece.mid");
    HWND window = FullScreenSaver();
    EXPECT_EQ(CurrentFolder(), folder);
    EXPECT_TRUE(fakeScene.boxes.empty());
    EXPECT_EQ(fakeScene.commands[1], "open piece.mid type sequencer alias MUSIC");
    Destroy(window);

    // A piece in the root of a drive makes that root current, not the drive's current folder.
    EXPECT_STREQ(EnterFileDirectory("C:\\piece.mid"), "piece.mid");
    EXPECT_EQ(CurrentFolder(), "C:\\");
    RemoveDirectoryA(folder.c_str());
}

}  // namespace
