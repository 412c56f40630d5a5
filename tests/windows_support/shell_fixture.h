#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/saver_shell.h"

// A scripted stand-in for the platform calls that cannot be steered under Wine, and a record of
// what the shell asked of them, in order.
struct FakeSystem {
    DWORD platformId = VER_PLATFORM_WIN32_NT;
    bool versionCallFails = false;

    bool desktopKeyExists = true;
    bool passwordValueReadable = true;
    DWORD passwordSwitch = 0;

    bool passwordModulePresent = true;
    bool verifierEntryPresent = true;
    bool routerModulePresent = true;
    bool changeEntryPresent = true;
    BOOL verifierAnswer = FALSE;

    DWORD ticks = 1000;
    LONG filterVerdict = EXCEPTION_CONTINUE_SEARCH;

    std::vector<std::string> events;
    int verifierCalls = 0;
    HWND verifierWindow = nullptr;
    HWND changeParent = nullptr;
    std::string changeProvider;

    int Count(const std::string& event) const;
};

extern FakeSystem fake;

// Every test starts from a process-start shell record, the fakes in the platform table and the
// class procedure handing on to a recorder that forwards to the default handling.
class ShellTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void UseWin95Family() {
        fake.platformId = VER_PLATFORM_WIN32_WINDOWS;
        saverShellState.isWin95Family = TRUE;
    }

    // A window whose own procedure is the system default: for calling the shell's procedures
    // on directly and reading back what they post.
    HWND PlainWindow(HWND parent = nullptr);

    // A window of the saver class, with the whole chain of procedures behind it.
    HWND SaverClassWindow(HWND parent = nullptr);

    // Messages of one kind waiting for `window`, removed from the queue.
    int TakePosted(HWND window, UINT message);

    static void CursorAt(int x, int y);

public:
    // What the recorder saw, and whether it forwards to the default handling.
    static std::vector<UINT> seenByProgram;
    static bool programForwards;
    static LRESULT programAnswer;

private:
    std::vector<HWND> windows_;
};
