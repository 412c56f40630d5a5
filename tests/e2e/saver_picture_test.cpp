#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/process_runner.h"
#include "e2e/screen_samples.h"
#include "e2e/settings_folder.h"

namespace {

TEST(SaverPicture, TheFullScreenSaverShowsTheTurningCarAndKeepsTheCameraWhereTheKeysLeftIt) {
    SettingsFolder settings;
    settings.Set("GREEN=96");
    SaverProcess saver("\"" + SaverProgramPath() + "\" /s");
    HWND window = WaitForSaverWindow();
    ASSERT_NE(window, nullptr);
    const COLORREF background = RGB(0, 96, 0);
    ASSERT_TRUE(WaitForCar(window, background)) << "a car covers part of the screen";
    EXPECT_FALSE(ShowsABox(saver));
    EXPECT_EQ(CornerOf(window), background) << "the configured background";
    const std::vector<COLORREF> first = Snapshot(window);
    const int car = CountNot(first, background);
    EXPECT_LT(car, static_cast<int>(first.size() / 2));
    EXPECT_TRUE(PumpUntil([&] { return CountDifferent(first, Snapshot(window)) > car / 20; })) << "and it turns";

    // A camera key moves the camera and does not end the saver; space does. The key is held until
    // the camera has risen: the car then shows lower on the screen.
    const int columns = SampleColumns(window);
    const int top = TopOf(Snapshot(window), columns, background);
    PostMessageA(window, WM_KEYDOWN, VK_UP, 0);
    EXPECT_TRUE(PumpUntil([&] { return TopOf(Snapshot(window), columns, background) >= top + 4; }));
    PostMessageA(window, WM_KEYUP, VK_UP, 0);
    EXPECT_EQ(saver.WaitForExit(300), STILL_ACTIVE);
    PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(saver.WaitForExit(Patience), 0u);
    EXPECT_EQ(settings.Get("X"), 0);
    EXPECT_GT(settings.Get("Y"), 510) << "the camera rose while the key was held";
    EXPECT_LT(settings.Get("Y"), 510 + 255 * 10);
    EXPECT_NE(settings.Get("Z"), -99999);
}

// A box that stood over the running saver leaves nothing behind once it is closed: the part it
// covered shows the background again, neither the box nor an erased hole.
TEST(SaverPicture, AWindowThatCoveredTheRunningSaverLeavesNoTrace) {
    SettingsFolder settings;
    settings.Set("BLUE=128");
    SaverProcess saver("\"" + SaverProgramPath() + "\" /s");
    HWND window = WaitForSaverWindow();
    ASSERT_NE(window, nullptr);
    const COLORREF background = RGB(0, 0, 128);
    ASSERT_TRUE(WaitForCar(window, background));

    // A white box in the top left corner, over background only, which takes no focus from the saver.
    const int left = 16, top = 16, width = 160, height = 96;
    HWND box =
        CreateWindowExA(WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | SS_WHITERECT,
                        left, top, width, height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(box, nullptr);
    ShowWindow(box, SW_SHOWNOACTIVATE);
    UpdateWindow(box);
    // The screen, where the saver and the box meet; the saver covers it from its top left corner.
    const auto coveredPart = [&] {
        const std::vector<COLORREF> pixels = Snapshot(GetDesktopWindow(), 8);
        const int columns = SampleColumns(GetDesktopWindow());
        std::vector<COLORREF> part;
        for (int row = (top + 8) / 8; row < (top + height - 8) / 8; ++row)
            for (int column = (left + 8) / 8; column < (left + width - 8) / 8; ++column)
                part.push_back(pixels[static_cast<size_t>(row) * columns + column]);
        return part;
    };
    EXPECT_TRUE(PumpUntil([&] { return CountNot(coveredPart(), RGB(255, 255, 255)) == 0; })) << "the box shows";
    DestroyWindow(box);
    std::vector<COLORREF> part;
    EXPECT_TRUE(PumpUntil([&] {
        part = coveredPart();
        return CountNot(part, background) == 0;
    })) << "and leaves no trace: of "
        << part.size() << " samples, " << part.size() - CountNot(part, RGB(255, 255, 255)) << " still show the box and "
        << CountNot(part, background) << " are not the background";
    EXPECT_EQ(saver.WaitForExit(0), STILL_ACTIVE);
    PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(saver.WaitForExit(Patience), 0u);
}

TEST(SaverPicture, ThePreviewDrawsTheCarInsideItsParent) {
    SettingsFolder settings;
    ParentWindow parent;
    ASSERT_NE(parent.handle(), nullptr);
    SaverProcess saver("\"" + SaverProgramPath() + "\" /p " + parent.number());
    HWND preview = nullptr;
    ASSERT_TRUE(PumpUntil(
        [&] {
            preview = parent.Preview();
            return preview != nullptr && IsWindowVisible(preview);
        },
        Patience));
    EXPECT_TRUE(WaitForCar(preview, RGB(0, 0, 0), 4));
    EXPECT_FALSE(ShowsABox(saver));
    DestroyWindow(parent.handle());
    EXPECT_EQ(saver.WaitForExit(Patience), 0u);
}

// A user who keeps the saver and its models in one folder of their own is served too.
TEST(SaverPicture, ModelsBesideTheProgramAreFoundWhenTheWindowsDirectoryHasNone) {
    SettingsFolder settings;
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string folder = std::string(temp) + "vk-own-folder";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string program = folder + "\\varnoka.scr";
    ASSERT_TRUE(CopyFileA(SaverProgramPath().c_str(), program.c_str(), FALSE));
    ASSERT_TRUE(CopyModelsTo(folder));
    RemoveModelsFrom(WindowsDirectory());

    SaverProcess saver("\"" + program + "\" /s", program);
    HWND window = WaitForSaverWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(WaitForCar(window, RGB(0, 0, 0)));
    EXPECT_FALSE(ShowsABox(saver)) << "no model reported missing";
    PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(saver.WaitForExit(Patience), 0u);

    EXPECT_TRUE(CopyModelsTo(WindowsDirectory()));
    RemoveModelsFrom(folder);
    DeleteFileA(program.c_str());
    RemoveDirectoryA(folder.c_str());
}

// Without its models the saver says so in boxes the user can see and close, and then runs and
// ends normally.
TEST(SaverPicture, AMissingModelIsReportedInVisibleBoxesAndTheSaverStillEndsNormally) {
    SettingsFolder settings;
    RemoveModelsFrom(WindowsDirectory());
    SaverProcess saver("\"" + SaverProgramPath() + "\" /s");
    for (const char* title : {"Viewer Message", "Error"}) {
        HWND box = WaitForBox(saver, title);
        ASSERT_NE(box, nullptr) << title;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
    // The saver then shows its background until a key ends it, unless leaving the boxes, which
    // took the focus away from it, has ended it already.
    if (HWND window = FindWindowA("WindowsScreenSaverClass", "Screen Saver"))
        PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(saver.WaitForExit(Patience), 0u);
    EXPECT_TRUE(CopyModelsTo(WindowsDirectory()));
}

// A preview that reports a missing model ends with its parent, as Screen Saver Settings closes
// it: the box open at that moment goes, no other box follows, and the saver ends with 0.
TEST(SaverPicture, APreviewReportingAMissingModelEndsWithItsParent) {
    SettingsFolder settings;
    RemoveModelsFrom(WindowsDirectory());
    for (const char* openBox : {"Viewer Message", "Error"}) {
        ParentWindow parent;
        SaverProcess saver("\"" + SaverProgramPath() + "\" /p " + parent.number());
        HWND box = WaitForBox(saver, "Viewer Message");
        ASSERT_NE(box, nullptr) << openBox;
        if (std::string(openBox) == "Error") {
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            box = WaitForBox(saver, openBox);
            ASSERT_NE(box, nullptr) << openBox;
        }
        DestroyWindow(parent.handle());
        EXPECT_EQ(saver.WaitForExit(Patience), 0u) << openBox;
    }
    EXPECT_TRUE(CopyModelsTo(WindowsDirectory()));
}

}  // namespace
