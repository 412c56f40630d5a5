#include <algorithm>

#include "windows_support/shell_fixture.h"

namespace {

class ClassProcTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        programForwards = false;
    }

    // Calls the class procedure and tells whether the program's procedure saw the message.
    bool ReachesProgram(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0, LRESULT* result = nullptr) {
        seenByProgram.clear();
        const LRESULT answer = SaverClassProc(window, message, wParam, lParam);
        if (result != nullptr) *result = answer;
        return std::find(seenByProgram.begin(), seenByProgram.end(), message) != seenByProgram.end();
    }
};

TEST_F(ClassProcTest, OtherMessagesArePassedOnWithTheProgramsResult) {
    HWND window = PlainWindow();
    LRESULT result = 0;
    EXPECT_TRUE(ReachesProgram(window, WM_KEYUP, 'A', 0, &result));
    EXPECT_EQ(result, programAnswer);
    EXPECT_TRUE(ReachesProgram(window, WM_CLOSE));
    EXPECT_TRUE(ReachesProgram(window, WM_ERASEBKGND));
    EXPECT_TRUE(ReachesProgram(window, WM_SAVER_CHECK_PASSWORD));
}

TEST_F(ClassProcTest, TitleNeverChanges) {
    programForwards = true;  // creation sets the title through the default handling
    HWND window = SaverClassWindow();
    programForwards = false;
    LRESULT result = 1;
    EXPECT_FALSE(ReachesProgram(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Other"), &result));
    EXPECT_EQ(result, 0);
    SetWindowTextA(window, "Changed");
    programForwards = true;
    char title[64];
    GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ(title, "Test Saver");
}

TEST_F(ClassProcTest, FullScreenSwallowsTaskSwitchAndScreenSaveCommandsComparedWhole) {
    HWND window = PlainWindow();
    for (WPARAM command : {WPARAM(SC_NEXTWINDOW), WPARAM(SC_PREVWINDOW), WPARAM(SC_SCREENSAVE)}) {
        LRESULT result = 1;
        EXPECT_FALSE(ReachesProgram(window, WM_SYSCOMMAND, command, 0, &result)) << command;
        EXPECT_EQ(result, 0);
    }
    EXPECT_TRUE(ReachesProgram(window, WM_SYSCOMMAND, SC_SCREENSAVE | 1));
    EXPECT_TRUE(ReachesProgram(window, WM_SYSCOMMAND, SC_NEXTWINDOW + 2));
    EXPECT_TRUE(ReachesProgram(window, WM_SYSCOMMAND, SC_CLOSE));
}

TEST_F(ClassProcTest, PreviewPassesSystemCommandsOn) {
    saverShellState.isPreview = TRUE;
    HWND window = PlainWindow();
    EXPECT_TRUE(ReachesProgram(window, WM_SYSCOMMAND, SC_SCREENSAVE));
    EXPECT_TRUE(ReachesProgram(window, WM_SYSCOMMAND, SC_NEXTWINDOW));
}

TEST_F(ClassProcTest, PreviewForwardsHelpAndContextMenuToItsParentWithTheParentsHandle) {
    saverShellState.isPreview = TRUE;
    HWND parent = PlainWindow();
    HWND preview = PlainWindow(parent);
    for (UINT message : {UINT(WM_HELP), UINT(WM_CONTEXTMENU)}) {
        LRESULT result = 0;
        EXPECT_FALSE(ReachesProgram(preview, message, reinterpret_cast<WPARAM>(preview), 0x00120034, &result));
        EXPECT_EQ(result, 1);
    }
    // The system refuses to post WM_HELP, whose lParam is a pointer; the context menu arrives.
    MSG posted{};
    ASSERT_TRUE(PeekMessageA(&posted, parent, WM_CONTEXTMENU, WM_CONTEXTMENU, PM_REMOVE));
    EXPECT_EQ(posted.wParam, reinterpret_cast<WPARAM>(parent));
    EXPECT_EQ(posted.lParam, 0x00120034);
    EXPECT_EQ(TakePosted(preview, WM_CONTEXTMENU), 0);
}

TEST_F(ClassProcTest, FullScreenPassesHelpAndContextMenuOn) {
    HWND window = PlainWindow();
    EXPECT_TRUE(ReachesProgram(window, WM_HELP));
    EXPECT_TRUE(ReachesProgram(window, WM_CONTEXTMENU));
}

TEST_F(ClassProcTest, OnceClosingIsApprovedPaintAndInputBypassTheProgramAndTimersAreDropped) {
    HWND window = PlainWindow();
    const UINT bypassing[] = {WM_PAINT,       WM_KEYDOWN,     WM_SYSKEYDOWN, WM_MOUSEMOVE,
                              WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
    for (UINT message : bypassing) EXPECT_TRUE(ReachesProgram(window, message)) << message;
    EXPECT_TRUE(ReachesProgram(window, WM_TIMER, 1));

    saverShellState.closeApproved = TRUE;
    for (UINT message : bypassing) EXPECT_FALSE(ReachesProgram(window, message)) << message;
    LRESULT result = 1;
    EXPECT_FALSE(ReachesProgram(window, WM_TIMER, 1, 0, &result));
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(ReachesProgram(window, WM_KEYUP));
}

TEST_F(ClassProcTest, CreationTakesTheReferencePointBeforeTheProgramSeesIt) {
    CursorAt(321, 123);
    programForwards = true;
    HWND window = SaverClassWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(saverShellState.referenceCursor.x, 321);
    EXPECT_EQ(saverShellState.referenceCursor.y, 123);
    EXPECT_NE(std::find(seenByProgram.begin(), seenByProgram.end(), UINT(WM_CREATE)), seenByProgram.end());
    // The window handle is only recorded by the code that creates the saver window.
    EXPECT_EQ(saverShellState.window, nullptr);
}

TEST_F(ClassProcTest, InputMethodIsDetachedAtCreationAndRestoredAtDestruction) {
    programForwards = true;
    HWND window = SaverClassWindow();
    if (GetModuleHandleA("IMM32.DLL") == nullptr) GTEST_SKIP() << "no input-method module in this process";
    EXPECT_NE(saverShellState.imeModule, nullptr);
    ASSERT_NE(saverShellState.associateContext, nullptr);
    // Detached: the window has no input context of its own now.
    EXPECT_EQ(saverShellState.associateContext(window, nullptr), nullptr);
}

TEST_F(ClassProcTest, DestructionPostsTheQuitMessageAndIsPassedOn) {
    programForwards = true;
    HWND window = SaverClassWindow();
    seenByProgram.clear();
    DestroyWindow(window);
    EXPECT_NE(std::find(seenByProgram.begin(), seenByProgram.end(), UINT(WM_DESTROY)), seenByProgram.end());
    MSG quit{};
    ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 0u);
}

}  // namespace
