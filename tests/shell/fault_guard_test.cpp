#include "shell/fault_guard.h"

#include <cstdio>

#include "shell/platform_calls.h"
#include "windows_support/shell_fixture.h"

namespace {

using FaultGuardTest = ShellTest;

TEST_F(FaultGuardTest, HandledFaultSwitchesTheRunningStateOff) {
    UseWin95Family();
    fake.filterVerdict = EXCEPTION_EXECUTE_HANDLER;
    EXPECT_EQ(JudgeShellFault(nullptr), EXCEPTION_EXECUTE_HANDLER);
    EXPECT_EQ(fake.events, (std::vector<std::string>{"fault filter", "system parameter 97 0"}));
}

TEST_F(FaultGuardTest, DeclinedFaultGoesOnUntouched) {
    UseWin95Family();
    fake.filterVerdict = EXCEPTION_CONTINUE_SEARCH;
    EXPECT_EQ(JudgeShellFault(nullptr), EXCEPTION_CONTINUE_SEARCH);
    EXPECT_EQ(fake.events, (std::vector<std::string>{"fault filter"}));
}

TEST_F(FaultGuardTest, GuardIsLiftedWhenTheRoutineReturns) {
    LPTOP_LEVEL_EXCEPTION_FILTER before = SetUnhandledExceptionFilter(nullptr);
    SetUnhandledExceptionFilter(before);
    EXPECT_EQ(RunGuarded([](const char* text) { return text[0] == 'x' ? 42 : 0; }, "x"), 42);
    EXPECT_EQ(SetUnhandledExceptionFilter(before), before);
}

TEST_F(FaultGuardTest, FaultInTheModeRoutineEndsTheProcessWithTheRunningStateOff) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            UseWin95Family();
            fake.filterVerdict = EXCEPTION_EXECUTE_HANDLER;
            platform.SystemParametersInfoA = [](UINT action, UINT on, PVOID, UINT) -> BOOL {
                std::fprintf(stderr, "running state %u %u\n", action, on);
                std::fflush(stderr);
                return TRUE;
            };
            RunGuarded(
                [](const char*) {
                    RaiseException(EXCEPTION_ACCESS_VIOLATION, 0, 0, nullptr);
                    return 0;
                },
                "");
        },
        ::testing::ExitedWithCode(static_cast<int>(EXCEPTION_ACCESS_VIOLATION)), "running state 97 0");
}

}  // namespace
