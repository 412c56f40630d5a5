#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "x11/xscreensaver_list.h"

namespace {

namespace fs = std::filesystem;

const std::string Settings =
    "# XScreenSaver Preferences File\n"
    "timeout:\t0:10:00\n"
    "mode:\t\trandom\n"
    "programs:\t\t\t\t\t\t\t      \\\n"
    "\t\t\t\t  maze --root\t\t\t    \\n\\\n"
    "- GL: \t\t\t\t  cubestack --root\t\t    \\n\\\n"
    "\t\t\t\t  xlyap --root\t\t\t    \\n\n"
    "\n"
    "pointerHysteresis:\t10\n";

TEST(XScreenSaverList, TheEntryGoesFirstInTheListAndNothingElseChanges) {
    std::string settings = Settings;
    ASSERT_EQ(AddToProgramList(settings), ListChange::Added);
    std::string expected = Settings;
    const std::string head = "programs:\t\t\t\t\t\t\t      \\\n";
    expected.insert(expected.find(head) + head.size(), "\t\t\t\t  varnoka --root\t\t\t    \\n\\\n");
    EXPECT_EQ(settings, expected);

    // Once listed, by any path and as any entry of the list, it is not added again.
    EXPECT_EQ(AddToProgramList(settings), ListChange::AlreadyListed);
    std::string byPath = Settings;
    byPath.replace(byPath.find("xlyap --root"), 12, "/usr/libexec/xscreensaver/varnoka -root");
    EXPECT_EQ(AddToProgramList(byPath), ListChange::AlreadyListed);
    std::string disabled = Settings;
    disabled.replace(disabled.find("maze --root"), 11, "varnoka --root --model 2");
    EXPECT_EQ(AddToProgramList(disabled), ListChange::AlreadyListed);
    // A program whose name merely holds the word is another program.
    std::string other = Settings;
    other.replace(other.find("maze --root"), 11, "varnokalike --root");
    EXPECT_EQ(AddToProgramList(other), ListChange::Added);
}

TEST(XScreenSaverList, AListOnOneLineOrNoneAtAllGetsTheEntryToo) {
    std::string oneLine = "mode: one\nprograms: maze --root \\n\nlock: False\n";
    ASSERT_EQ(AddToProgramList(oneLine), ListChange::Added);
    EXPECT_EQ(oneLine,
              "mode: one\nprograms:\t\\\n\t\t\t\t  varnoka --root\t\t\t    \\n\\\n\t\t\t\t  maze --root \\n\nlock: "
              "False\n");
    std::string empty = "programs:\nlock: False\n";
    ASSERT_EQ(AddToProgramList(empty), ListChange::Added);
    EXPECT_EQ(empty, "programs:\t\\\n\t\t\t\t  varnoka --root\t\t\t    \\n\nlock: False\n");
    std::string none = "mode: one\n";
    EXPECT_EQ(AddToProgramList(none), ListChange::NoList);
    EXPECT_EQ(none, "mode: one\n");
}

TEST(XScreenSaverList, AMissingFileIsMadeFromTheDaemonsList) {
    const std::string defaults =
        "*timeout:\t\t0:10:00\n"
        "*programs:\t\t\t\t\t\t\t      \\\n"
        "\t\t\t\tmaze --root\t\t\t\t    \\n\\\n"
        "- GL: \t\t\t\tsuperquadrics --root\t\t\t    \\n\n"
        "*pointerHysteresis: 10\n";
    const std::string settings = SettingsFromDefaults(defaults);
    EXPECT_NE(settings.find("\nprograms:\t\t\t\t\t\t\t      \\\n\t\t\t\t  varnoka --root\t\t\t    \\n\\\n"
                            "\t\t\t\tmaze --root\t\t\t\t    \\n\\\n- GL: \t\t\t\tsuperquadrics --root\t\t\t    \\n\n"),
              std::string::npos)
        << settings;
    EXPECT_EQ(settings.find("timeout"), std::string::npos);
    EXPECT_EQ(settings.find("pointerHysteresis"), std::string::npos);
    EXPECT_EQ(SettingsFromDefaults("*timeout: 0:10:00\n"), "");

    // The daemon's own defaults, where it is installed.
    std::ifstream installed(XScreenSaverDefaults);
    if (installed) {
        std::stringstream text;
        text << installed.rdbuf();
        const std::string made = SettingsFromDefaults(text.str());
        EXPECT_NE(made.find("varnoka --root"), std::string::npos);
        EXPECT_NE(made.find("maze --root"), std::string::npos);
    }
}

TEST(XScreenSaverList, TheUsersFileIsChangedInPlaceOnceOrMadeWhenMissing) {
    const fs::path home = fs::temp_directory_path() / ("varnoka-list-" + std::to_string(getpid()));
    fs::remove_all(home);
    fs::create_directories(home);
    const fs::path defaults = home / "defaults";
    std::ofstream(defaults) << "*programs:\t\\\n\t\tmaze --root \\n\n";
    std::string message;

    ASSERT_EQ(AddToUserList(home.string(), defaults.string(), message), 0) << message;
    std::stringstream made;
    made << std::ifstream(home / ".xscreensaver").rdbuf();
    EXPECT_NE(made.str().find("varnoka --root"), std::string::npos);
    EXPECT_NE(made.str().find("maze --root"), std::string::npos);

    std::ofstream(home / ".xscreensaver") << Settings;
    chmod((home / ".xscreensaver").c_str(), 0600);
    ASSERT_EQ(AddToUserList(home.string(), defaults.string(), message), 0) << message;
    ASSERT_EQ(AddToUserList(home.string(), defaults.string(), message), 0) << message;
    EXPECT_NE(message.find("already"), std::string::npos);
    std::stringstream changed;
    changed << std::ifstream(home / ".xscreensaver").rdbuf();
    std::string expected = Settings;
    AddToProgramList(expected);
    EXPECT_EQ(changed.str(), expected);
    struct stat status {};
    ASSERT_EQ(stat((home / ".xscreensaver").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
    EXPECT_FALSE(fs::exists(home / ".xscreensaver.varnoka-new"));

    // No file and no defaults to make one from: nothing is written.
    fs::remove(home / ".xscreensaver");
    EXPECT_EQ(AddToUserList(home.string(), (home / "missing").string(), message), 1);
    EXPECT_FALSE(fs::exists(home / ".xscreensaver"));
    fs::remove_all(home);
}

}  // namespace
