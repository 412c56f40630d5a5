#include <algorithm>

#include "windows_support/shell_fixture.h"

namespace {

class ConfirmCloseTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        UseWin95Family();
        window = SaverClassWindow();
    }

    void WithVerifier() {
        fake.passwordSwitch = 1;
        LoadPasswordVerifier();
        ASSERT_NE(saverShellState.verifyPassword, nullptr);
    }

    HWND window = nullptr;
};

TEST_F(ConfirmCloseTest, WithoutPasswordClosingIsApprovedAtOnce) {
    EXPECT_TRUE(ConfirmClose(window));
    EXPECT_TRUE(saverShellState.closeApproved);
    EXPECT_FALSE(ConfirmClose(window));  // already closing
}

TEST_F(ConfirmCloseTest, WrongPasswordKeepsTheSaverAndHoldsOffFor200Milliseconds) {
    WithVerifier();
    fake.ticks = 5000;
    EXPECT_FALSE(ConfirmClose(window));
    EXPECT_EQ(fake.verifierCalls, 1);
    EXPECT_EQ(fake.verifierWindow, window);
    EXPECT_FALSE(saverShellState.closeApproved);
    EXPECT_FALSE(saverShellState.verifying);
    EXPECT_EQ(saverShellState.lastVerifyTick, 5000u);

    fake.ticks = 5199;
    EXPECT_FALSE(ConfirmClose(window));
    EXPECT_EQ(fake.verifierCalls, 1);

    fake.ticks = 5200;
    fake.verifierAnswer = TRUE;
    EXPECT_TRUE(ConfirmClose(window));
    EXPECT_EQ(fake.verifierCalls, 2);
    EXPECT_TRUE(saverShellState.closeApproved);
}

TEST_F(ConfirmCloseTest, HoldOffIsMeasuredFromTheEndOfTheRequestAndAcrossTheTickWrap) {
    WithVerifier();
    fake.ticks = 0xFFFFFF80;
    EXPECT_FALSE(ConfirmClose(window));
    fake.ticks = 0x00000040;  // 0xC0 = 192 ms later, across the wrap
    EXPECT_FALSE(ConfirmClose(window));
    EXPECT_EQ(fake.verifierCalls, 1);
    fake.ticks = 0x00000048;  // 200 ms later
    EXPECT_FALSE(ConfirmClose(window));
    EXPECT_EQ(fake.verifierCalls, 2);
}

TEST_F(ConfirmCloseTest, TheRequestTravelsTheWholeChainAndRemovesTwoWaitingTimers) {
    WithVerifier();
    for (int i = 0; i < 3; ++i) PostMessageA(window, WM_TIMER, 1, 0);
    seenByProgram.clear();
    ConfirmClose(window);
    EXPECT_NE(std::find(seenByProgram.begin(), seenByProgram.end(), WM_SAVER_CHECK_PASSWORD), seenByProgram.end());
    EXPECT_EQ(TakePosted(window, WM_TIMER), 1);
}

TEST_F(ConfirmCloseTest, NoSecondRequestWhileOneIsRunning) {
    WithVerifier();
    static HWND saver;
    static BOOL nestedAnswer;
    saver = window;
    nestedAnswer = TRUE;
    saverShellState.verifyPassword = [](HWND) -> BOOL {
        ++fake.verifierCalls;
        nestedAnswer = ConfirmClose(saver);
        PostMessageA(saver, WM_KEYDOWN, 'Q', 0);
        SendMessageA(saver, WM_CLOSE, 0, 0);  // refused: the window must survive
        return FALSE;
    };
    EXPECT_FALSE(ConfirmClose(window));
    EXPECT_EQ(fake.verifierCalls, 1);
    EXPECT_FALSE(nestedAnswer);
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(ConfirmCloseTest, ApprovedCloseDestroysTheWindowThroughTheChain) {
    WithVerifier();
    fake.verifierAnswer = TRUE;
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(ConfirmCloseTest, FailedRequestThroughTheChainLeavesTheSaverRunning) {
    WithVerifier();
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(fake.verifierCalls, 1);
    SendMessageA(window, WM_CLOSE, 0, 0);  // within the hold-off: not asked again
    EXPECT_EQ(fake.verifierCalls, 1);
    EXPECT_TRUE(IsWindow(window));
}

}  // namespace
