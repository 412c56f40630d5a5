#include "windows_support/shell_fixture.h"

namespace {

class DefaultProcTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        window = PlainWindow();
        saverShellState.referenceCursor = {200, 200};
    }

    int ClosesRequestedBy(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        SaverDefaultProc(window, message, wParam, lParam);
        return TakePosted(window, WM_CLOSE);
    }

    // The message carries coordinates far away: only the real cursor position counts.
    int ClosesRequestedByMoveTo(int x, int y) {
        CursorAt(x, y);
        return ClosesRequestedBy(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    }

    HWND window = nullptr;
};

TEST_F(DefaultProcTest, EachClosingInputRequestsExactlyOneClose) {
    for (UINT message :
         {UINT(WM_KEYDOWN), UINT(WM_SYSKEYDOWN), UINT(WM_LBUTTONDOWN), UINT(WM_RBUTTONDOWN), UINT(WM_MBUTTONDOWN)})
        EXPECT_EQ(ClosesRequestedBy(message, 'Q'), 1) << message;
    for (UINT message : {UINT(WM_KEYUP), UINT(WM_LBUTTONUP), UINT(WM_CHAR), UINT(WM_PAINT)})
        EXPECT_EQ(ClosesRequestedBy(message), 0) << message;
}

TEST_F(DefaultProcTest, LosingTheForegroundClosesGainingItDoesNot) {
    EXPECT_EQ(ClosesRequestedBy(WM_ACTIVATEAPP, 0), 1);
    EXPECT_EQ(ClosesRequestedBy(WM_ACTIVATEAPP, 1), 0);
}

TEST_F(DefaultProcTest, CursorRequestsAreAnsweredWithoutACursor) {
    EXPECT_EQ(SaverDefaultProc(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), HTCLIENT), 1);
    EXPECT_EQ(TakePosted(window, WM_CLOSE), 0);
}

TEST_F(DefaultProcTest, TravelOfFourPixelsIsToleratedFiveCloses) {
    EXPECT_EQ(ClosesRequestedByMoveTo(202, 202), 0);
    EXPECT_EQ(saverShellState.referenceCursor.x, 200);
    EXPECT_EQ(ClosesRequestedByMoveTo(198, 198), 0);
    EXPECT_EQ(ClosesRequestedByMoveTo(196, 200), 0);
    EXPECT_EQ(ClosesRequestedByMoveTo(203, 202), 1);
    EXPECT_EQ(saverShellState.referenceCursor.x, 203);
    EXPECT_EQ(saverShellState.referenceCursor.y, 202);
}

TEST_F(DefaultProcTest, SmallMovesAddUpAgainstTheSameReferencePoint) {
    EXPECT_EQ(ClosesRequestedByMoveTo(203, 200), 0);
    EXPECT_EQ(ClosesRequestedByMoveTo(206, 200), 1);
    // After a close request the new position is the reference.
    EXPECT_EQ(ClosesRequestedByMoveTo(208, 200), 0);
}

TEST_F(DefaultProcTest, PreviewNeverCloses) {
    saverShellState.isPreview = TRUE;
    for (UINT message : {UINT(WM_KEYDOWN), UINT(WM_SYSKEYDOWN), UINT(WM_MBUTTONDOWN), UINT(WM_LBUTTONDOWN)})
        EXPECT_EQ(ClosesRequestedBy(message), 0);
    EXPECT_EQ(ClosesRequestedBy(WM_ACTIVATEAPP, 0), 0);
    EXPECT_EQ(ClosesRequestedByMoveTo(300, 300), 0);
    // The system's own handling answers cursor requests in the preview.
    EXPECT_EQ(SaverDefaultProc(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), HTCLIENT),
              DefWindowProcA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), HTCLIENT));
}

TEST_F(DefaultProcTest, OnceClosingIsApprovedInputNoLongerRequestsClosing) {
    saverShellState.closeApproved = TRUE;
    EXPECT_EQ(ClosesRequestedBy(WM_KEYDOWN), 0);
    EXPECT_EQ(ClosesRequestedBy(WM_ACTIVATEAPP, 0), 0);
    EXPECT_EQ(ClosesRequestedByMoveTo(300, 300), 0);
}

TEST_F(DefaultProcTest, WhileVerifyingInputIsLeftToTheSystem) {
    UseWin95Family();
    saverShellState.verifying = TRUE;
    EXPECT_EQ(ClosesRequestedBy(WM_KEYDOWN), 0);
    EXPECT_EQ(ClosesRequestedBy(WM_ACTIVATEAPP, 0), 0);
    EXPECT_EQ(ClosesRequestedByMoveTo(300, 300), 0);
    // The password request itself is still answered: no verifier means no password.
    EXPECT_EQ(SaverDefaultProc(window, WM_SAVER_CHECK_PASSWORD, 0, 0), 1);
}

TEST_F(DefaultProcTest, OutsideWin95FamilyThePasswordMessageIsTheSystemsAndCloseIsImmediate) {
    EXPECT_EQ(SaverDefaultProc(window, WM_SAVER_CHECK_PASSWORD, 0, 0), 0);
    SaverDefaultProc(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(fake.verifierCalls, 0);
}

TEST_F(DefaultProcTest, Win95FamilyPasswordMessageIsAnsweredByTheVerifier) {
    UseWin95Family();
    saverShellState.verifyPassword = [](HWND asked) -> BOOL { return asked != nullptr ? 7 : 0; };
    EXPECT_EQ(SaverDefaultProc(window, WM_SAVER_CHECK_PASSWORD, 0, 0), 7);
}

TEST_F(DefaultProcTest, RefusedCloseKeepsTheWindowAndResetsTheReferencePoint) {
    UseWin95Family();
    saverShellState.verifying = TRUE;  // a request is running: ConfirmClose refuses
    CursorAt(410, 220);
    EXPECT_EQ(SaverDefaultProc(window, WM_CLOSE, 0, 0), 0);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(saverShellState.referenceCursor.x, 410);
    EXPECT_EQ(saverShellState.referenceCursor.y, 220);
}

}  // namespace
