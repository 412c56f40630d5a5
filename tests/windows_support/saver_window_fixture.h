#pragma once
// The saver window with the program's own procedure behind the shell's, its settings in a
// folder of the test's own, its models in a stand-in Windows directory, and the boxes, the
// multimedia commands, the screen depth and the clock steered through the platform table.

#include <atomic>
#include <string>
#include <vector>

#include "windows_support/shell_fixture.h"

struct FakeScene {
    std::vector<std::string> boxes;  // "caption|text"
    std::vector<UINT> boxTypes;
    std::vector<HWND> boxOwners;
    std::vector<std::string> commands;  // multimedia commands sent
    std::vector<HWND> commandWindows;
    std::string windowsDirectory;
    int bitsPerPixel = 0;  // 0: the screen's own
    int refreshRate = 0;   // 0: the screen's own
    bool threadStartFails = false;
    // The file chooser: what it was given, and the file it "chooses".
    int fileChooserCalls = 0;
    std::string chooserTitle, chooserFilter, chooserDefaultExtension;
    DWORD chooserFilterIndex = 0;
    DWORD chooserFlags = 0;
    std::vector<std::string> opened;  // documents opened in their viewer
    std::string documentsFolder;      // the user's Documents folder; empty: not known

    // The colour dialog, made from its template; the test says what the user does in it.
    bool colorCancelled = false;
    COLORREF chosenColor = RGB(0, 0, 0);
    bool typeAlpha = false;
    std::string typedAlpha;
    COLORREF initialColor = 0;
    DWORD colorFlags = 0;
    std::string colorTemplate;
    bool customColorsWhite = false;
    std::string alphaShown;    // in the field when the dialog opened
    std::string alphaAfterOk;  // in the field after OK
    int threadsStarted = 0;

    // A clock that moves only when the render thread waits for it, and counts the waits.
    bool fakeClock = false;
    std::atomic<long long> microseconds{0};
    std::atomic<int> displayWaits{0};

    // The running program's path as the system gives it (empty: the real one), and the installer's
    // record of its folder: the value's type and bytes as stored, the access asked for, and how
    // many of its keys are open.
    std::string programPath;
    bool installKeyPresent = false;
    DWORD installValueType = REG_SZ;
    std::string installValue;
    REGSAM installKeyAccess = 0;
    int installKeysOpen = 0;

    // The console display's state, sent at once to a window that registers for it, and the
    // registrations made and ended.
    DWORD displayState = 1;
    struct PowerRegistration {
        HANDLE recipient;
        GUID setting;
        DWORD flags;
        HPOWERNOTIFY notification;
    };
    std::vector<PowerRegistration> powerRegistrations;
    std::vector<HPOWERNOTIFY> powerUnregistered;

    // The render thread's waits that are not for its frame timer (those while drawing is held):
    // how many began and ended, the timeout asked for, how the last ended, and the frames drawn
    // (display waits) when it began.
    std::atomic<int> heldWaits{0};
    std::atomic<int> heldWaitsEnded{0};
    std::atomic<DWORD> heldWaitTimeout{0};
    std::atomic<DWORD> heldWaitResult{0};
    std::atomic<int> framesBeforeHeldWait{0};
};

// GUID_CONSOLE_DISPLAY_STATE as documented.
constexpr GUID ConsoleDisplayStateGuid = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

extern FakeScene fakeScene;

class SaverWindowTest : public ShellTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes a key of the saver's section in the settings file the saver reads.
    void Setting(const std::string& key, const std::string& value);
    int StoredSetting(const std::string& key, int missing = -99999);

    // A saver window of the given client size (the screen's width makes it the full-screen one).
    HWND CreateSaver(int width = 320, int height = 240);
    // The preview: a child filling its parent's client area, as the shell makes it.
    HWND CreatePreview(HWND parent);
    void Destroy(HWND window);

    // The stand-in Windows directory without any model.
    void WithoutModels();

    // The folder recorded as the installer records it: a string with its terminator.
    void RecordInstalledFolder(const std::string& folder);

    std::string settingsFile;

private:
    std::string appData_;
    std::vector<HWND> savers_;
};

// Sends the window a power setting change with `length` bytes of data, as the system does.
void SendPowerSetting(HWND window, const GUID& setting, DWORD value, DWORD length = sizeof(DWORD));
// 0 off, 1 on, 2 dimmed.
inline void SendDisplayState(HWND window, DWORD state) { SendPowerSetting(window, ConsoleDisplayStateGuid, state); }

// A folder under the temporary folder, made fresh for the running test.
std::string FreshTestFolder(const std::string& purpose);
