#include <algorithm>

#include "windows_support/shell_fixture.h"

namespace {

class PasswordTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        UseWin95Family();
    }

    using Events = std::vector<std::string>;
};

const char* const RunningOn = "system parameter 97 1";
const char* const RunningOff = "system parameter 97 0";

TEST_F(PasswordTest, SwitchOnAndVerifierPresentHoldsTheVerifierWithTheRunningStateOn) {
    fake.passwordSwitch = 1;
    LoadPasswordVerifier();
    EXPECT_NE(saverShellState.verifyPassword, nullptr);
    EXPECT_NE(saverShellState.passwordModule, nullptr);
    EXPECT_EQ(fake.events, (Events{"open key HKCU\\Control Panel\\Desktop", "query ScreenSaveUsePassword size 4",
                                   "load PASSWORD.CPL", "entry VerifyScreenSavePwd", RunningOn, "close key"}));

    fake.events.clear();
    ReleasePasswordVerifier();
    EXPECT_EQ(saverShellState.verifyPassword, nullptr);
    EXPECT_EQ(saverShellState.passwordModule, nullptr);
    EXPECT_EQ(fake.events, (Events{"free PASSWORD.CPL", RunningOff}));

    fake.events.clear();
    ReleasePasswordVerifier();
    EXPECT_TRUE(fake.events.empty());
}

TEST_F(PasswordTest, SwitchOffMissingOrUnreadableMeansNoPassword) {
    for (int variant = 0; variant < 3; ++variant) {
        fake = FakeSystem{};
        fake.passwordSwitch = variant == 0 ? 0 : 1;
        fake.desktopKeyExists = variant != 1;
        fake.passwordValueReadable = variant != 2;
        LoadPasswordVerifier();
        EXPECT_EQ(saverShellState.verifyPassword, nullptr) << variant;
        EXPECT_EQ(fake.Count("load PASSWORD.CPL"), 0) << variant;
        EXPECT_EQ(fake.Count(RunningOn), 0) << variant;
        EXPECT_EQ(fake.Count("close key"), variant == 1 ? 0 : 1) << variant;
    }
}

TEST_F(PasswordTest, MissingModuleOrEntryMeansNoPasswordAndLeavesTheRunningStateAlone) {
    fake.passwordSwitch = 1;
    fake.passwordModulePresent = false;
    LoadPasswordVerifier();
    EXPECT_EQ(saverShellState.verifyPassword, nullptr);
    EXPECT_EQ(fake.Count("close key"), 1);

    fake = FakeSystem{};
    fake.passwordSwitch = 1;
    fake.verifierEntryPresent = false;
    LoadPasswordVerifier();
    EXPECT_EQ(saverShellState.verifyPassword, nullptr);
    EXPECT_EQ(saverShellState.passwordModule, nullptr);
    EXPECT_EQ(fake.Count("free PASSWORD.CPL"), 1);
    EXPECT_EQ(fake.Count(RunningOn) + fake.Count(RunningOff), 0);
    EXPECT_EQ(fake.Count("close key"), 1);
}

TEST_F(PasswordTest, LoadingAgainReleasesTheHeldVerifierFirst) {
    fake.passwordSwitch = 1;
    LoadPasswordVerifier();
    fake.events.clear();
    LoadPasswordVerifier();
    ASSERT_GE(fake.events.size(), 2u);
    EXPECT_EQ(fake.events[0], "free PASSWORD.CPL");
    EXPECT_EQ(fake.events[1], RunningOff);
    EXPECT_EQ(fake.Count(RunningOn), 1);
    ReleasePasswordVerifier();
}

TEST_F(PasswordTest, OutsideWin95FamilyNothingIsReadLoadedOrSwitched) {
    saverShellState.isWin95Family = FALSE;
    fake.passwordSwitch = 1;
    LoadPasswordVerifier();
    SetSaverRunning(TRUE);
    ReleasePasswordVerifier();
    EXPECT_TRUE(fake.events.empty());
    EXPECT_EQ(saverShellState.verifyPassword, nullptr);
}

// The full-screen saver run as a whole: the loop is ended by a timer that asks the window to
// close, as a key press would.
class SaverRunTest : public PasswordTest {
protected:
    static void CALLBACK CloseSaver(HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        fake.events.push_back("closing");
        fake.verifierAnswer = TRUE;
        SendMessageA(saverShellState.window, WM_KEYDOWN, 'Q', 0);
    }

    int RunFullScreenUntilClosed() {
        SetTimer(nullptr, 0, 300, CloseSaver);
        return RunSaverWindow(nullptr);
    }
};

TEST_F(SaverRunTest, RunningStateIsOnFromBeforeTheWindowUntilAfterItsLoop) {
    fake.passwordSwitch = 1;
    programWindowProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message == WM_CREATE) fake.events.push_back("window created");
        if (message == WM_DESTROY) fake.events.push_back("window destroyed");
        return SaverDefaultProc(window, message, wParam, lParam);
    };
    EXPECT_EQ(RunFullScreenUntilClosed(), 0);

    auto at = [](const char* event) {
        return std::find(fake.events.begin(), fake.events.end(), event) - fake.events.begin();
    };
    EXPECT_LT(at(RunningOn), at("window created"));
    EXPECT_LT(at("closing"), at("verify"));
    EXPECT_LT(at("window destroyed"), at(RunningOff));
    EXPECT_EQ(fake.Count(RunningOff), 1);
    EXPECT_EQ(saverShellState.verifyPassword, nullptr);
}

TEST_F(SaverRunTest, WithoutPasswordTheSaverClosesOnTheFirstKeyAndNeverSwitchesTheRunningState) {
    fake.passwordSwitch = 0;
    EXPECT_EQ(RunFullScreenUntilClosed(), 0);
    EXPECT_EQ(fake.verifierCalls, 0);
    EXPECT_EQ(fake.Count(RunningOn) + fake.Count(RunningOff), 0);
}

TEST_F(SaverRunTest, PreviewNeverLoadsTheVerifier) {
    fake.passwordSwitch = 1;
    HWND parent = PlainWindow();
    SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        DestroyWindow(saverShellState.window);
    });
    EXPECT_EQ(RunSaverWindow(parent), 0);
    EXPECT_EQ(fake.Count("open key HKCU\\Control Panel\\Desktop"), 0);
    EXPECT_EQ(fake.Count("load PASSWORD.CPL"), 0);
}

TEST_F(SaverRunTest, SecondFullScreenStartBringsTheFirstForwardWithoutReadingTheSwitch) {
    fake.passwordSwitch = 1;
    ASSERT_NE(RegisterSaverClass(), 0);
    HWND first = CreateWindowExA(0, "WindowsScreenSaverClass", "Screen Saver", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                 saverShellState.instance, nullptr);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(RunSaverWindow(nullptr), 0);
    EXPECT_EQ(fake.Count("open key HKCU\\Control Panel\\Desktop"), 0);
    EXPECT_EQ(saverShellState.window, nullptr);
    DestroyWindow(first);
}

}  // namespace
