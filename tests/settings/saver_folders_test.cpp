#include "settings/saver_folders.h"

#include <string>

#include "windows_support/saver_window_fixture.h"

namespace {

using SaverFoldersTest = SaverWindowTest;

TEST_F(SaverFoldersTest, TheProgramFolderIsThePathWithoutItsFileName) {
    fakeScene.programPath = "C:\\Saver Place\\varnoka.scr";
    EXPECT_EQ(ProgramFolder(), "C:\\Saver Place");
    fakeScene.programPath = "C:\\" + std::string(MAX_PATH, 'p');
    EXPECT_EQ(ProgramFolder(), "") << "a path cut short by the buffer names no folder";
}

TEST_F(SaverFoldersTest, TheInstalledFolderIsReadFromTheSixtyFourBitViewAndTheKeyClosed) {
    RecordInstalledFolder("C:\\Program Files\\Varnoka");
    EXPECT_EQ(InstalledFolder(), "C:\\Program Files\\Varnoka");
    EXPECT_EQ(fakeScene.installKeyAccess, static_cast<REGSAM>(KEY_QUERY_VALUE | KEY_WOW64_64KEY));
    EXPECT_EQ(fakeScene.installKeysOpen, 0);

    fakeScene.installValue = "\\\\server\\share\\Varnoka";
    EXPECT_EQ(InstalledFolder(), "\\\\server\\share\\Varnoka") << "a string stored without its terminator";
    fakeScene.installValue = "D:\\" + std::string(MAX_PATH - 3, 'v');
    EXPECT_EQ(InstalledFolder(), fakeScene.installValue) << "the longest path, unterminated";
}

TEST_F(SaverFoldersTest, AnUnusableRecordMeansNoInstalledFolder) {
    struct Record {
        const char* what;
        bool present;
        DWORD type;
        std::string bytes;
    };
    const Record records[] = {
        {"no key", false, REG_SZ, std::string("C:\\Varnoka", 11)},
        {"empty", true, REG_SZ, std::string(1, '\0')},
        {"no bytes at all", true, REG_SZ, std::string()},
        {"longer than a path", true, REG_SZ, "C:\\" + std::string(MAX_PATH, 'v') + '\0'},
        {"a number, whatever its bytes", true, REG_DWORD, "C:\\a"},
        {"a relative path", true, REG_SZ, std::string("Varnoka", 8)},
    };
    for (const Record& record : records) {
        fakeScene.installKeyPresent = record.present;
        fakeScene.installValueType = record.type;
        fakeScene.installValue = record.bytes;
        EXPECT_EQ(InstalledFolder(), "") << record.what;
        EXPECT_EQ(fakeScene.installKeysOpen, 0) << record.what;
    }
}

}  // namespace
