#include "windows_support/shell_fixture.h"

namespace {

std::string SwitchTextOf(const char* commandLine) { return SkipProgramName(commandLine); }

using CommandLineTest = ShellTest;

TEST(SkipProgramName, QuotedPathWithSpacesIsSkippedWholeWithTheBlanksAfterIt) {
    EXPECT_EQ(SwitchTextOf("\"C:\\Program Files\\Varnoka\\varnoka.scr\" /s"), "/s");
    EXPECT_EQ(SwitchTextOf("\"C:\\Program Files\\varnoka.scr\"\t \t/p 12"), "/p 12");
    EXPECT_EQ(SwitchTextOf("\"C:\\a b\\varnoka.scr\""), "");
    EXPECT_EQ(SwitchTextOf("\"C:\\unterminated quote /s"), "");
    EXPECT_EQ(SwitchTextOf("\"varnoka.scr\"/c"), "/c");
}

TEST(SkipProgramName, UnquotedNameEndsAtTheFirstBlank) {
    EXPECT_EQ(SwitchTextOf("varnoka.scr /s"), "/s");
    EXPECT_EQ(SwitchTextOf("C:\\Program Files\\varnoka.scr /s"), "Files\\varnoka.scr /s");
    EXPECT_EQ(SwitchTextOf("varnoka.scr"), "");
    EXPECT_EQ(SwitchTextOf("varnoka.scr\x01\x1f /s"), "/s");
}

TEST(SkipProgramName, LineStartingWithBlankHasAnEmptyProgramName) {
    EXPECT_EQ(SwitchTextOf("  /s"), "/s");
    EXPECT_EQ(SwitchTextOf(""), "");
}

TEST(SkipProgramName, HighBytesAreNotBlanks) {
    EXPECT_EQ(SwitchTextOf("prog\xa0name /s"), "/s");
    EXPECT_EQ(SwitchTextOf("prog \xa0/s"), "\xa0/s");
}

TEST(ParseWindowNumber, DecimalDigitsUntilTheFirstOtherCharacter) {
    EXPECT_EQ(ParseWindowNumber("1234"), 1234u);
    EXPECT_EQ(ParseWindowNumber("1234abc"), 1234u);
    EXPECT_EQ(ParseWindowNumber("12 34"), 12u);
    EXPECT_EQ(ParseWindowNumber(":1234"), 0u);
    EXPECT_EQ(ParseWindowNumber("-5"), 0u);
    EXPECT_EQ(ParseWindowNumber("0x10"), 0u);
    EXPECT_EQ(ParseWindowNumber(""), 0u);
}

TEST(ParseWindowNumber, WrapsInUnsigned32BitArithmetic) {
    EXPECT_EQ(ParseWindowNumber("4294967295"), 4294967295u);
    EXPECT_EQ(ParseWindowNumber("4294967296"), 0u);
    EXPECT_EQ(ParseWindowNumber("4294967297"), 1u);
}

TEST_F(CommandLineTest, SwitchesThatNameNoModeEndWithMinusOne) {
    for (const char* text : {"/x", "x", "\t/s", "/\ts", "\x80", "/\xe9", "\xff", "?", "+s", "0"})
        EXPECT_EQ(DispatchMode(saverShellState.instance, text), -1) << text;
}

TEST_F(CommandLineTest, PreviewWithoutAValidWindowEndsWithMinusOne) {
    HWND parent = PlainWindow();
    const std::string number = std::to_string(reinterpret_cast<UINT_PTR>(parent));
    for (const std::string& text :
         {std::string("/p"), std::string("/p 0"), std::string("/p:") + number, std::string("/p ") + "4000000000",
          std::string("/l"), std::string("/p\t") + number, std::string("/p -") + number})
        EXPECT_EQ(DispatchMode(saverShellState.instance, text.c_str()), -1) << text;
    EXPECT_EQ(FindWindowExA(parent, nullptr, "WindowsScreenSaverClass", nullptr), nullptr);
}

TEST_F(CommandLineTest, PlatformTestAsksWithTheVersionRecordSizeAndTreatsFailureAsNotWin95) {
    UseWin95Family();
    DispatchMode(saverShellState.instance, "/x");
    EXPECT_TRUE(saverShellState.isWin95Family);
    EXPECT_EQ(fake.Count("version size 148"), 1);

    fake.versionCallFails = true;
    DispatchMode(saverShellState.instance, "/x");
    EXPECT_FALSE(saverShellState.isWin95Family);

    fake = FakeSystem{};
    fake.platformId = VER_PLATFORM_WIN32_NT;
    DispatchMode(saverShellState.instance, "/x");
    EXPECT_FALSE(saverShellState.isWin95Family);
}

TEST_F(CommandLineTest, PasswordChangeOutsideWin95FamilyEndsWithMinusOneAndLoadsNothing) {
    EXPECT_EQ(DispatchMode(saverShellState.instance, "/a"), -1);
    EXPECT_EQ(DispatchMode(saverShellState.instance, "-A 1234"), -1);
    EXPECT_EQ(fake.Count("load MPR.DLL"), 0);
}

TEST_F(CommandLineTest, PasswordChangeOnWin95FamilyUsesTheNamedWindowOrTheForegroundWindow) {
    fake.platformId = VER_PLATFORM_WIN32_WINDOWS;
    HWND owner = PlainWindow();
    const std::string withOwner = "/a " + std::to_string(reinterpret_cast<UINT_PTR>(owner));
    EXPECT_EQ(DispatchMode(saverShellState.instance, withOwner.c_str()), 0);
    EXPECT_EQ(fake.changeParent, owner);
    EXPECT_EQ(fake.changeProvider, "SCRSAVE");
    EXPECT_EQ(fake.Count("change password"), 1);
    EXPECT_EQ(fake.Count("free MPR.DLL"), 1);

    fake.changeParent = reinterpret_cast<HWND>(1);
    EXPECT_EQ(DispatchMode(saverShellState.instance, "/a 4000000000"), 0);
    EXPECT_EQ(fake.changeParent, GetForegroundWindow());
    EXPECT_EQ(DispatchMode(saverShellState.instance, "a"), 0);
    EXPECT_EQ(fake.Count("change password"), 3);
}

TEST_F(CommandLineTest, PasswordChangeWithoutTheRouterOrItsEntryDoesNothingAndEndsWithZero) {
    fake.platformId = VER_PLATFORM_WIN32_WINDOWS;
    fake.changeEntryPresent = false;
    EXPECT_EQ(DispatchMode(saverShellState.instance, "/a"), 0);
    EXPECT_EQ(fake.Count("free MPR.DLL"), 1);

    fake.events.clear();
    fake.routerModulePresent = false;
    EXPECT_EQ(DispatchMode(saverShellState.instance, "/a"), 0);
    EXPECT_EQ(fake.Count("change password"), 0);
    EXPECT_EQ(fake.Count("free MPR.DLL"), 0);
}

}  // namespace
