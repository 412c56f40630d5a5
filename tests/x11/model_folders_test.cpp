#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "x11/model_folders.h"

namespace {

using Folders = std::vector<std::string>;

TEST(ModelFolders, TheGivenFolderAloneElseTheUsersTheInstalledAndTheProgramsOwn) {
    EXPECT_EQ(ModelFolders("/srv/cars", "/home/a/.data", "/home/a", "/opt/v"), Folders{"/srv/cars"});
    EXPECT_EQ(ModelFolders("", "/home/a/.data", "/home/a", "/opt/v"),
              (Folders{"/home/a/.data/varnoka/models", "/usr/share/varnoka/models", "/opt/v/models"}));
    // XDG_DATA_HOME unset, empty or relative means ~/.local/share.
    const Folders fromHome{"/home/a/.local/share/varnoka/models", "/usr/share/varnoka/models", "/opt/v/models"};
    EXPECT_EQ(ModelFolders("", nullptr, "/home/a", "/opt/v"), fromHome);
    EXPECT_EQ(ModelFolders("", "", "/home/a", "/opt/v"), fromHome);
    EXPECT_EQ(ModelFolders("", "data", "/home/a/", "/opt/v"), fromHome);
    // Without a home or a known program folder, those places are left out.
    EXPECT_EQ(ModelFolders("", nullptr, nullptr, ""), Folders{"/usr/share/varnoka/models"});
}

TEST(ModelFolders, OwnCarsComeFromTheGivenFolderElseTheUsersDataFolder) {
    EXPECT_EQ(OwnCarsFolderFor("/srv/mine", "/home/a/.data", "/home/a"), "/srv/mine");
    EXPECT_EQ(OwnCarsFolderFor("", "/home/a/.data", "/home/a"), "/home/a/.data/varnoka/cars");
    EXPECT_EQ(OwnCarsFolderFor("", "relative", "/home/a"), "/home/a/.local/share/varnoka/cars");
    EXPECT_EQ(OwnCarsFolderFor("", nullptr, nullptr), "");
}

TEST(ModelFolders, TheRunningProgramsFolderIsAFullPath) {
    const std::string folder = RunningProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder[0], '/');
}

}  // namespace
