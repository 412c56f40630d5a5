#include <gtest/gtest.h>

#include "e2e/process_runner.h"

namespace {

// The saver finds its models where an installation puts them: the Windows directory.
class ModelsInstalled : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(CopyModelsTo(WindowsDirectory())); }
};
const ::testing::Environment* const modelsInstalled = ::testing::AddGlobalTestEnvironment(new ModelsInstalled);

constexpr DWORD ExitedWithMinusOne = 0xFFFFFFFF;

std::string QuotedProgram() { return "\"" + SaverProgramPath() + "\""; }

HWND FindSaverWindow() {
    const std::vector<HWND> found = TopLevelWindows("WindowsScreenSaverClass", "Screen Saver");
    return found.empty() ? nullptr : found.front();
}

// A window counts as made once it is shown: it exists, still unfinished, from its creation on.
bool Shown(HWND window) { return window != nullptr && IsWindowVisible(window); }

HWND WaitForSaverWindow() {
    HWND window = nullptr;
    PumpUntil([&] { return Shown(window = FindSaverWindow()); }, Patience);
    return window;
}

HWND FindOptionsDialog(const SaverProcess& process) {
    for (HWND window : process.Windows()) {
        char title[32] = {};
        char className[32] = {};
        GetWindowTextA(window, title, sizeof title);
        GetClassNameA(window, className, sizeof className);
        if (std::string(title) == "Options" && std::string(className) == "#32770") return window;
    }
    return nullptr;
}

HWND WaitForOptionsDialog(const SaverProcess& process) {
    HWND dialog = nullptr;
    PumpUntil([&] { return Shown(dialog = FindOptionsDialog(process)); }, Patience);
    return dialog;
}

TEST(SaverProcess, CommandLinesThatNameNoModeEndWithMinusOne) {
    const std::string program = QuotedProgram();
    for (const std::string& line : std::initializer_list<std::string>{
             program + " /x", program + " x", program + " /\ts", program + " \xe9", program + " /\x80",
             std::string("\"C:\\Program Files\\Varnoka Saver\\varnoka.scr\"\t  /x"), program + " ?",
             std::string("varnoka.scr /Q")}) {
        SaverProcess saver(line);
        ASSERT_TRUE(saver.started());
        EXPECT_EQ(saver.WaitForExit(Patience), ExitedWithMinusOne) << line;
    }
}

TEST(SaverProcess, PreviewWithoutAValidWindowEndsWithMinusOneAndMakesNoWindow) {
    ParentWindow parent;
    ASSERT_NE(parent.handle(), nullptr);
    for (const std::string& switchText : {std::string("/p"), std::string("/p 0"), "/p:" + parent.number(),
                                          std::string("/p 4000000000"), std::string("/l")}) {
        SaverProcess saver(QuotedProgram() + " " + switchText);
        bool madePreview = false;
        PumpUntil(
            [&] {
                madePreview |= parent.Preview() != nullptr;
                return saver.Exited();
            },
            Patience);
        EXPECT_EQ(saver.WaitForExit(Patience), ExitedWithMinusOne) << switchText;
        EXPECT_FALSE(madePreview) << switchText;
    }
}

TEST(SaverProcess, PreviewFillsTheGivenWindowAndEndsWithIt) {
    for (const char* letter : {"/p ", "/l  "}) {
        ParentWindow parent;
        SaverProcess saver("\"C:\\Program Files\\Varnoka\\varnoka.scr\" " + std::string(letter) + parent.number());
        HWND preview = nullptr;
        ASSERT_TRUE(PumpUntil([&] { return Shown(preview = parent.Preview()); }, Patience)) << letter;
        EXPECT_TRUE(GetWindowLongA(preview, GWL_STYLE) & WS_CHILD);
        RECT parentClient{}, previewRect{};
        GetClientRect(parent.handle(), &parentClient);
        GetWindowRect(preview, &previewRect);
        MapWindowPoints(nullptr, parent.handle(), reinterpret_cast<POINT*>(&previewRect), 2);
        EXPECT_EQ(previewRect.left, 0);
        EXPECT_EQ(previewRect.top, 0);
        EXPECT_EQ(previewRect.right, parentClient.right);
        EXPECT_EQ(previewRect.bottom, parentClient.bottom);

        // Input never ends the preview.
        PostMessageA(preview, WM_KEYDOWN, 'Q', 0);
        PostMessageA(preview, WM_ACTIVATEAPP, 0, 0);
        EXPECT_EQ(saver.WaitForExit(500), STILL_ACTIVE);

        DestroyWindow(parent.handle());
        EXPECT_EQ(saver.WaitForExit(Patience), 0u) << letter;
    }
}

TEST(SaverProcess, FullScreenSaverCoversTheScreenOnTopAndEndsOnAKey) {
    SaverProcess saver(QuotedProgram() + " /s");
    HWND window = WaitForSaverWindow();
    ASSERT_NE(window, nullptr);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    EXPECT_EQ(owner, saver.id());
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & 0xFFFF0000u, 0x96000000u);
    RECT rect{};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(rect.bottom, GetSystemMetrics(SM_CYSCREEN));
    // The one monitor of this display is the car's: nothing else of the saver is shown once it reads
    // its messages.
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, Patience, nullptr);
    int shown = 0;
    for (HWND made : saver.Windows()) shown += IsWindowVisible(made) ? 1 : 0;
    EXPECT_EQ(shown, 1);

    PostMessageA(window, WM_KEYDOWN, 'Q', 0);
    EXPECT_EQ(saver.WaitForExit(Patience), 0u);
    EXPECT_EQ(FindSaverWindow(), nullptr);
}

TEST(SaverProcess, SecondStartBringsTheRunningSaverForwardAndEndsWithZero) {
    SaverProcess first(QuotedProgram() + " /s");
    HWND window = WaitForSaverWindow();
    ASSERT_NE(window, nullptr);

    SaverProcess second(QuotedProgram() + " /S");
    EXPECT_EQ(second.WaitForExit(Patience), 0u);
    EXPECT_EQ(TopLevelWindows("WindowsScreenSaverClass", "Screen Saver").size(), 1u);
    EXPECT_EQ(GetForegroundWindow(), window);
    EXPECT_EQ(first.WaitForExit(200), STILL_ACTIVE);

    PostMessageA(window, WM_SYSKEYDOWN, VK_MENU, 0);
    EXPECT_EQ(first.WaitForExit(Patience), 0u);
}

TEST(SaverProcess, EverySpellingOfTheSaverSwitchStartsTheSaver) {
    for (const char* switchText : {"-S", "s", "/ s", "//--s", "/s /c", "  /s"}) {
        SaverProcess saver(QuotedProgram() + " " + switchText);
        HWND window = WaitForSaverWindow();
        ASSERT_NE(window, nullptr) << switchText;
        PostMessageA(window, WM_MBUTTONDOWN, 0, 0);
        EXPECT_EQ(saver.WaitForExit(Patience), 0u) << switchText;
    }
}

TEST(SaverProcess, SwitchingToAnotherApplicationEndsTheSaver) {
    SaverProcess saver(QuotedProgram() + " /s");
    HWND window = WaitForSaverWindow();
    ASSERT_NE(window, nullptr);
    ParentWindow other;
    SetForegroundWindow(other.handle());
    EXPECT_EQ(saver.WaitForExit(Patience), 0u);
}

TEST(SaverProcess, OptionsDialogOpensWithoutSwitchOrWithCAndEndsWithItsResult) {
    struct Case {
        std::string line;
        WPARAM button;
        DWORD exitCode;
        bool ownerless;
    };
    const std::string program = QuotedProgram();
    const Case cases[] = {{program, IDOK, 1, true},
                          {"varnoka.scr", IDCANCEL, 0, true},
                          {program + " /c", IDCANCEL, 0, false},
                          {program + " /c:1234", IDOK, 1, false},
                          {program + " -C 99", IDOK, 1, false}};
    for (const Case& c : cases) {
        SaverProcess saver(c.line);
        HWND dialog = WaitForOptionsDialog(saver);
        ASSERT_NE(dialog, nullptr) << c.line;
        if (c.ownerless) {
            EXPECT_EQ(GetWindow(dialog, GW_OWNER), nullptr) << c.line;
        }
        EXPECT_NE(GetDlgItem(dialog, IDOK), nullptr);
        EXPECT_NE(GetDlgItem(dialog, IDCANCEL), nullptr);
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(c.button, BN_CLICKED), 0);
        EXPECT_EQ(saver.WaitForExit(Patience), c.exitCode) << c.line;
    }
}

// The program declares itself DPI-aware per monitor and asks for the themed common controls.
TEST(SaverProcess, TheProgramCarriesItsManifest) {
    HMODULE program = LoadLibraryExA(SaverProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    HRSRC found = FindResourceA(program, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(found, nullptr);
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(program, found)));
    const std::string manifest(bytes, SizeofResource(program, found));
    EXPECT_NE(manifest.find("PerMonitorV2"), std::string::npos);
    EXPECT_NE(manifest.find("true/pm"), std::string::npos);
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(manifest.find("asInvoker"), std::string::npos);
    FreeLibrary(program);
}

}  // namespace
